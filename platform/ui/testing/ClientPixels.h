#pragma once
// A window's client area as it stands on the screen now, for tests that judge what was drawn.
#include <windows.h>
#include <cstdint>
#include <vector>

struct TClientPixels {
    int Width = 0, Height = 0;
    std::vector<std::uint32_t> Pixels;   // 0xRRGGBB, the top row first

    std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    // Whether row y holds anything but the colour between columns left (included) and right.
    bool RowHasInk(int y, COLORREF background, int left, int right) const {
        const std::uint32_t plain = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
        for (int x = left; x < right; ++x)
            if (At(x, y) != plain) return true;
        return false;
    }
    // The rows from top (included) to bottom of the columns, top row first.
    std::vector<std::uint32_t> Block(int left, int top, int right, int bottom) const {
        std::vector<std::uint32_t> block;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) block.push_back(At(x, y));
        return block;
    }

    static TClientPixels Of(HWND window) {
        TClientPixels shot;
        RECT client{};
        GetClientRect(window, &client);
        shot.Width = client.right;
        shot.Height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = shot.Width;
        info.bmiHeader.biHeight = -shot.Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC screen = GetDC(window);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, shot.Width, shot.Height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        shot.Pixels.assign(pixels, pixels + static_cast<std::size_t>(shot.Width) * shot.Height);
        for (std::uint32_t& p : shot.Pixels) p &= 0xFFFFFF;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(window, screen);
        return shot;
    }
};
