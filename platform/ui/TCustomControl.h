#pragma once
// A windowed control that paints itself: a canvas over its window and a virtual Paint.
#include "platform/ui/TControlCanvas.h"
#include "platform/ui/TWinControl.h"

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;
private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
