#include "platform/web/HtmlParser.h"
#include <algorithm>
#include <array>
#include "platform/web/PageEncoding.h"

namespace web {

namespace {

struct TEntity {
    const wchar_t* Name;
    char32_t Code;
};

// The names hand-written pages use; sorted for the search.
constexpr TEntity Entities[] = {
    {L"AElig", 0xC6},   {L"Aacute", 0xC1},  {L"Agrave", 0xC0},  {L"Auml", 0xC4},    {L"Ccedil", 0xC7},  {L"Eacute", 0xC9},
    {L"Egrave", 0xC8},  {L"Ouml", 0xD6},    {L"Uuml", 0xDC},    {L"aacute", 0xE1},  {L"acirc", 0xE2},   {L"acute", 0xB4},
    {L"aelig", 0xE6},   {L"agrave", 0xE0},  {L"amp", 0x26},     {L"apos", 0x27},    {L"auml", 0xE4},    {L"bdquo", 0x201E},
    {L"brvbar", 0xA6},  {L"bull", 0x2022},  {L"ccedil", 0xE7},  {L"cedil", 0xB8},   {L"cent", 0xA2},    {L"copy", 0xA9},
    {L"curren", 0xA4},  {L"dagger", 0x2020}, {L"darr", 0x2193}, {L"deg", 0xB0},     {L"divide", 0xF7},  {L"eacute", 0xE9},
    {L"ecirc", 0xEA},   {L"egrave", 0xE8},  {L"ensp", 0x2002},  {L"emsp", 0x2003},  {L"euml", 0xEB},    {L"euro", 0x20AC},
    {L"frac12", 0xBD},  {L"frac14", 0xBC},  {L"frac34", 0xBE},  {L"gt", 0x3E},      {L"harr", 0x2194},  {L"hellip", 0x2026},
    {L"iacute", 0xED},  {L"icirc", 0xEE},   {L"iexcl", 0xA1},   {L"iquest", 0xBF},  {L"iuml", 0xEF},    {L"laquo", 0xAB},
    {L"larr", 0x2190},  {L"ldquo", 0x201C}, {L"lrm", 0x200E},   {L"lsaquo", 0x2039}, {L"lsquo", 0x2018}, {L"lt", 0x3C},
    {L"macr", 0xAF},    {L"mdash", 0x2014}, {L"micro", 0xB5},   {L"middot", 0xB7},  {L"minus", 0x2212}, {L"nbsp", 0xA0},
    {L"ndash", 0x2013}, {L"not", 0xAC},     {L"ntilde", 0xF1},  {L"oacute", 0xF3},  {L"ocirc", 0xF4},   {L"ordf", 0xAA},
    {L"ordm", 0xBA},    {L"ouml", 0xF6},    {L"para", 0xB6},    {L"permil", 0x2030}, {L"plusmn", 0xB1}, {L"pound", 0xA3},
    {L"quot", 0x22},    {L"raquo", 0xBB},   {L"rarr", 0x2192},  {L"rdquo", 0x201D}, {L"reg", 0xAE},     {L"rlm", 0x200F},
    {L"rsaquo", 0x203A}, {L"rsquo", 0x2019}, {L"sbquo", 0x201A}, {L"sect", 0xA7},   {L"shy", 0xAD},     {L"sup1", 0xB9},
    {L"sup2", 0xB2},    {L"sup3", 0xB3},    {L"szlig", 0xDF},   {L"thinsp", 0x2009}, {L"times", 0xD7},  {L"trade", 0x2122},
    {L"uacute", 0xFA},  {L"uarr", 0x2191},  {L"ucirc", 0xFB},   {L"uml", 0xA8},     {L"uuml", 0xFC},    {L"yen", 0xA5},
    {L"zwj", 0x200D},   {L"zwnj", 0x200C},
};

// Read without their semicolon too, as browsers do for these old names.
bool LegacyName(std::wstring_view name) {
    return name == L"amp" || name == L"lt" || name == L"gt" || name == L"quot" || name == L"nbsp" || name == L"copy" ||
           name == L"reg";
}

const TEntity* FindEntity(std::wstring_view name) {
    for (const TEntity& e : Entities)
        if (name == e.Name) return &e;
    return nullptr;
}

bool IsAsciiAlpha(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }
wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c + 32) : c; }

// Decodes the reference starting at text[i] == '&'; on success appends it and moves i past it.
bool DecodeReference(std::wstring_view text, std::size_t& i, WideString& out) {
    std::size_t j = i + 1;
    if (j < text.size() && text[j] == L'#') {
        ++j;
        bool hex = j < text.size() && (text[j] == L'x' || text[j] == L'X');
        if (hex) ++j;
        std::size_t start = j;
        char32_t value = 0;
        while (j < text.size() && (hex ? std::iswxdigit(text[j]) != 0 : IsAsciiDigit(text[j]))) {
            wchar_t c = text[j];
            int d = IsAsciiDigit(c) ? c - L'0' : LowerAscii(c) - L'a' + 10;
            if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + char32_t(d);
            ++j;
        }
        if (j == start) return false;
        if (j < text.size() && text[j] == L';') ++j;
        if (value == 0 || value > 0x10FFFF) value = 0xFFFD;
        AppendCodePoint(out, value);
        i = j;
        return true;
    }
    std::size_t start = j;
    while (j < text.size() && j - start < 10 && (IsAsciiAlpha(text[j]) || IsAsciiDigit(text[j]))) ++j;
    std::wstring_view name = text.substr(start, j - start);
    if (name.empty()) return false;
    bool semicolon = j < text.size() && text[j] == L';';
    const TEntity* e = FindEntity(name);
    if (!e || (!semicolon && !LegacyName(name))) return false;
    AppendCodePoint(out, e->Code);
    i = semicolon ? j + 1 : j;
    return true;
}

bool OneOf(std::wstring_view tag, std::initializer_list<const wchar_t*> tags) {
    for (const wchar_t* t : tags)
        if (tag == t) return true;
    return false;
}

bool IsVoid(std::wstring_view tag) {
    return OneOf(tag, {L"area", L"base", L"basefont", L"bgsound", L"br", L"col", L"embed", L"frame", L"hr", L"img", L"input",
                       L"isindex", L"keygen", L"link", L"meta", L"param", L"source", L"spacer", L"track", L"wbr"});
}

bool IsRawText(std::wstring_view tag) {
    return OneOf(tag, {L"script", L"style", L"xmp", L"iframe", L"noembed", L"noframes", L"textarea", L"title"});
}

bool IsHeadContent(std::wstring_view tag) {
    return OneOf(tag, {L"base", L"basefont", L"bgsound", L"link", L"meta", L"title", L"style", L"script", L"noscript"});
}

// Elements that end an open p.
bool ClosesP(std::wstring_view tag) {
    return OneOf(tag, {L"address", L"article", L"aside", L"blockquote", L"center", L"dd", L"div", L"dl", L"dt", L"fieldset",
                       L"figure", L"footer", L"form", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"header", L"hr", L"li",
                       L"menu", L"nav", L"ol", L"p", L"pre", L"section", L"table", L"ul", L"dir", L"listing"});
}

// Elements an end tag of another element does not close across.
bool IsSpecial(std::wstring_view tag) {
    return ClosesP(tag) || OneOf(tag, {L"html", L"body", L"head", L"td", L"th", L"tr", L"tbody", L"thead", L"tfoot",
                                       L"caption", L"button", L"object", L"applet", L"marquee", L"select"});
}

bool IsFormatting(std::wstring_view tag) {
    return OneOf(tag, {L"a", L"b", L"big", L"code", L"em", L"font", L"i", L"nobr", L"s", L"small", L"strike", L"strong",
                       L"tt", L"u", L"span", L"sub", L"sup", L"label"});
}

bool IsTablePart(std::wstring_view tag) {
    return OneOf(tag, {L"table", L"tbody", L"thead", L"tfoot", L"tr"});
}

bool IsScopeBoundary(std::wstring_view tag) {
    return OneOf(tag, {L"html", L"table", L"td", L"th", L"caption", L"marquee", L"object", L"applet"});
}

class TTreeBuilder {
public:
    explicit TTreeBuilder(bool fragment) : FFragment(fragment) {
        FDocument = std::make_shared<THtmlNode>(TNodeKind::Document);
        if (fragment) {
            FBody = FDocument->Append(std::make_shared<THtmlNode>(TNodeKind::Element, L"body"));
            FStack.push_back(FBody);
            FBodyStarted = true;
        } else {
            FHtml = FDocument->Append(std::make_shared<THtmlNode>(TNodeKind::Element, L"html"));
            FHead = FHtml->Append(std::make_shared<THtmlNode>(TNodeKind::Element, L"head"));
        }
    }

    THtmlNodePtr Finish() {
        if (!FFragment) EnsureBody();
        return FDocument;
    }

    // The element made, or nullptr when the tag only changed an existing one or was dropped.
    THtmlNode* StartTag(WideString tag, std::vector<std::pair<WideString, WideString>> attributes);
    void EndTag(const WideString& tag);
    void Text(std::wstring_view text);
    void Comment(std::wstring_view text);
    // What the tokenizer reads as raw text after this start tag: its raw-text element, or none.
    bool ExpectsRawText(std::wstring_view tag) const { return IsRawText(tag); }

private:
    THtmlNode* Current() { return FStack.empty() ? (FBody ? FBody : FHead) : FStack.back(); }
    void EnsureBody();
    THtmlNode* Insert(THtmlNodePtr node, bool push);
    bool InScope(std::wstring_view tag) const;
    void PopThrough(std::wstring_view tag);
    void CloseP() {
        if (InScope(L"p")) PopThrough(L"p");
    }
    THtmlNode* OpenTable();
    bool InTableContext() { return !FStack.empty() && IsTablePart(FStack.back()->Tag); }

    bool FFragment;
    THtmlNodePtr FDocument;
    THtmlNode* FHtml = nullptr;
    THtmlNode* FHead = nullptr;
    THtmlNode* FBody = nullptr;
    bool FBodyStarted = false;
    std::vector<THtmlNode*> FStack;   // open elements below body
};

void TTreeBuilder::EnsureBody() {
    if (FBody) return;
    FBody = FHtml->Append(std::make_shared<THtmlNode>(TNodeKind::Element, L"body"));
    FBodyStarted = true;
    FStack.assign(1, FBody);
}

bool TTreeBuilder::InScope(std::wstring_view tag) const {
    const bool tableScope = IsTablePart(tag) || tag == L"td" || tag == L"th" || tag == L"caption";
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
        if ((*it)->Tag == tag) return true;
        if (tableScope ? ((*it)->Is(L"table") || (*it)->Is(L"html")) : IsScopeBoundary((*it)->Tag)) return false;
    }
    return false;
}

void TTreeBuilder::PopThrough(std::wstring_view tag) {
    while (FStack.size() > 1) {
        THtmlNode* top = FStack.back();
        FStack.pop_back();
        if (top->Tag == tag) return;
    }
}

THtmlNode* TTreeBuilder::OpenTable() {
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
        if ((*it)->Is(L"table")) return *it;
    return nullptr;
}

// Content that arrives inside a table but outside its cells goes before the table, as browsers
// put it; a tree too deep takes new elements beside the deepest one.
THtmlNode* TTreeBuilder::Insert(THtmlNodePtr node, bool push) {
    THtmlNode* parent = Current();
    bool tablePart = node->IsElement() && (IsTablePart(node->Tag) || OneOf(node->Tag, {L"td", L"th", L"caption", L"col",
                                                                                       L"colgroup", L"script", L"style",
                                                                                       L"form", L"input"}));
    THtmlNode* placed;
    if (InTableContext() && !tablePart) {
        THtmlNode* table = OpenTable();
        THtmlNode* host = table && table->Parent ? table->Parent : parent;
        host->InsertBefore(node, table);
        placed = node.get();
    } else {
        placed = parent->Append(node);
    }
    if (push && int(FStack.size()) < MaxTreeDepth) FStack.push_back(placed);
    return placed;
}

THtmlNode* TTreeBuilder::StartTag(WideString tag, std::vector<std::pair<WideString, WideString>> attributes) {
    auto merge = [&](THtmlNode* into) {
        for (auto& [n, v] : attributes)
            if (!into->HasAttribute(n)) into->Attributes.emplace_back(n, v);
    };
    if (tag == L"html") {
        if (FHtml) merge(FHtml);
        return nullptr;
    }
    if (tag == L"head") return nullptr;
    if (tag == L"body") {
        if (FBody) {
            merge(FBody);
        } else {
            EnsureBody();
            FBody->Attributes = std::move(attributes);
        }
        return nullptr;
    }
    if (!FBodyStarted && IsHeadContent(tag)) {
        auto node = std::make_shared<THtmlNode>(TNodeKind::Element, tag);
        node->Attributes = std::move(attributes);
        return FHead->Append(node);
    }
    EnsureBody();

    if (tag == L"li") {
        for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
            if ((*it)->Is(L"li")) {
                PopThrough(L"li");
                break;
            }
            if (IsSpecial((*it)->Tag) && !OneOf((*it)->Tag, {L"address", L"div", L"p", L"center"})) break;
        }
    } else if (tag == L"dt" || tag == L"dd") {
        for (auto it = FStack.rbegin(); it != FStack.rend(); ++it) {
            if ((*it)->Is(L"dt") || (*it)->Is(L"dd")) {
                WideString open = (*it)->Tag;
                PopThrough(open);
                break;
            }
            if (IsSpecial((*it)->Tag) && !OneOf((*it)->Tag, {L"address", L"div", L"p", L"center"})) break;
        }
    }
    if (ClosesP(tag)) CloseP();
    if (tag.size() == 2 && tag[0] == L'h' && tag[1] >= L'1' && tag[1] <= L'6' && !FStack.empty()) {
        const WideString& top = FStack.back()->Tag;
        if (top.size() == 2 && top[0] == L'h' && top[1] >= L'1' && top[1] <= L'6') FStack.pop_back();
    }
    if (tag == L"a" && InScope(L"a")) PopThrough(L"a");
    if (tag == L"option" && !FStack.empty() && FStack.back()->Is(L"option")) FStack.pop_back();

    if (tag == L"td" || tag == L"th" || tag == L"tr" || tag == L"tbody" || tag == L"thead" || tag == L"tfoot" ||
        tag == L"caption" || tag == L"col" || tag == L"colgroup") {
        THtmlNode* table = OpenTable();
        if (!table) return nullptr;   // a stray table part outside any table is dropped, as browsers do
        if (tag == L"td" || tag == L"th") {
            // close the open cell of this table, then make sure a row holds the new one
            while (FStack.back() != table && !FStack.back()->Is(L"tr") && !FStack.back()->Is(L"tbody") &&
                   !FStack.back()->Is(L"thead") && !FStack.back()->Is(L"tfoot"))
                FStack.pop_back();
            if (!FStack.back()->Is(L"tr")) Insert(std::make_shared<THtmlNode>(TNodeKind::Element, L"tr"), true);
        } else if (tag == L"tr") {
            while (FStack.back() != table && !FStack.back()->Is(L"tbody") && !FStack.back()->Is(L"thead") &&
                   !FStack.back()->Is(L"tfoot"))
                FStack.pop_back();
        } else {
            while (FStack.back() != table) FStack.pop_back();
        }
    }

    auto node = std::make_shared<THtmlNode>(TNodeKind::Element, tag);
    node->Attributes = std::move(attributes);
    bool isVoid = IsVoid(tag);
    return Insert(node, !isVoid);
}

void TTreeBuilder::EndTag(const WideString& tag) {
    if (tag == L"head" || tag == L"body" || tag == L"html") return;
    if (!FBodyStarted) {
        if (IsHeadContent(tag)) return;
        EnsureBody();
    }
    if (tag == L"br") {
        StartTag(L"br", {});
        return;
    }
    if (!FStack.empty() && FStack.back()->Tag == tag && IsRawText(tag)) {
        FStack.pop_back();
        return;
    }
    if (tag == L"p" || tag == L"li" || tag == L"dt" || tag == L"dd" || tag == L"td" || tag == L"th" || tag == L"tr" ||
        tag == L"table" || tag == L"tbody" || tag == L"thead" || tag == L"tfoot" || tag == L"caption") {
        if (InScope(tag)) PopThrough(tag);
        return;
    }
    if (IsSpecial(tag)) {
        // a block's end closes whatever is still open inside it
        if (InScope(tag)) PopThrough(tag);
        return;
    }
    for (auto it = FStack.rbegin(); it != FStack.rend() && *it != FBody; ++it) {
        if ((*it)->Tag == tag) {
            PopThrough(tag);
            return;
        }
        // formatting elements close across blocks inside them; others stop at a block
        if (IsScopeBoundary((*it)->Tag) || (IsSpecial((*it)->Tag) && !IsFormatting(tag))) return;
    }
}

void TTreeBuilder::Text(std::wstring_view text) {
    if (text.empty()) return;
    bool blank = std::all_of(text.begin(), text.end(), IsSpace);
    if (!FBodyStarted) {
        if (blank) return;
        EnsureBody();
    }
    if (blank && InTableContext()) return;
    THtmlNode* parent = Current();
    if (!InTableContext() && !parent->Children.empty() && parent->Children.back()->Kind == TNodeKind::Text) {
        parent->Children.back()->Text.append(text);
        return;
    }
    Insert(std::make_shared<THtmlNode>(TNodeKind::Text, WideString(text)), false);
}

void TTreeBuilder::Comment(std::wstring_view text) {
    THtmlNode* parent = FBodyStarted ? Current() : FHead;
    parent->Append(std::make_shared<THtmlNode>(TNodeKind::Comment, WideString(text)));
}

// Finds "</tag" (any case) followed by a blank, '/' or '>' from position from; npos when none.
std::size_t FindEndTag(std::wstring_view text, std::size_t from, std::wstring_view tag) {
    for (std::size_t i = text.find(L"</", from); i != std::wstring_view::npos; i = text.find(L"</", i + 1)) {
        std::size_t j = i + 2;
        std::size_t k = 0;
        while (k < tag.size() && j + k < text.size() && LowerAscii(text[j + k]) == tag[k]) ++k;
        if (k < tag.size()) continue;
        std::size_t after = j + k;
        if (after >= text.size() || IsSpace(text[after]) || text[after] == L'/' || text[after] == L'>') return i;
    }
    return std::wstring_view::npos;
}

void Tokenize(std::wstring_view text, TTreeBuilder& builder) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto textUntil = [&](std::size_t end) {
        if (end > i) builder.Text(DecodeEntities(text.substr(i, end - i)));
        i = end;
    };
    while (i < n) {
        std::size_t lt = text.find(L'<', i);
        if (lt == std::wstring_view::npos) {
            textUntil(n);
            break;
        }
        textUntil(lt);
        std::size_t j = lt + 1;
        if (j >= n) {
            builder.Text(L"<");
            i = n;
            break;
        }
        wchar_t c = text[j];
        if (c == L'!' && text.substr(j, 3) == L"!--") {
            std::size_t end = text.find(L"-->", j + 3);
            std::size_t stop = end == std::wstring_view::npos ? n : end;
            builder.Comment(text.substr(j + 3, stop - (j + 3)));
            i = end == std::wstring_view::npos ? n : end + 3;
        } else if (c == L'!' || c == L'?' || (c == L'/' && j + 1 < n && !IsAsciiAlpha(text[j + 1]) && text[j + 1] != L'>')) {
            // doctype, processing instruction, conditional marks, "</" with no tag name: skipped
            std::size_t end = text.find(L'>', j);
            i = end == std::wstring_view::npos ? n : end + 1;
        } else if (c == L'/' && j + 1 < n && text[j + 1] == L'>') {
            i = j + 2;
        } else if (c == L'/' || IsAsciiAlpha(c)) {
            bool end = c == L'/';
            std::size_t p = end ? j + 1 : j;
            if (p >= n) {
                builder.Text(text.substr(lt, n - lt));
                i = n;
                break;
            }
            WideString tag;
            while (p < n && !IsSpace(text[p]) && text[p] != L'/' && text[p] != L'>') tag.push_back(LowerAscii(text[p++]));
            std::vector<std::pair<WideString, WideString>> attributes;
            bool closed = false;
            while (p < n) {
                while (p < n && (IsSpace(text[p]) || text[p] == L'/')) ++p;
                if (p >= n) break;
                if (text[p] == L'>') {
                    closed = true;
                    ++p;
                    break;
                }
                WideString name;
                do {
                    name.push_back(LowerAscii(text[p++]));
                } while (p < n && !IsSpace(text[p]) && text[p] != L'/' && text[p] != L'>' && text[p] != L'=');
                while (p < n && IsSpace(text[p])) ++p;
                WideString value;
                if (p < n && text[p] == L'=') {
                    ++p;
                    while (p < n && IsSpace(text[p])) ++p;
                    if (p < n && (text[p] == L'"' || text[p] == L'\'')) {
                        wchar_t q = text[p++];
                        std::size_t close = text.find(q, p);
                        if (close == std::wstring_view::npos) close = n;
                        value = DecodeEntities(text.substr(p, close - p));
                        p = close < n ? close + 1 : n;
                    } else {
                        std::size_t s = p;
                        while (p < n && !IsSpace(text[p]) && text[p] != L'>') ++p;
                        value = DecodeEntities(text.substr(s, p - s));
                    }
                }
                bool seen = false;
                for (auto& a : attributes) seen = seen || a.first == name;
                if (!seen) attributes.emplace_back(std::move(name), std::move(value));
            }
            if (!closed) {
                // a tag cut off by the end of the text is dropped
                i = n;
                break;
            }
            i = p;
            if (end) {
                builder.EndTag(tag);
                continue;
            }
            bool raw = builder.ExpectsRawText(tag);
            THtmlNode* node = builder.StartTag(tag, std::move(attributes));
            if (raw) {
                std::size_t close = FindEndTag(text, i, tag);
                std::size_t stop = close == std::wstring_view::npos ? n : close;
                std::wstring_view content = text.substr(i, stop - i);
                if (node) {
                    WideString value = tag == L"title" || tag == L"textarea" ? DecodeEntities(content) : WideString(content);
                    if (!value.empty()) node->Append(std::make_shared<THtmlNode>(TNodeKind::Text, std::move(value)));
                    builder.EndTag(tag);
                }
                if (close == std::wstring_view::npos) {
                    i = n;
                } else {
                    std::size_t gt = text.find(L'>', close);
                    i = gt == std::wstring_view::npos ? n : gt + 1;
                }
            } else if (tag == L"pre" || tag == L"listing") {
                if (i < n && text[i] == L'\r') ++i;
                if (i < n && text[i] == L'\n') ++i;
            }
        } else {
            builder.Text(L"<");
            i = j;
        }
    }
}

}  // namespace

WideString DecodeEntities(std::wstring_view text) {
    if (text.find(L'&') == std::wstring_view::npos) return WideString(text);
    WideString out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'&' && DecodeReference(text, i, out)) continue;
        out.push_back(text[i++]);
    }
    return out;
}

THtmlNodePtr ParseHtml(std::wstring_view text) {
    TTreeBuilder builder(false);
    Tokenize(text, builder);
    return builder.Finish();
}

std::vector<THtmlNodePtr> ParseHtmlFragment(std::wstring_view text) {
    TTreeBuilder builder(true);
    Tokenize(text, builder);
    THtmlNodePtr doc = builder.Finish();
    THtmlNode* body = doc->Children.front().get();
    std::vector<THtmlNodePtr> nodes = std::move(body->Children);
    body->Children.clear();
    for (auto& n : nodes) n->Parent = nullptr;
    return nodes;
}

}  // namespace web
