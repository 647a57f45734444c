#include "platform/graphics/Pen.h"

void TPen::Assign(TPersistent* source) {
    auto* p = dynamic_cast<TPen*>(source);
    if (!p) { TGraphicsObject::Assign(source); return; }
    FColor = p->FColor; FWidth = p->FWidth; FStyle = p->FStyle; FMode = p->FMode;
    Changed();
}

// The old handle is deleted only after the listeners (canvases) have let go of it.
void TPen::Changed() {
    TGdiObject<HPEN> old = std::move(FHandle);
    TGraphicsObject::Changed();
}
void TPen::SetColor(TColor value) { if (value != FColor) { FColor = value; Changed(); } }
void TPen::SetWidth(int value) { if (value >= 0 && value != FWidth) { FWidth = value; Changed(); } }
void TPen::SetStyle(TPenStyle value) { if (value != FStyle) { FStyle = value; Changed(); } }
void TPen::SetMode(TPenMode value) { if (value != FMode) { FMode = value; TGraphicsObject::Changed(); } }

int TPen::Rop2() const {
    static const int codes[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN, R2_MERGEPENNOT,
                                R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                                R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN, R2_NOTXORPEN};
    return codes[static_cast<int>(FMode)];
}

HPEN TPen::Handle() {
    if (!FHandle) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        FHandle.Reset(CreatePen(styles[static_cast<int>(FStyle)], FWidth, ColorToRGB(FColor)));
    }
    return FHandle.Get();
}
