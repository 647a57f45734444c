#include "platform/ui/CommonDialog.h"
#include <commdlg.h>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/rtl/Errors.h"

namespace {
thread_local TCommonDialog* Opening = nullptr;
}

TCommonDialog::TCommonDialog(TComponent* owner) : TComponent(owner) {}

HWND TCommonDialog::OwnerWindow() const {
    HWND active = GetActiveWindow();
    if (active) return active;
    return Application && Application->MainForm() && Application->MainForm()->HandleAllocated()
               ? Application->MainForm()->Handle() : nullptr;
}

bool TCommonDialog::Run(BOOL (*call)(void*), void* data) {
    TCommonDialog* saved = Opening;
    Opening = this;
    BOOL ok = FALSE;
    try {
        ok = call(data);
    } catch (...) {
        Opening = saved;
        FHandle = nullptr;
        throw;
    }
    Opening = saved;
    FHandle = nullptr;
    if (!ok) {
        DWORD error = CommDlgExtendedError();
        if (error != 0) throw EInvalidOperation("The dialog could not be shown (error " + IntToStr(static_cast<int>(error)) + ")");
    }
    return ok != FALSE;
}

// Wine passes no WM_INITDIALOG to the hook, so the first message of any kind marks the dialog,
// and OnShow waits for a message posted behind its initialisation.
UINT_PTR CALLBACK TCommonDialog::HookProc(HWND window, UINT msg, WPARAM, LPARAM) {
    constexpr UINT ShowMessage = WM_APP + 0x3F0;
    TCommonDialog* self = Opening;
    if (!self) return 0;
    try {
        if (!self->FHandle) {
            self->FHandle = self->FHookIsChild ? GetParent(window) : window;
            PostMessageW(window, ShowMessage, 0, 0);
        } else if (msg == ShowMessage) {
            self->DoShow();
            if (Application && Application->DialogHook) Application->DialogHook(self);
            return 1;
        } else if (msg == WM_DESTROY) {
            self->DoClose();
        }
    } catch (...) {
        HandleControlException(self);
    }
    return 0;
}
