#include "platform/web/PageMeasure.h"
#include <cwctype>
#include "platform/graphics/JPEGImage.h"
#include "platform/graphics/TextShaping.h"

namespace web {

namespace {

std::wstring FontKey(const TFontSpec& f) {
    return f.Family + L"|" + std::to_wstring(f.Size) + (f.Bold ? L"b" : L"") + (f.Italic ? L"i" : L"");
}

WideString Trimmed(std::wstring_view s) {
    while (!s.empty() && (std::iswspace(s.front()) || s.front() == L'"' || s.front() == L'\'')) s.remove_prefix(1);
    while (!s.empty() && (std::iswspace(s.back()) || s.back() == L'"' || s.back() == L'\'')) s.remove_suffix(1);
    return WideString(s);
}

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

constexpr std::size_t MaxCachedWidths = 50000;

}  // namespace

TPageMeasure::TPageMeasure() : FDC(nullptr) {}
TPageMeasure::~TPageMeasure() = default;

// The first family of the list the system has; the generic names stand for the usual fonts.
WideString TPageMeasure::InstalledFamily(const WideString& list) {
    auto it = FFamilies.find(list);
    if (it != FFamilies.end()) return it->second;
    WideString chosen;
    std::size_t start = 0;
    while (start <= list.size() && chosen.empty()) {
        std::size_t comma = list.find(L',', start);
        WideString name = Trimmed(std::wstring_view(list).substr(start, comma == WideString::npos ? WideString::npos : comma - start));
        start = comma == WideString::npos ? list.size() + 1 : comma + 1;
        WideString lower = name;
        for (wchar_t& c : lower) c = wchar_t(std::towlower(c));
        if (lower == L"sans-serif") name = L"Arial";
        else if (lower == L"serif") name = L"Times New Roman";
        else if (lower == L"monospace") name = L"Courier New";
        if (name.empty() || name.size() >= LF_FACESIZE) continue;
        LOGFONTW lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        bool found = false;
        EnumFontFamiliesExW(FDC.Get(), &lf, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
        if (found) chosen = name;
    }
    if (chosen.empty()) chosen = L"Arial";
    FFamilies.emplace(list, chosen);
    return chosen;
}

TPageMeasure::TFontEntry& TPageMeasure::Entry(const TFontSpec& font) {
    std::wstring key = FontKey(font);
    auto it = FFonts.find(key);
    if (it != FFonts.end()) return it->second;
    WideString face = InstalledFamily(font.Family);
    TFontEntry entry;
    entry.Handle.Reset(CreateFontW(-std::max(1, font.Size), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                   face.c_str()));
    TScopedSelect select(FDC.Get(), entry.Handle.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(FDC.Get(), &tm);
    entry.Metrics = {int(tm.tmAscent), int(tm.tmDescent)};
    return FFonts.emplace(key, std::move(entry)).first->second;
}

HFONT TPageMeasure::Font(const TFontSpec& font) { return Entry(font).Handle.Get(); }

TFontMetrics TPageMeasure::Metrics(const TFontSpec& font) { return Entry(font).Metrics; }

int TPageMeasure::Width(const TFontSpec& font, std::wstring_view text, bool rightToLeft) {
    std::wstring key = FontKey(font) + (rightToLeft ? L"<" : L">") + std::wstring(text);
    auto it = FWidths.find(key);
    if (it != FWidths.end()) return it->second;
    TScopedSelect select(FDC.Get(), Entry(font).Handle.Get());
    int w = ShapedTextWidth(FDC.Get(), text, rightToLeft);
    if (FWidths.size() > MaxCachedWidths) FWidths.clear();
    FWidths.emplace(std::move(key), w);
    return w;
}

void TPageMeasure::Levels(std::wstring_view paragraph, bool rightToLeft, std::vector<std::uint8_t>& levels) {
    BidiLevels(paragraph, rightToLeft, levels);
}

TGraphic* TPageMeasure::Picture(const WideString& source) {
    auto it = FPictures.find(source);
    if (it != FPictures.end()) return it->second.get();
    std::unique_ptr<TGraphic> picture;
    const WideString url = ResolveSource ? ResolveSource(source) : source;
    if (auto bytes = ReadResource ? ReadResource(url) : std::nullopt) {
        std::vector<std::uint8_t> data(bytes->begin(), bytes->end());
        try {
            if (data.size() > 2 && data[0] == 'B' && data[1] == 'M') {
                auto bitmap = std::make_unique<TBitmap>();
                bitmap->LoadFromBytes(data);
                picture = std::move(bitmap);
            } else if (data.size() > 2 && data[0] == 0xFF && data[1] == 0xD8) {
                auto jpeg = std::make_unique<TJPEGImage>();
                jpeg->LoadFromBytes(data);
                picture = std::move(jpeg);
            }
        } catch (const std::exception&) {
            picture.reset();   // a damaged picture leaves its box empty
        }
    }
    if (picture && picture->Empty()) picture.reset();
    return FPictures.emplace(source, std::move(picture)).first->second.get();
}

std::optional<std::pair<int, int>> TPageMeasure::ImageSize(const WideString& source) {
    TGraphic* picture = Picture(source);
    if (!picture) return std::nullopt;
    return std::make_pair(picture->Width(), picture->Height());
}

}  // namespace web
