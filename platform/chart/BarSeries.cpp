#include "platform/chart/BarSeries.h"
#include <algorithm>
#include <cmath>
#include "platform/chart/Chart.h"

namespace {

TColor Darker(TColor color, int amount) {
    std::uint32_t rgb = ColorToRGB(color);
    auto channel = [&](int shift) { return static_cast<std::uint32_t>(std::max(0, static_cast<int>((rgb >> shift) & 0xFF) - amount)) << shift; };
    return static_cast<TColor>(channel(0) | channel(8) | channel(16));
}

// The smallest distance between two neighbouring X values: the room each bar has.
double XStep(const TChartValueList* xs) {
    std::vector<double> values;
    for (int i = 0; i < xs->Count(); ++i) values.push_back(xs->Value(i));
    std::sort(values.begin(), values.end());
    double step = 0;
    for (std::size_t i = 1; i < values.size(); ++i) {
        double d = values[i] - values[i - 1];
        if (d > 0 && (step == 0 || d < step)) step = d;
    }
    return step > 0 ? step : 1;
}

}  // namespace

TBarSeries::TBarSeries(TComponent* owner) : TChartSeries(owner), FBarPen(std::make_unique<TChartPen>()) {
    FBarPen->OnChange = [this](TObject*) { Repaint(); };
}

void TBarSeries::SetMultiBar(TMultiBar value) { if (value != FMultiBar) { FMultiBar = value; Repaint(); } }
void TBarSeries::SetBarWidthPercent(int value) {
    value = std::clamp(value, 1, 100);
    if (value != FBarWidthPercent) { FBarWidthPercent = value; Repaint(); }
}
void TBarSeries::SetUseYOrigin(bool value) { if (value != FUseYOrigin) { FUseYOrigin = value; Repaint(); } }
void TBarSeries::SetYOrigin(double value) { if (value != FYOrigin) { FYOrigin = value; Repaint(); } }
void TBarSeries::SetDark3D(bool value) { if (value != FDark3D) { FDark3D = value; Repaint(); } }

bool TBarSeries::HorizontalRange(double& minimum, double& maximum) const {
    if (!TChartSeries::HorizontalRange(minimum, maximum)) return false;
    double half = XStep(XValues()) / 2;   // the outer bars stand inside
    minimum -= half;
    maximum += half;
    return true;
}

bool TBarSeries::VerticalRange(double& minimum, double& maximum) const {
    if (!TChartSeries::VerticalRange(minimum, maximum)) return false;
    if (FUseYOrigin) {
        minimum = std::min(minimum, FYOrigin);
        maximum = std::max(maximum, FYOrigin);
    }
    return true;
}

void TBarSeries::SideSlot(int& slot, int& slots) const {
    slot = 0;
    slots = 1;
    TChart* chart = ParentChart();
    if (!chart || FMultiBar != mbSide) return;
    slots = 0;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        auto* bars = dynamic_cast<TBarSeries*>(chart->Series(i));
        if (!bars || !bars->Active() || bars->MultiBar() != mbSide) continue;
        if (bars == this) slot = slots;
        ++slots;
    }
    slots = std::max(slots, 1);
}

TRect TBarSeries::BarBounds(int index) const {
    TChartAxis* horz = GetHorizAxis();
    TChartAxis* vert = GetVertAxis();
    if (!horz || !vert) return TRect{};
    int centre = horz->CalcPosValue(XValues()->Value(index));
    int room = horz->CalcSizeValue(XStep(XValues()));
    int total = room * FBarWidthPercent / 100;
    int slot = 0, slots = 1;
    SideSlot(slot, slots);
    int width = std::max(1, total / slots);
    int left = centre - total / 2 + slot * width;
    int y = vert->CalcPosValue(YValues()->Value(index));
    int origin = vert->CalcPosValue(FUseYOrigin ? FYOrigin : vert->Minimum());
    return Rect(left, std::min(y, origin), left + width, std::max(y, origin));
}

void TBarSeries::Draw(TCanvas* canvas, int zFront, int zBack) {
    if (!GetHorizAxis() || !GetVertAxis()) return;
    canvas->Pen()->Assign(FBarPen.get());
    if (!FBarPen->Visible()) canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < Count(); ++i) {
        TRect r = BarBounds(i);
        TColor color = ValueColor(i);
        int l = r.Left + zFront, t = r.Top - zFront, rt = r.Right + zFront, b = r.Bottom - zFront;
        if (zBack > zFront) {
            int d = zBack - zFront;
            TPoint top[] = {{l, t}, {l + d, t - d}, {rt + d, t - d}, {rt, t}};
            canvas->Brush()->SetColor(FDark3D ? Darker(color, 32) : color);
            canvas->Polygon(top, 4);
            TPoint side[] = {{rt, t}, {rt + d, t - d}, {rt + d, b - d}, {rt, b}};
            canvas->Brush()->SetColor(FDark3D ? Darker(color, 64) : color);
            canvas->Polygon(side, 4);
        }
        canvas->Brush()->SetColor(color);
        canvas->Rectangle(l, t, rt + 1, b + 1);
    }
}

TPoint TBarSeries::MarkPosition(int index, int zFront, int zBack) const {
    TRect r = BarBounds(index);
    int middle = (zFront + zBack) / 2;
    return Point((r.Left + r.Right) / 2 + middle, r.Top - middle);
}
