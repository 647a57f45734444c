#include "platform/chart/ChartAxis.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include "platform/chart/Chart.h"
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int TickLength = 4;
constexpr int LabelGap = 2;
constexpr int MaxLabels = 1000;

// The step of 1, 2 or 5 times a power of ten that is at least 'least'.
double NiceStep(double least) {
    double magnitude = std::pow(10.0, std::floor(std::log10(least)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= least * (1 - 1e-9)) return m * magnitude;
    return 10 * magnitude;
}

// Draws text turned by 'tenths' of a degree, its unturned top-left corner at (x, y).
void TurnedText(TCanvas* canvas, TFont* font, int tenths, int x, int y, const String& text) {
    LOGFONTW lf{};
    GetObjectW(font->Handle(), sizeof lf, &lf);
    lf.lfEscapement = lf.lfOrientation = tenths;
    TGdiObject<HFONT> turned(CreateFontIndirectW(&lf));
    HDC dc = canvas->Handle();
    TScopedSelect select(dc, turned.Get());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    WideString w = ToWide(text);
    ExtTextOutW(dc, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

}  // namespace

TChartAxisTitle::TChartAxisTitle() : FFont(std::make_unique<TFont>()) {
    FFont->SetColor(clBlack);
    FFont->OnChange = [this](TObject*) { if (OnChange) OnChange(this); };
}

void TChartAxisTitle::SetCaption(const String& value) {
    if (value == FCaption) return;
    FCaption = value;
    if (OnChange) OnChange(this);
}

TChartAxis::TChartAxis(TChart* chart, bool horizontal, bool otherSide)
    : FChart(chart), FHorizontal(horizontal), FOtherSide(otherSide), FLabelsFont(std::make_unique<TFont>()),
      FGrid(std::make_unique<TChartPen>()), FAxisPen(std::make_unique<TChartPen>()),
      FTitle(std::make_unique<TChartAxisTitle>()) {
    FLabelsFont->SetColor(clBlack);
    FGrid->SetColor(clGray);
    FGrid->SetStyle(psDot);
    auto changed = [this](TObject*) { Changed(); };
    FLabelsFont->OnChange = changed;
    FGrid->OnChange = changed;
    FAxisPen->OnChange = changed;
    FTitle->OnChange = changed;
}

void TChartAxis::SetAutomatic(bool value) {
    if (value == Automatic() && value == FAutomaticMinimum) return;
    FAutomaticMinimum = FAutomaticMaximum = value;
    Changed();
}

void TChartAxis::SetAutomaticMinimum(bool value) { if (value != FAutomaticMinimum) { FAutomaticMinimum = value; Changed(); } }
void TChartAxis::SetAutomaticMaximum(bool value) { if (value != FAutomaticMaximum) { FAutomaticMaximum = value; Changed(); } }

void TChartAxis::AutomaticRange(double& minimum, double& maximum) const {
    if (!FChart->SeriesRange(this, minimum, maximum)) minimum = maximum = 0;
}

double TChartAxis::Minimum() const {
    if (!FAutomaticMinimum) return FMinimum;
    double minimum = 0, maximum = 0;
    AutomaticRange(minimum, maximum);
    return minimum;
}

double TChartAxis::Maximum() const {
    if (!FAutomaticMaximum) return FMaximum;
    double minimum = 0, maximum = 0;
    AutomaticRange(minimum, maximum);
    return maximum;
}

void TChartAxis::SetMinimum(double value) {
    FAutomaticMinimum = false;
    FMinimum = value;
    Changed();
}

void TChartAxis::SetMaximum(double value) {
    FAutomaticMaximum = false;
    FMaximum = value;
    Changed();
}

void TChartAxis::SetMinMax(double minimum, double maximum) {
    if (minimum > maximum) std::swap(minimum, maximum);
    FAutomaticMinimum = FAutomaticMaximum = false;
    FMinimum = minimum;
    FMaximum = maximum;
    Changed();
}

void TChartAxis::SetIncrement(double value) { if (value != FIncrement) { FIncrement = std::max(0.0, value); Changed(); } }
void TChartAxis::SetVisible(bool value) { if (value != FVisible) { FVisible = value; Changed(); } }
void TChartAxis::SetLabels(bool value) { if (value != FLabels) { FLabels = value; Changed(); } }

int TChartAxis::CalcPosValue(double value) const {
    double minimum = Minimum(), span = Maximum() - minimum;
    if (span <= 0) return FStartPos;
    double pos = FStartPos + (value - minimum) * (FEndPos - FStartPos) / span;
    return static_cast<int>(std::lround(std::clamp(pos, -1e6, 1e6)));
}

double TChartAxis::CalcPosPoint(int pixel) const {
    double minimum = Minimum();
    if (FEndPos == FStartPos) return minimum;
    return minimum + (pixel - FStartPos) * (Maximum() - minimum) / (FEndPos - FStartPos);
}

int TChartAxis::CalcSizeValue(double value) const {
    double span = Maximum() - Minimum();
    if (span <= 0) return 0;
    return static_cast<int>(std::lround(std::min(std::fabs(value * (FEndPos - FStartPos) / span), 1e6)));
}

String TChartAxis::FormatLabel(double value) const {
    for (int i = 0; i < FChart->SeriesCount(); ++i) {
        TChartSeries* s = FChart->Series(i);
        if (!s->Active()) continue;
        if (FHorizontal && FChart->HorizAxisOf(s) == this) return s->XValues()->DateTime() ? DateToStr(value) : FloatToStr(value);
        if (!FHorizontal && FChart->VertAxisOf(s) == this) return s->YValues()->DateTime() ? DateToStr(value) : FloatToStr(value);
    }
    return FloatToStr(value);
}

// Along a horizontal axis the points' own labels name them; otherwise values at a round step that
// leaves room between the labels.
std::vector<std::pair<double, String>> TChartAxis::LabelValues(TCanvas* canvas) const {
    std::vector<std::pair<double, String>> labels;
    if (!FLabels) return labels;
    double minimum = Minimum(), maximum = Maximum();
    double tolerance = (maximum - minimum) * 1e-9;
    if (FHorizontal)
        if (TChartSeries* s = FChart->LabelSeries(this)) {
            for (int i = 0; i < s->Count(); ++i) {
                double x = s->XValues()->Value(i);
                if (x >= minimum - tolerance && x <= maximum + tolerance && !s->Labels(i).empty())
                    labels.emplace_back(x, s->Labels(i));
            }
            return labels;
        }
    if (maximum <= minimum) {
        labels.emplace_back(minimum, FormatLabel(minimum));
        return labels;
    }
    double step = FIncrement;
    if (step <= 0) {
        canvas->SetFont(FLabelsFont.get());
        int extent = FHorizontal ? std::max(canvas->TextWidth(FormatLabel(minimum)), canvas->TextWidth(FormatLabel(maximum))) + 10
                                 : canvas->TextHeight("0") + 4;
        int count = std::max(1, std::abs(FEndPos - FStartPos) / std::max(1, extent));
        step = NiceStep((maximum - minimum) / count);
    }
    step = std::max(step, (maximum - minimum) / MaxLabels);
    double first = std::ceil(minimum / step - 1e-9);
    for (int k = 0; k <= MaxLabels; ++k) {
        double v = (first + k) * step;
        if (v > maximum + tolerance) break;
        if (std::fabs(v) < step * 1e-9) v = 0;
        labels.emplace_back(v, FormatLabel(v));
    }
    return labels;
}

int TChartAxis::SpaceNeeded(TCanvas* canvas) const {
    if (!FVisible) return 0;
    int space = TickLength + LabelGap;
    canvas->SetFont(FLabelsFont.get());
    if (FHorizontal) {
        space += canvas->TextHeight("0");
    } else {
        int widest = 0;
        for (const auto& label : LabelValues(canvas)) widest = std::max(widest, canvas->TextWidth(label.second));
        space += widest;
    }
    if (!FTitle->Caption().empty()) {
        canvas->SetFont(FTitle->Font());
        space += canvas->TextHeight(FTitle->Caption()) + 4;
    }
    return space;
}

void TChartAxis::Draw(TCanvas* canvas, const TRect& front, int depth, int offset, const TRect& area) const {
    if (!FVisible) return;
    // the other side's axes stand at the back of the plot
    int dx = FOtherSide ? depth : 0, dy = FOtherSide ? -depth : 0;
    canvas->Pen()->Assign(FAxisPen.get());
    if (FAxisPen->Visible()) {
        if (FHorizontal) {
            int y = (FOtherSide ? front.Top : front.Bottom) + dy;
            canvas->MoveTo(front.Left + dx, y);
            canvas->LineTo(front.Right + dx, y);
        } else {
            int x = (FOtherSide ? front.Right : front.Left) + dx;
            canvas->MoveTo(x, front.Top + dy);
            canvas->LineTo(x, front.Bottom + dy);
        }
    }
    canvas->SetFont(FLabelsFont.get());
    canvas->Brush()->SetStyle(bsClear);
    int widest = 0, lastEnd = INT_MIN;
    for (const auto& [value, text] : LabelValues(canvas)) {
        int p = CalcPosValue(value);
        SIZE size = canvas->TextExtent(text);
        widest = std::max(widest, static_cast<int>(size.cx));
        if (FHorizontal) {
            int x = p + dx, y = (FOtherSide ? front.Top : front.Bottom) + dy;
            int left = x - size.cx / 2;
            if (left < lastEnd + 4) continue;   // no label over its neighbour
            lastEnd = left + size.cx;
            canvas->MoveTo(x, y);
            canvas->LineTo(x, FOtherSide ? y - TickLength : y + TickLength);
            canvas->TextOut(left, FOtherSide ? y - TickLength - LabelGap - offset - size.cy : y + TickLength + LabelGap + offset, text);
        } else {
            int x = (FOtherSide ? front.Right : front.Left) + dx, y = p + dy;
            canvas->MoveTo(x, y);
            canvas->LineTo(FOtherSide ? x + TickLength : x - TickLength, y);
            canvas->TextOut(FOtherSide ? x + TickLength + LabelGap + offset : x - TickLength - LabelGap - offset - size.cx,
                            y - size.cy / 2, text);
        }
    }
    const String& caption = FTitle->Caption();
    if (caption.empty()) return;
    int labelsExtent = FHorizontal ? canvas->TextHeight("0") : widest;
    int away = TickLength + LabelGap + offset + labelsExtent + 4;
    canvas->SetFont(FTitle->Font());
    SIZE size = canvas->TextExtent(caption);
    auto within = [](int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); };
    if (FHorizontal) {
        int x = within((front.Left + front.Right) / 2 + dx - size.cx / 2, size.cx, area.Left, area.Right);
        int y = FOtherSide ? front.Top + dy - away - size.cy : front.Bottom + dy + away;
        canvas->TextOut(x, y, caption);
    } else {
        int top = within((front.Top + front.Bottom) / 2 + dy - size.cx / 2, size.cx, area.Top, area.Bottom);
        if (FOtherSide) TurnedText(canvas, FTitle->Font(), 2700, front.Right + dx + away + size.cy, top, caption);
        else TurnedText(canvas, FTitle->Font(), 900, front.Left + dx - away - size.cy, top + size.cx, caption);
    }
}

void TChartAxis::DrawGrid(TCanvas* canvas, const TRect& front, int depth) const {
    if (!FVisible || !FGrid->Visible()) return;
    canvas->Pen()->Assign(FGrid.get());
    canvas->Brush()->SetStyle(bsClear);
    for (const auto& label : LabelValues(canvas)) {
        int p = CalcPosValue(label.first);
        if (FHorizontal) {
            if (p < front.Left || p > front.Right) continue;
            canvas->MoveTo(p, front.Bottom);                       // across the floor
            canvas->LineTo(p + depth, front.Bottom - depth);
            canvas->LineTo(p + depth, front.Top - depth);          // up the back wall
        } else {
            if (p < front.Top || p > front.Bottom) continue;
            canvas->MoveTo(front.Left, p);                         // across the left wall
            canvas->LineTo(front.Left + depth, p - depth);
            canvas->LineTo(front.Right + depth, p - depth);        // along the back wall
        }
    }
}
