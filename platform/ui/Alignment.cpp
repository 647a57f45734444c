#include "platform/ui/Alignment.h"
#include "platform/graphics/Font.h"

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    WideString w = ToWide(text);
    RECT target = rect;
    const bool oneLine = w.find_first_of(L"\r\n\t") == WideString::npos &&
                         ((flags & DT_NOPREFIX) || w.find(L'&') == WideString::npos);
    // the system would place a centred or right-aligned line by its own, wider measure
    const bool placeByShape = !(flags & DT_CALCRECT) && (flags & (DT_CENTER | DT_RIGHT)) && oneLine;
    if (placeByShape) {
        int width = ShapedTextWidth(dc, w, flags & DT_RTLREADING);
        int room = rect.right - rect.left;
        if (width <= room) {   // a line that fits stays one line
            target.left = flags & DT_CENTER ? rect.left + (room - width) / 2 : rect.right - width;
            target.right = target.left + width;
            flags &= ~(DT_CENTER | DT_RIGHT | DT_WORDBREAK);   // the system's wider measure would break it
        }
    }
    int h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &target, flags | (placeByShape ? DT_NOCLIP : 0));
    if (flags & DT_CALCRECT) {
        // and would measure it so: a label fitted to a line gets the width the line is drawn in
        if (oneLine && !(flags & DT_WORDBREAK)) target.right = target.left + ShapedTextWidth(dc, w, flags & DT_RTLREADING);
        rect = target;
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    return h;
}

int FittingFontHeight(TFont* font, const String& text, int width, bool rightToLeft, int largest, int smallest) {
    TFont trial;
    trial.Assign(font);
    const WideString w = ToWide(text);
    HDC dc = GetDC(nullptr);
    int found = 0;
    for (int height = largest; height <= smallest && found == 0; ++height) {
        trial.SetHeight(height);
        TScopedSelect select(dc, trial.Handle());
        if (ShapedTextWidth(dc, w, rightToLeft) <= width) found = height;
    }
    ReleaseDC(nullptr, dc);
    return found;
}
