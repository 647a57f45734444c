#include "platform/ui/WindowSubclass.h"
#include <commctrl.h>

bool TWindowSubclass::Attach(HWND window, THandler handler) {
    Detach();
    if (!window) return false;
    FHandler = std::move(handler);
    if (!SetWindowSubclass(window, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
        FHandler = nullptr;
        return false;
    }
    FWindow = window;
    return true;
}

void TWindowSubclass::Detach() {
    if (!FWindow) return;
    RemoveWindowSubclass(FWindow, &Proc, reinterpret_cast<UINT_PTR>(this));
    FWindow = nullptr;
    FHandler = nullptr;
}

LRESULT TWindowSubclass::Next(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK TWindowSubclass::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TWindowSubclass*>(data);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    // the handler may detach while it runs: keep it alive until it returns
    THandler handler = self->FHandler;
    return handler ? handler(window, msg, wParam, lParam) : DefSubclassProc(window, msg, wParam, lParam);
}
