#include "tutor/tests/Level.h"
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/users/StudentUnit.h"

TLevelForm* LevelForm = nullptr;

TLevelForm::TLevelForm(TComponent* owner) : TTypingTestForm(owner, "LevelForm", "EntrncTst.htm") {
    // the test text is the list's first, or a file chosen through the movie; no duration to choose
    FilesList->SetEnabled(false);
    ComboBox2->SetVisible(false);
    ComboBox2->SetEnabled(false);
}

// No time limit: the gauge only starts its round again.
void TLevelForm::ClockAtLimit() {
    Gauge->SetProgress(0);
    TimeLabel->SetCaption("0");
}

int TLevelForm::FirstDuration() const { return ComboBox2->Items()->Count() - 1; }

// One table for the one course, whatever language the screens speak; the places rise with the
// accuracy, 50 to 59 included.
TLevelForm::TPlacement TLevelForm::PlacementOf(int accuracy) {
    struct Band { int from, lesson; const char* english; String arabic; };
    static const Band bands[] = {
        {90, 18, " You Can Start from Level 18 or Above.", " يمكنك البدء من المستوى الثامن عشر أو أعلى "_a},
        {80, 17, " You May Start from Level 17", " يمكنك البدء من المستوى السابع عشر"_a},
        {70, 14, " You May Start from Level 14", " يمكنك البدء من المستوى الرابع عشر"_a},
        {60, 9, " You May Start from Level 9", " يمكنك البدء من المستوى التاسع"_a},
        {50, 7, " You May Start from Level 7", " يمكنك البدء من المستوى السابع"_a},
        {30, 5, " You May Start from Level 5", " يمكنك البدء من المستوى الخامس"_a},
        {0, 1, " You Should Start from Level 1", " عليك البدء من المستوى الأول"_a},
    };
    for (const Band& band : bands)
        if (accuracy >= band.from) return {band.lesson, InterfaceLanguage != "A" ? String(band.english) : band.arabic};
    return {1, String()};
}

void TLevelForm::ShowPlacementResult(int correct, int typed) {
    const int accuracy = Accuracy(correct, typed);
    const TPlacement placement = PlacementOf(accuracy);
    MessageForm->Label1->SetCaption(placement.message);
    CurrentLesson = placement.lesson;
    if (accuracy >= 90) MainFrm->PlaySoundEffect("WellDone");
    MainFrm->ShowMessageLines();
}

// The placed lesson goes into the user list at once: the main menu enters the user again from
// that list before the lesson form opens.
void TLevelForm::ShowResult(int correct, int typed) {
    ShowPlacementResult(correct, typed);
    StudentsForm->StoreUserLesson(CurrentLesson);
    ClassForm->ReloadLesson();
    CancelButtonClick(CancelButton);
}
