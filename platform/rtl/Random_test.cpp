#include "platform/rtl/Random.h"
#include <gtest/gtest.h>
#include <vector>
#include "platform/rtl/SysUtils.h"

namespace {

TEST(Random, StaysInItsRangeAndReachesEveryValue) {
    RandSeed = 12345;
    for (int range : {1, 2, 7, 23974}) {
        std::vector<int> seen(range, 0);
        for (int i = 0; i < range * 40; ++i) {
            int r = Random(range);
            ASSERT_GE(r, 0);
            ASSERT_LT(r, range);
            ++seen[r];
        }
        for (int n : seen) EXPECT_GT(n, 0) << "range " << range;
    }
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
}

TEST(Random, TheClockSeedReplaysUnderADrivenTick) {
    std::uint32_t now = 777;
    rtl::SetTickSource([&] { return now; });
    auto draw = [] {
        Randomize();
        std::vector<int> v;
        for (int i = 0; i < 8; ++i) v.push_back(Random(1000));
        return v;
    };
    std::vector<int> first = draw();
    EXPECT_EQ(draw(), first);
    now = 778;
    EXPECT_NE(draw(), first);
    rtl::SetTickSource({});
}

}  // namespace
