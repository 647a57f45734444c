#include "platform/win/ShellIcon.h"
#include <gtest/gtest.h>
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"

// A folder's icon covers some of the rectangle; a path the shell cannot find draws nothing.
TEST(ShellIcon, DrawsTheIconOfAFolderAndNothingForAMissingPath) {
    testing_support::TempFolder dir;
    auto painted = [](const String& path, bool& drawn) {
        TBitmap b;
        b.SetSize(16, 16);
        b.Canvas()->Brush()->SetColor(clOlive);
        b.Canvas()->FillRect(Rect(0, 0, 16, 16));
        drawn = DrawShellSmallIcon(b.Canvas()->Handle(), path, Rect(0, 0, 16, 16));
        int changed = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) changed += b.Canvas()->Pixels(x, y) != clOlive;
        return changed;
    };
    bool drawn = false;
    EXPECT_GT(painted(dir.Path(), drawn), 16);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(painted(dir.File("missing\\none.txt"), drawn), 0);
    EXPECT_FALSE(drawn);
}
