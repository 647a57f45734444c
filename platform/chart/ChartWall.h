#pragma once
// TChartWall: one of the panels that frame a chart's plot: behind it (back), beside it (left) and
// under it (bottom). A transparent wall shows only its border; Size is the thickness of the slab.
#include <memory>
#include "platform/chart/ChartPen.h"

class TChartWall : public TPersistent {
public:
    explicit TChartWall(TColor color) : FColor(color) { FPen->OnChange = [this](TObject*) { Changed(); }; }

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { if (value != FColor) { FColor = value; Changed(); } }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { if (value != FTransparent) { FTransparent = value; Changed(); } }
    int Size() const { return FSize; }
    void SetSize(int value) { if (value != FSize) { FSize = value < 0 ? 0 : value; Changed(); } }
    TChartPen* Pen() const { return FPen.get(); }

    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }
    TColor FColor;
    bool FTransparent = false;
    int FSize = 0;
    std::unique_ptr<TChartPen> FPen = std::make_unique<TChartPen>();
};
