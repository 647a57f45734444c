#include "platform/web/PageStyle.h"
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace web {

namespace {

// The renderer's own look of each element, before the page's.
const wchar_t* const DefaultSheet = LR"(
html, body, div, p, h1, h2, h3, h4, h5, h6, center, blockquote, pre, xmp, listing, hr, dl, dt, dd, address,
form, ul, ol, menu, dir, fieldset, noscript, article, section, header, footer, nav, aside, figure { display: block }
li { display: list-item }
table { display: table; border-spacing: 2px }
tr { display: table-row }
td, th { display: table-cell; vertical-align: middle; padding: 1px }
tbody, thead, tfoot { display: table-row-group }
caption { display: table-caption; text-align: center }
head, script, style, title, meta, link, base, basefont, map, area, bgsound, param, col, colgroup, noembed, noframes, option { display: none }
body { margin: 8px }
p, dl, blockquote { margin: 1em 0 }
blockquote { margin: 1em 40px }
ul, ol, menu, dir { margin: 1em 0; padding-left: 40px }
li ul, li ol { margin: 0 }
ol { list-style-type: decimal }
dd { margin-left: 40px }
h1 { font-size: 2em; margin: 0.67em 0; font-weight: bold }
h2 { font-size: 1.5em; margin: 0.83em 0; font-weight: bold }
h3 { font-size: 1.17em; margin: 1em 0; font-weight: bold }
h4 { margin: 1.33em 0; font-weight: bold }
h5 { font-size: 0.83em; margin: 1.67em 0; font-weight: bold }
h6 { font-size: 0.67em; margin: 2.33em 0; font-weight: bold }
b, strong, th { font-weight: bold }
th { text-align: center }
i, em, cite, var, dfn, address { font-style: italic }
u, ins { text-decoration: underline }
s, strike, del { text-decoration: line-through }
big { font-size: larger }
small, sub, sup { font-size: smaller }
center { text-align: center }
pre, xmp, listing { white-space: pre; font-family: Courier New; margin: 1em 0 }
code, tt, kbd, samp { font-family: Courier New }
nobr { white-space: nowrap }
hr { border: 1px solid #A0A0A0; margin: 0.5em 0 }
a:link { color: #0000EE; text-decoration: underline }
)";

const std::vector<const wchar_t*> Tags = {
    L"a", L"area", L"b", L"bgsound", L"big", L"blockquote", L"body", L"br", L"caption", L"center", L"code", L"dd", L"div",
    L"dl", L"dt", L"em", L"font", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"head", L"hr", L"html", L"i", L"img", L"li",
    L"link", L"map", L"meta", L"nobr", L"ol", L"p", L"pre", L"s", L"script", L"small", L"span", L"strike", L"strong",
    L"style", L"sub", L"sup", L"table", L"tbody", L"td", L"tfoot", L"th", L"thead", L"title", L"tr", L"tt", L"u", L"ul",
    L"base",
};

const std::vector<const wchar_t*> Properties = {
    L"background", L"background-color", L"background-image", L"background-repeat", L"border", L"border-bottom",
    L"border-collapse", L"border-color", L"border-left", L"border-right", L"border-spacing", L"border-style",
    L"border-top", L"border-width", L"color", L"direction", L"display", L"font", L"font-family", L"font-size",
    L"font-style", L"font-weight", L"height", L"line-height", L"list-style", L"list-style-type", L"margin",
    L"margin-bottom", L"margin-left", L"margin-right", L"margin-top", L"padding", L"padding-bottom", L"padding-left",
    L"padding-right", L"padding-top", L"text-align", L"text-decoration", L"text-indent", L"vertical-align",
    L"white-space", L"width",
};

struct TNamedColor {
    const wchar_t* Name;
    std::uint32_t Rgb;
};

constexpr TNamedColor Colors[] = {
    {L"aqua", 0x00FFFF},      {L"black", 0x000000},      {L"blue", 0x0000FF},      {L"fuchsia", 0xFF00FF},
    {L"gray", 0x808080},      {L"grey", 0x808080},       {L"green", 0x008000},     {L"lime", 0x00FF00},
    {L"maroon", 0x800000},    {L"navy", 0x000080},       {L"olive", 0x808000},     {L"purple", 0x800080},
    {L"red", 0xFF0000},       {L"silver", 0xC0C0C0},     {L"teal", 0x008080},      {L"white", 0xFFFFFF},
    {L"yellow", 0xFFFF00},    {L"orange", 0xFFA500},     {L"brown", 0xA52A2A},     {L"pink", 0xFFC0CB},
    {L"gold", 0xFFD700},      {L"beige", 0xF5F5DC},      {L"ivory", 0xFFFFF0},     {L"khaki", 0xF0E68C},
    {L"lavender", 0xE6E6FA},  {L"lightblue", 0xADD8E6}, {L"lightgreen", 0x90EE90}, {L"lightgrey", 0xD3D3D3},
    {L"lightgray", 0xD3D3D3}, {L"lightyellow", 0xFFFFE0}, {L"darkblue", 0x00008B}, {L"darkgreen", 0x006400},
    {L"darkred", 0x8B0000},   {L"darkgray", 0xA9A9A9},   {L"darkgrey", 0xA9A9A9},  {L"skyblue", 0x87CEEB},
    {L"steelblue", 0x4682B4}, {L"royalblue", 0x4169E1}, {L"cyan", 0x00FFFF},      {L"magenta", 0xFF00FF},
    {L"violet", 0xEE82EE},    {L"indigo", 0x4B0082},     {L"crimson", 0xDC143C},   {L"coral", 0xFF7F50},
    {L"salmon", 0xFA8072},    {L"tomato", 0xFF6347},     {L"orchid", 0xDA70D6},    {L"tan", 0xD2B48C},
    {L"wheat", 0xF5DEB3},     {L"snow", 0xFFFAFA},       {L"linen", 0xFAF0E6},     {L"azure", 0xF0FFFF},
    {L"aliceblue", 0xF0F8FF}, {L"honeydew", 0xF0FFF0},   {L"mintcream", 0xF5FFFA}, {L"whitesmoke", 0xF5F5F5},
    {L"gainsboro", 0xDCDCDC}, {L"dimgray", 0x696969},    {L"slategray", 0x708090}, {L"midnightblue", 0x191970},
    {L"darkorange", 0xFF8C00}, {L"firebrick", 0xB22222}, {L"forestgreen", 0x228B22}, {L"seagreen", 0x2E8B57},
    {L"goldenrod", 0xDAA520}, {L"chocolate", 0xD2691E},  {L"sienna", 0xA0522D},    {L"peru", 0xCD853F},
    {L"turquoise", 0x40E0D0}, {L"cornflowerblue", 0x6495ED}, {L"dodgerblue", 0x1E90FF}, {L"deepskyblue", 0x00BFFF},
    {L"powderblue", 0xB0E0E6}, {L"lightcyan", 0xE0FFFF}, {L"lightpink", 0xFFB6C1}, {L"hotpink", 0xFF69B4},
    {L"plum", 0xDDA0DD},      {L"thistle", 0xD8BFD8},    {L"moccasin", 0xFFE4B5},  {L"papayawhip", 0xFFEFD5},
    {L"lemonchiffon", 0xFFFACD}, {L"cornsilk", 0xFFF8DC}, {L"oldlace", 0xFDF5E6},  {L"seashell", 0xFFF5EE},
    // the system's colours, as a standard Windows scheme shows them
    {L"menu", 0xF0F0F0},      {L"menutext", 0x000000},   {L"highlight", 0x3399FF}, {L"highlighttext", 0xFFFFFF},
    {L"window", 0xFFFFFF},    {L"windowtext", 0x000000}, {L"buttonface", 0xF0F0F0}, {L"buttontext", 0x000000},
    {L"graytext", 0x6D6D6D},  {L"infobackground", 0xFFFFE1}, {L"infotext", 0x000000},
};

WideString Lower(std::wstring_view s) {
    WideString out(s);
    for (wchar_t& c : out) c = wchar_t(std::towlower(c));
    return out;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

// Splits a value at blanks outside parentheses and quotes.
std::vector<WideString> Words(std::wstring_view value) {
    std::vector<WideString> out;
    WideString cur;
    int depth = 0;
    wchar_t quote = 0;
    for (wchar_t c : value) {
        if (quote) {
            cur.push_back(c);
            if (c == quote) quote = 0;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
            cur.push_back(c);
        } else if (c == L'(') {
            ++depth;
            cur.push_back(c);
        } else if (c == L')') {
            if (depth > 0) --depth;
            cur.push_back(c);
        } else if (IsSpace(c) && depth == 0) {
            if (!cur.empty()) out.push_back(std::move(cur));
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) out.push_back(std::move(cur));
    return out;
}

bool ParseNumber(std::wstring_view s, float& value, std::wstring_view& unit) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
    std::size_t digits = i;
    while (i < s.size() && ((s[i] >= L'0' && s[i] <= L'9') || s[i] == L'.')) ++i;
    if (i == digits) return false;
    WideString number(s.substr(0, i));
    value = std::wcstof(number.c_str(), nullptr);
    if (!std::isfinite(value)) return false;
    value = std::clamp(value, -100000.0f, 100000.0f);
    unit = s.substr(i);
    return true;
}

// A length in pixels, a percentage or auto; em and ex against the element's font size.
std::optional<TLength> ParseLength(std::wstring_view text, float fontSize) {
    WideString v = Lower(Trim(text));
    if (v == L"auto") return TLength{};
    float n;
    std::wstring_view unit;
    if (!ParseNumber(v, n, unit)) return std::nullopt;
    if (unit.empty() || unit == L"px") return TLength::Pixels(n);
    if (unit == L"pt") return TLength::Pixels(n * 4 / 3);
    if (unit == L"pc") return TLength::Pixels(n * 16);
    if (unit == L"em") return TLength::Pixels(n * fontSize);
    if (unit == L"ex") return TLength::Pixels(n * fontSize / 2);
    if (unit == L"in") return TLength::Pixels(n * 96);
    if (unit == L"cm") return TLength::Pixels(n * 96 / 2.54f);
    if (unit == L"mm") return TLength::Pixels(n * 96 / 25.4f);
    if (unit == L"%") return TLength{n, TLength::Percent};
    return std::nullopt;
}

std::optional<float> ParseFontSize(std::wstring_view text, float parentSize) {
    WideString v = Lower(Trim(text));
    struct TKeyword {
        const wchar_t* Name;
        float Px;
    };
    static const TKeyword keywords[] = {{L"xx-small", 9},  {L"x-small", 10}, {L"small", 13},    {L"medium", 16},
                                        {L"large", 18},    {L"x-large", 24}, {L"xx-large", 32}, {L"-webkit-xxx-large", 48}};
    for (const TKeyword& k : keywords)
        if (v == k.Name) return k.Px;
    if (v == L"smaller") return parentSize / 1.2f;
    if (v == L"larger") return parentSize * 1.2f;
    float n;
    std::wstring_view unit;
    if (!ParseNumber(v, n, unit) || n < 0) return std::nullopt;
    if (unit == L"%") return parentSize * n / 100;
    if (unit == L"em") return parentSize * n;
    if (auto len = ParseLength(v, parentSize)) {
        if (len->Unit == TLength::Px) return len->Value;
    }
    return std::nullopt;
}

bool IsBorderStyle(const WideString& w) {
    return w == L"none" || w == L"hidden" || w == L"solid" || w == L"dotted" || w == L"dashed" || w == L"double" ||
           w == L"groove" || w == L"ridge" || w == L"inset" || w == L"outset";
}

WideString UrlOf(std::wstring_view word) {
    std::wstring_view v = Trim(word);
    if (v.size() >= 5 && EqualsNoCase(v.substr(0, 4), L"url(") && v.back() == L')') v = Trim(v.substr(4, v.size() - 5));
    if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return WideString(v);
}

// The style a declaration builds on: the element's own, with its parent's for inheritance.
struct TApplyContext {
    TComputedStyle& Style;
    const TComputedStyle& Parent;
    // which sides carried a border width or style of their own: a colour alone draws nothing
    bool BorderStyled[4] = {false, false, false, false};
};

void SetBorderSide(TApplyContext& c, int side, const std::vector<WideString>& words) {
    std::optional<int> width;
    std::optional<std::uint32_t> color;
    bool none = false;
    bool styled = false;
    for (const WideString& w : words) {
        WideString lw = Lower(w);
        if (lw == L"thin") width = 1;
        else if (lw == L"medium") width = 3;
        else if (lw == L"thick") width = 5;
        else if (IsBorderStyle(lw)) {
            styled = true;
            none = lw == L"none" || lw == L"hidden";
        } else if (auto len = ParseLength(lw, c.Style.FontSize); len && len->Unit == TLength::Px) {
            width = int(std::lround(len->Value));
        } else if (auto col = ParseColor(w)) {
            color = col;
        }
    }
    TBorderSide& b = c.Style.Border[side];
    b.Color = color.value_or(c.Style.Color);
    b.Width = none ? 0 : width.value_or(styled ? 3 : 0);
    if (!styled && width) b.Width = *width;   // a width alone draws a solid line, as old pages expect
}

void SetFourLengths(TLength (&target)[4], const std::vector<WideString>& words, float fontSize) {
    std::vector<TLength> v;
    for (const WideString& w : words) {
        auto len = ParseLength(w, fontSize);
        if (!len) return;
        v.push_back(*len);
    }
    if (v.empty() || v.size() > 4) return;
    TLength top = v[0], right = v.size() > 1 ? v[1] : top, bottom = v.size() > 2 ? v[2] : top,
            left = v.size() > 3 ? v[3] : right;
    target[SideTop] = top;
    target[SideRight] = right;
    target[SideBottom] = bottom;
    target[SideLeft] = left;
}

int SideOf(std::wstring_view name) {
    if (name == L"top") return SideTop;
    if (name == L"right") return SideRight;
    if (name == L"bottom") return SideBottom;
    if (name == L"left") return SideLeft;
    return -1;
}

void ApplyFont(TApplyContext& c, const std::vector<WideString>& words) {
    // [style] [weight] size[/line-height] family...
    std::size_t i = 0;
    for (; i < words.size(); ++i) {
        WideString w = Lower(words[i]);
        if (w == L"italic" || w == L"oblique") c.Style.Italic = true;
        else if (w == L"bold" || w == L"bolder" || w == L"700" || w == L"800" || w == L"900") c.Style.Bold = true;
        else if (w == L"normal" || w == L"small-caps") continue;
        else break;
    }
    if (i >= words.size()) return;
    WideString size = words[i];
    std::size_t slash = size.find(L'/');
    if (slash != WideString::npos) size = size.substr(0, slash);
    if (auto px = ParseFontSize(size, c.Parent.FontSize)) c.Style.FontSize = *px;
    WideString family;
    for (++i; i < words.size(); ++i) family += (family.empty() ? L"" : L" ") + words[i];
    if (!family.empty()) c.Style.FontFamily = family;
}

void Apply(TApplyContext& c, const TCssDeclaration& d, bool fontPass) {
    const WideString& p = d.Property;
    const bool isFont = p == L"font-size" || p == L"font";
    if (isFont != fontPass) return;
    TComputedStyle& s = c.Style;
    std::wstring_view value = Trim(d.Value);
    WideString lv = Lower(value);
    std::vector<WideString> words = Words(value);
    if (lv == L"inherit") return;

    if (p == L"font-size") {
        if (auto px = ParseFontSize(value, c.Parent.FontSize)) s.FontSize = std::min(*px, 1000.0f);
    } else if (p == L"font") {
        ApplyFont(c, words);
    } else if (p == L"color") {
        if (auto col = ParseColor(value)) s.Color = *col;
    } else if (p == L"background-color") {
        if (lv == L"transparent") s.BackgroundColor.reset();
        else if (auto col = ParseColor(value)) s.BackgroundColor = col;
    } else if (p == L"background-image") {
        s.BackgroundImage = lv == L"none" ? WideString() : UrlOf(value);
    } else if (p == L"background-repeat") {
        s.BackgroundRepeat = lv != L"no-repeat";
    } else if (p == L"background") {
        for (const WideString& w : words) {
            WideString lw = Lower(w);
            if (lw.rfind(L"url(", 0) == 0) s.BackgroundImage = UrlOf(w);
            else if (lw == L"no-repeat") s.BackgroundRepeat = false;
            else if (lw == L"transparent") s.BackgroundColor.reset();
            else if (auto col = ParseColor(w)) s.BackgroundColor = col;
        }
    } else if (p == L"font-family") {
        s.FontFamily = WideString(value);
    } else if (p == L"font-weight") {
        s.Bold = lv == L"bold" || lv == L"bolder" || (lv.size() == 3 && lv[0] >= L'6' && lv[0] <= L'9');
    } else if (p == L"font-style") {
        s.Italic = lv == L"italic" || lv == L"oblique";
    } else if (p == L"text-decoration") {
        s.Underline = lv.find(L"underline") != WideString::npos;
        s.LineThrough = lv.find(L"line-through") != WideString::npos;
    } else if (p == L"text-align") {
        if (lv == L"left") s.TextAlign = TTextAlign::Left;
        else if (lv == L"right") s.TextAlign = TTextAlign::Right;
        else if (lv == L"center" || lv == L"middle") s.TextAlign = TTextAlign::Center;
        else if (lv == L"justify") s.TextAlign = TTextAlign::Justify;
        else if (lv == L"start") s.TextAlign = TTextAlign::Start;
    } else if (p == L"direction") {
        if (lv == L"rtl") s.RightToLeft = true;
        else if (lv == L"ltr") s.RightToLeft = false;
    } else if (p == L"display") {
        if (lv == L"none") s.Display = TDisplay::None;
        else if (lv == L"block") s.Display = TDisplay::Block;
        else if (lv == L"inline") s.Display = TDisplay::Inline;
        else if (lv == L"inline-block") s.Display = TDisplay::InlineBlock;
        else if (lv == L"list-item") s.Display = TDisplay::ListItem;
        else if (lv == L"table") s.Display = TDisplay::Table;
        else if (lv == L"table-row") s.Display = TDisplay::TableRow;
        else if (lv == L"table-cell") s.Display = TDisplay::TableCell;
    } else if (p == L"white-space") {
        s.WhiteSpace = lv == L"pre" || lv == L"pre-wrap" ? TWhiteSpace::Pre
                       : lv == L"nowrap"                ? TWhiteSpace::NoWrap
                                                        : TWhiteSpace::Normal;
    } else if (p == L"line-height") {
        float n;
        std::wstring_view unit;
        if (lv == L"normal") s.LineHeight = 0;
        else if (ParseNumber(lv, n, unit) && unit.empty()) s.LineHeight = n * s.FontSize;
        else if (auto len = ParseLength(lv, s.FontSize)) s.LineHeight = float(len->Resolve(int(s.FontSize)));
    } else if (p == L"vertical-align") {
        if (lv == L"top" || lv == L"text-top") s.VerticalAlign = TVerticalAlign::Top;
        else if (lv == L"middle") s.VerticalAlign = TVerticalAlign::Middle;
        else if (lv == L"bottom" || lv == L"text-bottom") s.VerticalAlign = TVerticalAlign::Bottom;
        else s.VerticalAlign = TVerticalAlign::Baseline;
    } else if (p == L"list-style-type" || p == L"list-style") {
        for (const WideString& w : words) {
            WideString lw = Lower(w);
            if (lw == L"disc") s.ListStyle = TListStyle::Disc;
            else if (lw == L"circle") s.ListStyle = TListStyle::Circle;
            else if (lw == L"square") s.ListStyle = TListStyle::Square;
            else if (lw == L"decimal") s.ListStyle = TListStyle::Decimal;
            else if (lw == L"lower-alpha" || lw == L"lower-latin") s.ListStyle = TListStyle::LowerAlpha;
            else if (lw == L"upper-alpha" || lw == L"upper-latin") s.ListStyle = TListStyle::UpperAlpha;
            else if (lw == L"lower-roman") s.ListStyle = TListStyle::LowerRoman;
            else if (lw == L"upper-roman") s.ListStyle = TListStyle::UpperRoman;
            else if (lw == L"none") s.ListStyle = TListStyle::None;
        }
    } else if (p == L"margin") {
        SetFourLengths(s.Margin, words, s.FontSize);
    } else if (p == L"padding") {
        SetFourLengths(s.Padding, words, s.FontSize);
    } else if (p.rfind(L"margin-", 0) == 0 || p.rfind(L"padding-", 0) == 0) {
        bool margin = p[0] == L'm';
        int side = SideOf(std::wstring_view(p).substr(margin ? 7 : 8));
        auto len = ParseLength(value, s.FontSize);
        if (side >= 0 && len && !(len->Value < 0 && !margin)) (margin ? s.Margin : s.Padding)[side] = *len;
    } else if (p == L"border") {
        for (int side = 0; side < 4; ++side) SetBorderSide(c, side, words);
    } else if (p.rfind(L"border-", 0) == 0 && SideOf(std::wstring_view(p).substr(7)) >= 0) {
        SetBorderSide(c, SideOf(std::wstring_view(p).substr(7)), words);
    } else if (p == L"border-width") {
        TLength w[4];
        SetFourLengths(w, words, s.FontSize);
        for (int side = 0; side < 4; ++side)
            if (w[side].Unit == TLength::Px) s.Border[side].Width = int(std::lround(w[side].Value));
    } else if (p == L"border-color") {
        if (auto col = ParseColor(words.empty() ? WideString() : words[0]))
            for (auto& b : s.Border) b.Color = *col;
    } else if (p == L"border-style") {
        for (auto& b : s.Border) {
            if (lv == L"none" || lv == L"hidden") b.Width = 0;
            else if (b.Width == 0) b.Width = 3;
        }
    } else if (p == L"border-collapse") {
        s.BorderCollapse = lv == L"collapse";
    } else if (p == L"border-spacing") {
        if (auto len = ParseLength(words.empty() ? WideString() : words[0], s.FontSize); len && len->Unit == TLength::Px)
            s.BorderSpacing = std::max(0, int(len->Value));
    } else if (p == L"width" || p == L"height") {
        auto len = ParseLength(value, s.FontSize);
        if (len && len->Value >= 0) (p == L"width" ? s.Width : s.Height) = *len;
    } else if (p == L"text-indent") {
        if (auto len = ParseLength(value, s.FontSize); len && len->Unit == TLength::Px) s.TextIndent = int(len->Value);
    }
}

// HTML's sizes 1 to 7 of the font element, and +n / -n from 3.
std::optional<WideString> FontSizeAttribute(std::wstring_view text) {
    std::wstring_view v = Trim(text);
    if (v.empty()) return std::nullopt;
    int sign = 0;
    if (v[0] == L'+' || v[0] == L'-') {
        sign = v[0] == L'+' ? 1 : -1;
        v.remove_prefix(1);
    }
    if (v.empty() || v[0] < L'0' || v[0] > L'9') return std::nullopt;
    int n = v[0] - L'0';
    int size = sign ? 3 + sign * n : n;
    size = std::clamp(size, 1, 7);
    static const wchar_t* const names[] = {L"x-small", L"small", L"medium", L"large", L"x-large", L"xx-large",
                                           L"-webkit-xxx-large"};
    return WideString(names[size - 1]);
}

WideString LengthAttribute(std::wstring_view v) {
    WideString s(Trim(v));
    if (!s.empty() && s.back() != L'%' && std::all_of(s.begin(), s.end(), [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'.'; }))
        s += L"px";
    return s;
}

// The declarations an element's presentational attributes stand for.
std::vector<TCssDeclaration> AttributeDeclarations(const THtmlNode& e) {
    std::vector<TCssDeclaration> out;
    auto add = [&](const wchar_t* property, WideString value) { out.push_back({property, std::move(value), false}); };
    const WideString& tag = e.Tag;
    for (const auto& [name, value] : e.Attributes) {
        if (name == L"dir") {
            add(L"direction", value);
        } else if (name == L"bgcolor") {
            add(L"background-color", value);
        } else if (name == L"background") {
            add(L"background-image", value);
        } else if (name == L"text" && tag == L"body") {
            add(L"color", value);
        } else if (name == L"color" && (tag == L"font" || tag == L"basefont")) {
            add(L"color", value);
        } else if (name == L"face" && tag == L"font") {
            add(L"font-family", value);
        } else if (name == L"size" && tag == L"font") {
            if (auto size = FontSizeAttribute(value)) add(L"font-size", *size);
        } else if (name == L"align") {
            WideString a = Lower(Trim(value));
            if (tag == L"table" || tag == L"img" || tag == L"hr") continue;   // placement, done by the layout
            add(L"text-align", a);
        } else if (name == L"valign") {
            add(L"vertical-align", value);
        } else if ((name == L"width" || name == L"height") &&
                   (tag == L"table" || tag == L"td" || tag == L"th" || tag == L"img" || tag == L"hr" || tag == L"col")) {
            add(name == L"width" ? L"width" : L"height", LengthAttribute(value));
        } else if (name == L"size" && tag == L"hr") {
            add(L"height", LengthAttribute(value));
        } else if (name == L"nowrap" && (tag == L"td" || tag == L"th")) {
            add(L"white-space", L"nowrap");
        } else if (name == L"border" && (tag == L"table" || tag == L"img")) {
            WideString w = LengthAttribute(value.empty() ? WideString(L"1") : value);
            add(L"border", w + L" solid " + (tag == L"img" ? L"currentcolor" : L"#808080"));
        } else if (name == L"cellspacing" && tag == L"table") {
            add(L"border-spacing", LengthAttribute(value));
        } else if ((name == L"hspace" || name == L"vspace") && tag == L"img") {
            WideString w = LengthAttribute(value);
            add(name == L"hspace" ? L"margin-left" : L"margin-top", w);
            add(name == L"hspace" ? L"margin-right" : L"margin-bottom", w);
        } else if (name == L"type" && (tag == L"ul" || tag == L"ol" || tag == L"li")) {
            const WideString& t = value;
            add(L"list-style-type", t == L"1" ? L"decimal" : t == L"a" ? L"lower-alpha" : t == L"A" ? L"upper-alpha"
                                    : t == L"i" ? L"lower-roman" : t == L"I" ? L"upper-roman" : Lower(t));
        } else if ((name == L"leftmargin" || name == L"rightmargin" || name == L"topmargin" || name == L"bottommargin") &&
                   tag == L"body") {
            add(name == L"leftmargin" ? L"margin-left" : name == L"rightmargin" ? L"margin-right"
                : name == L"topmargin" ? L"margin-top" : L"margin-bottom",
                LengthAttribute(value));
        }
    }
    if (tag == L"hr" && e.HasAttribute(L"color")) add(L"border-color", e.Attribute(L"color"));
    return out;
}

// The cell padding and border a table's attributes give its cells.
void ApplyTableAttributes(const THtmlNode& cell, TComputedStyle& s) {
    const THtmlNode* table = cell.Parent;
    while (table && !table->Is(L"table")) table = table->Parent;
    if (!table) return;
    if (const WideString* pad = table->FindAttribute(L"cellpadding")) {
        if (auto len = ParseLength(*pad, s.FontSize); len && len->Unit == TLength::Px)
            for (auto& p : s.Padding) p = *len;
    }
    if (const WideString* border = table->FindAttribute(L"border")) {
        auto len = ParseLength(border->empty() ? L"1" : *border, s.FontSize);
        if (len && len->Value > 0)
            for (auto& b : s.Border)
                if (b.Width == 0) b = {1, 0x808080};
    }
}

}  // namespace

int TLength::Resolve(int of, int fallback) const {
    switch (Unit) {
    case Px: return int(std::lround(Value));
    case Percent: return int(std::lround(of * Value / 100));
    case Auto: break;
    }
    return fallback;
}

std::optional<std::uint32_t> ParseColor(std::wstring_view text) {
    std::wstring_view v = Trim(text);
    if (v.empty()) return std::nullopt;
    WideString lv = Lower(v);
    for (const TNamedColor& c : Colors)
        if (lv == c.Name) return c.Rgb;
    if (lv.rfind(L"rgb(", 0) == 0 && lv.back() == L')') {
        std::vector<int> parts;
        WideString cur;
        for (wchar_t ch : lv.substr(4, lv.size() - 5)) {
            if (ch == L',') {
                parts.push_back(int(std::wcstol(cur.c_str(), nullptr, 10)));
                cur.clear();
            } else {
                cur.push_back(ch);
            }
        }
        parts.push_back(int(std::wcstol(cur.c_str(), nullptr, 10)));
        if (parts.size() != 3) return std::nullopt;
        for (int& p : parts) p = std::clamp(p, 0, 255);
        return std::uint32_t(parts[0] << 16 | parts[1] << 8 | parts[2]);
    }
    std::wstring_view hex = lv;
    if (hex[0] == L'#') hex.remove_prefix(1);
    else if (hex.size() != 6) return std::nullopt;   // hand-written pages drop the '#' of six digits
    if (!std::all_of(hex.begin(), hex.end(), [](wchar_t c) { return std::iswxdigit(c) != 0; })) return std::nullopt;
    auto digit = [](wchar_t c) { return std::uint32_t(c <= L'9' ? c - L'0' : c - L'a' + 10); };
    if (hex.size() == 3) {
        std::uint32_t r = digit(hex[0]), g = digit(hex[1]), b = digit(hex[2]);
        return (r * 17) << 16 | (g * 17) << 8 | b * 17;
    }
    if (hex.size() == 6) {
        std::uint32_t rgb = 0;
        for (wchar_t c : hex) rgb = rgb << 4 | digit(c);
        return rgb;
    }
    return std::nullopt;
}

std::vector<TCssDeclaration> ParseDeclarations(std::wstring_view text) {
    std::vector<TCssDeclaration> out;
    std::size_t i = 0;
    while (i < text.size()) {
        // one declaration up to a ';' outside quotes and parentheses
        std::size_t start = i;
        int depth = 0;
        wchar_t quote = 0;
        for (; i < text.size(); ++i) {
            wchar_t c = text[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == L'"' || c == L'\'') {
                quote = c;
            } else if (c == L'(') {
                ++depth;
            } else if (c == L')') {
                if (depth > 0) --depth;
            } else if (c == L';' && depth == 0) {
                break;
            }
        }
        std::wstring_view decl = text.substr(start, i - start);
        ++i;
        std::size_t colon = decl.find(L':');
        if (colon == std::wstring_view::npos) continue;
        WideString property = Lower(Trim(decl.substr(0, colon)));
        std::wstring_view value = Trim(decl.substr(colon + 1));
        bool important = false;
        std::size_t bang = value.rfind(L'!');
        if (bang != std::wstring_view::npos && EqualsNoCase(Trim(value.substr(bang + 1)), L"important")) {
            important = true;
            value = Trim(value.substr(0, bang));
        }
        if (property.empty() || value.empty()) continue;
        out.push_back({std::move(property), WideString(value), important});
    }
    return out;
}

void TStyleSheet::Parse(std::wstring_view text) {
    // comments and the old hiding marks go first
    WideString clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, 2) == L"/*") {
            std::size_t end = text.find(L"*/", i + 2);
            i = end == std::wstring_view::npos ? text.size() : end + 2;
        } else if (text.substr(i, 4) == L"<!--") {
            i += 4;
        } else if (text.substr(i, 3) == L"-->") {
            i += 3;
        } else {
            clean.push_back(text[i++]);
        }
    }
    std::wstring_view s = clean;
    std::size_t i = 0;
    int order = int(FRules.size());
    while (i < s.size()) {
        std::size_t brace = s.find(L'{', i);
        if (brace == std::wstring_view::npos) break;
        std::wstring_view prelude = Trim(s.substr(i, brace - i));
        // the block, with its nested braces
        int depth = 1;
        std::size_t j = brace + 1;
        while (j < s.size() && depth > 0) {
            if (s[j] == L'{') ++depth;
            else if (s[j] == L'}') --depth;
            ++j;
        }
        std::size_t bodyEnd = depth == 0 ? j - 1 : s.size();
        std::wstring_view body = s.substr(brace + 1, bodyEnd - brace - 1);
        i = j;
        std::size_t semi = prelude.rfind(L';');
        if (semi != std::wstring_view::npos) prelude = Trim(prelude.substr(semi + 1));   // after an @import line
        if (!prelude.empty() && prelude[0] == L'@') {
            WideString at = Lower(prelude);
            if (at.rfind(L"@media", 0) == 0 && (at.find(L"screen") != WideString::npos || at.find(L"all") != WideString::npos)) {
                TStyleSheet inner;
                inner.Parse(body);
                for (TRule r : inner.FRules) {
                    r.Order = order++;
                    FRules.push_back(std::move(r));
                }
            }
            continue;
        }
        std::vector<TCssDeclaration> declarations = ParseDeclarations(body);
        if (declarations.empty()) continue;
        // each selector of the group
        std::size_t k = 0;
        while (k <= prelude.size()) {
            std::size_t comma = prelude.find(L',', k);
            std::wstring_view one = Trim(prelude.substr(k, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - k));
            k = comma == std::wstring_view::npos ? prelude.size() + 1 : comma + 1;
            TSelector sel;
            bool valid = !one.empty();
            bool child = false;
            std::size_t p = 0;
            while (valid && p < one.size()) {
                while (p < one.size() && IsSpace(one[p])) ++p;
                if (p < one.size() && one[p] == L'>') {
                    child = true;
                    ++p;
                    continue;
                }
                std::size_t e = p;
                while (e < one.size() && !IsSpace(one[e]) && one[e] != L'>') ++e;
                std::wstring_view token = one.substr(p, e - p);
                p = e;
                if (token.empty()) continue;
                TCompound c;
                std::size_t t = 0;
                auto name = [&](std::size_t from) {
                    std::size_t q = from;
                    while (q < token.size() && token[q] != L'.' && token[q] != L'#' && token[q] != L':') ++q;
                    return q;
                };
                std::size_t q = name(0);
                WideString tag = Lower(token.substr(0, q));
                if (tag != L"*") c.Tag = tag;
                t = q;
                while (valid && t < token.size()) {
                    wchar_t kind = token[t];
                    std::size_t endName = name(t + 1);
                    WideString part(token.substr(t + 1, endName - t - 1));
                    if (part.empty()) valid = false;
                    else if (kind == L'.') c.Classes.push_back(Lower(part));
                    else if (kind == L'#') c.Id = part;
                    else if (kind == L':') {
                        WideString pseudo = Lower(part);
                        if (pseudo == L"link" || pseudo == L"visited") c.Link = true;
                        else valid = false;   // hover, focus and the rest never apply here
                    }
                    t = endName;
                }
                for (wchar_t ch : c.Tag)
                    if (!(std::iswalnum(ch) || ch == L'-' || ch == L'_')) valid = false;
                if (!valid) break;
                if (!sel.Steps.empty()) sel.ChildSteps.push_back(child);
                child = false;
                sel.Specificity += (c.Id.empty() ? 0 : 10000) + int(c.Classes.size() + (c.Link ? 1 : 0)) * 100 +
                                   (c.Tag.empty() ? 0 : 1);
                sel.Steps.push_back(std::move(c));
            }
            if (valid && !sel.Steps.empty() && sel.ChildSteps.size() + 1 == sel.Steps.size())
                FRules.push_back({std::move(sel), declarations, order++});
        }
    }
}

TStyleResolver::TStyleResolver() = default;

TComputedStyle TStyleResolver::Initial() { return TComputedStyle{}; }

namespace {

bool ClassListHas(const THtmlNode& e, const WideString& cls) {
    const WideString* list = e.FindAttribute(L"class");
    if (!list) return false;
    std::wstring_view v = *list;
    std::size_t i = 0;
    while (i < v.size()) {
        while (i < v.size() && IsSpace(v[i])) ++i;
        std::size_t s = i;
        while (i < v.size() && !IsSpace(v[i])) ++i;
        if (i > s && EqualsNoCase(v.substr(s, i - s), cls)) return true;
    }
    return false;
}

bool MatchesCompound(const TStyleSheet::TCompound& c, const THtmlNode& e) {
    if (!e.IsElement()) return false;
    if (!c.Tag.empty() && c.Tag != e.Tag) return false;
    if (!c.Id.empty() && e.Attribute(L"id") != c.Id) return false;
    if (c.Link && !(e.Tag == L"a" && e.HasAttribute(L"href"))) return false;
    for (const WideString& cls : c.Classes)
        if (!ClassListHas(e, cls)) return false;
    return true;
}

bool MatchesFrom(const TStyleSheet::TSelector& s, int step, const THtmlNode& e) {
    if (!MatchesCompound(s.Steps[std::size_t(step)], e)) return false;
    if (step == 0) return true;
    bool child = s.ChildSteps[std::size_t(step - 1)];
    for (const THtmlNode* a = e.Parent; a; a = a->Parent) {
        if (MatchesFrom(s, step - 1, *a)) return true;
        if (child) return false;
    }
    return false;
}

const TStyleSheet& DefaultStyleSheet() {
    static const TStyleSheet sheet = [] {
        TStyleSheet s;
        s.Parse(DefaultSheet);
        return s;
    }();
    return sheet;
}

}  // namespace

bool TStyleResolver::Matches(const TStyleSheet::TSelector& s, const THtmlNode& element) const {
    return MatchesFrom(s, int(s.Steps.size()) - 1, element);
}

TComputedStyle TStyleResolver::Compute(const THtmlNode& e, const TComputedStyle& parent) const {
    TComputedStyle s;
    // inherited
    s.Color = parent.Color;
    s.FontFamily = parent.FontFamily;
    s.FontSize = parent.FontSize;
    s.Bold = parent.Bold;
    s.Italic = parent.Italic;
    s.Underline = parent.Underline;
    s.LineThrough = parent.LineThrough;
    s.TextAlign = parent.TextAlign;
    s.RightToLeft = parent.RightToLeft;
    s.WhiteSpace = parent.WhiteSpace;
    s.LineHeight = parent.LineHeight;
    s.ListStyle = parent.ListStyle;
    s.BorderCollapse = parent.BorderCollapse;
    s.BorderSpacing = parent.BorderSpacing;
    s.TextIndent = parent.TextIndent;
    if (!e.IsElement()) return s;

    struct TMatched {
        int Weight;   // origin, then specificity
        int Order;
        const std::vector<TCssDeclaration>* Declarations;
    };
    std::vector<TMatched> matched;
    for (const auto& r : DefaultStyleSheet().Rules())
        if (Matches(r.Selector, e)) matched.push_back({r.Selector.Specificity, r.Order, &r.Declarations});
    std::vector<TCssDeclaration> presentational = AttributeDeclarations(e);
    matched.push_back({1000000, 0, &presentational});
    int sheetOrder = 0;
    for (const TStyleSheet* sheet : FSheets) {
        for (const auto& r : sheet->Rules())
            if (Matches(r.Selector, e)) matched.push_back({2000000 + r.Selector.Specificity, sheetOrder + r.Order, &r.Declarations});
        sheetOrder += int(sheet->Rules().size());
    }
    std::vector<TCssDeclaration> inlineStyle;
    if (const WideString* style = e.FindAttribute(L"style")) {
        inlineStyle = ParseDeclarations(*style);
        matched.push_back({3000000, 0, &inlineStyle});
    }
    std::stable_sort(matched.begin(), matched.end(), [](const TMatched& a, const TMatched& b) {
        return a.Weight != b.Weight ? a.Weight < b.Weight : a.Order < b.Order;
    });

    TApplyContext context{s, parent};
    for (bool fontPass : {true, false}) {
        for (bool important : {false, true})
            for (const TMatched& m : matched)
                for (const TCssDeclaration& d : *m.Declarations)
                    if (d.Important == important) Apply(context, d, fontPass);
    }

    if (e.Tag == L"td" || e.Tag == L"th") ApplyTableAttributes(e, s);
    // list indentation lies on the side the text starts from
    if ((e.Tag == L"ul" || e.Tag == L"ol" || e.Tag == L"menu" || e.Tag == L"dir") && s.RightToLeft &&
        s.Padding[SideLeft].Unit == TLength::Px && s.Padding[SideLeft].Value == 40 && s.Padding[SideRight].Value == 0)
        std::swap(s.Padding[SideLeft], s.Padding[SideRight]);
    if (e.Tag == L"dd" && s.RightToLeft && s.Margin[SideRight].Value == 0) std::swap(s.Margin[SideLeft], s.Margin[SideRight]);
    return s;
}

bool IsSupportedTag(std::wstring_view tag) {
    return std::any_of(Tags.begin(), Tags.end(), [&](const wchar_t* t) { return tag == t; });
}

bool IsSupportedProperty(std::wstring_view property) {
    return std::any_of(Properties.begin(), Properties.end(), [&](const wchar_t* p) { return property == p; });
}

const std::vector<const wchar_t*>& SupportedTags() { return Tags; }
const std::vector<const wchar_t*>& SupportedProperties() { return Properties; }

}  // namespace web
