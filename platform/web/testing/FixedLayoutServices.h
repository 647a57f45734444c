#pragma once
// Text measured without a system, for the layout's tests and fuzz target: every character half
// the font size wide; Arabic letters are right-to-left, Latin letters and digits left-to-right
// (level 2 inside a right-to-left paragraph), everything else takes the paragraph's level.
#include "platform/web/PageLayout.h"

namespace web {

struct TFixedServices : TLayoutServices {
    TFontMetrics Metrics(const TFontSpec& f) override { return {f.Size * 4 / 5, f.Size / 5}; }
    int Width(const TFontSpec& f, std::wstring_view text, bool) override { return int(text.size()) * f.Size / 2; }
    void Levels(std::wstring_view p, bool rtl, std::vector<std::uint8_t>& levels) override {
        levels.assign(p.size(), rtl ? 1 : 0);
        for (std::size_t i = 0; i < p.size(); ++i) {
            wchar_t c = p[i];
            if (c >= 0x0600 && c <= 0x06FF) levels[i] = 1;
            else if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) levels[i] = rtl ? 2 : 0;
        }
        // blanks between two left-to-right words go with them
        for (std::size_t i = 1; i + 1 < p.size(); ++i)
            if (p[i] == L' ' && levels[i - 1] == 2 && levels[i + 1] == 2) levels[i] = 2;
    }
    // The one picture the tests know; every other source is missing.
    std::optional<std::pair<int, int>> ImageSize(const WideString& source) override {
        if (source == L"map.bmp") return std::make_pair(100, 50);
        return std::nullopt;
    }
};

}  // namespace web
