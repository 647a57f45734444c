#include "platform/ui/OwnerDraw.h"
#include <algorithm>
#include "platform/graphics/TextShaping.h"
#include "platform/ui/TControlCanvas.h"
#include "platform/ui/TWinControl.h"

void DrawOwnerItem(TControlCanvas& canvas, TWinControl& control, const DRAWITEMSTRUCT& item,
                   const std::function<void(int index, const TRect& rect, TOwnerDrawState state)>& draw) {
    TOwnerDrawState state = OwnerDrawState(item.itemState);
    TRect rect = TRect::From(item.rcItem);
    int index = static_cast<int>(item.itemID);
    canvas.PaintOn(item.hDC, [&] {
        canvas.SetFont(control.Font());
        canvas.SetBrush(control.Brush());
        canvas.Brush()->SetColor(control.Color());
        if (index >= 0 && (state & odSelected)) {
            canvas.Brush()->SetColor(clHighlight);
            canvas.Font()->SetColor(clHighlightText);
        }
        if (index >= 0) draw(index, rect, state);
        else canvas.FillRect(rect);
        if (state & odFocused) canvas.DrawFocusRect(rect);
    });
}

void MeasureOwnerItem(MEASUREITEMSTRUCT& item, int itemHeight, bool variable,
                      const std::function<void(int index, int& height)>& measure) {
    int height = itemHeight;
    if (variable) measure(static_cast<int>(item.itemID), height);
    item.itemHeight = static_cast<UINT>(std::max(1, height));
}

void DrawItemText(TCanvas& canvas, const TRect& rect, const String& text, bool rightAligned) {
    int y = rect.Top + (rect.Height() - canvas.TextHeight(text)) / 2;
    if (!rightAligned) {
        canvas.TextRect(rect, rect.Left + 2, y, text);
        return;
    }
    // measured as drawn, joined (the plain measure takes Arabic letters apart, too wide), and
    // read from the right, so that a leading number stands at the right end
    int x = rect.Right - 2 - ShapedTextWidth(canvas.Handle(), ToWide(text), true);
    const UINT flags = canvas.TextFlags;
    canvas.TextFlags = flags | ETO_RTLREADING;
    canvas.TextRect(rect, x, y, text);
    canvas.TextFlags = flags;
}
