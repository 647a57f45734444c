#include "platform/web/PagePainter.h"
#include <algorithm>
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/TextShaping.h"

namespace web {

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.Get());
}

// The picture repeated from the box's corner across it, or once.
void Tile(HDC dc, const RECT& box, TGraphic* picture, bool repeat) {
    const int w = picture->Width(), h = picture->Height();
    if (w <= 0 || h <= 0) return;
    TScopedDCState state(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    RECT clip;
    GetClipBox(dc, &clip);
    TCanvas canvas;
    canvas.SetHandle(dc);
    int firstY = int(box.top) + std::max(0, int(clip.top - box.top) / h) * h;
    for (int y = firstY; y < box.bottom && y < clip.bottom; y += h) {
        for (int x = box.left; x < box.right; x += w) {
            canvas.StretchDraw(Rect(x, y, x + w, y + h), picture);
            if (!repeat) break;
        }
        if (!repeat) break;
    }
    canvas.SetHandle(nullptr);
}

}  // namespace

void PaintPage(HDC dc, const RECT& client, const TPageLayout& layout, TPageMeasure& measure, int scrollY,
               TPageSelectionRange selection) {
    const TPageCanvas& canvasBg = layout.Canvas();
    Fill(dc, client, PageColorRef(canvasBg.Color.value_or(0xFFFFFF)));
    if (!canvasBg.Image.empty()) {
        if (TGraphic* picture = measure.Picture(canvasBg.Image)) {
            RECT page{client.left, client.top - scrollY, client.right, std::max<LONG>(client.bottom, layout.Height() - scrollY)};
            Tile(dc, page, picture, canvasBg.Repeat);
        }
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    for (const TPaintItem& item : layout.Items()) {
        RECT r{item.Box.Left, item.Box.Top - scrollY, item.Box.Right, item.Box.Bottom - scrollY};
        if (r.bottom < client.top || r.top > client.bottom) continue;
        switch (item.Kind) {
        case TPaintKind::Fill: Fill(dc, r, PageColorRef(item.Color)); break;
        case TPaintKind::Background:
            if (TGraphic* picture = measure.Picture(item.Source)) Tile(dc, r, picture, item.Repeat);
            break;
        case TPaintKind::Border: {
            const TBorderSide* s = item.Sides;
            if (s[SideTop].Width) Fill(dc, {r.left, r.top, r.right, r.top + s[SideTop].Width}, PageColorRef(s[SideTop].Color));
            if (s[SideBottom].Width)
                Fill(dc, {r.left, r.bottom - s[SideBottom].Width, r.right, r.bottom}, PageColorRef(s[SideBottom].Color));
            if (s[SideLeft].Width) Fill(dc, {r.left, r.top, r.left + s[SideLeft].Width, r.bottom}, PageColorRef(s[SideLeft].Color));
            if (s[SideRight].Width)
                Fill(dc, {r.right - s[SideRight].Width, r.top, r.right, r.bottom}, PageColorRef(s[SideRight].Color));
            break;
        }
        case TPaintKind::Image:
            if (TGraphic* picture = measure.Picture(item.Source)) {
                TCanvas canvas;
                canvas.SetHandle(dc);
                canvas.StretchDraw(Rect(r.left, r.top, r.right, r.bottom), picture);
                canvas.SetHandle(nullptr);
            }
            break;
        case TPaintKind::Text: {
            const bool selected = selection.Holds(item.Sequence);
            COLORREF color = PageColorRef(item.Color);
            if (selected) {
                Fill(dc, r, GetSysColor(COLOR_HIGHLIGHT));
                color = GetSysColor(COLOR_HIGHLIGHTTEXT);
            }
            TScopedSelect font(dc, measure.Font(item.Font));
            SetTextColor(dc, color);
            if (item.Text != L" ") DrawShapedText(dc, r.left, r.top, item.Text, item.RightToLeft);
            const int thickness = std::max(1, item.Font.Size / 14);
            if (item.Underline) {
                int y = r.top + item.Ascent + std::max(1, item.Font.Size / 10);
                Fill(dc, {r.left, y, r.right, y + thickness}, color);
            }
            if (item.LineThrough) {
                int y = r.top + item.Ascent * 2 / 3;
                Fill(dc, {r.left, y, r.right, y + thickness}, color);
            }
            break;
        }
        }
    }
    SetBkMode(dc, oldMode);
}

}  // namespace web
