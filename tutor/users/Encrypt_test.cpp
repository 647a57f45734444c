#include <gtest/gtest.h>
#include "tutor/users/Encrypt.h"

TEST(EncryptTest, HexToWordReadsOnlyUpperDigits) {
    struct { const char* in; std::uint16_t out; } cases[] = {
        {"", 0}, {"F", 0x000F}, {"1A", 0x001A}, {"FFFF", 0xFFFF}, {"12345", 0x1234},
        {"ab", 0}, {"a1", 0x0001}, {":;", 0x00AB}, {"G0", 0}, {" 9", 0x0009},
    };
    for (auto& c : cases) EXPECT_EQ(HexToWord(c.in), c.out) << c.in;
}

TEST(EncryptTest, DecryptInvertsEncryptForTextsWithoutByte255) {
    String all;
    for (int b = 0; b < 255; ++b) all.push_back(static_cast<char>(b));
    for (std::uint16_t key : {std::uint16_t(0), std::uint16_t(0x1234), std::uint16_t(0xFF00), Encrypt::StartKey(7)}) {
        for (std::size_t len : {std::size_t(1), std::size_t(2), std::size_t(40), all.size()}) {
            String t = all.substr(0, len);
            String e = EncryptText(t, key);
            ASSERT_EQ(e.size(), t.size());
            EXPECT_EQ(DecryptText(e, key), t) << key << " " << len;
        }
    }
    EXPECT_EQ(EncryptText("", 5), "");
    EXPECT_EQ(DecryptText("", 5), "");
}

TEST(EncryptTest, AByteEqualToTheKeysHighByteIsNotEncodedAsZero) {
    String t(1, static_cast<char>(0x12));
    String e = EncryptText(t, 0x1234);
    EXPECT_NE(e[0], '\0');
    EXPECT_EQ(DecryptText(e, 0x1234), t);
}

TEST(EncryptTest, StartKeyWrapsModulo65536) {
    EXPECT_EQ(Encrypt::StartKey(0), Encrypt::StartConstant);   // 0 * (-1) * (-2)
    EXPECT_EQ(Encrypt::StartKey(3), std::uint16_t(6 + Encrypt::StartConstant));
    EXPECT_EQ(Encrypt::StartKey(100), std::uint16_t((100 * 99 * 98) % 65536 + Encrypt::StartConstant));
}
