#include "platform/ui/TCustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    ControlState |= csCustomPaint;
}

TCustomControl::~TCustomControl() {
    FCanvas->FreeHandle();
    DestroyHandle();
}

void TCustomControl::DestroyWnd() {
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas->PaintOn(dc, [this] { Paint(); });
}
