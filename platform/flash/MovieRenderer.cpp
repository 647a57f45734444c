#include "MovieRenderer.h"
#include <algorithm>
#include <cmath>
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/TextShaping.h"

namespace {

COLORREF Ref(const MovieColor& c) { return RGB(c.r, c.g, c.b); }

// A pen or brush of a colour, or none: the stock object that draws nothing stands in.
TGdiObject<HPEN> PenFor(const std::optional<MovieColor>& c, int width) {
    return TGdiObject<HPEN>(c ? CreatePen(PS_SOLID, width, Ref(*c)) : nullptr);
}

TGdiObject<HBRUSH> BrushFor(const std::optional<MovieColor>& c) {
    return TGdiObject<HBRUSH>(c ? CreateSolidBrush(Ref(*c)) : nullptr);
}

template <class H>
HGDIOBJ OrStock(const TGdiObject<H>& object, int stock) {
    return object ? static_cast<HGDIOBJ>(object.Get()) : GetStockObject(stock);
}

RECT MapRect(const StageMapping& m, const MovieRect& r) {
    return RECT{m.ToWindowX(r.x), m.ToWindowY(r.y), m.ToWindowX(r.x + r.width), m.ToWindowY(r.y + r.height)};
}

int ScaledPen(const StageMapping& m, int pen) {
    return std::max(1, static_cast<int>(std::lround(pen * std::min(m.scaleX, m.scaleY))));
}

void FillGradient(HDC dc, const RECT& r, const MovieColor& from, const MovieColor& to, bool vertical) {
    TRIVERTEX v[2] = {};
    v[0].x = r.left;
    v[0].y = r.top;
    v[0].Red = static_cast<COLOR16>(from.r << 8);
    v[0].Green = static_cast<COLOR16>(from.g << 8);
    v[0].Blue = static_cast<COLOR16>(from.b << 8);
    v[1].x = r.right;
    v[1].y = r.bottom;
    v[1].Red = static_cast<COLOR16>(to.r << 8);
    v[1].Green = static_cast<COLOR16>(to.g << 8);
    v[1].Blue = static_cast<COLOR16>(to.b << 8);
    GRADIENT_RECT g{0, 1};
    GradientFill(dc, v, 2, &g, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void FillSolid(HDC dc, const RECT& r, const MovieColor& c) {
    TGdiObject<HBRUSH> b(CreateSolidBrush(Ref(c)));
    FillRect(dc, &r, b.Get());
}

TGdiObject<HFONT> MakeFont(const MovieTextStyle& s, int height) {
    return TGdiObject<HFONT>(CreateFontW(-height, 0, 0, 0, s.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         ANTIALIASED_QUALITY, DEFAULT_PITCH, s.font.c_str()));
}

// Where each line of a text goes in its box: the font it is drawn in and each line's place.
struct TextLayout {
    TGdiObject<HFONT> font;
    struct Line { WideString text; int x, y, width; };
    std::vector<Line> lines;
    int lineHeight = 0;
};

// fit: a single line wider than its box is laid out smaller rather than over the box's edges
void LayOutText(HDC dc, const StageMapping& m, const RECT& box, const WideString& text, const MovieTextStyle& s,
                bool fit, TextLayout& out) {
    int height = std::max(1, static_cast<int>(std::lround(s.size * m.scaleY)));
    out.font = MakeFont(s, height);
    if (fit && !s.wrap) {
        int w;
        {
            TScopedSelect measured(dc, out.font.Get());
            w = ShapedTextWidth(dc, text, s.rtl);
        }
        int room = box.right - box.left;
        if (w > room && room > 0) out.font = MakeFont(s, std::max(1, height * room / w));
    }
    TScopedSelect selected(dc, out.font.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    out.lineHeight = tm.tmHeight;
    int boxWidth = box.right - box.left;
    std::vector<WideString> lines = s.wrap ? WrapShapedText(dc, text, boxWidth, s.rtl) : std::vector<WideString>{text};
    int step = tm.tmHeight + std::max<int>(tm.tmExternalLeading, tm.tmHeight / 5);   // airy paragraphs
    int y = s.wrap ? box.top : box.top + (box.bottom - box.top - tm.tmHeight) / 2;
    for (WideString& line : lines) {
        int w = ShapedTextWidth(dc, line, s.rtl);
        int x = s.align == MovieAlign::Left     ? box.left
                : s.align == MovieAlign::Right  ? box.right - w
                                                : box.left + (boxWidth - w) / 2;
        out.lines.push_back({std::move(line), x, y, w});
        y += step;
    }
}

void DrawTextIn(HDC dc, const StageMapping& m, const RECT& box, const WideString& text, const MovieTextStyle& s,
                const MovieColor& color, bool fit = false) {
    if (text.empty()) return;
    TextLayout layout;
    LayOutText(dc, m, box, text, s, fit, layout);
    TScopedSelect selected(dc, layout.font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Ref(color));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (const TextLayout::Line& line : layout.lines) DrawShapedText(dc, line.x, line.y, line.text, s.rtl);
}

void DrawShape(HDC dc, const StageMapping& m, const MovieShape& s) {
    TGdiObject<HPEN> pen = PenFor(s.border, ScaledPen(m, s.pen));
    TScopedSelect p(dc, OrStock(pen, NULL_PEN));
    if (s.kind == MovieShapeKind::Line) {
        MoveToEx(dc, m.ToWindowX(s.box.x), m.ToWindowY(s.box.y), nullptr);
        LineTo(dc, m.ToWindowX(s.box.x + s.box.width), m.ToWindowY(s.box.y + s.box.height));
        return;
    }
    TGdiObject<HBRUSH> brush = BrushFor(s.fill);
    TScopedSelect b(dc, OrStock(brush, NULL_BRUSH));
    RECT r = MapRect(m, s.box);
    if (!s.border) {        // GDI leaves out the right and bottom edge when no pen draws them
        ++r.right;
        ++r.bottom;
    }
    switch (s.kind) {
    case MovieShapeKind::Rect: Rectangle(dc, r.left, r.top, r.right, r.bottom); break;
    case MovieShapeKind::RoundRect: {
        int rx = static_cast<int>(std::lround(2 * s.radius * m.scaleX));
        int ry = static_cast<int>(std::lround(2 * s.radius * m.scaleY));
        RoundRect(dc, r.left, r.top, r.right, r.bottom, rx, ry);
        break;
    }
    case MovieShapeKind::Ellipse: Ellipse(dc, r.left, r.top, r.right, r.bottom); break;
    case MovieShapeKind::Line: break;
    }
}

void DrawButton(HDC dc, const StageMapping& m, const MovieButton& button, const MovieButtonLook& look) {
    MovieShape face;
    face.kind = button.radius > 0 ? MovieShapeKind::RoundRect : MovieShapeKind::Rect;
    face.box = button.box;
    face.fill = look.fill;
    face.border = look.border;
    face.pen = button.pen;
    face.radius = button.radius;
    DrawShape(dc, m, face);
    RECT r = MapRect(m, button.box);
    int inset = static_cast<int>(std::lround(8 * m.scaleX));
    r.left += inset;
    r.right -= inset;
    DrawTextIn(dc, m, r, button.caption, button.style, look.text, true);
}

}  // namespace

RECT TextBounds(HDC dc, const StageMapping& m, const MovieText& text) {
    RECT bounds{};
    if (text.text.empty()) return bounds;
    TextLayout layout;
    LayOutText(dc, m, MapRect(m, text.box), text.text, text.style, false, layout);
    for (const TextLayout::Line& line : layout.lines) {
        if (line.width == 0) continue;
        RECT r{line.x, line.y, line.x + line.width, line.y + layout.lineHeight};
        UnionRect(&bounds, &bounds, &r);
    }
    return bounds;
}

RECT RepaintArea(const MoviePlayer& player, const MovieRect& stageArea) {
    RECT r = MapRect(player.Mapping(), stageArea);
    InflateRect(&r, 2, 2);
    return r;
}

HBITMAP MovieRenderer::Picture(const WideString& path) {
    if (FPictureTried && path == FPicturePath) return FPicture.Get();
    FPicturePath = path;
    FPictureTried = true;
    // BMP through the system; other picture formats arrive with the graphics layer
    FPicture.Reset(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    return FPicture.Get();
}

void MovieRenderer::DrawBackground(HDC dc, const MoviePlayer& player, const StageMapping& m) {
    const MovieFile& f = player.File();
    RECT view{0, 0, player.ViewWidth(), player.ViewHeight()};
    const MovieBackground& bg = f.background;
    // the bars around a proportional stage take the background's first colour
    FillSolid(dc, view, bg.kind == MovieBackgroundKind::None ? MovieColor{255, 255, 255} : bg.from);
    if (f.width <= 0) return;
    RECT stage = MapRect(m, MovieRect{0, 0, f.width, f.height});
    switch (bg.kind) {
    case MovieBackgroundKind::None: break;
    case MovieBackgroundKind::Solid: FillSolid(dc, stage, bg.from); break;
    case MovieBackgroundKind::VerticalGradient: FillGradient(dc, stage, bg.from, bg.to, true); break;
    case MovieBackgroundKind::HorizontalGradient: FillGradient(dc, stage, bg.from, bg.to, false); break;
    case MovieBackgroundKind::Picture: {
        HBITMAP pic = Picture(player.BaseFolder() + bg.picture);
        BITMAP info{};
        if (!pic || !GetObjectW(pic, sizeof info, &info)) break;
        TMemoryDC src(dc);
        TScopedSelect selected(src.Get(), pic);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, stage.left, stage.top, stage.right - stage.left, stage.bottom - stage.top, src.Get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        break;
    }
    }
}

void MovieRenderer::DrawItems(HDC dc, const MoviePlayer& player, const std::vector<MovieItem>& items,
                              const StageMapping& m, const RECT& clip) {
    for (const MovieItem& item : items) {
        RECT reach = MapRect(m, ItemArea(item)), meet;
        if (!std::holds_alternative<MovieClipPlacement>(item) && !IntersectRect(&meet, &reach, &clip)) continue;
        if (const MovieText* t = std::get_if<MovieText>(&item)) {
            DrawTextIn(dc, m, MapRect(m, t->box), t->text, t->style, t->style.color);
        } else if (const MovieShape* s = std::get_if<MovieShape>(&item)) {
            DrawShape(dc, m, *s);
        } else if (const MovieButton* b = std::get_if<MovieButton>(&item)) {
            DrawButton(dc, m, *b, player.LookOf(*b));
        } else if (const MovieClipPlacement* p = std::get_if<MovieClipPlacement>(&item)) {
            const MovieClip& movieClip = player.File().clips[p->clip];
            if (const MovieFrame* f = movieClip.Frame(player.ClipFrame(p->clip))) DrawItems(dc, player, f->items, m, clip);
        }
    }
}

void MovieRenderer::Paint(HDC dc, const MoviePlayer& player) {
    StageMapping m = player.Mapping();
    DrawBackground(dc, player, m);
    if (player.File().width <= 0) return;
    RECT stage = MapRect(m, MovieRect{0, 0, player.File().width, player.File().height});
    TScopedDCState saved(dc);
    IntersectClipRect(dc, stage.left, stage.top, stage.right, stage.bottom);
    RECT clip{};
    if (GetClipBox(dc, &clip) == NULLREGION) return;
    DrawItems(dc, player, player.File().items, m, clip);
}
