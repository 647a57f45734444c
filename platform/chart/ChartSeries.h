#pragma once
// TChartSeries: the points of one data series of a chart (X, Y, label and colour each), its title
// and colour in the legend, the axes it is drawn against and the marks shown over its points.
// A series joins a chart with SetParentChart; the chart draws it in its own depth slice.
#include <memory>
#include <vector>
#include "platform/chart/ChartPen.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/TComponent.h"

class TChart;
class TChartAxis;

// The automatic colour: a point drawn in it takes its series' colour, a series the chart's next one.
constexpr TColor clTeeColor = clDefault;

enum class TChartListOrder { loNone, loAscending, loDescending };
using enum TChartListOrder;

// One coordinate of every point; an ordered list keeps the points sorted by it.
class TChartValueList {
public:
    int Count() const { return static_cast<int>(FValues.size()); }
    double Value(int index) const { return FValues.at(index); }
    double MinValue() const;
    double MaxValue() const;
    bool DateTime() const { return FDateTime; }
    void SetDateTime(bool value) { FDateTime = value; }
    TChartListOrder Order() const { return FOrder; }
    void SetOrder(TChartListOrder value) { FOrder = value; }
private:
    friend class TChartSeries;
    std::vector<double> FValues;
    bool FDateTime = false;
    TChartListOrder FOrder = loNone;
};

enum class TSeriesMarksStyle { smsValue, smsLabel, smsLabelValue };
using enum TSeriesMarksStyle;

// The small labels over the points, joined to them by a short line.
class TSeriesMarks : public TPersistent {
public:
    TSeriesMarks();
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    TSeriesMarksStyle Style() const { return FStyle; }
    void SetStyle(TSeriesMarksStyle value);
    int ArrowLength() const { return FArrowLength; }
    void SetArrowLength(int value);
    TFont* Font() const { return FFont.get(); }
    TChartPen* Frame() const { return FFrame.get(); }

    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }
    bool FVisible = false;
    TColor FBackColor = 0x80FFFF;
    TSeriesMarksStyle FStyle = smsValue;
    int FArrowLength = 8;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TChartPen> FFrame;
};

enum class THorizAxis { aTopAxis, aBottomAxis };
using enum THorizAxis;
enum class TVertAxis { aLeftAxis, aRightAxis };
using enum TVertAxis;

class TChartSeries : public TComponent {
public:
    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;

    TChart* ParentChart() const { return FParentChart; }
    void SetParentChart(TChart* value);

    const String& Title() const { return FTitle; }
    void SetTitle(const String& value);
    TColor SeriesColor() const { return FSeriesColor; }
    void SetSeriesColor(TColor value);
    bool Active() const { return FActive; }
    void SetActive(bool value);
    bool ShowInLegend() const { return FShowInLegend; }
    void SetShowInLegend(bool value);
    THorizAxis HorizAxis() const { return FHorizAxis; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return FVertAxis; }
    void SetVertAxis(TVertAxis value);
    TChartAxis* GetHorizAxis() const;     // nullptr outside a chart
    TChartAxis* GetVertAxis() const;

    int Count() const { return FXValues.Count(); }
    TChartValueList* XValues() { return &FXValues; }
    TChartValueList* YValues() { return &FYValues; }
    const TChartValueList* XValues() const { return &FXValues; }
    const TChartValueList* YValues() const { return &FYValues; }
    const String& Labels(int index) const { return FLabels.at(index); }
    TColor ValueColor(int index) const;   // the point's own colour, else the series' colour
    TSeriesMarks* Marks() const { return FMarks.get(); }

    // A point at X = the number of points so far; returns its index.
    int Add(double value, const String& label = String(), TColor color = clTeeColor);
    int AddXY(double x, double y, const String& label = String(), TColor color = clTeeColor);
    void Delete(int index);
    void Clear();

    // The values the axes must show for the series, false when it has no point.
    virtual bool HorizontalRange(double& minimum, double& maximum) const;
    virtual bool VerticalRange(double& minimum, double& maximum) const;
    // Series that may share one depth slice with their neighbours (bars side by side).
    virtual bool SharesSlice() const { return false; }
    // Draws the points between the depth offsets zFront and zBack (pixels back from the front plane).
    virtual void Draw(TCanvas* canvas, int zFront, int zBack) = 0;
    virtual void DrawMarks(TCanvas* canvas, int zFront, int zBack);

protected:
    void Repaint();                       // the chart shows the change
    String MarkText(int index) const;
    // Where the mark of a point stands: its arrow starts at (x, y) and points up.
    virtual TPoint MarkPosition(int index, int zFront, int zBack) const = 0;

private:
    friend class TChart;
    TChart* FParentChart = nullptr;
    String FTitle;
    TColor FSeriesColor = clTeeColor;
    bool FActive = true;
    bool FShowInLegend = true;
    THorizAxis FHorizAxis = aBottomAxis;
    TVertAxis FVertAxis = aLeftAxis;
    TChartValueList FXValues;
    TChartValueList FYValues;
    std::vector<String> FLabels;
    std::vector<TColor> FColors;
    std::unique_ptr<TSeriesMarks> FMarks;
};
