#include "platform/graphics/Brush.h"

void TBrush::Assign(TPersistent* source) {
    auto* b = dynamic_cast<TBrush*>(source);
    if (!b) { TGraphicsObject::Assign(source); return; }
    FColor = b->FColor; FStyle = b->FStyle;
    Changed();
}

// The old handle is deleted only after the listeners (canvases) have let go of it.
void TBrush::Changed() {
    TGdiObject<HBRUSH> old = std::move(FHandle);
    TGraphicsObject::Changed();
}
void TBrush::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}
void TBrush::SetStyle(TBrushStyle value) { if (value != FStyle) { FStyle = value; Changed(); } }

HBRUSH TBrush::Handle() {
    if (!FHandle) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(FColor);
        switch (FStyle) {
        case bsSolid: lb.lbStyle = BS_SOLID; break;
        case bsClear: lb.lbStyle = BS_HOLLOW; break;
        default:
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = static_cast<int>(FStyle) - static_cast<int>(bsHorizontal);   // HS_ order
            break;
        }
        FHandle.Reset(CreateBrushIndirect(&lb));
    }
    return FHandle.Get();
}
