#include "Encrypt.h"

namespace Encrypt {
// The key is a 16-bit word that wraps. Its products are taken in unsigned 32-bit arithmetic: two
// words promoted to int could overflow it, which is undefined.
std::uint16_t StartKey(std::size_t length) {
    std::uint32_t l = static_cast<std::uint16_t>(length);
    std::uint32_t product = static_cast<std::uint16_t>(l * std::uint16_t(l - 1));
    product = static_cast<std::uint16_t>(product * std::uint16_t(l - 2));
    return static_cast<std::uint16_t>(product + StartConstant);
}
}  // namespace Encrypt

namespace {
std::uint16_t NextKey(unsigned char c, std::uint16_t key) {
    std::uint32_t sum = static_cast<std::uint16_t>(c + key);
    return static_cast<std::uint16_t>(sum * Encrypt::Multiplier + Encrypt::Addend);
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

namespace Encrypt {
String EncodePassword(const String& text) {
    String s = text;
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);   // ASCII only: Arabic letters stay
    s = EncryptText(s, StartKey(s.size()));
    static const char digits[] = "0123456789ABCDEF";
    String hex;
    hex.reserve(s.size() * 2);
    for (char c : s) {
        unsigned char b = static_cast<unsigned char>(c);
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 15]);
    }
    return hex;
}

String DecodePassword(const String& hex) {
    String b;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        b.push_back(static_cast<char>(HexToWord(hex.substr(i, 2)) & 0xFF));
    return DecryptText(b, StartKey(b.size()));
}
}  // namespace Encrypt
