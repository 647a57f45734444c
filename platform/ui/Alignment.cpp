#include "platform/ui/Alignment.h"
#include "platform/graphics/Font.h"

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    const int height = DrawTextShaped(dc, ToWide(text), rect, flags);
    SetTextColor(dc, oldColor);
    return height;
}

int FittingFontHeight(TFont* font, const String& text, int width, bool rightToLeft, int largest, int smallest) {
    TFont trial;
    trial.Assign(font);
    const WideString w = ToWide(text);
    TWindowDCBorrow screen(nullptr);
    for (int height = largest; height <= smallest; ++height) {
        trial.SetHeight(height);
        TScopedSelect select(screen.Get(), trial.Handle());
        if (ShapedTextWidth(screen.Get(), w, rightToLeft) <= width) return height;
    }
    return 0;
}
