#include "platform/chart/ChartLegend.h"
#include <algorithm>

namespace {
constexpr int Padding = 4;   // inside the frame and between an item's box and its text
}

TChartLegend::TChartLegend()
    : FFont(std::make_unique<TFont>()), FFrame(std::make_unique<TChartPen>()), FDividingLines(std::make_unique<TChartPen>()) {
    FFont->SetColor(clBlack);
    FDividingLines->SetVisible(false);
    auto changed = [this](TObject*) { Changed(); };
    FFont->OnChange = changed;
    FFrame->OnChange = changed;
    FDividingLines->OnChange = changed;
}

void TChartLegend::SetVisible(bool value) { if (value != FVisible) { FVisible = value; Changed(); } }
void TChartLegend::SetAlignment(TLegendAlignment value) { if (value != FAlignment) { FAlignment = value; Changed(); } }
void TChartLegend::SetColor(TColor value) { if (value != FColor) { FColor = value; Changed(); } }
void TChartLegend::SetColorWidth(int value) { if (value != FColorWidth) { FColorWidth = std::max(0, value); Changed(); } }
void TChartLegend::SetShadowSize(int value) { if (value != FShadowSize) { FShadowSize = std::max(0, value); Changed(); } }
void TChartLegend::SetShadowColor(TColor value) { if (value != FShadowColor) { FShadowColor = value; Changed(); } }

int TChartLegend::ItemWidth(TCanvas* canvas, const String& text) const {
    return Padding + FColorWidth + Padding + canvas->TextWidth(text) + Padding;
}

TRect TChartLegend::Bounds(TCanvas* canvas, const TRect& area, const Items& items) const {
    if (!FVisible || items.empty()) return TRect{};
    canvas->SetFont(FFont.get());
    int line = canvas->TextHeight("Ag") + Padding;
    int width = 0, height = 0;
    if (Vertical()) {
        for (const auto& item : items) width = std::max(width, ItemWidth(canvas, item.second));
        height = static_cast<int>(items.size()) * line + 2;
    } else {
        for (const auto& item : items) width += ItemWidth(canvas, item.second);
        height = line + 2;
    }
    width += 2;
    switch (FAlignment) {
    case laTop: return ::Bounds(std::max(area.Left, (area.Left + area.Right - width) / 2), area.Top, width, height);
    case laBottom:
        return ::Bounds(std::max(area.Left, (area.Left + area.Right - width) / 2), area.Bottom - FShadowSize - height, width, height);
    case laLeft: return ::Bounds(area.Left, area.Top, width, height);
    default: return ::Bounds(area.Right - FShadowSize - width, area.Top, width, height);
    }
}

void TChartLegend::Draw(TCanvas* canvas, const TRect& bounds, const Items& items) const {
    if (bounds.IsEmpty()) return;
    canvas->Brush()->SetStyle(bsSolid);
    if (FShadowSize > 0) {
        canvas->Brush()->SetColor(FShadowColor);
        canvas->FillRect(Rect(bounds.Left + FShadowSize, bounds.Top + FShadowSize,
                              bounds.Right + FShadowSize, bounds.Bottom + FShadowSize));
    }
    canvas->Brush()->SetColor(FColor);
    if (FFrame->Visible()) {
        canvas->Pen()->Assign(FFrame.get());
        canvas->Rectangle(bounds);
    } else {
        canvas->FillRect(bounds);
    }
    canvas->SetFont(FFont.get());
    int line = canvas->TextHeight("Ag") + Padding;
    int x = bounds.Left + 1, y = bounds.Top + 1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& [color, text] = items[i];
        int width = Vertical() ? bounds.Width() - 2 : ItemWidth(canvas, text);
        if (i > 0 && FDividingLines->Visible()) {
            canvas->Pen()->Assign(FDividingLines.get());
            if (Vertical()) { canvas->MoveTo(bounds.Left + 1, y); canvas->LineTo(bounds.Right - 1, y); }
            else { canvas->MoveTo(x, bounds.Top + 1); canvas->LineTo(x, bounds.Bottom - 1); }
        }
        canvas->Pen()->SetColor(clBlack);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetWidth(1);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(color);
        canvas->Rectangle(::Bounds(x + Padding, y + Padding / 2 + 1, FColorWidth, line - Padding - 2));
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(x + Padding + FColorWidth + Padding, y + Padding / 2, text);
        if (Vertical()) y += line; else x += width;
    }
}
