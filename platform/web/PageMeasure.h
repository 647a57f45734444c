#pragma once
// The window side of the page layout: fonts (the first installed family of a style's list),
// shaped text widths and bidirectional levels through the graphics layer's Uniscribe calls,
// and the page's pictures read through the graphics layer. The painter draws with the same
// fonts and pictures, so what is measured is what is drawn.
#include <windows.h>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/Graphic.h"
#include "platform/web/PageLayout.h"

namespace web {

class TPageMeasure : public TLayoutServices {
public:
    TPageMeasure();
    ~TPageMeasure() override;
    TPageMeasure(const TPageMeasure&) = delete;
    TPageMeasure& operator=(const TPageMeasure&) = delete;

    // Where a picture's source leads, and what it holds; set by the browser for its page.
    std::function<WideString(const WideString& source)> ResolveSource;
    std::function<std::optional<std::string>(const WideString& url)> ReadResource;

    TFontMetrics Metrics(const TFontSpec& font) override;
    int Width(const TFontSpec& font, std::wstring_view text, bool rightToLeft) override;
    void Levels(std::wstring_view paragraph, bool rightToLeft, std::vector<std::uint8_t>& levels) override;
    std::optional<std::pair<int, int>> ImageSize(const WideString& source) override;

    HFONT Font(const TFontSpec& font);
    // The picture a source leads to; nullptr when it is missing or damaged.
    TGraphic* Picture(const WideString& source);
    // Forgets the pictures (a new page may name other ones under the same names).
    void ForgetPictures() { FPictures.clear(); }

private:
    struct TFontEntry {
        TGdiObject<HFONT> Handle;
        TFontMetrics Metrics;
    };
    TFontEntry& Entry(const TFontSpec& font);
    WideString InstalledFamily(const WideString& list);

    TMemoryDC FDC;
    std::map<std::wstring, TFontEntry> FFonts;
    std::map<std::wstring, WideString> FFamilies;
    std::map<std::wstring, int> FWidths;
    std::map<WideString, std::unique_ptr<TGraphic>> FPictures;
};

}  // namespace web
