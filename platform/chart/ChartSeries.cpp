#include "platform/chart/ChartSeries.h"
#include <algorithm>
#include "platform/chart/Chart.h"
#include "platform/rtl/SysUtils.h"

double TChartValueList::MinValue() const {
    return FValues.empty() ? 0 : *std::min_element(FValues.begin(), FValues.end());
}

double TChartValueList::MaxValue() const {
    return FValues.empty() ? 0 : *std::max_element(FValues.begin(), FValues.end());
}

TSeriesMarks::TSeriesMarks() : FFont(std::make_unique<TFont>()), FFrame(std::make_unique<TChartPen>()) {
    FFont->SetColor(clBlack);
    FFont->OnChange = [this](TObject*) { Changed(); };
    FFrame->OnChange = [this](TObject*) { Changed(); };
}

void TSeriesMarks::SetVisible(bool value) { if (value != FVisible) { FVisible = value; Changed(); } }
void TSeriesMarks::SetBackColor(TColor value) { if (value != FBackColor) { FBackColor = value; Changed(); } }
void TSeriesMarks::SetStyle(TSeriesMarksStyle value) { if (value != FStyle) { FStyle = value; Changed(); } }
void TSeriesMarks::SetArrowLength(int value) { if (value != FArrowLength) { FArrowLength = value; Changed(); } }

TChartSeries::TChartSeries(TComponent* owner) : TComponent(owner), FMarks(std::make_unique<TSeriesMarks>()) {
    FMarks->OnChange = [this](TObject*) { Repaint(); };
}

TChartSeries::~TChartSeries() {
    if (FParentChart) FParentChart->RemoveSeries(this);
}

void TChartSeries::SetParentChart(TChart* value) {
    if (value == FParentChart) return;
    if (FParentChart) FParentChart->RemoveSeries(this);
    if (value) value->AddSeries(this);
}

void TChartSeries::Repaint() {
    if (FParentChart) FParentChart->Invalidate();
}

void TChartSeries::SetTitle(const String& value) { if (value != FTitle) { FTitle = value; Repaint(); } }
void TChartSeries::SetSeriesColor(TColor value) { if (value != FSeriesColor) { FSeriesColor = value; Repaint(); } }
void TChartSeries::SetActive(bool value) { if (value != FActive) { FActive = value; Repaint(); } }
void TChartSeries::SetShowInLegend(bool value) { if (value != FShowInLegend) { FShowInLegend = value; Repaint(); } }
void TChartSeries::SetHorizAxis(THorizAxis value) { if (value != FHorizAxis) { FHorizAxis = value; Repaint(); } }
void TChartSeries::SetVertAxis(TVertAxis value) { if (value != FVertAxis) { FVertAxis = value; Repaint(); } }

TChartAxis* TChartSeries::GetHorizAxis() const { return FParentChart ? FParentChart->HorizAxisOf(this) : nullptr; }
TChartAxis* TChartSeries::GetVertAxis() const { return FParentChart ? FParentChart->VertAxisOf(this) : nullptr; }

TColor TChartSeries::ValueColor(int index) const {
    TColor c = FColors.at(index);
    return c == clTeeColor ? FSeriesColor : c;
}

int TChartSeries::Add(double value, const String& label, TColor color) {
    return AddXY(Count(), value, label, color);
}

int TChartSeries::AddXY(double x, double y, const String& label, TColor color) {
    auto& xs = FXValues.FValues;
    auto at = xs.end();
    if (FXValues.FOrder == loAscending) at = std::upper_bound(xs.begin(), xs.end(), x);
    else if (FXValues.FOrder == loDescending) at = std::upper_bound(xs.begin(), xs.end(), x, std::greater<double>());
    auto index = at - xs.begin();
    xs.insert(at, x);
    FYValues.FValues.insert(FYValues.FValues.begin() + index, y);
    FLabels.insert(FLabels.begin() + index, label);
    FColors.insert(FColors.begin() + index, color);
    Repaint();
    return static_cast<int>(index);
}

void TChartSeries::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    FXValues.FValues.erase(FXValues.FValues.begin() + index);
    FYValues.FValues.erase(FYValues.FValues.begin() + index);
    FLabels.erase(FLabels.begin() + index);
    FColors.erase(FColors.begin() + index);
    Repaint();
}

void TChartSeries::Clear() {
    FXValues.FValues.clear();
    FYValues.FValues.clear();
    FLabels.clear();
    FColors.clear();
    Repaint();
}

bool TChartSeries::HorizontalRange(double& minimum, double& maximum) const {
    if (Count() == 0) return false;
    minimum = FXValues.MinValue();
    maximum = FXValues.MaxValue();
    return true;
}

bool TChartSeries::VerticalRange(double& minimum, double& maximum) const {
    if (Count() == 0) return false;
    minimum = FYValues.MinValue();
    maximum = FYValues.MaxValue();
    return true;
}

String TChartSeries::MarkText(int index) const {
    String value = FloatToStr(FYValues.Value(index));
    switch (FMarks->Style()) {
    case smsLabel: return FLabels[index].empty() ? value : FLabels[index];
    case smsLabelValue: return FLabels[index].empty() ? value : FLabels[index] + " " + value;
    default: return value;
    }
}

// Each mark is a framed box of its text, its arrow reaching down to the point.
void TChartSeries::DrawMarks(TCanvas* canvas, int zFront, int zBack) {
    TChartAxis* horz = GetHorizAxis();
    TChartAxis* vert = GetVertAxis();
    if (!FMarks->Visible() || !horz || !vert) return;
    // only the points in view: a zoom or a scroll leaves no mark hanging by the walls
    auto inView = [](const TChartAxis* axis, double value) { return value >= axis->Minimum() && value <= axis->Maximum(); };
    canvas->SetFont(FMarks->Font());
    for (int i = 0; i < Count(); ++i) {
        if (!inView(horz, FXValues.Value(i)) || !inView(vert, FYValues.Value(i))) continue;
        TPoint p = MarkPosition(i, zFront, zBack);
        String text = MarkText(i);
        SIZE size = canvas->TextExtent(text);
        int arrowTop = p.Y - FMarks->ArrowLength();
        TRect box = Bounds(p.X - size.cx / 2 - 3, arrowTop - size.cy - 2, size.cx + 6, size.cy + 2);
        canvas->Pen()->Assign(FMarks->Frame());
        canvas->MoveTo(p.X, p.Y);
        canvas->LineTo(p.X, arrowTop);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(FMarks->BackColor());
        if (FMarks->Frame()->Visible()) canvas->Rectangle(box);
        else canvas->FillRect(box);
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(box.Left + 3, box.Top + 1, text);
    }
}
