#pragma once
// TChartAxis: one of a chart's four axes. Its range is automatic (what the series on it need)
// until the program sets it (SetMinMax, Minimum, Maximum), a zoom or a scroll; it maps values to
// pixels of the plot and draws its line, ticks, labels, grid and title.
#include <memory>
#include <utility>
#include <vector>
#include "platform/chart/ChartPen.h"
#include "platform/graphics/Canvas.h"

class TChart;

class TChartAxisTitle : public TPersistent {
public:
    TChartAxisTitle();
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& value);
    TFont* Font() const { return FFont.get(); }
    TNotifyEvent OnChange;
private:
    String FCaption;
    std::unique_ptr<TFont> FFont;
};

class TChartAxis : public TPersistent {
public:
    TChartAxis(TChart* chart, bool horizontal, bool otherSide);

    TChart* ParentChart() const { return FChart; }
    bool Horizontal() const { return FHorizontal; }
    bool OtherSide() const { return FOtherSide; }   // the right or the top axis

    bool Automatic() const { return FAutomaticMinimum && FAutomaticMaximum; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return FAutomaticMinimum; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return FAutomaticMaximum; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const;               // automatic: what the series on the axis need
    void SetMinimum(double value);        // the minimum is no longer automatic
    double Maximum() const;
    void SetMaximum(double value);
    void SetMinMax(double minimum, double maximum);   // both fixed; a reversed pair is put in order
    double Increment() const { return FIncrement; }    // between labels; 0 chooses one that fits
    void SetIncrement(double value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Labels() const { return FLabels; }
    void SetLabels(bool value);
    TFont* LabelsFont() const { return FLabelsFont.get(); }
    TChartPen* Grid() const { return FGrid.get(); }
    TChartPen* AxisPen() const { return FAxisPen.get(); }
    TChartAxisTitle* Title() const { return FTitle.get(); }

    // Pixel of a value and value of a pixel, along the plot as the chart last laid it out.
    int CalcPosValue(double value) const;
    double CalcPosPoint(int pixel) const;
    int CalcSizeValue(double value) const;            // pixels that a span of values takes
    int IStartPos() const { return FStartPos; }       // the pixel of Minimum
    int IEndPos() const { return FEndPos; }           // the pixel of Maximum

    // Used by the chart's layout and painting.
    void SetPixelRange(int startPos, int endPos) { FStartPos = startPos; FEndPos = endPos; }
    std::vector<std::pair<double, String>> LabelValues(TCanvas* canvas) const;
    int SpaceNeeded(TCanvas* canvas) const;           // across the axis: ticks, labels and title
    // Draws the axis at the edge of the plot; 'offset' moves the labels away from it. A title
    // longer than the plot stays within 'area'.
    void Draw(TCanvas* canvas, const TRect& front, int depth, int offset, const TRect& area) const;
    void DrawGrid(TCanvas* canvas, const TRect& front, int depth) const;

    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }
    void AutomaticRange(double& minimum, double& maximum) const;
    String FormatLabel(double value) const;

    TChart* FChart;
    bool FHorizontal;
    bool FOtherSide;
    bool FAutomaticMinimum = true;
    bool FAutomaticMaximum = true;
    double FMinimum = 0;
    double FMaximum = 0;
    double FIncrement = 0;
    bool FVisible = true;
    bool FLabels = true;
    int FStartPos = 0;
    int FEndPos = 0;
    std::unique_ptr<TFont> FLabelsFont;
    std::unique_ptr<TChartPen> FGrid;
    std::unique_ptr<TChartPen> FAxisPen;
    std::unique_ptr<TChartAxisTitle> FTitle;
};
