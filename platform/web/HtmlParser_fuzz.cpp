// Any bytes as a page for the page renderer: decoded, parsed, styled by its own style elements
// and laid out at two widths without a fault, the tree never deeper than the parser allows, and
// every point of the page answered by the hit test.
#include <cstdint>
#include <memory>
#include "platform/web/HtmlParser.h"
#include "platform/web/PageEncoding.h"
#include "platform/web/PageLayout.h"
#include "platform/web/testing/FixedLayoutServices.h"

using namespace web;

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
