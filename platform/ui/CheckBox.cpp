#include "platform/ui/CheckBox.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    ControlStyle = csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= BS_3STATE;
    if ((FAlignment == taLeftJustify) != UseRightToLeftAlignment()) p.Style |= BS_LEFTTEXT;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    RecreateWnd();
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (value == FState) return;
    FState = value;
    if (HandleAllocated()) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    Click();
}

void TCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && (HIWORD(m.WParam) == BN_CLICKED || HIWORD(m.WParam) == BN_DOUBLECLICKED)) {
        Toggle();
        return;
    }
    TWinControl::WndProc(m);
}
