#include "platform/graphics/GdiObject.h"

namespace {
long LiveCount = 0;   // user-interface thread only
}

long gdi::LiveHandles() { return LiveCount; }
void gdi::Counted(int delta) { LiveCount += delta; }

int FontLineHeight(HFONT font) {
    TWindowDCBorrow screen(nullptr);
    TScopedSelect select(screen.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return int(metrics.tmHeight);
}
