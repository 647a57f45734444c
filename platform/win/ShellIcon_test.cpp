#include "platform/win/ShellIcon.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"

// A folder's icon covers some of the rectangle; a path the shell cannot find draws nothing.
TEST(ShellIcon, DrawsTheIconOfAFolderAndNothingForAMissingPath) {
    testing_support::TempFolder dir;
    const COLORREF olive = RGB(128, 128, 0);
    auto painted = [&](const String& path, bool& drawn) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, 16, 16};
        HBRUSH brush = CreateSolidBrush(olive);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        drawn = DrawShellSmallIcon(dc, path, all);
        int changed = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) changed += GetPixel(dc, x, y) != olive;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return changed;
    };
    bool drawn = false;
    EXPECT_GT(painted(dir.Path(), drawn), 16);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(painted(dir.File("missing\\none.txt"), drawn), 0);
    EXPECT_FALSE(drawn);
}
