#pragma once
// TGauge: a windowless progress display, as text, bar, pie or needle. Progress stays within
// MinValue..MaxValue.
#include "platform/ui/Panel.h"
#include "platform/ui/TGraphicControl.h"

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
using enum TGaugeKind;

class TGauge : public TGraphicControl {
public:
    explicit TGauge(TComponent* owner);

    TGaugeKind Kind() const { return FKind; }
    void SetKind(TGaugeKind value);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);        // EInvalidOperation above MaxValue
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);        // EInvalidOperation below MinValue
    int Progress() const { return FProgress; }
    void SetProgress(int value);        // clamped to MinValue..MaxValue
    void AddProgress(int value) { SetProgress(FProgress + value); }
    int PercentDone() const;
    TColor ForeColor() const { return FForeColor; }
    void SetForeColor(TColor value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    TGaugeKind FKind = gkHorizontalBar;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FProgress = 0;
    TColor FForeColor = clBlack;
    TColor FBackColor = clWhite;
    bool FShowText = true;
    TBorderStyle FBorderStyle = bsSingle;
};
