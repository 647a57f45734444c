#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "platform/graphics/Color.h"
#include "platform/rtl/SysUtils.h"

TEST(Color, NamesAndHexForms) {
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x00DDAD31), "$00DDAD31");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x80000040u)), "$80000040");
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00FFE2AE"), 0x00FFE2AE);
    EXPECT_EQ(StringToColor("13540898"), 13540898);
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
    EXPECT_THROW(StringToColor("$12G"), EConvertError);
}

TEST(Color, SystemColoursResolveThroughTheSystemTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(clNone), static_cast<std::uint32_t>(clNone));
}

TEST(Color, GetColorValuesFollowsTheTableOrder) {
    std::vector<String> names;
    GetColorValues([&](const String& n) { names.push_back(n); });
    ASSERT_GE(names.size(), 20u);
    EXPECT_EQ(names[0], "clBlack");
    EXPECT_EQ(names[9], "clRed");
    EXPECT_EQ(names[15], "clWhite");
    EXPECT_EQ(names[16], "clMoneyGreen");
    for (const String& n : names) EXPECT_EQ(ColorToString(StringToColor(n)), n);
}
