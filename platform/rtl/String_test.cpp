#include <gtest/gtest.h>
#include "platform/rtl/String.h"

TEST(StringTest, ArabicLiteralRoundTripsThroughUtf16) {
    String s = "مرحبا بك"_a;
    ASSERT_EQ(s.size(), 8u);                          // one byte a character
    EXPECT_EQ(static_cast<unsigned char>(s[0]), 0xE3);  // meem in code page 1256
    WideString w = ToWide(s);
    EXPECT_EQ(w, L"\u0645\u0631\u062D\u0628\u0627 \u0628\u0643");
    EXPECT_EQ(FromWide(w), s);
}

TEST(StringTest, EveryByteRoundTrips) {
    String all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(FromWide(ToWide(all)), all);
    EXPECT_EQ(Utf8ToCp1256(Cp1256ToUtf8(all)), all);
}

TEST(StringTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(FromWide(L"a\u4E2Db"), "a?b");
    EXPECT_EQ(FromWide(L"\U0001F600"), "?");   // a surrogate pair is one character
    EXPECT_EQ(Utf8ToCp1256("\xE4\xB8\xAD"), "?");
    EXPECT_EQ(Utf8ToCp1256("\xC3"), "?");       // cut sequence
}
