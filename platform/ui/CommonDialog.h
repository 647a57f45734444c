#pragma once
// TCommonDialog: the base of the system's common dialogs. Execute shows the dialog modally over
// the active window; OnShow comes once the dialog's window exists (Handle), OnClose as it goes.
// A failure of the system call (not a cancel) raises EInvalidOperation.
#include <windows.h>
#include <commdlg.h>
#include "platform/rtl/TComponent.h"

class TCommonDialog : public TComponent {
public:
    explicit TCommonDialog(TComponent* owner);
    virtual bool Execute() = 0;
    HWND Handle() const { return FHandle; }   // the dialog's window while it is shown
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual void DoShow() { if (OnShow) OnShow(this); }
    virtual void DoClose() { if (OnClose) OnClose(this); }
    HWND OwnerWindow() const;
    // Runs the system call with the hook in place and turns an error into an exception.
    bool Run(BOOL (*call)(void*), void* data);
    // The hook the dialog structures name; the dialog's data carries this object (lCustData).
    static UINT_PTR CALLBACK HookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The hook's window is the dialog itself or, for the Explorer-style file dialogs, a child of it.
    bool FHookIsChild = false;

private:
    HWND FHandle = nullptr;
};
