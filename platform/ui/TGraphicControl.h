#pragma once
// A windowless control: its parent paints it (PaintControls) and routes the mouse to it.
#include "platform/ui/TControl.h"
#include "platform/ui/TControlCanvas.h"

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    void WndProc(TMessage& message) override;
protected:
    virtual void Paint() {}
private:
    void WMPaint(TWMPaint& message);
    std::unique_ptr<TControlCanvas> FCanvas;
};
