#pragma once
// TLevelForm: the placement test that places a new user in the course. The test text is the
// first of the test-text list (or a file chosen through the movie), typed to its end without a
// time limit; the accuracy places the user at a lesson, which the lesson form then opens and the
// user list keeps.
#include "tutor/tests/TypingTest.h"

class TLevelForm : public TTypingTestForm {
public:
    explicit TLevelForm(TComponent* owner);

    // The lesson an accuracy places at, and what the learner is told, in the interface language.
    struct TPlacement {
        int lesson;
        String message;
    };
    static TPlacement PlacementOf(int accuracy);

    // Line 1 of the message form and CurrentLesson by the accuracy of the test; shows the message.
    void ShowPlacementResult(int correct, int typed);

protected:
    void ClockAtLimit() override;
    int FirstDuration() const override;
    void ShowResult(int correct, int typed) override;
};

extern TLevelForm* LevelForm;
