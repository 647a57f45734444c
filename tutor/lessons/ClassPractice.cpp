// The lesson form's practices: a practice text on the surface of the typing language, the clock
// against the 150-second gauge, the running counts, and the measures and advice at the end.
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "platform/win/Sound.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/typing/TypingText.h"

String TClassForm::PracticeFile(int practice) const {
    return AppDir + "\\Data\\" + TypingLanguage + "Less\\Qless" + IntToStr(CurrentLesson) + "_" + IntToStr(practice) +
           ".txt";
}

void TClassForm::StartPractice(int practice) {
    const bool english = InterfaceLanguage != "A";
    PracticeNo = practice;
    StopPracticeClock();
    Panel2->SetVisible(true);
    ActiveRichView = TypingLanguage == "A" ? RichView1 : RichView2;
    (ActiveRichView == RichView1 ? RichView2 : RichView1)->SetVisible(false);
    ActiveRichView->SetVisible(true);
    if (ActiveRichView->CanFocus()) ActiveRichView->SetFocus();
    // the keys are those of the practice text's language, whatever language the screens speak
    LoadAndActivateLayout(TypingLanguage == "A" ? ArabicLayoutName : EnglishLayoutName);
    try {
        PrepareTypingText(ActiveRichView, PracticeFile(practice), AppDir + "\\Temp.Text", WindowsKind);
    } catch (...) {
        Panel2->SetVisible(false);   // the practice does not start; the page stays
        throw;
    }
    static const char* const EnglishNames[] = {" - Practice 1", " - Practice 2", " - Practice 3"};
    static const String ArabicNames[] = {" - التمرين الأول"_a, " - التمرين الثاني"_a, " - التمرين الثالث"_a};
    Label3->SetCaption(LessonTitle("Lesson") + (english ? String(EnglishNames[practice - 1]) : ArabicNames[practice - 1]));
    if (practice == 2) {
        Label1->SetHint(english ? String("Number of Correct Characters") : "عدد الأحرف الصح"_a);
        Label2->SetHint(english ? String("Number of Wrong Characters") : "عدد الأحرف الخطأ"_a);
    }
    if (practice == 1) Application->ProcessMessages();
    Gauge1->SetProgress(0);
    Label4->SetCaption("");
    Label1->SetCaption("");
    Label2->SetCaption("");
    Timer1->SetEnabled(false);
    MarkNextKey();
}

void TClassForm::StopPracticeClock() {
    Timer1->SetEnabled(false);
    Gauge1->SetProgress(0);
}

void TClassForm::RichView1StartTyping(TObject*) {
    FPracticeClock.Start();
    Timer1->SetEnabled(true);
}

void TClassForm::RichView1KeyTruePress(TObject* sender, char&, bool checkchar) {
    // the surface counts the key after this event: the labels include it already
    auto* surface = static_cast<TRichView*>(sender);
    Label1->SetCaption(IntToStr(surface->CCount + (checkchar ? 1 : 0)));
    Label2->SetCaption(IntToStr(surface->WCount + (checkchar ? 0 : 1)));
    if (checkchar) MainFrm->PlaySoundEffect("Typing");
    else DefaultBeep();
    MarkNextKey();
}

void TClassForm::Timer1Timer(TObject*) {
    Gauge1->AddProgress(1);
    Label4->SetCaption(IntToStr(Gauge1->Progress()));
    if (Gauge1->Progress() >= Gauge1->MaxValue()) TimeOut();
}

// Nothing typed after the time is up could be measured, so the surface takes no more keys.
void TClassForm::TimeOut() {
    Timer1->SetEnabled(false);
    Gauge1->SetProgress(0);
    if (ActiveRichView) ActiveRichView->SetReadOnly(true);
    ClearKeyMarks();
    MessageForm->Label1->SetCaption(
        (InterfaceLanguage != "A" ? String("Sorry .. No time to continue the Exercise repeat Exercise number  ")
                                  : "ليس لديك الوقت لمتابعة التمرين عليك اعادة تمرين رقم  "_a) +
        IntToStr(PracticeNo));
    ShowMessageLines();
}

void TClassForm::RichView1FinishTyping(TObject*, int&, int& wCount, int& cCount, int&) {
    if (!Timer1->Enabled()) return;   // timed out: nothing to measure
    TRunResults& r = RunResults;
    r.TypingTicks = FPracticeClock.Seconds();
    r.TotalTypingSeconds += r.TypingTicks;
    Timer1->SetEnabled(false);
    Gauge1->SetProgress(0);
    Label1->SetCaption(IntToStr(cCount));
    Label2->SetCaption(IntToStr(wCount));
    ShowTypingMeasures(cCount, cCount + wCount, 0);
    MessageForm->Label1->SetCaption(AdviceText(r.LastAccuracy, PracticeNo));
    ShowMessageLines();
}

void TClassForm::ShowTypingMeasures(int correct, int total, int wpm) {
    TRunResults& r = RunResults;
    const int seconds = std::max(r.TypingTicks, 1);
    // words of five characters, whole ones only, per minute; rounded half to even
    r.LastAccuracy = total > 0 ? static_cast<int>(Round(static_cast<long double>(correct) / total * 100)) : 0;
    r.LastAwpm = static_cast<int>(Round(static_cast<long double>((correct / 5) * 60) / seconds));
    r.LastWpm = wpm != 0 ? wpm : static_cast<int>(Round(static_cast<long double>((total / 5) * 60) / seconds));
    const bool english = InterfaceLanguage != "A";
    MessageForm->Label2->SetCaption((english ? String("Accuracy   ") : "الدقــــة   "_a) + IntToStr(r.LastAccuracy) + "%");
    MessageForm->Label3->SetCaption((english ? String("WPM   ") : "كلمة في الدقيقة   "_a) + IntToStr(r.LastWpm));
    MessageForm->Label4->SetCaption((english ? String("AWPM  ") : "كلمة صحيحة في الدقيقة   "_a) + IntToStr(r.LastAwpm));
}

String TClassForm::AdviceText(int accuracy, int practice) {
    const String k = IntToStr(practice);
    if (InterfaceLanguage != "A") {
        if (accuracy < 60) return "You should repeat Exercise number " + k;
        if (accuracy < 70) return "you are attempting to reach a good result ..repeat" + k;
        if (accuracy < 80) return "Good But you Have to Repeat the Exercise ";
        if (accuracy < 90) return " Very good, you have reached a good result in Exercize" + k;
        return " Congratulation .... you finish Exercise number " + k;
    }
    if (accuracy < 60) return " عليك اعادة تمرين رقم  "_a + k;
    if (accuracy < 70) return " انت تحاول ان تصل الى نتيجة مرضية فى تمرين رقم  "_a + k;
    if (accuracy < 80) return "جيد ولكن عليك المتابعة الى الافضل"_a;
    if (accuracy < 90) return " جيد جداً, نتيجة مُرضية فى تمرين رقم  "_a + k;
    return " تهانينا نتيجة رائعة ...... لقد أنهيت تمرين رقم  "_a + k;
}

void TClassForm::FocusTypingSurface(TObject*) {
    TRichView* surface = TypingLanguage != "A" ? RichView2 : RichView1;
    if (!surface->Visible() || !surface->CanFocus()) return;
    try {
        surface->SetFocus();
    } catch (const Exception&) {
        // a surface that cannot take the focus now is left alone
    }
}
