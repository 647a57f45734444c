#include "platform/ui/TGraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        TWMPaint p(message);
        WMPaint(p);
        return;
    }
    TControl::WndProc(message);
}

void TGraphicControl::WMPaint(TWMPaint& m) {
    if (!m.DC) return;
    FCanvas->PaintOn(m.DC, [this] { Paint(); });
}
