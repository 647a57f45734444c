#include <gtest/gtest.h>
#include "platform/win/KeyboardLayout.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/testing/LessonFormFixture.h"

using namespace tutor_testing;

namespace {

struct PracticeTest : LessonFormTest {
    void WritePractice(int practice, int length) {
        Dir.Write("Data\\ALess\\Qless1_" + IntToStr(practice) + ".txt", LetterText(length));
    }
    void StartPractice(int practice) { Send(practice == 1 ? L"Quiz1" : practice == 2 ? L"Quiz2" : L"Quiz3"); }
    int TypingSounds() const {
        return int(std::count(Sounds.begin(), Sounds.end(), Dir.File("Data\\effects\\Typing.wav")));
    }
};

// A finished practice shows its measures and the advice of its accuracy band; words are whole
// groups of five characters, the minute rates are rounded half to even, and a text finished in
// its first second counts one second. Keys come as WM_CHAR to the real surface.
TEST_F(PracticeTest, AFinishedPracticeShowsItsMeasuresAndTheAdviceOfItsBand) {
    struct Case { int practice, length, wrong, seconds; const char* lines; };
    const Case cases[] = {
        {1, 9, 0, 60, " Congratulation .... you finish Exercise number 1 | Accuracy   100% | WPM   1 | AWPM  1"},
        {2, 250, 0, 100, " Congratulation .... you finish Exercise number 2 | Accuracy   100% | WPM   30 | AWPM  30"},
        {3, 100, 41, 60, "You should repeat Exercise number 3 | Accuracy   59% | WPM   20 | AWPM  11"},
        {1, 100, 40, 60, "you are attempting to reach a good result ..repeat1 | Accuracy   60% | WPM   20 | AWPM  12"},
        {2, 100, 31, 60, "you are attempting to reach a good result ..repeat2 | Accuracy   69% | WPM   20 | AWPM  13"},
        {3, 100, 30, 60, "Good But you Have to Repeat the Exercise  | Accuracy   70% | WPM   20 | AWPM  14"},
        {1, 100, 21, 60, "Good But you Have to Repeat the Exercise  | Accuracy   79% | WPM   20 | AWPM  15"},
        {2, 100, 20, 60, " Very good, you have reached a good result in Exercize2 | Accuracy   80% | WPM   20 | AWPM  16"},
        {3, 100, 11, 60, " Very good, you have reached a good result in Exercize3 | Accuracy   89% | WPM   20 | AWPM  17"},
        {1, 100, 10, 60, " Congratulation .... you finish Exercise number 1 | Accuracy   90% | WPM   20 | AWPM  18"},
        {2, 145, 0, 24, " Congratulation .... you finish Exercise number 2 | Accuracy   100% | WPM   72 | AWPM  72"},   // 72.5
        {3, 735, 0, 120, " Congratulation .... you finish Exercise number 3 | Accuracy   100% | WPM   74 | AWPM  74"},  // 73.5
        {1, 10, 0, 0, " Congratulation .... you finish Exercise number 1 | Accuracy   100% | WPM   120 | AWPM  120"},
    };
    Train("E", [&] {
        int seconds = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.lines);
            WritePractice(c.practice, c.length);
            StartPractice(c.practice);
            EXPECT_EQ(ClassForm->ActiveRichView, ClassForm->RichView1);
            // the English interface types the Arabic practice on the Arabic layout
            EXPECT_EQ(ActiveLayoutName(), ArabicLayoutName);
            EXPECT_EQ(ClassForm->Label3->Caption(), "Lesson1 - Practice " + IntToStr(c.practice));
            Messages.clear();
            Sounds.clear();
            TypeText(c.wrong, c.seconds);
            EXPECT_EQ(Messages, std::vector<String>{c.lines});
            EXPECT_EQ(ClassForm->Label1->Caption(), IntToStr(c.length - c.wrong));
            EXPECT_EQ(ClassForm->Label2->Caption(), IntToStr(c.wrong));
            EXPECT_EQ(TypingSounds(), c.length - c.wrong);
            EXPECT_FALSE(ClassForm->Timer1->Enabled());
            seconds += std::max(c.seconds, 1);
            EXPECT_EQ(RunResults.TotalTypingSeconds, seconds);
        }
        EXPECT_EQ(ClassForm->Label1->Hint(), "Number of Correct Characters");
    });
    // leaving puts the page view back for the next visit
    EXPECT_FALSE(ClassForm->Panel2->Visible());
    EXPECT_FALSE(ClassForm->LessonReady);
    // the practices are the lesson's own: the results screen's lists stay as they were
    EXPECT_EQ(RunResults.WpmHistory.Count() + RunResults.AwpmHistory.Count() + RunResults.SecondsHistory.Count(), 0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(PracticeTest, TheArabicInterfaceSpeaksArabic) {
    struct Case { int wrong; String lines; };
    const String measures = " | الدقــــة   "_a;
    const Case cases[] = {
        {41, " عليك اعادة تمرين رقم  2"_a + measures + "59% | " + "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   11"_a},
        {40, " انت تحاول ان تصل الى نتيجة مرضية فى تمرين رقم  2"_a + measures + "60% | " +
                 "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   12"_a},
        {30, "جيد ولكن عليك المتابعة الى الافضل"_a + measures + "70% | " + "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   14"_a},
        {20, " جيد جداً, نتيجة مُرضية فى تمرين رقم  2"_a + measures + "80% | " +
                 "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   16"_a},
        {10, " تهانينا نتيجة رائعة ...... لقد أنهيت تمرين رقم  2"_a + measures + "90% | " +
                 "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   18"_a},
    };
    WritePractice(2, 100);
    Train("A", [&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.wrong);
            StartPractice(2);
            EXPECT_EQ(ClassForm->Label3->Caption(), "الدرس 1 - التمرين الثاني"_a);
            EXPECT_EQ(ClassForm->Label2->Hint(), "عدد الأحرف الخطأ"_a);
            Messages.clear();
            TypeText(c.wrong, 60);
            EXPECT_EQ(Messages, std::vector<String>{c.lines});
        }
    });
}

// After 150 seconds the practice ends with one message, the gauge back at 0, and the surface
// takes no more keys: nothing typed afterwards could be measured.
TEST_F(PracticeTest, TimeUpEndsThePracticeOnceAndTheSurfaceTakesNoMoreKeys) {
    WritePractice(1, 30);
    Train("E", [&] {
        StartPractice(1);
        for (int i = 0; i < 5; ++i) Tick();   // no clock before the first key
        EXPECT_EQ(ClassForm->Gauge1->Progress(), 0);
        Key(SourceLines()[0][0]);
        for (int i = 1; i < TClassForm::PracticeSeconds; ++i) Tick();
        EXPECT_EQ(ClassForm->Gauge1->Progress(), 149);
        EXPECT_EQ(ClassForm->Label4->Caption(), "149");
        EXPECT_TRUE(Messages.empty());
        Tick();
        EXPECT_EQ(Messages, std::vector<String>{"Sorry .. No time to continue the Exercise repeat Exercise number  1"});
        EXPECT_EQ(ClassForm->Gauge1->Progress(), 0);
        EXPECT_FALSE(ClassForm->Timer1->Enabled());
        for (int i = 0; i < 200; ++i) Tick();
        TypeText(0, 1);
        EXPECT_EQ(ClassForm->ActiveRichView->CCount, 1);
        EXPECT_EQ(Messages.size(), 1u);
        // starting again gives a fresh practice
        StartPractice(1);
        EXPECT_FALSE(ClassForm->ActiveRichView->ReadOnly());
        TypeText(0, 3);
        EXPECT_EQ(Messages.size(), 2u);
    });
}

// The lesson list opened over a running practice stops its clock: no time passes for the
// practice and no time-out comes over the list.
TEST_F(PracticeTest, ThePracticeClockStandsStillWhileAnotherScreenIsOpen) {
    WritePractice(1, 100);
    Train("E", [&] {
        StartPractice(1);
        Key(SourceLines()[0][0]);
        Now += 4000;
        for (int i = 0; i < 4; ++i) Tick();
        int ticksInList = 0;
        WhenShown[LessonsForm] = [&] {
            Now += 600000;
            for (int i = 0; i < 300; ++i) Tick();
            ticksInList = ClassForm->Gauge1->Progress();
            LessonsForm->CancelButton->Click();
        };
        Send(L"History");
        EXPECT_EQ(ticksInList, 4);
        EXPECT_TRUE(Messages.empty());
        EXPECT_TRUE(ClassForm->Timer1->Enabled());
        // the rest of the text, six seconds later: 10 seconds of typing in all
        std::vector<String> lines = SourceLines();
        String rest;
        for (const String& line : lines) rest += line;
        Now += 6000;
        for (size_t i = 1; i < rest.size(); ++i) Key(rest[i]);
        EXPECT_EQ(Messages, std::vector<String>{" Congratulation .... you finish Exercise number 1 | Accuracy   100% | "
                                                "WPM   120 | AWPM  120"});
    });
}

// The options the learner chose reach the practice surfaces whenever the lesson form becomes
// active, not only through the options' OK.
TEST_F(PracticeTest, TheChosenColoursAndHighlightReachTheSurfacesOnActivation) {
    Train("A", [&] {
        OptionForm->TextColorPanel->SetColor(clGreen);
        OptionForm->CorrectColorPanel->SetColor(clNavy);
        OptionForm->WrongColorPanel->SetColor(clMaroon);
        OptionForm->HighlightTextBtn->SetChecked(false);
        WhenShown[LessonsForm] = [] { LessonsForm->CancelButton->Click(); };
        Send(L"History");   // the lesson form is active again when the list closes
        for (TRichView* surface : {ClassForm->RichView1, ClassForm->RichView2}) {
            EXPECT_EQ(surface->Font()->Color(), clGreen);
            EXPECT_EQ(surface->CorrectColor(), clNavy);
            EXPECT_EQ(surface->MistakeColor(), clMaroon);
            EXPECT_FALSE(surface->HilightTypedChars());
        }
    });
}

}  // namespace
