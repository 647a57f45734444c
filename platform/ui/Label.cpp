#include "platform/ui/Label.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/TWinControl.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csReplicatable;
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment value) { if (value != FAlignment) { FAlignment = value; Invalidate(); } }
void TLabel::SetLayout(TTextLayout value) { if (value != FLayout) { FLayout = value; Invalidate(); } }
void TLabel::SetWordWrap(bool value) { if (value != FWordWrap) { FWordWrap = value; AdjustBounds(); Invalidate(); } }
void TLabel::SetShowAccelChar(bool value) { if (value != FShowAccelChar) { FShowAccelChar = value; AdjustBounds(); Invalidate(); } }
void TLabel::SetAutoSize(bool value) { if (value != FAutoSize) { FAutoSize = value; AdjustBounds(); } }

void TLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    if (FTransparent) ControlStyle &= ~csOpaque; else ControlStyle |= csOpaque;
    Invalidate();
}

UINT TLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS | AlignmentFlag(FAlignment, UseRightToLeftAlignment());
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    HDC dc = c->Handle();
    TFont font;
    font.Assign(Font());
    if (!Enabled()) font.SetColor(clGrayText);
    String text = Text();
    if (FLayout != tlTop) {
        RECT calc = r;
        int h = DrawControlText(dc, &font, text.empty() ? String(" ") : text, calc, TextFlags() | DT_CALCRECT);
        r.Top += FLayout == tlBottom ? r.Height() - h : (r.Height() - h) / 2;
    }
    RECT rr = r;
    DrawControlText(dc, &font, text, rr, TextFlags());
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || (ComponentState() & csLoading)) return;
    TWindowDCBorrow screen(nullptr);
    String text = Text();
    if (text.empty()) text = " ";   // an empty label keeps the height of one line
    RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
    DrawControlText(screen.Get(), Font(), text, r, TextFlags() | DT_CALCRECT);
    int width = FWordWrap ? FWidth : r.right;
    int left = FLeft;
    if (!FWordWrap && (FAlignment == taRightJustify) != UseRightToLeftAlignment() && FAlignment != taCenter)
        left = FLeft + FWidth - width;
    SetBounds(left, FTop, width, r.bottom);
}

void TLabel::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    switch (m.Msg) {
    case CM_TEXTCHANGED: AdjustBounds(); Invalidate(); break;
    case CM_FONTCHANGED: case CM_PARENTFONTCHANGED: case CM_BIDIMODECHANGED: case CM_PARENTBIDIMODECHANGED:
        AdjustBounds();
        Invalidate();
        break;
    default: break;
    }
}
