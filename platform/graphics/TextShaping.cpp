#include "platform/graphics/TextShaping.h"
#include <usp10.h>
#include <algorithm>
#include "platform/graphics/GdiObject.h"

namespace {

bool IsAlef(wchar_t c) { return c == 0x0622 || c == 0x0623 || c == 0x0625 || c == 0x0627; }
bool IsArabicLetter(wchar_t c) { return (c >= 0x0621 && c <= 0x064A) || (c >= 0x066E && c <= 0x06D3) || c == 0x06D5; }

// Fathatan to sukun and their isolated forms, in the same order, two code points apart.
constexpr wchar_t FirstMark = 0x064B, LastMark = 0x0652, FirstSpacingMark = 0xFE70;

}  // namespace

bool IsArabicMark(wchar_t c) { return (c >= 0x064B && c <= 0x065F) || c == 0x0670; }

bool CarriesMark(wchar_t c) { return IsArabicLetter(c) || IsArabicMark(c) || c == ShapingJoiner; }

wchar_t SpacingMark(wchar_t mark) {
    if (mark < FirstMark || mark > LastMark) return mark;
    return static_cast<wchar_t>(FirstSpacingMark + 2 * (mark - FirstMark));
}

wchar_t CombiningMark(wchar_t c) {
    const int offset = c - FirstSpacingMark;
    if (offset < 0 || offset > 2 * (LastMark - FirstMark) || offset % 2) return c;
    return static_cast<wchar_t>(FirstMark + offset / 2);
}

WideString ShapeableText(std::wstring_view text) {
    WideString out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const std::size_t n = out.size();
        if (IsArabicMark(c)) {
            if (n == 0 || !CarriesMark(out[n - 1])) c = SpacingMark(c);
            else if (n >= 2 && IsAlef(out[n - 1]) && out[n - 2] == 0x0644) out += ShapingJoiner;
        }
        out += c;
    }
    return out;
}

namespace {

// A string analysis of one line, freed on leaving.
class TScriptString {
public:
    TScriptString(HDC dc, std::wstring_view original, bool rightToLeft, DWORD flags) : FText(ShapeableText(original)) {
        const WideString& text = FText;
        const int n = int(text.size());
        if (n == 0) return;
        if (FAILED(ScriptStringAnalyse(dc, text.data(), n, n * 3 / 2 + 16, -1, flags | (rightToLeft ? SSA_RTL : 0), 0, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, &FAnalysis)))
            FAnalysis = nullptr;
    }
    ~TScriptString() {
        if (FAnalysis) ScriptStringFree(&FAnalysis);
    }
    TScriptString(const TScriptString&) = delete;
    TScriptString& operator=(const TScriptString&) = delete;
    SCRIPT_STRING_ANALYSIS Get() const { return FAnalysis; }

private:
    WideString FText;   // the analysis points into it
    SCRIPT_STRING_ANALYSIS FAnalysis = nullptr;
};

}  // namespace

bool IsComplexText(std::wstring_view text) {
    if (text.empty()) return false;
    return ScriptIsComplex(text.data(), int(text.size()), SIC_COMPLEX) == S_OK;
}

int ShapedTextWidth(HDC dc, std::wstring_view text, bool rightToLeft) {
    if (text.empty()) return 0;
    if (IsComplexText(text)) {
        TScriptString ss(dc, text, rightToLeft, SSA_GLYPHS);
        if (ss.Get()) {
            if (const SIZE* size = ScriptString_pSize(ss.Get())) return size->cx;
        }
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
    return size.cx;
}

// Drawn by ExtTextOut, which shapes as the analysis does: Wine's ScriptStringOut drops the mark
// on a word's last letter.
void DrawShapedText(HDC dc, int x, int y, std::wstring_view text, bool rightToLeft) {
    if (text.empty()) return;
    const WideString safe = ShapeableText(text);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc, x, y, rightToLeft ? ETO_RTLREADING : 0, nullptr, safe.data(), UINT(safe.size()), nullptr);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

std::vector<WideString> WrapShapedText(HDC dc, std::wstring_view text, int width, bool rightToLeft) {
    std::vector<WideString> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::wstring_view paragraph = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == L'\r') paragraph.remove_suffix(1);
        WideString line;
        std::size_t i = 0;
        while (i < paragraph.size()) {
            std::size_t space = paragraph.find(L' ', i);
            std::wstring_view word = paragraph.substr(i, space == std::wstring_view::npos ? std::wstring_view::npos : space - i);
            WideString candidate = line.empty() ? WideString(word) : line + L" " + WideString(word);
            if (!line.empty() && ShapedTextWidth(dc, candidate, rightToLeft) > width) {
                lines.push_back(line);
                line = WideString(word);
            } else {
                line = std::move(candidate);
            }
            if (space == std::wstring_view::npos) break;
            i = space + 1;
        }
        lines.push_back(line);
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return lines;
}

namespace {

// A line of a laid-out text, with where it starts in the prepared text (for the accelerator).
struct TTextLine {
    WideString Text;
    std::size_t Start = 0;
};

constexpr std::size_t NoAccelerator = std::size_t(-1);

// The text as it is shown: prefixes taken out ("&&" is an ampersand, "&x" underlines x), tabs
// expanded to stops of eight columns (or one blank), line breaks blanks on a single line.
WideString PreparedText(std::wstring_view text, UINT format, std::size_t& accelerator) {
    WideString out;
    out.reserve(text.size());
    accelerator = NoAccelerator;
    std::size_t column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'&' && !(format & DT_NOPREFIX)) {
            if (i + 1 >= text.size()) break;
            c = text[++i];
            if (c != L'&' && accelerator == NoAccelerator) accelerator = out.size();
        }
        if (c == L'\t') {
            const std::size_t blanks = format & DT_EXPANDTABS ? 8 - column % 8 : 1;
            out.append(blanks, L' ');
            column += blanks;
            continue;
        }
        if ((c == L'\r' || c == L'\n') && (format & DT_SINGLELINE)) c = L' ';
        out.push_back(c);
        column = c == L'\r' || c == L'\n' ? 0 : column + 1;
    }
    return out;
}

// Paragraphs at CR LF, LF or CR; each broken at blanks to the width when wrapping. A wrapped
// line gave up the one blank it was broken at, which keeps the starts countable.
std::vector<TTextLine> LaidOutLines(HDC dc, const WideString& text, UINT format, int width) {
    std::vector<TTextLine> lines;
    const bool rightToLeft = format & DT_RTLREADING;
    std::size_t start = 0;
    while (true) {
        std::size_t end = format & DT_SINGLELINE ? WideString::npos : text.find_first_of(L"\r\n", start);
        const std::wstring_view paragraph = std::wstring_view(text).substr(start, end == WideString::npos ? WideString::npos : end - start);
        if (format & DT_WORDBREAK) {
            std::size_t at = start;
            for (WideString& line : WrapShapedText(dc, paragraph, width, rightToLeft)) {
                const std::size_t length = line.size();
                lines.push_back({std::move(line), at});
                at += length + 1;
            }
        } else {
            lines.push_back({WideString(paragraph), start});
        }
        if (end == WideString::npos) break;
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The accelerator's underline, where the line's letters stand in their own order.
void UnderlineAccelerator(HDC dc, int x, int y, const WideString& line, std::size_t column, int ascent) {
    if (column >= line.size() || IsComplexText(line)) return;
    SIZE before{}, through{};
    GetTextExtentPoint32W(dc, line.data(), int(column), &before);
    GetTextExtentPoint32W(dc, line.data(), int(column) + 1, &through);
    TGdiObject<HBRUSH> ink(CreateSolidBrush(GetTextColor(dc)));
    RECT bar{x + before.cx, y + ascent + 1, x + through.cx, y + ascent + 2};
    FillRect(dc, &bar, ink.Get());
}

}  // namespace

int DrawTextShaped(HDC dc, std::wstring_view text, RECT& rect, UINT format) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = int(metrics.tmHeight) + (format & DT_EXTERNALLEADING ? int(metrics.tmExternalLeading) : 0);
    if (text.empty()) {
        if (format & DT_CALCRECT) {
            rect.right = rect.left;
            rect.bottom = rect.top + (format & DT_SINGLELINE ? lineHeight : 0);
        }
        return 0;
    }
    const bool rightToLeft = format & DT_RTLREADING;
    std::size_t accelerator = NoAccelerator;
    const WideString prepared = PreparedText(text, format, accelerator);
    const std::vector<TTextLine> lines = LaidOutLines(dc, prepared, format, int(rect.right - rect.left));
    std::vector<int> widths;
    int widest = 0;
    for (const TTextLine& line : lines) {
        widths.push_back(ShapedTextWidth(dc, line.Text, rightToLeft));
        widest = std::max(widest, widths.back());
    }
    const int height = lineHeight * int(lines.size());
    if (format & DT_CALCRECT) {
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }
    int top = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) top = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
        else if (format & DT_BOTTOM) top = rect.bottom - lineHeight;
    }
    TScopedDCState state(dc);
    if (!(format & DT_NOCLIP)) IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    const int room = rect.right - rect.left;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int y = top + lineHeight * int(i);
        const int x = format & DT_CENTER ? rect.left + (room - widths[i]) / 2
                      : format & DT_RIGHT ? rect.right - widths[i]
                                          : rect.left;
        DrawShapedText(dc, x, y, lines[i].Text, rightToLeft);
        const TTextLine& line = lines[i];
        if (accelerator != NoAccelerator && !(format & DT_HIDEPREFIX) && !rightToLeft && accelerator >= line.Start &&
            accelerator < line.Start + line.Text.size())
            UnderlineAccelerator(dc, x, y, line.Text, accelerator - line.Start, int(metrics.tmAscent));
    }
    return top - rect.top + height;
}

void BidiLevels(std::wstring_view paragraph, bool rightToLeft, std::vector<std::uint8_t>& levels) {
    const int n = int(paragraph.size());
    levels.assign(paragraph.size(), rightToLeft ? 1 : 0);
    if (n == 0) return;
    SCRIPT_CONTROL control{};
    SCRIPT_STATE state{};
    state.uBidiLevel = rightToLeft ? 1 : 0;
    std::vector<SCRIPT_ITEM> items(std::size_t(n) + 1);
    int count = 0;
    while (ScriptItemize(paragraph.data(), n, int(items.size()) - 1, &control, &state, items.data(), &count) == E_OUTOFMEMORY)
        items.resize(items.size() * 2);
    if (count <= 0) return;
    for (int i = 0; i < count; ++i) {
        const int from = items[std::size_t(i)].iCharPos;
        const int to = i + 1 < count ? items[std::size_t(i) + 1].iCharPos : n;
        for (int k = from; k < to && k < n; ++k) levels[std::size_t(k)] = std::uint8_t(items[std::size_t(i)].a.s.uBidiLevel);
    }
}
