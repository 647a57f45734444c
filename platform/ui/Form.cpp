#include <algorithm>
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

TForm* GetParentForm(TControl* control) {
    if (!control) return nullptr;
    TControl* top = control;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<TForm*>(top);
}

TForm::TForm(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    FVisible = false;
    FWidth = 320;
    FHeight = 240;
    ControlStyle |= csAcceptsControls;
    ControlState |= csCustomPaint;
    SetParentColor(false);
    SetColor(clBtnFace);
    Screen->AddForm(this);
}

TForm::~TForm() {
    if (!FDestroyCalled) BeforeDestruction();
    Destroying();
    FCanvas->FreeHandle();
    Screen->RemoveForm(this);
    if (FHandle) DestroyHandle();
}

void TForm::AfterConstruction() {
    if (FCreated) return;
    FCreated = true;
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        HandleControlException(this);
    }
}

void TForm::BeforeDestruction() {
    if (FDestroyCalled) return;
    FDestroyCalled = true;
    Destroying();
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (...) {
        HandleControlException(this);
    }
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle value) {
    if (value == FFormStyle) return;
    FFormStyle = value;
    if (FHandle)
        SetWindowPos(FHandle, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetWindowState(TWindowState value) {
    if (value == FWindowState) return;
    FWindowState = value;
    if (FHandle && FShowing)
        ShowWindow(FHandle, value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

bool TForm::Active() const { return Screen->FocusedForm() == this; }

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style &= ~(WS_CHILD | WS_TABSTOP);
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;
    switch (FBorderStyle) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: p.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER; break;
    case bsSizeable: p.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog: p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU; p.ExStyle |= WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: p.Style |= WS_CAPTION | WS_SYSMENU; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (FFormStyle == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    // the main form carries the task-bar button; the others are owned by it
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main != this) p.WndParent = main->Handle();
    else { p.WndParent = nullptr; p.ExStyle |= WS_EX_APPWINDOW; }
    p.WindowClass.hbrBackground = nullptr;
    p.WinClassName = L"Tapwise.Form";
}

// The frame's size around the client area, from the window styles.
TRect TForm::FrameAdjust() {
    TCreateParams p;
    if (FHandle) {
        p.Style = GetWindowLongW(FHandle, GWL_STYLE);
        p.ExStyle = GetWindowLongW(FHandle, GWL_EXSTYLE);
    } else {
        TWinControl::CreateParams(p);
        p.Style &= ~WS_CHILD;
        if (FBorderStyle == bsNone) p.Style |= WS_POPUP;
        else if (FBorderStyle == bsSizeable) p.Style |= WS_OVERLAPPEDWINDOW;
        else p.Style |= WS_CAPTION | WS_SYSMENU | (FBorderStyle == bsSizeToolWin ? WS_THICKFRAME : 0);
        if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
        if (FBorderStyle == bsDialog) p.ExStyle |= WS_EX_DLGMODALFRAME;
    }
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    return TRect::From(r);
}

TRect TForm::ClientRect() {
    if (FHandle) return TWinControl::ClientRect();
    TRect f = FrameAdjust();
    return Rect(0, 0, std::max(0, FWidth - f.Width()), std::max(0, FHeight - f.Height()));
}

void TForm::SetClientSize(int width, int height) {
    TRect f = FrameAdjust();
    SetBounds(FLeft, FTop, width + f.Width(), height + f.Height());
}

void TForm::DestroyWnd() {
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

void TForm::PaintWindow(HDC dc) {
    FCanvas->PaintOn(dc, [this] { Paint(); });
}

void TForm::ApplyPosition() {
    int left = FLeft, top = FTop;
    TForm* main = Application ? Application->MainForm() : nullptr;
    if (FPosition == poMainFormCenter && main && main != this && main->HandleAllocated()) {
        left = main->Left() + (main->Width() - FWidth) / 2;
        top = main->Top() + (main->Height() - FHeight) / 2;
    } else if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
               FPosition == poOwnerFormCenter) {
        left = (Screen->Width() - FWidth) / 2;
        top = (Screen->Height() - FHeight) / 2;
    } else {
        return;
    }
    SetBounds(std::max(left, 0), std::max(top, 0), FWidth, FHeight);
}

void TForm::CMShowingChanged(TMessage&) {
    if (FShowing) {
        DoShow();
        ApplyPosition();
        int cmd = FWindowState == wsMinimized ? SW_SHOWMINIMIZED : FWindowState == wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        if (FShowInactive) cmd = FWindowState == wsMinimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE;
        ShowWindow(FHandle, cmd);
        if (!FShowInactive && FWindowState != wsMinimized && IsWindowEnabled(FHandle)) {
            SetActiveWindow(FHandle);
            // the system may keep another program in front; the form is still the application's active one
            if (Screen->FocusedForm() != this) SetFocusedControl(FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this);
        }
    } else {
        DoHide();
        ShowWindow(FHandle, SW_HIDE);
    }
}

void TForm::Show() {
    SetVisible(true);
    if (FHandle && FShowing) {
        SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void TForm::ShowInactive() {
    struct TReset { bool& Flag; ~TReset() { Flag = false; } } reset{FShowInactive};
    FShowInactive = true;
    SetVisible(true);
}

void TForm::WMActivate(TWMActivate& m) {
    if (m.Active != WA_INACTIVE && !m.Minimized) {
        TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : this;
        if (target->Handle() != GetFocus()) ::SetFocus(target->Handle());
        if (Screen->FocusedForm() != this) SetFocusedControl(target);
    }
    m.Message.Result = 0;
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == FActiveControl) return;
    if (control && (!control->CanFocus() || GetParentForm(control) != this))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control;
    if (control && FShowing && Active()) ::SetFocus(control->Handle());
}

void TForm::FocusControl(TWinControl* control) {
    if (!control->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = control == this ? nullptr : control;
    if (FShowing && control->IsShowing()) ::SetFocus(control->Handle());
}

bool TForm::SetFocusedControl(TWinControl* control) {
    if (ComponentState() & csDestroying) return false;
    if (control != this) FActiveControl = control;
    Screen->SetFocused(this, control);
    Screen->FormActivated(this);
    if (control != FFocusedControl) {
        TWinControl* old = FFocusedControl;
        FFocusedControl = control;
        // exits from the old control up to the first container of the new one, then enters down to it
        TWinControl* common = this;
        for (TWinControl* c = old; c; c = c->Parent()) {
            if (c->ContainsControl(control)) { common = c; break; }
            c->Perform(CM_EXIT);
        }
        std::vector<TWinControl*> chain;
        for (TWinControl* c = control; c && c != common; c = c->Parent()) chain.push_back(c);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->Perform(CM_ENTER);
    }
    return true;
}

void TForm::DefocusControl(TWinControl* control, bool removing) {
    if (FActiveControl && control->ContainsControl(FActiveControl)) {
        FActiveControl = removing ? nullptr : (control->Parent() && control->Parent() != this ? control->Parent() : nullptr);
    }
    if (FFocusedControl && control->ContainsControl(FFocusedControl)) {
        FFocusedControl = nullptr;
        if (!removing && FHandle && FShowing) ::SetFocus(FHandle);
    }
}

bool TForm::CloseQuery() {
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

void TForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) { Application->Terminate(); return; }
    if (action == caHide) Hide();
    else if (action == caMinimize) SetWindowState(wsMinimized);
    else Release();
}

void TForm::Release() { PostMessageW(Handle(), CM_RELEASE, 0, 0); }

void TForm::CloseModal() {
    try {
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        switch (action) {
        case caNone: FModalResult = mrNone; break;
        case caFree: Release(); break;
        default: break;
        }
    } catch (...) {
        FModalResult = mrNone;
        HandleControlException(this);
    }
}

int TForm::ShowModal() {
    if (FVisible || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    SetCaptureControl(nullptr);
    TForm* previous = Screen->FocusedForm();
    HWND previousWindow = GetActiveWindow();
    FModal = true;
    // every other window of the thread is disabled while the form is modal
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM l) -> BOOL {
        if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&disabled));
    HWND self = Handle();
    disabled.erase(std::remove(disabled.begin(), disabled.end(), self), disabled.end());
    for (HWND w : disabled) EnableWindow(w, FALSE);
    auto restore = [&] {
        for (HWND w : disabled) if (IsWindow(w)) EnableWindow(w, TRUE);
        FModal = false;
    };
    try {
        Show();
        Screen->FormActivated(this);
        FModalResult = mrNone;
        if (Application->ModalHook) Application->ModalHook(this);
        if (FModalResult != mrNone) CloseModal();
        while (FModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated()) FModalResult = mrCancel;
            if (FModalResult != mrNone) CloseModal();
        }
        Hide();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    // the form that opened this one becomes the active form again, and hears of it
    if (previousWindow && IsWindow(previousWindow) && IsWindowVisible(previousWindow)) SetActiveWindow(previousWindow);
    if (previous && previous != this && previous->FShowing) previous->SetFocusedControl(
        previous->FActiveControl && previous->FActiveControl->CanFocus() ? previous->FActiveControl : previous);
    return FModalResult;
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_ACTIVATE: Activate(); return;
    case CM_DEACTIVATE: Deactivate(); return;
    case CM_RELEASE: Free(); return;
    case WM_ACTIVATE: { TWMActivate a(m); WMActivate(a); return; }
    case WM_CLOSE: Close(); return;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
            Application->Minimize();
            return;
        }
        break;
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
        else if (m.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
        else if (m.WParam == SIZE_RESTORED) FWindowState = wsNormal;
        break;
    case CM_DIALOGKEY:
        if (m.WParam == VK_TAB && !(KeyDataToShiftState(m.LParam) & (ssAlt | ssCtrl))) {
            SelectNext(FActiveControl, !(KeyDataToShiftState(m.LParam) & ssShift), true);
            m.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TWinControl::WndProc(m);
}
