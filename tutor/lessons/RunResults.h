#pragma once
// The results of the current run: what the placement and speed tests measured, kept for the
// results screen. They live in memory for the whole run, whatever user is current: nothing
// loads or saves them, and nothing clears a history while the program runs. The one instance,
// RunResults, is started empty by the lesson form's creation at start-up.
#include <array>
#include "platform/rtl/Classes.h"

struct TRunResults {
    // One line per finished test, aligned by position: its words per minute, its adjusted
    // (correct) words per minute, and its elapsed whole seconds.
    TStringList WpmHistory;
    TStringList AwpmHistory;
    TStringList SecondsHistory;
    // One line per finished speed test (placement tests add none): its accuracy in percent.
    TStringList AccuracyHistory;
    // One line per finished test, aligned with the three above: its accuracy in percent.
    TStringList TestAccuracyHistory;
    // 255 lines once a test has finished: line k holds the count of character code k + 1, over
    // every test surface of the run.
    TStringList KeyCorrectList;
    TStringList KeyWrongList;

    // The last measure; while the results screen is shown, the averages and the total time.
    int LastWpm = 0;
    int LastAwpm = 0;
    int LastAccuracy = 0;
    // The tick count at the first key of a test, then its elapsed whole seconds.
    int TypingTicks = 0;
    // The elapsed seconds of the lesson practices finished in the run; a new user starts at 0.
    int TotalTypingSeconds = 0;

    void Clear();
    // One finished test in the four aligned histories.
    void AddTest(int wpm, int awpm, int seconds, int accuracy);
    // The key lists become the per-code counts 1..255 of a typing surface.
    void StoreKeyCounts(const std::array<int, 256>& correct, const std::array<int, 256>& wrong);
    // Line index of a list as a number; defaultValue for a missing line or one that is no number.
    static int LineValue(const TStringList& list, int index, int defaultValue = 0);
};

extern TRunResults RunResults;
