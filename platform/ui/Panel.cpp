#include "platform/ui/Panel.h"
#include "platform/graphics/GdiObject.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks | csReplicatable;
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TPanel::SetBevelInner(TPanelBevel v) { if (v != FBevelInner) { FBevelInner = v; Realign(); Invalidate(); } }
void TPanel::SetBevelOuter(TPanelBevel v) { if (v != FBevelOuter) { FBevelOuter = v; Realign(); Invalidate(); } }
void TPanel::SetBevelWidth(int v) { if (v != FBevelWidth) { FBevelWidth = v; Realign(); Invalidate(); } }
void TPanel::SetBorderWidth(int v) { if (v != FBorderWidth) { FBorderWidth = v; Realign(); Invalidate(); } }
void TPanel::SetAlignment(TAlignment v) { if (v != FAlignment) { FAlignment = v; Invalidate(); } }
void TPanel::SetBorderStyle(TBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
}

int TPanel::BevelSpace() const {
    return FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
}

void TPanel::AlignControls(TRect& rect) {
    int s = BevelSpace();
    rect.Left += s; rect.Top += s; rect.Right -= s; rect.Bottom -= s;
    TCustomControl::AlignControls(rect);
}

void Frame3D(HDC dc, TRect& r, TColor topColor, TColor bottomColor, int width) {
    TGdiObject<HPEN> top(CreatePen(PS_SOLID, 1, ColorToRGB(topColor)));
    TGdiObject<HPEN> bottom(CreatePen(PS_SOLID, 1, ColorToRGB(bottomColor)));
    r.Right -= 1; r.Bottom -= 1;
    for (int i = 0; i < width; ++i) {
        {
            TScopedSelect s(dc, top.Get());
            POINT pts[3] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
            Polyline(dc, pts, 3);
        }
        {
            TScopedSelect s(dc, bottom.Get());
            POINT pts[3] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
            Polyline(dc, pts, 3);
        }
        r.Left += 1; r.Top += 1; r.Right -= 1; r.Bottom -= 1;
    }
    r.Right += 1; r.Bottom += 1;
}

void TPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    HDC dc = c->Handle();
    auto bevel = [&](TPanelBevel b) {
        if (b == bvNone) return;
        if (b == bvSpace) { r.Left += FBevelWidth; r.Top += FBevelWidth; r.Right -= FBevelWidth; r.Bottom -= FBevelWidth; return; }
        bool raised = b == bvRaised;
        Frame3D(dc, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    bevel(FBevelOuter);
    r.Left += FBorderWidth; r.Top += FBorderWidth; r.Right -= FBorderWidth; r.Bottom -= FBorderWidth;
    bevel(FBevelInner);
    String text = Text();
    if (text.empty()) return;
    UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | AlignmentFlag(FAlignment, UseRightToLeftAlignment());
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    RECT rr = r;
    DrawControlText(dc, Font(), text, rr, flags);
}

void TPanel::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED || m.Msg == CM_BIDIMODECHANGED) Invalidate();
}
