#include "platform/ui/Alignment.h"
#include "platform/graphics/Font.h"

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    WideString w = ToWide(text);
    int h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rect, flags);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    return h;
}
