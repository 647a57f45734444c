#pragma once
// TBarSeries: a bar from the origin (0 unless told) to each point's value, centred on its X. In
// 3D a bar is a box: its front in the point's colour, its top and right side darker. Bars of
// several series stand each in its own depth slice (mbNone) or side by side in one (mbSide).
#include "platform/chart/ChartSeries.h"

enum class TMultiBar { mbNone, mbSide };
using enum TMultiBar;

class TBarSeries : public TChartSeries {
public:
    explicit TBarSeries(TComponent* owner);

    TMultiBar MultiBar() const { return FMultiBar; }
    void SetMultiBar(TMultiBar value);
    int BarWidthPercent() const { return FBarWidthPercent; }   // of the space between two X values
    void SetBarWidthPercent(int value);                        // 1 to 100
    bool UseYOrigin() const { return FUseYOrigin; }
    void SetUseYOrigin(bool value);
    double YOrigin() const { return FYOrigin; }
    void SetYOrigin(double value);
    bool Dark3D() const { return FDark3D; }                    // top and side darker than the front
    void SetDark3D(bool value);
    TChartPen* BarPen() const { return FBarPen.get(); }

    // The front of a point's bar on the front plane, before any depth offset.
    TRect BarBounds(int index) const;

    bool HorizontalRange(double& minimum, double& maximum) const override;
    bool VerticalRange(double& minimum, double& maximum) const override;
    bool SharesSlice() const override { return FMultiBar == mbSide; }
    void Draw(TCanvas* canvas, int zFront, int zBack) override;

protected:
    TPoint MarkPosition(int index, int zFront, int zBack) const override;

private:
    void SideSlot(int& slot, int& slots) const;

    TMultiBar FMultiBar = mbSide;
    int FBarWidthPercent = 70;
    bool FUseYOrigin = true;
    double FYOrigin = 0;
    bool FDark3D = true;
    std::unique_ptr<TChartPen> FBarPen;
};
