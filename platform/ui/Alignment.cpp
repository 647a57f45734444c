#include "platform/ui/Alignment.h"
#include <usp10.h>
#include <algorithm>
#include "platform/graphics/Font.h"

namespace {

bool HasJoiningScript(const WideString& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x0590 && c < 0x0900; });
}

bool OneLine(const WideString& text, UINT flags) {
    return (flags & DT_SINGLELINE) || (!(flags & DT_WORDBREAK) && text.find_first_of(L"\r\n") == WideString::npos);
}

// The width of a line as it is drawn, its letters joined; -1 when Uniscribe cannot tell.
int ShapedWidth(HDC dc, const WideString& text) {
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    int n = static_cast<int>(text.size());
    if (FAILED(ScriptStringAnalyse(dc, text.c_str(), n, n * 3 / 2 + 16, -1, SSA_GLYPHS | SSA_FALLBACK, 0, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, &analysis)))
        return -1;
    const SIZE* size = ScriptString_pSize(analysis);
    int width = size ? size->cx : -1;
    ScriptStringFree(&analysis);
    return width;
}

}  // namespace

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    WideString w = ToWide(text);
    // Some systems (Wine) measure a line of Arabic letter by letter, as if the letters did not
    // join, and place it by that longer width: the line then stands off centre and labels
    // grow too wide. Such a line is measured and placed here by its joined width.
    int shaped = -1;
    if (HasJoiningScript(w) && OneLine(w, flags)) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &extent);
        shaped = ShapedWidth(dc, w);
        if (shaped == extent.cx) shaped = -1;   // the system's own measure is right
    }
    int h = 0;
    if (flags & DT_CALCRECT) {
        h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &rect, flags);
        if (shaped >= 0) rect.right = rect.left + shaped;
    } else {
        RECT r = rect;
        if (shaped >= 0 && shaped < r.right - r.left && (flags & (DT_CENTER | DT_RIGHT))) {
            r.left = flags & DT_CENTER ? r.left + (r.right - r.left - shaped) / 2 : r.right - shaped;
            flags &= ~(DT_CENTER | DT_RIGHT);
        }
        h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, flags);
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    return h;
}
