#pragma once
// A window's client area as it stands on the screen now, for tests that judge what was drawn.
#include <windows.h>
#include <cstdint>
#include <cstring>
#include <vector>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

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
        TBitmap copy;
        copy.SetPixelFormat(pf32bit);
        copy.SetSize(shot.Width, shot.Height);
        copy.Canvas()->Lock();
        HDC screen = GetDC(window);
        BitBlt(copy.Canvas()->Handle(), 0, 0, shot.Width, shot.Height, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
        GdiFlush();
        shot.Pixels.resize(static_cast<std::size_t>(shot.Width) * shot.Height);
        for (int y = 0; y < shot.Height; ++y)
            std::memcpy(&shot.Pixels[static_cast<std::size_t>(y) * shot.Width], copy.ScanLine(y),
                        static_cast<std::size_t>(shot.Width) * sizeof(std::uint32_t));
        for (std::uint32_t& p : shot.Pixels) p &= 0xFFFFFF;
        copy.Canvas()->Unlock();
        return shot;
    }
};
