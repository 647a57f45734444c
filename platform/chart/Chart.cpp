#include "platform/chart/Chart.h"
#include <algorithm>
#include <cmath>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiObject.h"

namespace {

constexpr int Margin = 6;   // between the panel's edge, the title, the legend and the plot

// The colours new series take in turn.
constexpr TColor Palette[] = {clRed, clGreen, clYellow, clBlue, clWhite, clGray, clFuchsia, clTeal,
                              clNavy, clMaroon, clLime, clOlive, clPurple, clSilver, clAqua, clBlack};

// Drawing clipped to a polygon, the DC's own clipping given back at the end.
class TScopedClip {
public:
    TScopedClip(HDC dc, const TPoint* points, int count) : FDC(dc), FSaved(CreateRectRgn(0, 0, 0, 0)) {
        FHadClip = GetClipRgn(dc, FSaved.Get()) == 1;
        std::vector<POINT> corners(points, points + count);
        TGdiObject<HRGN> area(CreatePolygonRgn(corners.data(), count, WINDING));
        ExtSelectClipRgn(dc, area.Get(), RGN_AND);
    }
    ~TScopedClip() { SelectClipRgn(FDC, FHadClip ? FSaved.Get() : nullptr); }
    TScopedClip(const TScopedClip&) = delete;
    TScopedClip& operator=(const TScopedClip&) = delete;
private:
    HDC FDC;
    TGdiObject<HRGN> FSaved;
    bool FHadClip = false;
};

}  // namespace

TChartTitle::TChartTitle() : FFont(std::make_unique<TFont>()) {
    FFont->SetColor(clBlue);
    FFont->OnChange = [this](TObject*) { if (OnChange) OnChange(this); };
}

void TChartTitle::SetText(const String& value) {
    if (value == FText) return;
    FText = value;
    if (OnChange) OnChange(this);
}

void TChartTitle::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    if (OnChange) OnChange(this);
}

void TView3DOptions::SetZoom(int value) {
    value = std::max(1, value);
    if (value == FZoom) return;
    FZoom = value;
    if (OnChange) OnChange(this);
}

void TView3DOptions::SetHorizOffset(int value) {
    if (value == FHorizOffset) return;
    FHorizOffset = value;
    if (OnChange) OnChange(this);
}

void TView3DOptions::SetVertOffset(int value) {
    if (value == FVertOffset) return;
    FVertOffset = value;
    if (OnChange) OnChange(this);
}

TChart::TChart(TComponent* owner)
    : TCustomControl(owner), FLeftAxis(std::make_unique<TChartAxis>(this, false, false)),
      FRightAxis(std::make_unique<TChartAxis>(this, false, true)), FTopAxis(std::make_unique<TChartAxis>(this, true, true)),
      FBottomAxis(std::make_unique<TChartAxis>(this, true, false)), FLegend(std::make_unique<TChartLegend>()),
      FTitle(std::make_unique<TChartTitle>()), FBackWall(std::make_unique<TChartWall>(clWhite)),
      FLeftWall(std::make_unique<TChartWall>(0x80FFFF)), FBottomWall(std::make_unique<TChartWall>(clWhite)),
      FFrame(std::make_unique<TChartPen>()), FView3DOptions(std::make_unique<TView3DOptions>()) {
    ControlStyle |= csOpaque;
    SetParentColor(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 400, 250);
    auto changed = [this](TObject* sender) { Changed(sender); };
    for (TChartAxis* a : {FLeftAxis.get(), FRightAxis.get(), FTopAxis.get(), FBottomAxis.get()}) a->OnChange = changed;
    for (TChartWall* w : {FBackWall.get(), FLeftWall.get(), FBottomWall.get()}) w->OnChange = changed;
    FLegend->OnChange = changed;
    FTitle->OnChange = changed;
    FFrame->OnChange = changed;
    FView3DOptions->OnChange = changed;
}

TChart::~TChart() {
    for (TChartSeries* s : FSeries) s->FParentChart = nullptr;
}

TChartSeries* TChart::Series(int index) const {
    if (index < 0 || index >= SeriesCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FSeries[index];
}

void TChart::AddSeries(TChartSeries* series) {
    if (!series || series->FParentChart == this) return;
    if (series->FParentChart) series->FParentChart->RemoveSeries(series);
    if (series->SeriesColor() == clTeeColor) series->SetSeriesColor(Palette[FSeries.size() % std::size(Palette)]);
    FSeries.push_back(series);
    series->FParentChart = this;
    Invalidate();
}

void TChart::RemoveSeries(TChartSeries* series) {
    auto it = std::find(FSeries.begin(), FSeries.end(), series);
    if (it == FSeries.end()) return;
    FSeries.erase(it);
    series->FParentChart = nullptr;
    Invalidate();
}

void TChart::SetView3D(bool value) {
    if (value == FView3D) return;
    FView3D = value;
    Invalidate();
}

void TChart::SetChart3DPercent(int value) {
    value = std::clamp(value, 1, 100);
    if (value == FChart3DPercent) return;
    FChart3DPercent = value;
    Invalidate();
}

TChartAxis* TChart::HorizAxisOf(const TChartSeries* series) const {
    return series->HorizAxis() == aTopAxis ? FTopAxis.get() : FBottomAxis.get();
}

TChartAxis* TChart::VertAxisOf(const TChartSeries* series) const {
    return series->VertAxis() == aRightAxis ? FRightAxis.get() : FLeftAxis.get();
}

bool TChart::SeriesRange(const TChartAxis* axis, double& minimum, double& maximum) const {
    bool found = false;
    for (TChartSeries* s : FSeries) {
        if (!s->Active()) continue;
        double low = 0, high = 0;
        bool has = axis->Horizontal() ? HorizAxisOf(s) == axis && s->HorizontalRange(low, high)
                                      : VertAxisOf(s) == axis && s->VerticalRange(low, high);
        if (!has) continue;
        minimum = found ? std::min(minimum, low) : low;
        maximum = found ? std::max(maximum, high) : high;
        found = true;
    }
    return found;
}

TChartSeries* TChart::LabelSeries(const TChartAxis* axis) const {
    for (TChartSeries* s : FSeries) {
        if (!s->Active() || HorizAxisOf(s) != axis) continue;
        for (int i = 0; i < s->Count(); ++i)
            if (!s->Labels(i).empty()) return s;
    }
    return nullptr;
}

bool TChart::AxisInUse(const TChartAxis* axis) const {
    if (!axis->Visible()) return false;
    if (axis == FLeftAxis.get() || axis == FBottomAxis.get()) return true;
    for (TChartSeries* s : FSeries)
        if (s->Active() && (HorizAxisOf(s) == axis || VertAxisOf(s) == axis)) return true;
    return false;
}

void TChart::ZoomPercent(double percent) {
    if (percent <= 0) return;
    for (TChartAxis* a : {FLeftAxis.get(), FRightAxis.get(), FTopAxis.get(), FBottomAxis.get()}) {
        double minimum = a->Minimum(), maximum = a->Maximum();
        double centre = (minimum + maximum) / 2, half = (maximum - minimum) / 2 * 100 / percent;
        a->SetMinMax(centre - half, centre + half);
    }
    FZoomed = true;
    Invalidate();
}

void TChart::UndoZoom() {
    for (TChartAxis* a : {FLeftAxis.get(), FRightAxis.get(), FTopAxis.get(), FBottomAxis.get()}) a->SetAutomatic(true);
    FZoomed = false;
    Invalidate();
}

TChartLegend::Items TChart::LegendItems() const {
    TChartLegend::Items items;
    for (std::size_t i = 0; i < FSeries.size(); ++i) {
        TChartSeries* s = FSeries[i];
        if (!s->Active() || !s->ShowInLegend()) continue;
        String title = !s->Title().empty() ? s->Title() : !s->Name().empty() ? s->Name() : "Series" + IntToStr(static_cast<int>(i) + 1);
        items.emplace_back(s->SeriesColor(), title);
    }
    return items;
}

// Title, legend and the axes' labels take their room at the edges; the plot gets the rest, less
// its depth, which the walls take up and to the right. The axes' label widths depend on the plot's
// size, so the room is measured twice.
TChart::Layout TChart::CalcLayout(TCanvas* canvas, const TRect& rect) {
    Layout layout;
    // margins of a share of the size leave room for a 3D view zoomed a little beyond 100 %
    int mx = std::max(Margin, rect.Width() * 3 / 100), my = std::max(Margin, rect.Height() * 3 / 100);
    TRect r = Rect(rect.Left + mx, rect.Top + my, rect.Right - mx, rect.Bottom - my);
    if (FTitle->Visible() && !FTitle->Text().empty()) {
        canvas->SetFont(FTitle->Font());
        int h = canvas->TextHeight(FTitle->Text());
        layout.TitleBox = Rect(r.Left, r.Top, r.Right, r.Top + h);
        r.Top += h + Margin;
    }
    layout.LegendBox = FLegend->Bounds(canvas, r, LegendItems());
    if (!layout.LegendBox.IsEmpty()) {
        int shadow = FLegend->ShadowSize();
        switch (FLegend->Alignment()) {
        case laTop: r.Top = layout.LegendBox.Bottom + shadow + Margin; break;
        case laBottom: r.Bottom = layout.LegendBox.Top - Margin; break;
        case laLeft: r.Left = layout.LegendBox.Right + shadow + Margin; break;
        case laRight: r.Right = layout.LegendBox.Left - Margin; break;
        }
    }
    int leftWall = FView3D ? FLeftWall->Size() : 0, bottomWall = FView3D ? FBottomWall->Size() : 0;
    for (int pass = 0; pass < 2; ++pass) {
        auto space = [&](TChartAxis* a) { return AxisInUse(a) ? a->SpaceNeeded(canvas) : 0; };
        TRect plot = Rect(r.Left + space(FLeftAxis.get()) + leftWall, r.Top + space(FTopAxis.get()),
                          r.Right - space(FRightAxis.get()), r.Bottom - space(FBottomAxis.get()) - bottomWall);
        int depth = FView3D ? static_cast<int>(std::lround(std::min(plot.Width(), plot.Height()) * FChart3DPercent / 100.0)) : 0;
        TRect front = Rect(plot.Left, plot.Top + depth, plot.Right - depth, plot.Bottom);
        if (FView3D) {
            // the 3D view's zoom scales the plot around its centre; its offsets move it
            double zoom = FView3DOptions->Zoom() / 100.0;
            double cx = (plot.Left + plot.Right) / 2.0, cy = (plot.Top + plot.Bottom) / 2.0;
            auto scale = [&](int v, double c) { return static_cast<int>(std::lround(c + (v - c) * zoom)); };
            int dx = FView3DOptions->HorizOffset(), dy = FView3DOptions->VertOffset();
            front = Rect(scale(front.Left, cx) + dx, scale(front.Top, cy) + dy, scale(front.Right, cx) + dx, scale(front.Bottom, cy) + dy);
            depth = static_cast<int>(std::lround(depth * zoom));
        }
        layout.Front = front;
        layout.Depth = depth;
        FBottomAxis->SetPixelRange(front.Left, front.Right);
        FTopAxis->SetPixelRange(front.Left, front.Right);
        FLeftAxis->SetPixelRange(front.Bottom, front.Top);
        FRightAxis->SetPixelRange(front.Bottom, front.Top);
    }
    return layout;
}

void TChart::Measure(const std::function<void(TCanvas*)>& use) {
    TWindowDCBorrow screen(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen.Get());
    use(&canvas);
    canvas.SetHandle(nullptr);
}

TRect TChart::ChartRect() {
    TRect front;
    Measure([&](TCanvas* c) { front = CalcLayout(c, ClientRect()).Front; });
    return front;
}

int TChart::Width3D() {
    int depth = 0;
    Measure([&](TCanvas* c) { depth = CalcLayout(c, ClientRect()).Depth; });
    return depth;
}

// The walls seen from the front: the back one behind the plot, the left one and the floor as
// parallelograms to it, each slab as thick as its size.
void TChart::DrawWalls(TCanvas* canvas, const Layout& layout) {
    const TRect& f = layout.Front;
    int d = layout.Depth;
    auto paint = [&](TChartWall* wall, const TPoint* points, int count, TColor color) {
        canvas->Pen()->Assign(wall->Pen());
        if (!wall->Pen()->Visible()) canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetColor(color);
        canvas->Brush()->SetStyle(wall->Transparent() ? bsClear : bsSolid);
        canvas->Polygon(points, count);
    };
    TPoint back[] = {{f.Left + d, f.Top - d}, {f.Right + d, f.Top - d}, {f.Right + d, f.Bottom - d}, {f.Left + d, f.Bottom - d}};
    paint(FBackWall.get(), back, 4, FBackWall->Color());
    if (!FView3D) return;
    int size = FLeftWall->Size();
    if (size > 0) {
        TPoint outer[] = {{f.Left - size, f.Top}, {f.Left - size + d, f.Top - d}, {f.Left + d, f.Top - d}, {f.Left, f.Top}};
        paint(FLeftWall.get(), outer, 4, FLeftWall->Color());
        TPoint strip[] = {{f.Left - size, f.Top}, {f.Left, f.Top}, {f.Left, f.Bottom}, {f.Left - size, f.Bottom}};
        paint(FLeftWall.get(), strip, 4, FLeftWall->Color());
    }
    TPoint left[] = {{f.Left, f.Top}, {f.Left + d, f.Top - d}, {f.Left + d, f.Bottom - d}, {f.Left, f.Bottom}};
    paint(FLeftWall.get(), left, 4, FLeftWall->Color());
    size = FBottomWall->Size();
    if (size > 0) {
        TPoint strip[] = {{f.Left, f.Bottom}, {f.Right, f.Bottom}, {f.Right, f.Bottom + size}, {f.Left, f.Bottom + size}};
        paint(FBottomWall.get(), strip, 4, FBottomWall->Color());
        TPoint side[] = {{f.Right, f.Bottom}, {f.Right + d, f.Bottom - d}, {f.Right + d, f.Bottom - d + size}, {f.Right, f.Bottom + size}};
        paint(FBottomWall.get(), side, 4, FBottomWall->Color());
    }
    TPoint floor[] = {{f.Left, f.Bottom}, {f.Left + d, f.Bottom - d}, {f.Right + d, f.Bottom - d}, {f.Right, f.Bottom}};
    paint(FBottomWall.get(), floor, 4, FBottomWall->Color());
}

// The outline of the plot's box, behind the series: its back edges and the two that lead to them.
void TChart::DrawFrame(TCanvas* canvas, const Layout& layout) {
    if (!FFrame->Visible()) return;
    const TRect& f = layout.Front;
    int d = layout.Depth;
    canvas->Pen()->Assign(FFrame.get());
    canvas->MoveTo(f.Left, f.Bottom);
    canvas->LineTo(f.Left, f.Top);
    canvas->LineTo(f.Left + d, f.Top - d);
    canvas->LineTo(f.Right + d, f.Top - d);
    canvas->LineTo(f.Right + d, f.Bottom - d);
    canvas->LineTo(f.Right, f.Bottom);
    canvas->LineTo(f.Left, f.Bottom);
}

void TChart::Draw(TCanvas* canvas, const TRect& rect) {
    Layout layout = CalcLayout(canvas, rect);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    if (!layout.TitleBox.IsEmpty()) {
        canvas->SetFont(FTitle->Font());
        canvas->Brush()->SetStyle(bsClear);
        int w = canvas->TextWidth(FTitle->Text());
        canvas->TextOut((layout.TitleBox.Left + layout.TitleBox.Right - w) / 2, layout.TitleBox.Top, FTitle->Text());
    }
    DrawWalls(canvas, layout);
    std::vector<TChartAxis*> axes;
    for (TChartAxis* a : {FLeftAxis.get(), FRightAxis.get(), FTopAxis.get(), FBottomAxis.get()})
        if (AxisInUse(a)) axes.push_back(a);
    for (TChartAxis* a : axes) a->DrawGrid(canvas, layout.Front, layout.Depth);
    DrawFrame(canvas, layout);

    // depth slices, the first series deepest; side-by-side bars share theirs
    std::vector<std::pair<TChartSeries*, int>> slices;
    int count = 0;
    bool sharedOpen = false;
    int shared = 0;
    for (TChartSeries* s : FSeries) {
        if (!s->Active()) continue;
        if (s->SharesSlice()) {
            if (!sharedOpen) { shared = count++; sharedOpen = true; }
            slices.emplace_back(s, shared);
        } else {
            slices.emplace_back(s, count++);
        }
    }
    const TRect& f = layout.Front;
    int d = layout.Depth;
    auto zRange = [&](int slice, int& zFront, int& zBack) {
        zBack = d - slice * d / std::max(count, 1);
        zFront = d - (slice + 1) * d / std::max(count, 1);
    };
    // Each series inside its slice of the plot's box, seen from the front: what a zoom or a scroll
    // puts beyond the axes' ranges would otherwise stand over the walls, the floor and the labels.
    for (auto [s, slice] : slices) {
        int zFront = 0, zBack = 0;
        zRange(slice, zFront, zBack);
        // the right and bottom edges inclusive, as the bars' outlines are
        const TPoint slab[] = {{f.Left + zFront, f.Bottom - zFront + 1}, {f.Left + zFront, f.Top - zFront},
                               {f.Left + zBack, f.Top - zBack},         {f.Right + zBack + 1, f.Top - zBack},
                               {f.Right + zBack + 1, f.Bottom - zBack + 1}, {f.Right + zFront + 1, f.Bottom - zFront + 1}};
        TScopedClip clip(canvas->Handle(), slab, 6);
        s->Draw(canvas, zFront, zBack);
    }
    for (TChartAxis* a : axes) {
        int offset = a == FBottomAxis.get() ? (FView3D ? FBottomWall->Size() : 0) : a == FLeftAxis.get() ? (FView3D ? FLeftWall->Size() : 0) : 0;
        a->Draw(canvas, f, d, offset, rect);
    }
    for (auto [s, slice] : slices) {
        int zFront = 0, zBack = 0;
        zRange(slice, zFront, zBack);
        s->DrawMarks(canvas, zFront, zBack);
    }
    FLegend->Draw(canvas, layout.LegendBox, LegendItems());
}

// Drawn off the screen first, so the chart does not flicker while it is built up.
void TChart::Paint() {
    TRect r = ClientRect();
    if (r.IsEmpty()) return;
    TBitmap buffer;
    buffer.SetSize(r.Width(), r.Height());
    Draw(buffer.Canvas(), r);
    Canvas()->Draw(0, 0, &buffer);
}

void TChart::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    TCustomControl::WndProc(m);
}
