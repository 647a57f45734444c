#pragma once
// TChart: a panel that draws its series against four axes, with a title, a legend and, in 3D, the
// walls of the plot seen in an orthogonal projection: what lies deeper stands higher and further
// right. Each series (or group of side-by-side bars) takes its own depth slice, the first series
// the deepest. Zooming and scrolling fix the axes' ranges; UndoZoom gives them back to the data.
#include <memory>
#include <vector>
#include "platform/chart/ChartAxis.h"
#include "platform/chart/ChartLegend.h"
#include "platform/chart/ChartSeries.h"
#include "platform/chart/ChartWall.h"
#include "platform/ui/TCustomControl.h"

class TChartTitle : public TPersistent {
public:
    TChartTitle();
    const String& Text() const { return FText; }
    void SetText(const String& value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TFont* Font() const { return FFont.get(); }
    TNotifyEvent OnChange;
private:
    String FText;
    bool FVisible = true;
    std::unique_ptr<TFont> FFont;
};

// How the 3D view is scaled (percent, around the plot's centre) and moved (pixels).
class TView3DOptions : public TPersistent {
public:
    int Zoom() const { return FZoom; }
    void SetZoom(int value);
    int HorizOffset() const { return FHorizOffset; }
    void SetHorizOffset(int value);
    int VertOffset() const { return FVertOffset; }
    void SetVertOffset(int value);
    TNotifyEvent OnChange;
private:
    int FZoom = 100;
    int FHorizOffset = 0;
    int FVertOffset = 0;
};

class TChart : public TCustomControl {
public:
    explicit TChart(TComponent* owner);
    ~TChart() override;

    int SeriesCount() const { return static_cast<int>(FSeries.size()); }
    TChartSeries* Series(int index) const;
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);

    TChartAxis* LeftAxis() const { return FLeftAxis.get(); }
    TChartAxis* RightAxis() const { return FRightAxis.get(); }
    TChartAxis* TopAxis() const { return FTopAxis.get(); }
    TChartAxis* BottomAxis() const { return FBottomAxis.get(); }
    TChartLegend* Legend() const { return FLegend.get(); }
    TChartTitle* Title() const { return FTitle.get(); }
    TChartWall* BackWall() const { return FBackWall.get(); }
    TChartWall* LeftWall() const { return FLeftWall.get(); }
    TChartWall* BottomWall() const { return FBottomWall.get(); }
    TChartPen* Frame() const { return FFrame.get(); }
    TColor BackColor() const { return FBackWall->Color(); }   // the back wall's colour
    void SetBackColor(TColor value) { FBackWall->SetColor(value); }

    bool View3D() const { return FView3D; }
    void SetView3D(bool value);
    int Chart3DPercent() const { return FChart3DPercent; }     // depth, a share of the plot's size
    void SetChart3DPercent(int value);                         // 1 to 100
    TView3DOptions* View3DOptions() const { return FView3DOptions.get(); }

    // Every axis shows percent / 100 times less (more than 100: closer) around its centre.
    void ZoomPercent(double percent);
    void UndoZoom();                      // every axis back to its automatic range
    bool Zoomed() const { return FZoomed; }

    TRect ChartRect();                    // the front plane of the plot for the current size
    int Width3D();                        // the depth of the plot in pixels
    void Draw(TCanvas* canvas, const TRect& rect);   // the whole chart, into any canvas

    // The axis a series is drawn against.
    TChartAxis* HorizAxisOf(const TChartSeries* series) const;
    TChartAxis* VertAxisOf(const TChartSeries* series) const;
    // What the series on an axis need it to show; false when none has a point.
    bool SeriesRange(const TChartAxis* axis, double& minimum, double& maximum) const;
    // The series whose point labels name the points along a horizontal axis.
    TChartSeries* LabelSeries(const TChartAxis* axis) const;

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    struct Layout {
        TRect Front;
        int Depth = 0;
        TRect LegendBox;
        TRect TitleBox;
    };
    Layout CalcLayout(TCanvas* canvas, const TRect& rect);
    void Measure(const std::function<void(TCanvas*)>& use);
    TChartLegend::Items LegendItems() const;
    void DrawWalls(TCanvas* canvas, const Layout& layout);
    void DrawFrame(TCanvas* canvas, const Layout& layout);
    void Changed(TObject*) { Invalidate(); }
    bool AxisInUse(const TChartAxis* axis) const;

    std::vector<TChartSeries*> FSeries;   // not owned
    std::unique_ptr<TChartAxis> FLeftAxis, FRightAxis, FTopAxis, FBottomAxis;
    std::unique_ptr<TChartLegend> FLegend;
    std::unique_ptr<TChartTitle> FTitle;
    std::unique_ptr<TChartWall> FBackWall, FLeftWall, FBottomWall;
    std::unique_ptr<TChartPen> FFrame;
    std::unique_ptr<TView3DOptions> FView3DOptions;
    bool FView3D = true;
    int FChart3DPercent = 15;
    bool FZoomed = false;
};
