#pragma once
// A parser for hand-written HTML: unclosed p, li, td and tr, unquoted attributes, named and
// numeric entities, comments, script and style kept as raw text, tags in any case. Anything
// it cannot understand is shown as text or skipped; it never fails. Portable.
#include <string_view>
#include "platform/web/HtmlTree.h"

namespace web {

// Deeper elements are put beside the deepest one allowed rather than inside it, so that no walk
// over the tree needs more than this many levels.
constexpr int MaxTreeDepth = 200;

// A document node holding html, with head and body, whatever the text holds.
THtmlNodePtr ParseHtml(std::wstring_view text);
// The nodes of a piece of body content (innerHTML), in order.
std::vector<THtmlNodePtr> ParseHtmlFragment(std::wstring_view text);

// Entities decoded: &amp; &#1575; &#x627; and the common names; an unknown one stays as written.
WideString DecodeEntities(std::wstring_view text);

}  // namespace web
