#pragma once
// TTimer: a window timer on a hidden window of its own, so a test can fire it with WM_TIMER.
#include <memory>
#include "platform/rtl/TComponent.h"
#include "platform/ui/UtilityWindow.h"

// Tests fire timers by message alone: while held, no system timer runs, and Enabled, Interval
// and a WM_TIMER sent to Handle() work as ever.
void HoldSystemTimers(bool hold);

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);          // a change restarts the count
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    HWND Handle() const { return FWindow->Handle(); }
    // The count runs while Enabled and Interval is not 0; a tick with no handler does nothing.
    TNotifyEvent OnTimer;
protected:
    virtual void Timer();
private:
    void UpdateTimer();
    void WndProc(TMessage& message);
    std::unique_ptr<TUtilityWindow> FWindow;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};
