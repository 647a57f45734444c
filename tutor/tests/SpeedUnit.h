#pragma once
// TSpeedForm: the timed speed test. The learner chooses a text and a duration, types until the
// text is done or the time is up, and is told the measures with an advice; the form stays open
// for the next test.
#include "tutor/tests/TypingTest.h"

class TSpeedForm : public TTypingTestForm {
public:
    explicit TSpeedForm(TComponent* owner);

    // The advice of an accuracy band, in the interface language.
    static String ResultText(int accuracy);
    // Line 1 of the message form by the accuracy of the test; shows the message.
    void ShowSpeedResult(int correct, int typed);

protected:
    void ClockAtLimit() override;
    int FirstDuration() const override;
    void StoreTestResults() override;
    void ShowResult(int correct, int typed) override;
};

extern TSpeedForm* SpeedForm;
