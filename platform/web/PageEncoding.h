#pragma once
// The bytes of a page as text: the charset its byte-order mark or its meta declaration names
// (UTF-8, UTF-16, windows-1256, windows-1252 and its aliases), otherwise UTF-8 when the bytes
// are valid UTF-8 with some non-ASCII character, otherwise code page 1256, the program's own.
// Portable.
#include <string_view>
#include "platform/rtl/String.h"

namespace web {

enum class TPageCharset { Unknown, Utf8, Utf16LE, Windows1256, Windows1252 };

// The charset a name stands for ("windows-1256", "UTF-8", "iso-8859-1", ...).
TPageCharset CharsetByName(std::string_view name);
// The charset named by a meta element among the first bytes of the page, or Unknown.
TPageCharset DeclaredCharset(std::string_view bytes);
TPageCharset DetectCharset(std::string_view bytes);
WideString DecodePage(std::string_view bytes, TPageCharset charset);
inline WideString DecodePage(std::string_view bytes) { return DecodePage(bytes, DetectCharset(bytes)); }

// Appends a code point as UTF-16 (or as one unit where wchar_t holds 32 bits).
void AppendCodePoint(WideString& out, char32_t cp);

}  // namespace web
