#pragma once
// A hidden window whose messages go to a function: the timers' and the application's.
#include <functional>
#include <windows.h>
#include "platform/ui/Messages.h"

class TUtilityWindow {
public:
    explicit TUtilityWindow(std::function<void(TMessage&)> handler);
    ~TUtilityWindow();
    TUtilityWindow(const TUtilityWindow&) = delete;
    TUtilityWindow& operator=(const TUtilityWindow&) = delete;
    HWND Handle() const { return FHandle; }
private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::function<void(TMessage&)> FHandler;
    HWND FHandle = nullptr;
};
