#include "platform/ui/Alignment.h"
#include "platform/graphics/Font.h"

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    const int height = DrawTextShaped(dc, ToWide(text), rect, flags);
    SetTextColor(dc, oldColor);
    return height;
}

int ControlTextWidth(TFont* font, const String& text, bool rightToLeft) {
    TWindowDCBorrow screen(nullptr);
    TScopedSelect select(screen.Get(), font->Handle());
    return ShapedTextWidth(screen.Get(), ToWide(text), rightToLeft);
}

int FittingFontHeight(TFont* font, const String& text, int width, bool rightToLeft, int largest, int smallest) {
    TFont trial;
    trial.Assign(font);
    for (int height = largest; height <= smallest; ++height) {
        trial.SetHeight(height);
        if (ControlTextWidth(&trial, text, rightToLeft) <= width) return height;
    }
    return 0;
}
