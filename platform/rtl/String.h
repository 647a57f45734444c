#pragma once
// String: a byte string in code page 1256, as the program's texts are. Lengths, positions and
// file contents work on these bytes; UTF-16 exists only at the platform's Win32 calls.
#include <cstddef>
#include <string>
#include <string_view>
#include "CodePage1256.h"

using String = std::string;
using WideString = std::wstring;   // UTF-16 code units (wchar_t is 16 bits on Windows)

WideString ToWide(std::string_view cp1256Text);
// Characters the code page lacks become '?', as the system's conversion does.
String FromWide(std::wstring_view utf16Text);
String FromWide(const wchar_t* utf16Text);
// UTF-8 text (file formats of our own) to code page 1256; unmappable characters become '?'.
String Utf8ToCp1256(std::string_view utf8);
std::string Cp1256ToUtf8(std::string_view text);

namespace rtl_detail {

consteval char32_t NextUtf8(const char*& p) {
    unsigned char c = static_cast<unsigned char>(*p++);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) cp = (cp << 6) | (static_cast<unsigned char>(*p++) & 0x3F);
    return cp;
}

template <std::size_t N>
struct Cp1256Literal {
    char bytes[N] = {};
    std::size_t size = 0;
    consteval Cp1256Literal(const char (&utf8)[N]) {
        const char* p = utf8;
        const char* end = utf8 + N - 1;
        while (p < end) {
            int b = cp1256::FromUnicode(NextUtf8(p));
            if (b < 0) throw "character outside code page 1256";   // makes the literal ill-formed
            bytes[size++] = static_cast<char>(b);
        }
    }
};

}  // namespace rtl_detail

// "مرحبا"_a: UTF-8 source text as code page 1256 bytes, checked at compile time.
template <rtl_detail::Cp1256Literal L>
String operator""_a() { return String(L.bytes, L.size); }
