#pragma once
// The canvas of a control outside painting: a DC of its window (or of its parent's, offset and
// clipped, for a windowless control), released after the message that asked for it.
#include "platform/graphics/Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;
    void FreeHandle();          // gives back the DC the canvas took; a borrowed paint DC is only let go
    // Runs paint with the canvas locked on the DC of a WM_PAINT, and lets go of the DC afterwards.
    template <class Paint>
    void PaintOn(HDC dc, Paint paint) {
        Lock();
        FreeHandle();
        SetHandle(dc);
        try {
            paint();
        } catch (...) {
            FreeHandle();
            Unlock();
            throw;
        }
        FreeHandle();
        Unlock();
    }
protected:
    void CreateHandle() override;
private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FOwnDC = nullptr;
};

// Releases the DCs of every unlocked control canvas; the window procedure calls it after each message.
void FreeDeviceContexts();
