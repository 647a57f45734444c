#include "platform/web/PageEncoding.h"
#include <cctype>
#include <string>

namespace web {

namespace {

// windows-1252 at 0x80..0x9F; the rest of the high half is Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Decodes one UTF-8 sequence at i; false when it is not one.
bool NextUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t min;
    if (c < 0x80) {
        cp = c;
        ++i;
        return true;
    } else if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
        min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
        min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= s.size()) return false;
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += std::size_t(extra) + 1;
    return true;
}

bool LooksUtf8(std::string_view s) {
    bool multi = false;
    std::size_t i = 0;
    char32_t cp;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) >= 0x80) multi = true;
        if (!NextUtf8(s, i, cp)) return false;
    }
    return multi;
}

}  // namespace

void AppendCodePoint(WideString& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(wchar_t(cp));
}

TPageCharset CharsetByName(std::string_view name) {
    std::string n = Lower(name);
    while (!n.empty() && (n.back() == ' ' || n.back() == '"' || n.back() == '\'')) n.pop_back();
    while (!n.empty() && (n.front() == ' ' || n.front() == '"' || n.front() == '\'')) n.erase(0, 1);
    if (n == "utf-8" || n == "utf8") return TPageCharset::Utf8;
    if (n == "utf-16" || n == "utf-16le") return TPageCharset::Utf16LE;
    if (n == "windows-1256" || n == "cp1256" || n == "x-cp1256") return TPageCharset::Windows1256;
    if (n == "windows-1252" || n == "cp1252" || n == "iso-8859-1" || n == "latin1" || n == "us-ascii" || n == "ascii" ||
        n == "iso8859-1")
        return TPageCharset::Windows1252;
    return TPageCharset::Unknown;
}

TPageCharset DeclaredCharset(std::string_view bytes) {
    // the declaration sits in the head; a page rewritten for the view has it at its very start
    std::string head = Lower(bytes.substr(0, 4096));
    std::size_t from = 0;
    while (true) {
        std::size_t meta = head.find("<meta", from);
        if (meta == std::string::npos) return TPageCharset::Unknown;
        std::size_t end = head.find('>', meta);
        if (end == std::string::npos) return TPageCharset::Unknown;
        std::string_view tag(head.data() + meta, end - meta);
        std::size_t c = tag.find("charset");
        if (c != std::string::npos) {
            std::size_t v = c + 7;
            while (v < tag.size() && (tag[v] == ' ' || tag[v] == '=' || tag[v] == '"' || tag[v] == '\'')) ++v;
            std::size_t e = v;
            while (e < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[e])) || tag[e] == '-' || tag[e] == '_')) ++e;
            TPageCharset cs = CharsetByName(tag.substr(v, e - v));
            if (cs != TPageCharset::Unknown) return cs;
        }
        from = end;
    }
}

TPageCharset DetectCharset(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return TPageCharset::Utf8;
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return TPageCharset::Utf16LE;
    TPageCharset declared = DeclaredCharset(bytes);
    if (declared != TPageCharset::Unknown) return declared;
    return LooksUtf8(bytes) ? TPageCharset::Utf8 : TPageCharset::Windows1256;
}

WideString DecodePage(std::string_view bytes, TPageCharset charset) {
    WideString out;
    out.reserve(bytes.size());
    switch (charset) {
    case TPageCharset::Utf16LE: {
        std::size_t i = bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE" ? 2 : 0;
        for (; i + 1 < bytes.size(); i += 2) {
            char32_t u = static_cast<unsigned char>(bytes[i]) | (char32_t(static_cast<unsigned char>(bytes[i + 1])) << 8);
            if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
                char32_t l = static_cast<unsigned char>(bytes[i + 2]) | (char32_t(static_cast<unsigned char>(bytes[i + 3])) << 8);
                if (l >= 0xDC00 && l <= 0xDFFF) {
                    AppendCodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (l - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            AppendCodePoint(out, u);
        }
        break;
    }
    case TPageCharset::Utf8: {
        std::size_t i = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
        while (i < bytes.size()) {
            char32_t cp;
            if (NextUtf8(bytes, i, cp)) {
                AppendCodePoint(out, cp);
            } else {
                out.push_back(wchar_t(0xFFFD));
                ++i;
            }
        }
        break;
    }
    case TPageCharset::Windows1252:
        for (unsigned char b : bytes) out.push_back(wchar_t(b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : b));
        break;
    case TPageCharset::Windows1256:
    case TPageCharset::Unknown:
        for (unsigned char b : bytes) out.push_back(wchar_t(cp1256::ToUnicode(b)));
        break;
    }
    return out;
}

}  // namespace web
