#include "platform/ui/ButtonFace.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Alignment.h"

// The glyph frame of the state, then the caption beside it as Layout, Margin and Spacing place them.
void DrawButtonFace(HDC dc, const TRect& client, const TButtonFace& f, TPoint offset) {
    int gw = f.Glyph->Empty() ? 0 : f.Glyph->Width() / f.NumGlyphs, gh = f.Glyph->Empty() ? 0 : f.Glyph->Height();
    const String& caption = f.Caption;
    RECT textRect{0, 0, client.Width(), 0};
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | (f.RightToLeft ? DT_RTLREADING : 0);
    if (!caption.empty()) DrawControlText(dc, f.Font, caption, textRect, flags | DT_CALCRECT);
    int tw = caption.empty() ? 0 : textRect.right, th = caption.empty() ? 0 : textRect.bottom;
    bool horizontal = f.Layout == blGlyphLeft || f.Layout == blGlyphRight;
    int spacing = gw && tw ? f.Spacing : 0;
    int total = horizontal ? gw + spacing + tw : gh + spacing + th;
    int extent = horizontal ? client.Width() : client.Height();
    int margin = f.Margin < 0 ? (extent - total) / 2 : f.Margin;
    TPoint gp, tp;
    if (horizontal) {
        gp.Y = (client.Height() - gh) / 2;
        tp.Y = (client.Height() - th) / 2;
        if (f.Layout == blGlyphLeft) { gp.X = margin; tp.X = margin + gw + spacing; }
        else { gp.X = extent - margin - gw; tp.X = gp.X - spacing - tw; }
    } else {
        gp.X = (client.Width() - gw) / 2;
        tp.X = (client.Width() - tw) / 2;
        if (f.Layout == blGlyphTop) { gp.Y = margin; tp.Y = margin + gh + spacing; }
        else { gp.Y = extent - margin - gh; tp.Y = gp.Y - spacing - th; }
    }
    if (gw > 0) {
        int index = 0;
        if (!f.Enabled && f.NumGlyphs > 1) index = 1;
        else if (f.State == bsDown && f.NumGlyphs > 2) index = 2;
        else if (f.State == bsExclusive && f.NumGlyphs > 3) index = 3;
        else if ((f.State == bsDown || f.State == bsExclusive) && f.NumGlyphs > 2) index = 2;
        // the glyph's own canvas holds its bitmap, so it is the source
        COLORREF transparent = ColorToRGB(f.Glyph->TransparentColor());
        TransparentBlt(dc, client.Left + gp.X + offset.X, client.Top + gp.Y + offset.Y, gw, gh, f.Glyph->Canvas()->Handle(),
                       index * gw, 0, gw, gh, transparent);
    }
    if (!caption.empty()) {
        RECT tr{client.Left + tp.X + offset.X, client.Top + tp.Y + offset.Y, 0, 0};
        tr.right = tr.left + tw;
        tr.bottom = tr.top + th;
        TFont font;
        font.Assign(f.Font);
        if (!f.Enabled) font.SetColor(clGrayText);
        DrawControlText(dc, &font, caption, tr, flags);
    }
}
