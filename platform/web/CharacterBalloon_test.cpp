#include "platform/web/CharacterBalloon.h"
#include <gtest/gtest.h>

namespace {

using web::TCharacterBalloon;

// The columns of dark ink in a box of the buffer, as [first, last], or {-1, -1}.
std::pair<int, int> InkColumns(const std::vector<std::uint32_t>& pixels, int width, RECT box) {
    int first = -1, last = -1;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const std::uint32_t p = pixels[std::size_t(y) * width + x];
            if ((p >> 24) == 0xFF && ((p >> 16) & 0xFF) < 160) {
                if (first < 0 || x < first) first = x;
                last = std::max(last, x);
            }
        }
    return {first, last};
}

TEST(CharacterBalloon, BreaksTheWordsIntoReadableLines) {
    TCharacterBalloon balloon;
    const WideString words = L"Here you learn to type without looking at the keys: each finger keeps to its own keys, "
                             L"and your speed grows from lesson to lesson.";
    balloon.SetWords(words, false);
    ASSERT_GT(balloon.Lines().size(), 2u);
    WideString joined;
    for (const WideString& line : balloon.Lines()) joined += (joined.empty() ? L"" : L" ") + line;
    EXPECT_EQ(joined, words);
    EXPECT_LE(balloon.Size().cx, TCharacterBalloon::TextWidth + 2 * TCharacterBalloon::Padding);
    EXPECT_EQ(balloon.Lines().front().find(L"  "), WideString::npos);
}

// A word too long for a line stands alone; the short word after it shows the reading order.
TEST(CharacterBalloon, LinesStartAtTheSideTheLanguageIsReadFrom) {
    const struct {
        const wchar_t* words;
        bool rightToLeft;
    } cases[] = {
        {L"Wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww Go", false},
        {L"\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643"
         L"\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643\u0643"
         L"\u0643\u0643\u0643\u0643\u0643\u0643 \u0644\u0627",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rightToLeft ? "right to left" : "left to right");
        TCharacterBalloon balloon;
        balloon.SetWords(c.words, c.rightToLeft);
        ASSERT_EQ(balloon.Lines().size(), 2u);
        const SIZE size = balloon.Size();
        const int width = size.cx + 20, height = size.cy + 40;
        std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0);
        balloon.Draw(pixels, width, height, {10, 0}, {width / 2, height - 2});
        EXPECT_EQ(pixels[std::size_t(size.cy / 2) * width + 10 + size.cx / 2] >> 24, 0xFFu);   // filled
        EXPECT_EQ(pixels[0], 0u);                                                               // outside: clear
        // the short second line, inside the border
        const auto [first, last] = InkColumns(pixels, width, {10 + 4, size.cy / 2 + 2, 10 + size.cx - 4, size.cy - 4});
        ASSERT_GE(first, 0);
        const int textLeft = 10 + TCharacterBalloon::Padding, textRight = 10 + size.cx - TCharacterBalloon::Padding;
        if (c.rightToLeft) {
            EXPECT_NEAR(last, textRight, 4);
            EXPECT_GT(first, textLeft + 40);
        } else {
            EXPECT_NEAR(first, textLeft, 4);
            EXPECT_LT(last, textRight - 40);
        }
    }
}

}  // namespace
