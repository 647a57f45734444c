// Any bytes as a page for the page renderer: decoded, parsed, styled by its own style elements
// and laid out at two widths without a fault, the tree never deeper than the parser allows, and
// every point of the page answered by the hit test.
#include <cstdint>
#include <memory>
#include "platform/web/HtmlParser.h"
#include "platform/web/PageEncoding.h"
#include "platform/web/PageLayout.h"

using namespace web;

namespace {
// Text measured without a system: half the font size a character; Arabic right-to-left.
struct TFixedServices : TLayoutServices {
    TFontMetrics Metrics(const TFontSpec& f) override { return {f.Size * 4 / 5, f.Size / 5}; }
    int Width(const TFontSpec& f, std::wstring_view text, bool) override { return int(text.size()) * f.Size / 2; }
    void Levels(std::wstring_view p, bool rtl, std::vector<std::uint8_t>& levels) override {
        levels.assign(p.size(), rtl ? 1 : 0);
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p[i] >= 0x0600 && p[i] <= 0x06FF) levels[i] = 1;
            else if (p[i] >= L'0' && p[i] <= L'z') levels[i] = rtl ? 2 : 0;
    }
    std::optional<std::pair<int, int>> ImageSize(const WideString& source) override {
        if (source.empty()) return std::nullopt;
        return std::make_pair(int(source.size()) * 7 % 400, int(source.size()) * 3 % 300);
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const WideString text = DecodePage(std::string_view(reinterpret_cast<const char*>(data), size));
    THtmlNodePtr document = ParseHtml(text);
    std::vector<std::unique_ptr<TStyleSheet>> sheets;
    TStyleResolver styles;
    ForEachNode(*document, [&](THtmlNode& n) {
        if (n.Depth() > MaxTreeDepth + 2) __builtin_trap();
        if (!n.Is(L"style")) return;
        sheets.push_back(std::make_unique<TStyleSheet>());
        sheets.back()->Parse(n.TextContent());
        styles.AddSheet(*sheets.back());
    });
    (void)ParseHtmlFragment(text);
    TFixedServices services;
    TPageLayout layout;
    layout.Build(*document, styles, services);
    for (int width : {640, 37}) {
        layout.Layout(width, services);
        for (int y = 0; y < layout.Height() && y < 4000; y += 97)
            for (int x = 0; x < layout.Width() && x < 1000; x += 131) (void)layout.HitTest(x, y);
        (void)layout.TextBetween(0, 1 << 20);
    }
    return 0;
}
