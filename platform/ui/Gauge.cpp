#include "platform/ui/Gauge.h"
#include <cmath>
#include <numbers>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/SysUtils.h"

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle |= csFramed | csOpaque;
    SetBounds(0, 0, 100, 100);
}

void TGauge::SetKind(TGaugeKind v) { if (v != FKind) { FKind = v; Invalidate(); } }
void TGauge::SetForeColor(TColor v) { if (v != FForeColor) { FForeColor = v; Invalidate(); } }
void TGauge::SetBackColor(TColor v) { if (v != FBackColor) { FBackColor = v; Invalidate(); } }
void TGauge::SetShowText(bool v) { if (v != FShowText) { FShowText = v; Invalidate(); } }
void TGauge::SetBorderStyle(TBorderStyle v) { if (v != FBorderStyle) { FBorderStyle = v; Invalidate(); } }

void TGauge::SetMinValue(int value) {
    if (value == FMinValue) return;
    if (value > FMaxValue && !(ComponentState() & csLoading))
        throw EInvalidOperation(Format("Value must be between %d and %d", {-2147483647, FMaxValue}));
    FMinValue = value;
    if (FProgress < value) FProgress = value;
    Invalidate();
}

void TGauge::SetMaxValue(int value) {
    if (value == FMaxValue) return;
    if (value < FMinValue && !(ComponentState() & csLoading))
        throw EInvalidOperation(Format("Value must be between %d and %d", {FMinValue, 2147483647}));
    FMaxValue = value;
    if (FProgress > value) FProgress = value;
    Invalidate();
}

void TGauge::SetProgress(int value) {
    value = value < FMinValue ? FMinValue : value > FMaxValue ? FMaxValue : value;
    if (value == FProgress) return;
    FProgress = value;
    Invalidate();
}

int TGauge::PercentDone() const {
    long long range = static_cast<long long>(FMaxValue) - FMinValue;
    if (range == 0) return 0;
    return static_cast<int>((static_cast<long long>(FProgress) - FMinValue) * 100 / range);
}

void TGauge::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect r = ClientRect();
    if (FBorderStyle == bsSingle) {
        c->Brush()->SetColor(clBlack);
        c->FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    int percent = PercentDone();
    double fraction = percent / 100.0;
    TGdiObject<HBRUSH> back(CreateSolidBrush(ColorToRGB(FBackColor)));
    TGdiObject<HBRUSH> fore(CreateSolidBrush(ColorToRGB(FForeColor)));
    RECT whole = r;
    if (FKind != gkPie && FKind != gkNeedle) FillRect(dc, &whole, back.Get());
    switch (FKind) {
    case gkText: break;
    case gkHorizontalBar: {
        RECT bar{r.Left, r.Top, r.Left + static_cast<int>(std::lround(r.Width() * fraction)), r.Bottom};
        FillRect(dc, &bar, fore.Get());
        break;
    }
    case gkVerticalBar: {
        RECT bar{r.Left, r.Bottom - static_cast<int>(std::lround(r.Height() * fraction)), r.Right, r.Bottom};
        FillRect(dc, &bar, fore.Get());
        break;
    }
    case gkPie: {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
        TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(FForeColor)));
        TScopedSelect sp(dc, pen.Get());
        {
            TScopedSelect sb(dc, back.Get());
            ::Ellipse(dc, r.Left, r.Top, r.Right, r.Bottom);
        }
        if (percent > 0) {
            TScopedSelect sb(dc, fore.Get());
            int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
            double angle = std::numbers::pi / 2 - 2 * std::numbers::pi * fraction;   // clockwise from the top
            int ex = cx + static_cast<int>(std::lround(std::cos(angle) * r.Width())), ey = cy - static_cast<int>(std::lround(std::sin(angle) * r.Height()));
            if (percent >= 100) ::Ellipse(dc, r.Left, r.Top, r.Right, r.Bottom);
            else ::Pie(dc, r.Left, r.Top, r.Right, r.Bottom, ex, ey, cx, r.Top);
        }
        break;
    }
    case gkNeedle: {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
        // a half disc standing on the bottom edge, the needle from its centre
        int cx = (r.Left + r.Right) / 2, cy = r.Bottom - 1;
        int rx = r.Width() / 2, ry = r.Height() - 1;
        TGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ColorToRGB(FForeColor)));
        TScopedSelect sp(dc, pen.Get());
        {
            TScopedSelect sb(dc, back.Get());
            ::Pie(dc, cx - rx, cy - ry, cx + rx, cy + ry, r.Right, cy, r.Left, cy);
        }
        double angle = std::numbers::pi * (1 - fraction);
        MoveToEx(dc, cx, cy, nullptr);
        LineTo(dc, cx + static_cast<int>(std::lround(std::cos(angle) * (rx - 1))), cy - static_cast<int>(std::lround(std::sin(angle) * (ry - 1))));
        break;
    }
    }
    if (FShowText) {
        RECT tr = r;
        DrawControlText(dc, Font(), IntToStr(percent) + "%", tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}

void TGauge::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == CM_FONTCHANGED || m.Msg == CM_PARENTFONTCHANGED || m.Msg == CM_COLORCHANGED) Invalidate();
}
