#include "Encrypt.h"

namespace Encrypt {
std::uint16_t StartKey(std::size_t length) {
    std::uint16_t l = static_cast<std::uint16_t>(length);
    std::uint16_t product = static_cast<std::uint16_t>(l * std::uint16_t(l - 1));
    product = static_cast<std::uint16_t>(product * std::uint16_t(l - 2));
    return static_cast<std::uint16_t>(product + StartConstant);
}
}  // namespace Encrypt

namespace {
std::uint16_t NextKey(unsigned char c, std::uint16_t key) {
    return static_cast<std::uint16_t>((std::uint16_t(c + key)) * Encrypt::Multiplier + Encrypt::Addend);
}
}  // namespace

std::uint16_t HexToWord(const String& s) {
    String t = s;
    while (t.size() < 4) t.insert(t.begin(), '0');
    int d[4];
    for (int i = 0; i < 4; ++i) {
        int code = static_cast<unsigned char>(t[std::size_t(i)]);
        int v = code < 65 ? code - 48 : code - 55;
        d[i] = (v < 0 || v > 15) ? 0 : v;
    }
    return static_cast<std::uint16_t>(((d[0] * 16 + d[1]) << 8) + (d[2] * 16 + d[3]));
}

String EncryptText(const String& text, std::uint16_t key) {
    String out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char h = static_cast<unsigned char>(key >> 8);
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == h) c = 255;   // keeps the output byte from being zero
        out[i] = static_cast<char>(h ^ c);
        key = NextKey(c, key);
    }
    return out;
}

String DecryptText(const String& text, std::uint16_t key) {
    String out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char h = static_cast<unsigned char>(key >> 8);
        unsigned char p = static_cast<unsigned char>(h ^ static_cast<unsigned char>(text[i]));
        key = NextKey(p, key);
        out[i] = static_cast<char>(p == 255 ? h : p);
    }
    return out;
}
