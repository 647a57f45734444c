#include "StageMapping.h"
#include <gtest/gtest.h>

namespace {

TEST(StageMapping, EachScaleModePlacesTheStage) {
    // a 200 x 100 stage in a 400 x 400 window
    struct Case {
        int mode;
        double scaleX, scaleY, offsetX, offsetY;
    };
    const Case cases[] = {
        {0, 2, 2, 0, 100},          // show all: bars above and below
        {1, 4, 4, -200, 0},         // no border: cropped left and right
        {2, 2, 4, 0, 0},            // exact fit
        {3, 1, 1, 100, 150},        // no scale, centred
    };
    for (const Case& c : cases) {
        StageMapping m = StageMapping::For(200, 100, 400, 400, c.mode);
        EXPECT_DOUBLE_EQ(m.scaleX, c.scaleX) << c.mode;
        EXPECT_DOUBLE_EQ(m.scaleY, c.scaleY) << c.mode;
        EXPECT_DOUBLE_EQ(m.offsetX, c.offsetX) << c.mode;
        EXPECT_DOUBLE_EQ(m.offsetY, c.offsetY) << c.mode;
        double x, y;
        ASSERT_TRUE(m.ToStage(m.ToWindowX(40), m.ToWindowY(30), x, y));
        EXPECT_NEAR(x, 40, 0.5) << c.mode;   // there and back lands in the same stage pixel
        EXPECT_NEAR(y, 30, 0.5) << c.mode;
    }
}

}  // namespace
