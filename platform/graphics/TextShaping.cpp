#include "platform/graphics/TextShaping.h"
#include <usp10.h>

namespace {

bool IsArabicMark(wchar_t c) { return (c >= 0x064B && c <= 0x065F) || c == 0x0670; }
bool IsAlef(wchar_t c) { return c == 0x0622 || c == 0x0623 || c == 0x0625 || c == 0x0627; }

// Wine's shaping faults on a lam-alef ligature that carries a mark (with DejaVu Sans and the
// KACST fonts at least); a combining grapheme joiner between the alef and its mark avoids the
// fault and keeps the ligature.
WideString ShapeableText(std::wstring_view text) {
    WideString out(text);
    for (std::size_t i = 2; i < out.size(); ++i) {
        if (IsArabicMark(out[i]) && IsAlef(out[i - 1]) && out[i - 2] == 0x0644) out.insert(out.begin() + std::ptrdiff_t(i), wchar_t(0x034F));
    }
    return out;
}

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
