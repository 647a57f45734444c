#include "tutor/tests/SpeedUnit.h"
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"

TSpeedForm* SpeedForm = nullptr;

TSpeedForm::TSpeedForm(TComponent* owner) : TTypingTestForm(owner, "SpeedForm", "SpeedScrn.htm") {}

// The chosen duration is up: the test ends on what was typed.
void TSpeedForm::ClockAtLimit() { FinishTest(); }

int TSpeedForm::FirstDuration() const { return 0; }

void TSpeedForm::StoreTestResults() {
    TTypingTestForm::StoreTestResults();
    RunResults.AccuracyHistory.Add(IntToStr(RunResults.LastAccuracy));
}

String TSpeedForm::ResultText(int accuracy) {
    if (InterfaceLanguage != "A") {
        if (accuracy < 60) return "Bad Result, Try Again";
        if (accuracy < 70) return "You are Attempting to Reach a Good Result, Repeat";
        if (accuracy < 80) return "Good You Can Proceed or Repeat the Exercise";
        if (accuracy < 90) return " Very good, you have reached a great result";
        return " Congratulation .... You Finish This Exercise Successfully.";
    }
    if (accuracy < 60) return "نتيجة غير مرضية, عليك المحاولة مرة أُخرى"_a;
    if (accuracy < 70) return " انت تحاول ان تصل الى نتيجة مرضية, أعد التمرين مرة أخرى"_a;
    if (accuracy < 80) return "جيد يمكنك المتابعة أو إعادة التمرين للوصول إلى نتيجة أفضل"_a;
    if (accuracy < 90) return " جيد جداً, نتيجة مُرضية"_a;
    return " تهانينا ...... لقد أنهيت التمرين بتفوق, "_a;
}

void TSpeedForm::ShowSpeedResult(int correct, int typed) {
    const int accuracy = Accuracy(correct, typed);
    MessageForm->Label1->SetCaption(ResultText(accuracy));
    if (accuracy >= 90) MainFrm->PlaySoundEffect("WellDone");
    MainFrm->ShowMessageLines();
}

void TSpeedForm::ShowResult(int correct, int typed) { ShowSpeedResult(correct, typed); }
