#pragma once
// Test helper: a player's picture as 32-bit pixels, drawn by the renderer into a DIB section.
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <vector>
#include "platform/flash/MoviePlayer.h"
#include "platform/flash/MovieRenderer.h"

namespace movie_testing {

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> data;        // 0x00RRGGBB, top row first
    COLORREF At(int x, int y) const {
        std::uint32_t v = data[static_cast<std::size_t>(y) * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

// The whole picture; or, over an earlier picture, only what lies in clip is drawn again (as a
// window repaints the area a change asks for).
inline Pixels Render(const MoviePlayer& player, const Pixels* under = nullptr, const RECT* clip = nullptr) {
    Pixels p;
    p.width = player.ViewWidth();
    p.height = player.ViewHeight();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.width;
    bi.bmiHeader.biHeight = -p.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    if (under) std::copy(under->data.begin(), under->data.end(), static_cast<std::uint32_t*>(bits));
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    {
        MovieRenderer renderer;
        renderer.Paint(dc, player);
    }
    GdiFlush();
    auto* px = static_cast<std::uint32_t*>(bits);
    p.data.assign(px, px + static_cast<std::size_t>(p.width) * p.height);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return p;
}

}  // namespace movie_testing
