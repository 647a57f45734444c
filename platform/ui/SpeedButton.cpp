#include "platform/ui/SpeedButton.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TWinControl.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 23, 22);
    ControlStyle = csCaptureMouse | csDoubleClicks;
    SetParentFont(true);
    FGlyph->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetNumGlyphs(int value) {
    value = value < 1 ? 1 : value > 4 ? 4 : value;
    if (value == FNumGlyphs) return;
    FNumGlyphs = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value == FGroupIndex) return;
    FGroupIndex = value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0) value = false;
    if (value == FDown) return;
    if (FDown && !FAllowAllUp) return;   // the down button of a group stays down unless all may be up
    FDown = value;
    if (value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Repaint();
    }
    if (value) UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value == FAllowAllUp) return;
    FAllowAllUp = value;
    UpdateExclusive();
}

void TSpeedButton::SetFlat(bool value) { if (value != FFlat) { FFlat = value; Invalidate(); } }
void TSpeedButton::SetLayout(TButtonLayout value) { if (value != FLayout) { FLayout = value; Invalidate(); } }
void TSpeedButton::SetSpacing(int value) { if (value != FSpacing) { FSpacing = value; Invalidate(); } }
void TSpeedButton::SetMargin(int value) { if (value != FMargin && value >= -1) { FMargin = value; Invalidate(); } }

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !FParent) return;
    TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(this), 0};
    FParent->Broadcast(m);
}

void TSpeedButton::CMButtonPressed(TMessage& m) {
    auto* sender = reinterpret_cast<TSpeedButton*>(m.LParam);
    if (static_cast<int>(m.WParam) != FGroupIndex || sender == this) return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!FDragging) return;
    TButtonState state = FDown ? bsExclusive : bsUp;
    if (x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight()) state = FDown ? bsExclusive : bsDown;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!FDragging) return;
    FDragging = false;
    bool doClick = x >= 0 && x < ClientWidth() && y >= 0 && y < ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (doClick) Click();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(m); return;
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(m);
        FMouseInControl = true;
        if (FFlat && Enabled()) Invalidate();
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(m);
        FMouseInControl = false;
        if (FFlat && Enabled()) Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(m);
        if (!Enabled()) { FMouseInControl = false; FState = bsDisabled; }
        else if (FState == bsDisabled) FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
        Invalidate();
        return;
    default: break;
    }
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED || m.Msg == CM_PARENTFONTCHANGED) Invalidate();
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect r = ClientRect();
    bool pushed = FState == bsDown || FState == bsExclusive;
    if (!FFlat) {
        RECT rr = r;
        DrawFrameControl(dc, &rr, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
        r = TRect::From(rr);
    } else {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
        if (pushed || (FMouseInControl && Enabled())) {
            TRect frame = r;
            Frame3D(dc, frame, pushed ? clBtnShadow : clBtnHighlight, pushed ? clBtnHighlight : clBtnShadow, 1);
        }
    }
    TButtonFace face{FGlyph.get(), FNumGlyphs, FState, FLayout, FMargin, FSpacing, Text(), Font(), UseRightToLeftReading(), Enabled()};
    DrawButtonFace(dc, ClientRect(), face, pushed ? Point(1, 1) : Point(0, 0));
}

