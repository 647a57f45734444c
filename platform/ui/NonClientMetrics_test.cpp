#include <gtest/gtest.h>
#include <string>
#include "platform/ui/NonClientMetrics.h"

namespace {
LOGFONTW Described(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}
}  // namespace

// The call gets the W structure's own size (Wine would accept a short one, Windows refuses it),
// and a refusal gives the default GUI font rather than an undefined one.
TEST(NonClientMetricsTest, CaptionFontsComeFromTheMetricsOrTheGuiFont) {
    UINT askedSize = 0, askedCb = 0;
    SetSystemParametersCall([&](UINT action, UINT param, void* data, UINT) -> BOOL {
        EXPECT_EQ(action, static_cast<UINT>(SPI_GETNONCLIENTMETRICS));
        auto* m = static_cast<NONCLIENTMETRICSW*>(data);
        askedSize = param;
        askedCb = m->cbSize;
        wcscpy(m->lfCaptionFont.lfFaceName, L"Tahoma");
        m->lfCaptionFont.lfHeight = -17;
        wcscpy(m->lfSmCaptionFont.lfFaceName, L"Arial");
        m->lfSmCaptionFont.lfHeight = -11;
        return TRUE;
    });
    EXPECT_EQ(std::wstring(Described(CreateCaptionFont(false).Get()).lfFaceName), L"Tahoma");
    LOGFONTW small = Described(CreateCaptionFont(true).Get());
    EXPECT_EQ(std::wstring(small.lfFaceName), L"Arial");
    EXPECT_EQ(small.lfHeight, -11);
    EXPECT_EQ(askedSize, sizeof(NONCLIENTMETRICSW));
    EXPECT_EQ(askedCb, sizeof(NONCLIENTMETRICSW));

    SetSystemParametersCall([](UINT, UINT, void*, UINT) -> BOOL { return FALSE; });
    LOGFONTW gui{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    for (bool smallCaption : {false, true}) {
        LOGFONTW got = Described(CreateCaptionFont(smallCaption).Get());
        EXPECT_EQ(std::wstring(got.lfFaceName), std::wstring(gui.lfFaceName));
        EXPECT_EQ(got.lfHeight, gui.lfHeight);
    }
    SetSystemParametersCall(nullptr);
    EXPECT_NE(CreateCaptionFont(false).Get(), nullptr);
}
