#include "controls/CoolText.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Alignment.h"

DWORD EditAlignStyle(TAlignment alignment, bool rightToLeftAlignment) {
    UINT flag = AlignmentFlag(alignment, rightToLeftAlignment);
    return flag == DT_CENTER ? ES_CENTER : flag == DT_RIGHT ? ES_RIGHT : ES_LEFT;
}

TCoolText::TCoolText(TWinControl* control, TCoolOptions options, bool captionBar, TFlatBorderKind border)
    : TCoolSkin(control, options, captionBar, border) {}

void TCoolText::SetTextAlign(TAlignment value) {
    if (value == FTextAlign) return;
    FTextAlign = value;
    SkinControl()->RecreateWnd();
}

// Left is where the platform's own alignment stands (a memo's Alignment, a right-to-left
// reading); any other TextAlign takes its place.
void TCoolText::AlignParams(TCreateParams& p) const {
    if (FTextAlign == taLeftJustify) return;
    p.Style = (p.Style & ~(ES_CENTER | ES_RIGHT)) | EditAlignStyle(FTextAlign, SkinControl()->UseRightToLeftAlignment());
}

// The whole window drawn off-screen by its own messages, the flat border over it, then its
// client area copied in.
void TCoolText::PaintBackground() {
    TWinControl* control = SkinControl();
    if (FPainting || !PaintsBackground() || !control->HandleAllocated()) return;
    FPainting = true;
    HWND h = control->Handle();
    HideCaret(h);
    try {
        RECT window, client;
        GetWindowRect(h, &window);
        GetClientRect(h, &client);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        TWindowDCBorrow dc(h);
        TMemoryDC memory(dc.Get());
        TGdiObject<HBITMAP> picture(CreateCompatibleBitmap(dc.Get(), window.right - window.left, window.bottom - window.top));
        TScopedSelect select(memory.Get(), picture.Get());
        control->PaintTo(memory.Get(), 0, 0);
        if (Options() & ocFlatBorder) DrawFlatBorder(memory.Get(), control, control->Focused());
        BitBlt(dc.Get(), 0, 0, client.right, client.bottom, memory.Get(), origin.x - window.left, origin.y - window.top,
               SRCCOPY);
    } catch (...) {
        ShowCaret(h);
        FPainting = false;
        throw;
    }
    ShowCaret(h);
    FPainting = false;
}

void TCoolText::TextChanged() {
    PaintBackground();
    FlatBorderAfterPaint();
}

bool TCoolText::TextMessage(TMessage& m, const std::function<void(TMessage&)>& inherited) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (PaintOwnBackground(reinterpret_cast<HDC>(m.WParam))) m.Result = 1;
        else inherited(m);
        return true;
    case WM_PAINT:
        inherited(m);
        PaintBackground();
        FlatBorderAfterPaint();
        return true;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        inherited(m);
        if (PaintsBackground()) {
            SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            // the edit window fills its background with this brush as it paints: the wallpaper
            // or the parent's background must stay
            m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        return true;
    default:
        return SkinMessage(m, inherited);
    }
}
