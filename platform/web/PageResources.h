#pragma once
// Where a page's references lead and what they hold: files by path or file URL, files inside a
// compiled help file (ms-its:), and about: pages. Links elsewhere (http:, mailto:, javascript:)
// lead nowhere on this road.
#include <optional>
#include <string>
#include "platform/rtl/String.h"

namespace web {

enum class TUrlKind { Empty, File, CompiledHelp, About, Fragment, Elsewhere };

TUrlKind UrlKind(const WideString& url);
// A reference made absolute against a base (a page's URL or a folder ending in a separator).
WideString ResolveUrl(const WideString& base, const WideString& reference);
// The folder a base href names: a folder named without its final separator gets one when it
// exists as a folder.
WideString BaseFolder(const WideString& href);
// The local path of a file URL or path, with backslashes; empty for other kinds.
WideString FilePathOf(const WideString& url);
// The bytes a URL leads to (at most MaxPageBytes of a file); none when it leads nowhere.
std::optional<std::string> ReadUrl(const WideString& url);
// The part of a URL after its last separator.
WideString UrlFileName(const WideString& url);

constexpr std::size_t MaxPageBytes = 1024 * 1024;   // more than any page needs; the rest of a larger file is not shown

}  // namespace web
