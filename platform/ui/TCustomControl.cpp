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
    FCanvas->Lock();
    FCanvas->AttachPaintDC(dc);
    try {
        Paint();
    } catch (...) {
        FCanvas->FreeHandle();
        FCanvas->Unlock();
        throw;
    }
    FCanvas->FreeHandle();
    FCanvas->Unlock();
}
