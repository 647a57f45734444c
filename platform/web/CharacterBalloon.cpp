#include "platform/web/CharacterBalloon.h"
#include <algorithm>
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/TextShaping.h"

namespace web {

namespace {

constexpr COLORREF FillColor = RGB(255, 255, 225);   // the pale yellow of tips
constexpr COLORREF InkColor = RGB(15, 61, 99);       // the screens' navy
constexpr std::uint32_t Transparent = 0x00FF00FFu;   // never drawn by the balloon: no alpha, no ink
constexpr int Corner = 16;

// Arabic in the font the screens use for it, and a little larger, so that its marks are read.
TGdiObject<HFONT> BalloonFont(bool rightToLeft) {
    return TGdiObject<HFONT>(CreateFontW(rightToLeft ? -19 : -17, 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                         rightToLeft ? ARABIC_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                         rightToLeft ? L"Arabic Transparent" : L"Tahoma"));
}

// The words with one blank between each two, whatever white space stood there.
WideString OneBlankApart(const WideString& text) {
    WideString out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(L" \t\r\n", start);
        if (end == WideString::npos) end = text.size();
        if (end > start) out += (out.empty() ? L"" : L" ") + text.substr(start, end - start);
        start = end + 1;
    }
    return out;
}

}  // namespace

void TCharacterBalloon::SetWords(const WideString& words, bool rightToLeft) {
    FRightToLeft = rightToLeft;
    FLines.clear();
    FLineWidths.clear();
    TMemoryDC dc;
    TGdiObject<HFONT> font = BalloonFont(rightToLeft);
    TScopedSelect select(dc.Get(), font.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    FLineHeight = metrics.tmHeight + 2;
    const WideString text = OneBlankApart(words);
    if (!text.empty()) FLines = WrapShapedText(dc.Get(), text, TextWidth, rightToLeft);
    int widest = 0;
    for (const WideString& l : FLines) {
        FLineWidths.push_back(ShapedTextWidth(dc.Get(), l, rightToLeft));
        widest = std::max(widest, FLineWidths.back());
    }
    FSize = {widest + 2 * Padding, int(FLines.size()) * FLineHeight + 2 * Padding};
}

void TCharacterBalloon::Draw(std::vector<std::uint32_t>& pixels, int width, int height, POINT box, POINT tip) const {
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* bits = nullptr;
    TMemoryDC dc;
    TGdiObject<HBITMAP> canvas(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas) return;
    auto* ink = static_cast<std::uint32_t*>(bits);
    std::fill(ink, ink + std::size_t(width) * height, Transparent);
    {
        TScopedSelect selectBitmap(dc.Get(), canvas.Get());
        TGdiObject<HBRUSH> fill(CreateSolidBrush(FillColor));
        TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, InkColor));
        TScopedSelect selectBrush(dc.Get(), fill.Get());
        TScopedSelect selectPen(dc.Get(), pen.Get());
        const RECT r{box.x, box.y, box.x + FSize.cx, box.y + FSize.cy};
        // the tail leaves the edge that faces the character, a little to the side of its tip
        const bool below = tip.y >= r.bottom;
        const int edgeY = below ? r.bottom - 1 : r.top;
        const int baseX = std::clamp<int>(tip.x, r.left + Corner + 6, r.right - Corner - 18);
        POINT tail[3] = {{baseX, edgeY}, {baseX + 14, edgeY}, tip};
        Polygon(dc.Get(), tail, 3);
        RoundRect(dc.Get(), r.left, r.top, r.right, r.bottom, Corner, Corner);
        // the balloon's border stays open where the tail joins it
        TGdiObject<HPEN> seam(CreatePen(PS_SOLID, 2, FillColor));
        TScopedSelect selectSeam(dc.Get(), seam.Get());
        MoveToEx(dc.Get(), baseX + 2, edgeY, nullptr);
        LineTo(dc.Get(), baseX + 13, edgeY);

        TGdiObject<HFONT> font = BalloonFont(FRightToLeft);
        TScopedSelect selectFont(dc.Get(), font.Get());
        SetTextColor(dc.Get(), InkColor);
        int y = r.top + Padding;
        for (std::size_t i = 0; i < FLines.size(); ++i, y += FLineHeight) {
            const int x = FRightToLeft ? r.right - Padding - FLineWidths[i] : r.left + Padding;
            DrawShapedText(dc.Get(), x, y, FLines[i], FRightToLeft);
        }
        GdiFlush();
    }
    // whatever was drawn is opaque; the rest keeps what lies in the buffer already
    for (std::size_t i = 0; i < std::size_t(width) * height; ++i)
        if (ink[i] != Transparent) pixels[i] = ink[i] | 0xFF000000u;
}

}  // namespace web
