#pragma once
// TChartLegend: the box that names each series beside a box of its colour. At the top or bottom of
// the chart the items stand in one row, at the left or right in one column; dividing lines may
// separate them and a shadow may fall to the lower right.
#include <memory>
#include <utility>
#include <vector>
#include "platform/chart/ChartPen.h"
#include "platform/graphics/Canvas.h"

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };
using enum TLegendAlignment;

class TChartLegend : public TPersistent {
public:
    using Items = std::vector<std::pair<TColor, String>>;

    TChartLegend();

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    TLegendAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TLegendAlignment value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int ColorWidth() const { return FColorWidth; }     // pixels of each colour box
    void SetColorWidth(int value);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    TFont* Font() const { return FFont.get(); }
    TChartPen* Frame() const { return FFrame.get(); }
    TChartPen* DividingLines() const { return FDividingLines.get(); }

    // The legend's box for these items, placed at its side of the area; its shadow lies outside.
    TRect Bounds(TCanvas* canvas, const TRect& area, const Items& items) const;
    void Draw(TCanvas* canvas, const TRect& bounds, const Items& items) const;

    TNotifyEvent OnChange;

private:
    void Changed() { if (OnChange) OnChange(this); }
    bool Vertical() const { return FAlignment == laLeft || FAlignment == laRight; }
    int ItemWidth(TCanvas* canvas, const String& text) const;

    bool FVisible = true;
    TLegendAlignment FAlignment = laRight;
    TColor FColor = clWhite;
    int FColorWidth = 12;
    int FShadowSize = 3;
    TColor FShadowColor = clBlack;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TChartPen> FFrame;
    std::unique_ptr<TChartPen> FDividingLines;
};
