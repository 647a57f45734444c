#include <cmath>
#include <functional>
#include <vector>
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/ui/testing/ShownForm.h"

namespace {

struct ChartTest : ShownFormFixture {
    TChart* Chart = nullptr;
    TBitmap Shot;

    void SetUp() override {
        ShownFormFixture::SetUp();
        Chart = new TChart(Form);
        Chart->SetParent(Form);
        Chart->SetBounds(0, 0, 300, 220);
        Chart->SetColor(clWhite);
    }
    TBarSeries* AddBars(TColor color, std::vector<double> values) {
        auto* s = new TBarSeries(Form);
        s->SetMultiBar(mbNone);
        s->SetSeriesColor(color);
        s->SetParentChart(Chart);
        for (double v : values) s->Add(v, FloatToStr(v));
        return s;
    }
    void Paint() {
        Shot.SetSize(Chart->Width(), Chart->Height());
        Chart->Perform(WM_PAINT, reinterpret_cast<WPARAM>(Shot.Canvas()->Handle()), 0);
    }
    std::uint32_t Pixel(int x, int y) { return ColorToRGB(Shot.Canvas()->Pixels(x, y)); }
    // How many pixels of a colour stand in one column of the picture.
    int ColumnRun(int x, TColor color) {
        int n = 0;
        for (int y = 0; y < Shot.Height(); ++y) n += Pixel(x, y) == ColorToRGB(color);
        return n;
    }
};

}  // namespace

TEST_F(ChartTest, AxesFollowTheDataUntilZoomedOrScrolled) {
    auto range = [](TChartAxis* a) { return std::vector<double>{a->Minimum(), a->Maximum()}; };
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{0, 0}));           // no data yet
    TBarSeries* bars = AddBars(clRed, {20, 50, 35, 10, 40});
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{0, 50}));         // bars stand on 0
    EXPECT_EQ(range(Chart->BottomAxis()), (std::vector<double>{-0.5, 4.5}));   // room for the outer bars
    EXPECT_EQ(range(Chart->TopAxis()), (std::vector<double>{0, 0}));            // no series on it

    // a scroll as the screens do it: a tenth of the span, up and back
    auto scroll = [](TChartAxis* a, double percent) {
        double shift = (a->Maximum() - a->Minimum()) / (100 / percent);
        a->SetMinMax(a->Minimum() + shift, a->Maximum() + shift);
    };
    scroll(Chart->LeftAxis(), 10);
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{5, 55}));
    EXPECT_FALSE(Chart->LeftAxis()->Automatic());
    scroll(Chart->LeftAxis(), -10);
    scroll(Chart->LeftAxis(), -10);
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{-5, 45}));
    bars->Add(80);                                                               // a fixed range stays
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{-5, 45}));

    Chart->UndoZoom();
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{0, 80}));
    Chart->ZoomPercent(120);                                                     // in: a span 1.2 times smaller
    EXPECT_TRUE(Chart->Zoomed());
    auto close = [](std::vector<double> got, std::vector<double> want) {
        return std::fabs(got[0] - want[0]) < 1e-9 && std::fabs(got[1] - want[1]) < 1e-9;
    };
    EXPECT_TRUE(close(range(Chart->LeftAxis()), {40 - 40 / 1.2, 40 + 40 / 1.2}));
    EXPECT_TRUE(close(range(Chart->BottomAxis()), {2.5 - 3 / 1.2, 2.5 + 3 / 1.2}));
    Chart->ZoomPercent(80);                                                      // out: 1.25 times larger
    EXPECT_TRUE(close(range(Chart->LeftAxis()), {40 - 40 / 1.2 * 1.25, 40 + 40 / 1.2 * 1.25}));
    Chart->UndoZoom();
    EXPECT_FALSE(Chart->Zoomed());
    EXPECT_TRUE(Chart->LeftAxis()->Automatic());
    EXPECT_EQ(range(Chart->BottomAxis()), (std::vector<double>{-0.5, 5.5}));

    Chart->LeftAxis()->SetMinMax(30, 10);                                        // put in order
    EXPECT_EQ(range(Chart->LeftAxis()), (std::vector<double>{10, 30}));
}

TEST_F(ChartTest, BarsStandAsHighAsTheirValuesOnTheAxis) {
    Chart->SetView3D(false);
    Chart->Legend()->SetVisible(false);
    Chart->BackWall()->SetColor(clWhite);
    TBarSeries* bars = AddBars(clRed, {25, 50, 100, 0});
    Chart->LeftAxis()->SetMinMax(0, 100);
    Paint();
    TRect plot = Chart->ChartRect();
    ASSERT_GT(plot.Height(), 100);
    for (int i = 0; i < 4; ++i) {
        double value = bars->YValues()->Value(i);
        TRect bar = bars->BarBounds(i);
        int x = (bar.Left + bar.Right) / 2;
        int top = Chart->LeftAxis()->CalcPosValue(value);
        EXPECT_NEAR(top, plot.Bottom - value / 100 * plot.Height(), 0.5) << value;   // to the nearest pixel
        // the bar's inside fills its column from just under its top to just over the axis
        EXPECT_NEAR(ColumnRun(x, clRed), std::max(0, plot.Bottom - top - 1), 1) << value;
        if (value > 0) {
            EXPECT_EQ(Pixel(x, top + 2), ColorToRGB(clRed)) << value;
            EXPECT_NE(Pixel(x, top - 2), ColorToRGB(clRed)) << value;
        }
    }
    // bars take 70 % of the room between two values
    TRect first = bars->BarBounds(0), second = bars->BarBounds(1);
    EXPECT_NEAR(first.Width(), (second.Left - first.Left) * 0.7, 1);

    Chart->LeftAxis()->SetMinMax(50, 150);                                       // scrolled up: the low bars go
    Paint();
    EXPECT_EQ(ColumnRun((bars->BarBounds(0).Left + bars->BarBounds(0).Right) / 2, clRed), 0);
    EXPECT_NEAR(ColumnRun((bars->BarBounds(2).Left + bars->BarBounds(2).Right) / 2, clRed),
                plot.Bottom - Chart->LeftAxis()->CalcPosValue(100) - 1, 1);
}

TEST_F(ChartTest, InThreeDimensionsEachSeriesStandsInItsOwnSliceTheFirstDeepest) {
    Chart->Legend()->SetVisible(false);
    Chart->SetChart3DPercent(20);
    Chart->LeftWall()->SetColor(clAqua);
    Chart->BackWall()->SetTransparent(true);
    TBarSeries* back = AddBars(clBlue, {100});
    TBarSeries* front = AddBars(clLime, {50});
    Chart->LeftAxis()->SetMinMax(0, 100);
    Paint();
    TRect plot = Chart->ChartRect();
    int depth = Chart->Width3D();
    ASSERT_GT(depth, 10);
    int half = depth / 2;
    // the front series on the front plane, the deeper one shifted back (right and up) by its slice
    TRect f = front->BarBounds(0);
    EXPECT_EQ(Pixel((f.Left + f.Right) / 2, (f.Top + f.Bottom) / 2), ColorToRGB(clLime));
    TRect b = back->BarBounds(0);
    EXPECT_EQ(Pixel(b.Left + half + 2, b.Top - half + 3), ColorToRGB(clBlue));
    EXPECT_NE(Pixel(b.Left + 2, b.Top + 3), ColorToRGB(clBlue));                 // its unshifted place is empty
    // a darker top above the front, and the left wall beside the plot
    std::uint32_t top = Pixel((f.Left + f.Right) / 2, f.Top - 2);
    EXPECT_NE(top, ColorToRGB(clLime));
    EXPECT_LT(top & 0xFF00, ColorToRGB(clLime) & 0xFF00);
    EXPECT_EQ(Pixel(plot.Left + 2, plot.Top + plot.Height() / 2), ColorToRGB(clAqua));
    EXPECT_EQ(Pixel(plot.Right + depth - 3, plot.Top - depth + 3), ColorToRGB(clWhite));   // transparent back wall
}

// Zoomed in or scrolled, each series is cut at the edges of its own slice of the plot's box: no
// bar stands over the axis labels, the left wall or the floor in front of it, nor beyond the back.
TEST_F(ChartTest, ZoomedOrScrolledSeriesStayInsideTheirSliceOfThePlot) {
    Chart->SetChart3DPercent(15);
    Chart->Legend()->SetVisible(false);   // its boxes wear the series' colours
    Chart->BottomWall()->SetSize(4);
    Chart->LeftAxis()->Title()->SetCaption("Adjusted W.P.M");
    const TColor colors[] = {clBlue, clLime, clFuchsia};
    std::vector<TBarSeries*> series;
    // as the results chart stands: the goal deepest and tallest, the speeds before it
    const std::vector<double> values[] = {{100, 100, 100}, {70, 60, 50}, {40, 30, 20}};
    for (int k = 0; k < 3; ++k) series.push_back(AddBars(colors[k], values[k]));
    series[2]->Marks()->SetVisible(true);
    series[2]->Marks()->SetBackColor(clYellow);
    auto zoomIn = [&] { Chart->ZoomPercent(120); Chart->ZoomPercent(120); };
    auto scrollDown = [&] { zoomIn(); Chart->LeftAxis()->SetMinMax(-20, 50); };
    auto scrollAlong = [&] { zoomIn(); Chart->BottomAxis()->SetMinMax(0.6, 2.8); };
    const std::function<void()> views[] = {zoomIn, scrollDown, scrollAlong};
    for (std::size_t v = 0; v < std::size(views); ++v) {
        SCOPED_TRACE(v);
        Chart->UndoZoom();
        views[v]();
        Paint();
        const TRect f = Chart->ChartRect();
        const int d = Chart->Width3D();
        ASSERT_GT(d, 9);
        for (int k = 0; k < 3; ++k) {
            const int zBack = d - k * d / 3, zFront = d - (k + 1) * d / 3;
            int seen = 0, outside = 0;
            for (int y = 0; y < Shot.Height(); ++y)
                for (int x = 0; x < Shot.Width(); ++x) {
                    if (Pixel(x, y) != ColorToRGB(colors[k])) continue;
                    ++seen;
                    outside += x < f.Left + zFront || x > f.Right + zBack + 1 || y < f.Top - zBack || y > f.Bottom - zFront + 1;
                }
            EXPECT_GT(seen, 100) << k;   // still in view
            EXPECT_EQ(outside, 0) << k;
        }
        // a mark only over a bar whose top is in view: none hangs above the plot
        for (int y = 0; y < f.Top - d; ++y)
            for (int x = 0; x < Shot.Width(); ++x) ASSERT_NE(Pixel(x, y), ColorToRGB(clYellow)) << x << "," << y;
    }
}

TEST_F(ChartTest, MarksLegendAndLabelsNameWhatIsShown) {
    Chart->SetView3D(false);
    Chart->Legend()->SetAlignment(laTop);
    Chart->Legend()->SetColorWidth(22);
    TBarSeries* goal = AddBars(clRed, {});
    TBarSeries* awpm = AddBars(clBlue, {});
    goal->SetTitle("Goal");
    awpm->SetTitle("AWPM");
    for (int i = 1; i <= 3; ++i) {
        awpm->Add(10 * i);
        goal->Add(100, IntToStr(i));
    }
    awpm->Marks()->SetVisible(true);
    awpm->Marks()->SetBackColor(clYellow);
    Paint();
    TRect plot = Chart->ChartRect();
    // the legend above the plot holds a box of each series' colour
    auto inBand = [&](TColor color) {
        for (int y = 0; y < plot.Top; ++y)
            for (int x = 0; x < Chart->Width(); ++x)
                if (Pixel(x, y) == ColorToRGB(color)) return true;
        return false;
    };
    EXPECT_TRUE(inBand(clRed));
    EXPECT_TRUE(inBand(clBlue));
    // each mark stands over its bar, in its own colour
    for (int i = 0; i < 3; ++i) {
        TRect bar = awpm->BarBounds(i);
        int x = (bar.Left + bar.Right) / 2;
        bool found = false;
        for (int y = bar.Top - awpm->Marks()->ArrowLength() - 3; y > bar.Top - 40 && !found; --y)
            found = Pixel(x + 4, y) == ColorToRGB(clYellow);
        EXPECT_TRUE(found) << i;
    }
    // the points' labels name them along the bottom; the values get a round step on the left
    std::vector<String> bottom;
    for (const auto& label : Chart->BottomAxis()->LabelValues(Shot.Canvas())) bottom.push_back(label.second);
    EXPECT_EQ(bottom, (std::vector<String>{"1", "2", "3"}));
    auto left = Chart->LeftAxis()->LabelValues(Shot.Canvas());
    ASSERT_GE(left.size(), 3u);
    EXPECT_EQ(left.front().second, "0");
    double step = left[1].first - left[0].first;
    EXPECT_TRUE(step == 10 || step == 20 || step == 25 || step == 50) << step;
    EXPECT_EQ(left.back().first, 100);
}

TEST_F(ChartTest, SeriesJoinAndLeaveTheirChart) {
    auto* first = new TBarSeries(Form);
    auto* second = new TBarSeries(Form);
    first->SetParentChart(Chart);
    second->SetParentChart(Chart);
    EXPECT_EQ(Chart->SeriesCount(), 2);
    EXPECT_EQ(first->SeriesColor(), clRed);          // each takes the next automatic colour
    EXPECT_EQ(second->SeriesColor(), clGreen);
    EXPECT_EQ(first->GetVertAxis(), Chart->LeftAxis());

    first->XValues()->SetOrder(loAscending);          // points kept in X order, colours by point
    first->AddXY(3, 30, "c");
    first->AddXY(1, 10, "a", clBlue);
    EXPECT_EQ(first->Labels(0), "a");
    EXPECT_EQ(first->ValueColor(0), clBlue);
    EXPECT_EQ(first->ValueColor(1), clRed);
    first->Delete(0);
    EXPECT_EQ(first->YValues()->Value(0), 30);
    first->Clear();
    EXPECT_EQ(first->Count(), 0);

    second->Free();                                    // a freed series leaves its chart
    EXPECT_EQ(Chart->SeriesCount(), 1);
    Chart->Free();                                     // a freed chart leaves its series unattached
    EXPECT_EQ(first->ParentChart(), nullptr);
    Chart = nullptr;
}

TEST_F(ChartTest, FreeingReleasesWindowsAndGdiObjects) {
    auto cycle = [&] {
        auto* chart = new TChart(Form);
        chart->SetParent(Form);
        chart->SetBounds(0, 0, 250, 180);
        chart->LeftAxis()->Title()->SetCaption("كلمة صحيحة في الدقيقة"_a);
        for (int s = 0; s < 3; ++s) {
            auto* bars = new TBarSeries(chart);
            bars->SetMultiBar(mbNone);
            bars->SetParentChart(chart);
            bars->Marks()->SetVisible(s == 2);
            for (int i = 0; i < 4; ++i) bars->Add(10 * (i + s), IntToStr(i));
        }
        chart->ZoomPercent(120);
        Form->Repaint();
        chart->Free();
    };
    for (int i = 0; i < 5; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
