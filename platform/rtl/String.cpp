#include "String.h"

WideString ToWide(std::string_view text) {
    WideString out;
    out.reserve(text.size());
    for (unsigned char c : text) out.push_back(static_cast<wchar_t>(cp1256::ToUnicode(c)));
    return out;
}

namespace {
unsigned char ByteOf(char32_t cp) {
    int b = cp1256::FromUnicode(cp);
    return b < 0 ? '?' : static_cast<unsigned char>(b);
}
}  // namespace

String FromWide(std::wstring_view text) {
    String out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char16_t>(text[i]);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {   // a pair is one character
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
        }
        out.push_back(static_cast<char>(ByteOf(cp)));
    }
    return out;
}

String FromWide(const wchar_t* text) { return text ? FromWide(std::wstring_view(text)) : String(); }

String Utf8ToCp1256(std::string_view s) {
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
            out.push_back('?');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (t & 0x3F);
        }
        if (!ok) { out.push_back('?'); ++i; continue; }
        out.push_back(static_cast<char>(ByteOf(cp)));
        i += extra + 1;
    }
    return out;
}

std::string Cp1256ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (unsigned char b : text) {
        char32_t cp = cp1256::ToUnicode(b);
        if (cp < 0x80) out.push_back(char(cp));
        else if (cp < 0x800) { out.push_back(char(0xC0 | (cp >> 6))); out.push_back(char(0x80 | (cp & 0x3F))); }
        else {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
