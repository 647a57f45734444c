#include "tutor/typing/TypingClock.h"
#include <algorithm>
#include "platform/rtl/SysUtils.h"

void TTypingClock::Start() {
    FStart = rtl::GetTickCount();
    FState = TState::Running;
}

void TTypingClock::Pause() {
    if (FState != TState::Running) return;
    FPausedAt = rtl::GetTickCount();
    FState = TState::Paused;
}

void TTypingClock::Resume() {
    if (FState != TState::Paused) return;
    FStart += rtl::GetTickCount() - FPausedAt;
    FState = TState::Running;
}

void TTypingClock::Reset() { FState = TState::Stopped; }

int TTypingClock::Seconds() const {
    if (FState == TState::Stopped) return 0;
    const std::uint32_t now = FState == TState::Paused ? FPausedAt : rtl::GetTickCount();
    return std::max(1, static_cast<int>((now - FStart) / 1000));
}
