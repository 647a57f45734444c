#include <gtest/gtest.h>
#include <vector>
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
    // products past the range of int: (-1)(-2)(-3) and 65536 read as 0
    EXPECT_EQ(Encrypt::StartKey(65535), std::uint16_t(-6 + Encrypt::StartConstant));
    EXPECT_EQ(Encrypt::StartKey(65536), Encrypt::StartConstant);
}

// The key step multiplies two 16-bit words; the text below makes it multiply large ones (a byte
// that brings the key near 0xFFFF), and the result is the wrapped product, the same everywhere.
TEST(EncryptTest, TheKeyStepWrapsLargeProducts) {
    EXPECT_EQ(EncryptText("\xFE\x01\x80", 0xFF01), "\x01\xE0\xB2");
    EXPECT_EQ(DecryptText("\x01\xE0\xB2", 0xFF01), "\xFE\x01\x80");
}

namespace {
String Lowered(String s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}
}  // namespace

TEST(EncryptTest, PasswordsComeBackLoweredForEveryTextWithoutByte255) {
    std::vector<String> texts = {"", "a", "OpenAccess", "openaccess", "Z", "كلمة السر"_a, "MiXeD 123 !@#"};
    String all;
    for (int b = 0; b < 255; ++b) all.push_back(static_cast<char>(b));
    texts.push_back(all);
    std::uint32_t seed = 12345;
    for (int n = 0; n < 200; ++n) {
        String t;
        for (int len = static_cast<int>(seed % 23); len > 0; --len) {
            seed = seed * 1103515245u + 12345u;
            t.push_back(static_cast<char>((seed >> 16) % 255));
        }
        texts.push_back(t);
    }
    for (const String& t : texts) {
        String hex = Encrypt::EncodePassword(t);
        EXPECT_EQ(hex.size(), 2 * t.size());
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), String::npos) << hex;
        EXPECT_EQ(Encrypt::DecodePassword(hex), Lowered(t)) << hex;
        EXPECT_EQ(Encrypt::EncodePassword(Lowered(t)), hex);
    }
}

TEST(EncryptTest, TheStoredMarkerKeepsItsCode) {
    // Files already written hold this code; a change of the three constants would lock them out.
    EXPECT_EQ(Encrypt::EncodePassword("OpenAccess"), Encrypt::EncodePassword("openaccess"));
    EXPECT_EQ(Encrypt::EncodePassword("openaccess"), "52DDEC5B44F7E7B7B8DF");
}

TEST(EncryptTest, DecodingReadsLowerHexDigitsAsZeroAndIgnoresAnOddLastDigit) {
    String hex = Encrypt::EncodePassword("openaccess");
    String lower = hex, zeroed = hex;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        if (hex[i] >= 'A' && hex[i] <= 'F') {
            lower[i] = static_cast<char>(hex[i] + 32);
            zeroed[i] = '0';
        }
    }
    ASSERT_NE(lower, hex);
    EXPECT_EQ(Encrypt::DecodePassword(lower), Encrypt::DecodePassword(zeroed));
    EXPECT_NE(Encrypt::DecodePassword(lower), "openaccess");
    EXPECT_EQ(Encrypt::DecodePassword(hex + "7"), "openaccess");
    EXPECT_EQ(Encrypt::DecodePassword("7"), "");
}
