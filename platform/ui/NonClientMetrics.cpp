#include "platform/ui/NonClientMetrics.h"

namespace {
TSystemParametersCall Call;
}

void SetSystemParametersCall(TSystemParametersCall call) { Call = std::move(call); }

namespace {

TGdiObject<HFONT> CreateMetricsFont(LOGFONTW NONCLIENTMETRICSW::*which) {
    // the W call wants the size of the W structure, whatever older headers said
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    BOOL ok = Call ? Call(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                   : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font{};
    if (ok) {
        font = metrics.*which;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    return TGdiObject<HFONT>(CreateFontIndirectW(&font));
}

}  // namespace

TGdiObject<HFONT> CreateCaptionFont(bool smallCaption) {
    return CreateMetricsFont(smallCaption ? &NONCLIENTMETRICSW::lfSmCaptionFont : &NONCLIENTMETRICSW::lfCaptionFont);
}

TGdiObject<HFONT> CreateStatusFont() { return CreateMetricsFont(&NONCLIENTMETRICSW::lfStatusFont); }
