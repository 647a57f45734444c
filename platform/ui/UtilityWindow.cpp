#include "platform/ui/UtilityWindow.h"
#include "platform/ui/TControl.h"
#include "platform/rtl/Errors.h"

static const wchar_t UtilityClass[] = L"Tapwise.UtilWindow";

TUtilityWindow::TUtilityWindow(std::function<void(TMessage&)> handler) : FHandler(std::move(handler)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, UtilityClass, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.lpszClassName = UtilityClass;
        RegisterClassW(&wc);
    }
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, UtilityClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!FHandle) throw EOutOfResources("Error creating window");
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUtilityWindow::~TUtilityWindow() {
    if (FHandle) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
}

LRESULT CALLBACK TUtilityWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TUtilityWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->FHandler) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        self->FHandler(m);
    } catch (...) {
        HandleControlException(nullptr);
    }
    return m.Result;
}
