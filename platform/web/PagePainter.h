#pragma once
// Paints a laid-out page onto a device context: the canvas's colour and picture, then every
// box background, border, text and picture in the order of the layout, the page scrolled up
// by scrollY. Texts whose sequence lies in the selection are drawn highlighted.
#include <windows.h>
#include "platform/web/PageLayout.h"
#include "platform/web/PageMeasure.h"

namespace web {

struct TPageSelectionRange {
    int From = -1;
    int To = -1;
    bool Holds(int sequence) const { return From >= 0 && sequence >= std::min(From, To) && sequence <= std::max(From, To); }
};

void PaintPage(HDC dc, const RECT& client, const TPageLayout& layout, TPageMeasure& measure, int scrollY,
               TPageSelectionRange selection = {});

constexpr COLORREF PageColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace web
