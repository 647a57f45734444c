#pragma once
// TCheckBox over the system BUTTON class (a three-state box the control toggles itself, so that
// State is the truth and a change by code clicks as a change by the user does).
#include "platform/ui/Alignment.h"
#include "platform/ui/TWinControl.h"

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using enum TCheckBoxState;

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState value);       // fires OnClick on a change
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    TAlignment Alignment() const { return FAlignment; }   // taRightJustify: the text right of the box
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};
