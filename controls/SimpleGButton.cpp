#include "controls/SimpleGButton.h"
#include "platform/ui/Alignment.h"

TSimpleGButton::TSimpleGButton(TComponent* owner) : TSpeedButton(owner) {
    Glyph()->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

void TSimpleGButton::SetAutoSize(bool value) {
    FAutoSize = value;
    if (!value) return;
    SetBounds(Left(), Top(), GlyphFrameWidth(), Glyph()->Height());
    Invalidate();
}

void TSimpleGButton::SetPositionEffect(bool value) {
    if (value == FPositionEffect) return;
    FPositionEffect = value;
    Invalidate();
}

void TSimpleGButton::GlyphChanged(TObject*) {
    if (FAutoSize) SetAutoSize(true);
    else Invalidate();
}

int TSimpleGButton::FrameLeft() const {
    int n = NumGlyphs(), w = GlyphFrameWidth();
    if (n <= 1) return 0;
    if (GroupIndex() == 0) {
        int x = FHover ? w : 0;
        if (FPressed && n > 2) x += w;
        return x;
    }
    if (!Down()) return FHover && n >= 4 ? w : 0;
    if (n < 4) return w;
    return FHover ? 3 * w : 2 * w;
}

void TSimpleGButton::Paint() {
    TCanvas* c = Canvas();
    TRect client = ClientRect();
    TBitmap* glyph = Glyph();
    if (glyph->Empty()) {
        if (ComponentState() & csDesigning) {
            c->Pen()->SetStyle(psDash);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(client);
        }
    } else {
        int x = FrameLeft();
        c->CopyRect(Rect(0, 0, Width(), Height()), glyph->Canvas(), Rect(x, 0, x + GlyphFrameWidth(), glyph->Height()));
    }
    String caption = Caption();
    if (caption.empty()) return;
    c->SetFont(Font());
    RECT r = client;
    if (FPositionEffect && FPressed) OffsetRect(&r, 1, 1);
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | (UseRightToLeftReading() ? DT_RTLREADING : 0);
    DrawControlText(c->Handle(), Font(), caption, r, flags);
}

void TSimpleGButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(m); return;
    case CM_MOUSELEAVE: CMMouseLeave(m); return;
    default: TSpeedButton::WndProc(m);
    }
}

void TSimpleGButton::CMMouseEnter(TMessage& m) {
    TSpeedButton::WndProc(m);
    FHover = true;
    Invalidate();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TSimpleGButton::CMMouseLeave(TMessage& m) {
    TSpeedButton::WndProc(m);
    FHover = false;
    Invalidate();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TSimpleGButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    FPressed = true;
    Invalidate();
}

void TSimpleGButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseUp(button, shift, x, y);
    FPressed = false;
    Invalidate();
}
