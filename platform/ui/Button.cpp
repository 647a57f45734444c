#include "platform/ui/Button.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    // the system button captures the mouse and reports the click itself
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) {
    if (value == FDefault) return;
    FDefault = value;
    // an owner-drawn button keeps its own style
    if (HandleAllocated() && (GetWindowLongW(FHandle, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
        SendMessageW(FHandle, BM_SETSTYLE, FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TWinControl::Click();
}

// Enter presses the default button and Escape the cancel button of the form.
void TButton::CMDialogKey(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    if (((key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel)) && IsShowing() && Enabled() &&
        !(KeyDataToShiftState(m.LParam) & (ssAlt | ssCtrl))) {
        Click();
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) { Click(); return; }
        break;
    case CM_DIALOGKEY: CMDialogKey(m); return;
    default: break;
    }
    TWinControl::WndProc(m);
}
