#pragma once
// The clock of a text being typed: the time from its first key, less the time it stood paused
// (the pause button, another screen shown over the typing). Read through the tick seam.
#include <cstdint>

class TTypingClock {
public:
    void Start();    // at the first key
    void Pause();    // only while running
    void Resume();   // only while paused
    void Reset();    // not started
    bool Started() const { return FState != TState::Stopped; }
    bool Running() const { return FState == TState::Running; }
    bool Paused() const { return FState == TState::Paused; }
    // Whole seconds typed, rounded down; a started clock counts at least one, so that a text
    // ended within its first second still has a speed. 0 before the start.
    int Seconds() const;

private:
    enum class TState { Stopped, Running, Paused };
    TState FState = TState::Stopped;
    std::uint32_t FStart = 0;      // the first key, moved on by the pauses
    std::uint32_t FPausedAt = 0;
};
