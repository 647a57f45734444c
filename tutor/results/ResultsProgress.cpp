// The progress pages: a table with a row per finished test, and a chart of the goal, the speed
// and the adjusted speed of each test, which the learner scrolls and zooms.
#include <algorithm>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Alignment.h"
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/results/Results.h"

namespace {

constexpr TColor ChartPanelColor = 0xFFF0E1;
constexpr int ButtonsHeight = 56;
constexpr int RowHeight = 35;
constexpr int CellPadding = 4;              // each side of a cell's text
// How the table's columns share what the page leaves beyond their texts, the test number first.
constexpr int ColumnShares[] = {24, 128, 182, 84, 64};

enum class TArrow { Left, Right, Up, Down };

// Two frames, up and disabled, of an arrowhead on the transparent colour of the bottom-left pixel.
void DrawArrow(TBitmap* glyph, TArrow arrow) {
    constexpr int Size = 20;
    glyph->SetSize(Size * 2, Size);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, Size * 2, Size));
    for (int frame = 0; frame < 2; ++frame) {
        const int x = frame * Size;
        TPoint p[3];
        switch (arrow) {
        case TArrow::Left: p[0] = {x + 4, 10}; p[1] = {x + 15, 3}; p[2] = {x + 15, 17}; break;
        case TArrow::Right: p[0] = {x + 16, 10}; p[1] = {x + 5, 3}; p[2] = {x + 5, 17}; break;
        case TArrow::Up: p[0] = {x + 10, 4}; p[1] = {x + 3, 15}; p[2] = {x + 17, 15}; break;
        case TArrow::Down: p[0] = {x + 10, 16}; p[1] = {x + 3, 5}; p[2] = {x + 17, 5}; break;
        }
        const TColor color = frame == 0 ? TColor(0x633D0F) : clGray;
        c->Brush()->SetColor(color);
        c->Pen()->SetColor(color);
        c->Polygon(p, 3);
    }
}

TBarSeries* NewSeries(TComponent* owner, TChart* chart, const char* name, TColor color, const String& title) {
    auto* series = new TBarSeries(owner);
    series->SetName(name);
    series->SetMultiBar(mbNone);
    series->SetSeriesColor(color);
    series->SetTitle(title);
    series->Marks()->SetVisible(false);
    series->XValues()->SetOrder(loAscending);
    series->SetParentChart(chart);
    return series;
}

}  // namespace

void TResultsForm::BuildProgressPage(TWinControl* page) {
    ResultsList = new TStringGrid(this);
    ResultsList->SetName("ResultsList");
    ResultsList->SetParent(page);
    ResultsList->SetAlign(alClient);
    ResultsList->SetColCount(5);
    ResultsList->SetRowCount(1);
    ResultsList->SetFixedCols(1);
    ResultsList->SetFixedRows(1);
    ResultsList->SetDefaultRowHeight(RowHeight);
    ResultsList->SetColor(clWhite);
    ResultsList->Font()->SetName("Tahoma");
    ResultsList->Font()->SetCharset(ARABIC_CHARSET);
    ResultsList->Font()->SetHeight(-19);
    ResultsList->SetScrollBars(ssVertical);
    ResultsList->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    // the page takes its size when it is first shown
    ResultsList->OnResize = [this](TObject*) { FitResultsColumns(); };
    ResultsList->OnDrawCell = [this](TObject*, int col, int row, const TRect& rect, TGridDrawState) {
        if (row == 0) DrawHeaderCell(col, rect);
    };
}

// A heading wider than its column takes two lines rather than losing its end.
void TResultsForm::DrawHeaderCell(int col, const TRect& rect) {
    TCanvas* canvas = ResultsList->Canvas();
    canvas->FillRect(rect);
    const String& text = ResultsList->Cells(col, 0);
    UINT flags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | (ResultsList->UseRightToLeftReading() ? DT_RTLREADING : 0);
    RECT box{rect.Left + CellPadding, rect.Top, rect.Right - CellPadding, rect.Bottom};
    RECT measured = box;
    DrawControlText(canvas->Handle(), canvas->Font(), text, measured, flags | DT_CALCRECT);
    OffsetRect(&box, 0, std::max(0, (rect.Height() - static_cast<int>(measured.bottom - measured.top)) / 2));
    DrawControlText(canvas->Handle(), canvas->Font(), text, box, flags);
}

// Every column as wide as its widest cell and heading word, whichever the language, what is left
// of the page shared out so the table fills it, and the heading row as tall as its tallest heading.
void TResultsForm::FitResultsColumns() {
    TStringGrid* grid = ResultsList;
    grid->HandleNeeded();
    TFont* font = grid->Font();
    const bool rightToLeft = grid->UseRightToLeftReading();
    std::vector<int> widths;
    for (int col = 0; col < grid->ColCount(); ++col) {
        int widest = 0;
        const String heading = grid->Cells(col, 0);   // wraps between its words only
        for (std::size_t start = 0; start <= heading.size();) {
            const std::size_t end = std::min(heading.find(' ', start), heading.size());
            widest = std::max(widest, ControlTextWidth(font, heading.substr(start, end - start), rightToLeft));
            start = end + 1;
        }
        for (int row = 1; row < grid->RowCount(); ++row)
            widest = std::max(widest, ControlTextWidth(font, grid->Cells(col, row), rightToLeft));
        widths.push_back(widest + 2 * CellPadding);
    }
    // room for the scroll bar the rows of many tests bring
    const bool barShown = GetWindowLongW(grid->Handle(), GWL_STYLE) & WS_VSCROLL;
    int room = grid->ClientWidth() - (barShown ? 0 : GetSystemMetrics(SM_CXVSCROLL)) - grid->ColCount() * grid->GridLineWidth();
    for (int w : widths) room -= w;
    int shares = 0;
    for (int share : ColumnShares) shares += share;
    const int left = std::max(0, room);
    for (int col = 0; col < grid->ColCount(); ++col) grid->SetColWidths(col, widths[col] + left * ColumnShares[col] / shares);

    int tallest = 0;
    TWindowDCBorrow screen(nullptr);
    for (int col = 1; col < grid->ColCount(); ++col) {
        RECT box{0, 0, grid->ColWidths(col) - 2 * CellPadding, 0};
        const UINT flags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT | (rightToLeft ? DT_RTLREADING : 0);
        tallest = std::max(tallest, DrawControlText(screen.Get(), font, grid->Cells(col, 0), box, flags));
    }
    grid->SetRowHeights(0, std::max(RowHeight, tallest + 2 * CellPadding));
}

void TResultsForm::BuildGraphicPage(TWinControl* page) {
    Panel2 = new TPanel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(page);
    Panel2->SetAlign(alBottom);
    Panel2->SetHeight(ButtonsHeight);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetColor(ChartPanelColor);
    Panel2->SetCaption("");
    Panel2->Font()->SetName("Tahoma");
    Panel2->Font()->SetCharset(ARABIC_CHARSET);
    Panel2->Font()->SetStyle(fsBold);
    Panel2->Font()->SetHeight(-15);

    // the arrows say which way the view moves: on along the tests, up the speeds
    struct Arrow { TSpeedButton** button; const char* name; TArrow arrow; TNotifyEvent click; };
    const Arrow arrows[] = {
        {&SpeedButton4, "SpeedButton4", TArrow::Left, [this](TObject* s) { SpeedButton4Click(s); }},
        {&SpeedButton1, "SpeedButton1", TArrow::Right, [this](TObject* s) { SpeedButton1Click(s); }},
        {&SpeedButton2, "SpeedButton2", TArrow::Down, [this](TObject* s) { SpeedButton2Click(s); }},
        {&SpeedButton3, "SpeedButton3", TArrow::Up, [this](TObject* s) { SpeedButton3Click(s); }},
    };
    int left = 10;
    for (const Arrow& a : arrows) {
        auto* button = new TSpeedButton(this);
        button->SetName(a.name);
        button->SetParent(Panel2);
        button->SetBounds(left, 12, 34, 32);
        DrawArrow(button->Glyph(), a.arrow);
        button->SetNumGlyphs(2);
        button->OnClick = a.click;
        *a.button = button;
        left += 38;
    }
    left += 8;
    auto zoomButton = [&](TBitBtn* button, const char* name, int width, TNotifyEvent click) {
        button->SetName(name);
        button->SetParent(Panel2);
        button->SetBounds(left, 12, width, 32);
        button->OnClick = std::move(click);
        left += width + 6;
    };
    ZoomInBtn = new TBitBtn(this);
    zoomButton(ZoomInBtn, "ZoomInBtn", 98, [this](TObject* s) { ZoomInBtnClick(s); });
    ZoomOutBtn = new TBitBtn(this);
    zoomButton(ZoomOutBtn, "ZoomOutBtn", 98, [this](TObject* s) { ZoomOutBtnClick(s); });
    ResetZoomBtn = new TBitBtn(this);
    zoomButton(ResetZoomBtn, "ResetZoomBtn", 130, [this](TObject* s) { ResetZoomBtnClick(s); });
    ResetZoomBtn->SetEnabled(false);

    TheChart = new TChart(this);
    TheChart->SetName("TheChart");
    TheChart->SetParent(page);
    TheChart->SetAlign(alClient);
    TheChart->SetColor(ChartPanelColor);
    TheChart->SetBackColor(0x80FFFF);
    TheChart->BackWall()->SetTransparent(true);
    TheChart->BackWall()->Pen()->SetColor(clRed);
    TheChart->LeftWall()->SetColor(0xFFFF80);
    TheChart->BottomWall()->SetSize(4);
    TheChart->Frame()->SetColor(clRed);
    TheChart->Title()->SetText("");
    TheChart->SetChart3DPercent(10);
    TheChart->View3DOptions()->SetHorizOffset(-3);
    TheChart->View3DOptions()->SetZoom(103);
    TChartLegend* legend = TheChart->Legend();
    legend->SetAlignment(laTop);
    legend->SetColorWidth(22);
    legend->DividingLines()->SetColor(clSilver);
    legend->SetShadowColor(clGray);
    legend->SetShadowSize(5);
    legend->Font()->SetName("Tahoma");
    legend->Font()->SetCharset(ARABIC_CHARSET);
    legend->Font()->SetHeight(-14);
    TChartAxis* left_ = TheChart->LeftAxis();
    left_->Grid()->SetVisible(false);
    left_->Title()->Font()->SetName("Tahoma");
    left_->Title()->Font()->SetCharset(ARABIC_CHARSET);
    left_->Title()->Font()->SetStyle(fsBold);
    left_->Title()->Font()->SetHeight(-19);
    left_->Title()->Font()->SetColor(clBlack);

    Series5 = NewSeries(this, TheChart, "Series5", 0xBBBB00, "الهدف"_a);
    Series7 = NewSeries(this, TheChart, "Series7", 0xECD9D9, "كلمة في الدقيقة"_a);
    Series6 = NewSeries(this, TheChart, "Series6", 0xC89191, "كلمة صحيحة في الدقيقة"_a);
    Series7->XValues()->SetDateTime(true);
    Series6->XValues()->SetDateTime(true);
    Series6->Marks()->SetVisible(true);
    Series6->Marks()->SetBackColor(0x00FF80);
}

void TResultsForm::FillProgressGrid() {
    TRunResults& r = RunResults;
    const int n = r.WpmHistory.Count();
    ResultsList->SetRowCount(n + 1);
    for (TStringList* list : {&r.AwpmHistory, &r.SecondsHistory, &r.TestAccuracyHistory})
        while (list->Count() < n) list->Add("0");
    for (int i = 1; i <= n; ++i) {
        const int k = i - 1;
        ResultsList->SetCells(0, i, IntToStr(i) + "-");
        ResultsList->SetCells(1, i, r.WpmHistory[k]);
        ResultsList->SetCells(2, i, r.AwpmHistory[k]);
        ResultsList->SetCells(3, i, IntToStr(TRunResults::LineValue(r.TestAccuracyHistory, k)) + " %");
        ResultsList->SetCells(4, i, r.SecondsHistory[k]);
    }
}

void TResultsForm::FillChart() {
    const TRunResults& r = RunResults;
    for (int s = 0; s < 3; ++s) TheChart->Series(s)->Clear();
    for (int i = 1; i <= r.WpmHistory.Count(); ++i) {
        const int w = TRunResults::LineValue(r.WpmHistory, i - 1);
        const int a = TRunResults::LineValue(r.AwpmHistory, i - 1);
        TheChart->Series(2)->Add(a, "");
        TheChart->Series(1)->Add(w, IntToStr(w));
        TheChart->Series(0)->Add(UserGoal, IntToStr(i));
    }
}

void TResultsForm::ScrollAxis(TChartAxis* axis, double percent) {
    const double shift = (axis->Maximum() - axis->Minimum()) / (100 / percent);
    axis->SetMinMax(axis->Minimum() + shift, axis->Maximum() + shift);
}

void TResultsForm::ScrollHorizontalAxes(double percent) {
    ScrollAxis(TheChart->TopAxis(), percent);
    ScrollAxis(TheChart->BottomAxis(), percent);
    ResetZoomBtn->SetEnabled(true);
}

void TResultsForm::ScrollVerticalAxes(double percent) {
    ScrollAxis(TheChart->LeftAxis(), percent);
    ScrollAxis(TheChart->RightAxis(), percent);
    ResetZoomBtn->SetEnabled(true);
}

void TResultsForm::SpeedButton1Click(TObject*) { ScrollHorizontalAxes(10); }
void TResultsForm::SpeedButton4Click(TObject*) { ScrollHorizontalAxes(-10); }
void TResultsForm::SpeedButton3Click(TObject*) { ScrollVerticalAxes(10); }
void TResultsForm::SpeedButton2Click(TObject*) { ScrollVerticalAxes(-10); }

void TResultsForm::ZoomInBtnClick(TObject*) {
    TheChart->ZoomPercent(120);
    ResetZoomBtn->SetEnabled(true);
}

void TResultsForm::ZoomOutBtnClick(TObject*) {
    TheChart->ZoomPercent(80);
    ResetZoomBtn->SetEnabled(true);
}

void TResultsForm::ResetZoomBtnClick(TObject*) {
    TheChart->UndoZoom();
    ResetZoomBtn->SetEnabled(false);
}
