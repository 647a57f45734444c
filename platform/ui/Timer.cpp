#include "platform/ui/Timer.h"
#include "platform/ui/TControl.h"
#include "platform/rtl/Errors.h"

namespace {
bool SystemTimersHeld = false;
}

void HoldSystemTimers(bool hold) { SystemTimersHeld = hold; }

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    FWindow = std::make_unique<TUtilityWindow>([this](TMessage& m) { WndProc(m); });
    UpdateTimer();
}

TTimer::~TTimer() {
    KillTimer(FWindow->Handle(), 1);
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    KillTimer(FWindow->Handle(), 1);
    if (FInterval != 0 && FEnabled && !SystemTimersHeld)
        if (!SetTimer(FWindow->Handle(), 1, FInterval, nullptr)) throw EOutOfResources("Not enough timers available");
}

void TTimer::Timer() { if (OnTimer) OnTimer(this); }

void TTimer::WndProc(TMessage& m) {
    if (m.Msg == WM_TIMER) {
        if (!FEnabled || FInterval == 0) return;
        try {
            Timer();
        } catch (...) {
            HandleControlException(this);
        }
        return;
    }
    m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
}
