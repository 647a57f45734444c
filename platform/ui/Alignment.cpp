#include "platform/ui/Alignment.h"
#include <usp10.h>
#include "platform/graphics/Font.h"

int ShapedTextWidth(HDC dc, const WideString& line, bool rightToLeft) {
    if (line.empty()) return 0;
    SCRIPT_STRING_ANALYSIS ssa = nullptr;
    int n = static_cast<int>(line.size());
    if (SUCCEEDED(ScriptStringAnalyse(dc, line.c_str(), n, n * 3 / 2 + 16, -1, SSA_GLYPHS | (rightToLeft ? SSA_RTL : 0),
                                      0, nullptr, nullptr, nullptr, nullptr, nullptr, &ssa))) {
        const SIZE* size = ScriptString_pSize(ssa);
        int w = size ? size->cx : 0;
        ScriptStringFree(&ssa);
        if (size) return w;
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), n, &size);
    return size.cx;
}

int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags) {
    TScopedSelect select(dc, font->Handle());
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    WideString w = ToWide(text);
    RECT target = rect;
    const bool oneLine = w.find_first_of(L"\r\n\t") == WideString::npos &&
                         ((flags & DT_NOPREFIX) || w.find(L'&') == WideString::npos);
    // the system would place a centred or right-aligned line by its own, wider measure
    const bool placeByShape = !(flags & DT_CALCRECT) && (flags & (DT_CENTER | DT_RIGHT)) && oneLine;
    if (placeByShape) {
        int width = ShapedTextWidth(dc, w, flags & DT_RTLREADING);
        int room = rect.right - rect.left;
        if (width <= room) {   // a line that fits stays one line
            target.left = flags & DT_CENTER ? rect.left + (room - width) / 2 : rect.right - width;
            target.right = target.left + width;
            flags &= ~(DT_CENTER | DT_RIGHT | DT_WORDBREAK);   // the system's wider measure would break it
        }
    }
    int h = DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &target, flags | (placeByShape ? DT_NOCLIP : 0));
    if (flags & DT_CALCRECT) {
        // and would measure it so: a label fitted to a line gets the width the line is drawn in
        if (oneLine && !(flags & DT_WORDBREAK)) target.right = target.left + ShapedTextWidth(dc, w, flags & DT_RTLREADING);
        rect = target;
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    return h;
}
