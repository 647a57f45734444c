#pragma once
// TLabel: windowless text painted by its parent. AutoSize fits the bounds to the text (keeping the
// right edge for right-to-left alignment); right-to-left reading orders the text as Arabic.
#include "platform/ui/Alignment.h"
#include "platform/ui/TGraphicControl.h"

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    virtual void AdjustBounds();
    UINT TextFlags() const;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FAutoSize = true;
    bool FShowAccelChar = true;
};
