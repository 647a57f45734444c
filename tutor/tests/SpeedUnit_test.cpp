#include "tutor/tests/SpeedUnit.h"
#include <gtest/gtest.h>
#include "tutor/testing/TypingTestFixture.h"

using namespace tutor_testing;

namespace {

using SpeedTest = TypingTestTest;

// A finished speed test advises by the accuracy of the keys typed, band edges going up, and adds
// one line to each of the four histories; the form stays open for the next test. The first text
// of the list, 100 letters, through WM_CHAR on the real surface.
TEST_F(SpeedTest, AFinishedTestAdvisesByItsAccuracyAndStaysOpen) {
    struct Case { const char* language; int wrong, seconds; String lines; std::vector<String> histories; };
    const String arabicMeasures = " | الدقــــة   "_a;
    auto arabic = [&](const String& band, const char* accuracy, const char* awpm) {
        return band + arabicMeasures + accuracy + "% | " + "كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   "_a + awpm;
    };
    const Case cases[] = {
        {"E", 0, 60, " Congratulation .... You Finish This Exercise Successfully. | Accuracy   100% | WPM   20 | AWPM  20",
         {"20", "20", "60", "100"}},
        {"E", 10, 60, " Congratulation .... You Finish This Exercise Successfully. | Accuracy   90% | WPM   20 | AWPM  18",
         {"20", "18", "60", "90"}},
        {"E", 11, 60, " Very good, you have reached a great result | Accuracy   89% | WPM   20 | AWPM  17", {"20", "17", "60", "89"}},
        {"E", 30, 60, "Good You Can Proceed or Repeat the Exercise | Accuracy   70% | WPM   20 | AWPM  14", {"20", "14", "60", "70"}},
        {"E", 40, 60, "You are Attempting to Reach a Good Result, Repeat | Accuracy   60% | WPM   20 | AWPM  12",
         {"20", "12", "60", "60"}},
        {"E", 41, 60, "Bad Result, Try Again | Accuracy   59% | WPM   20 | AWPM  11", {"20", "11", "60", "59"}},
        {"E", 0, 0, " Congratulation .... You Finish This Exercise Successfully. | Accuracy   100% | WPM   1200 | AWPM  1200",
         {"1200", "1200", "1", "100"}},
        {"A", 41, 60, arabic("نتيجة غير مرضية, عليك المحاولة مرة أُخرى"_a, "59", "11"), {"20", "11", "60", "59"}},
        {"A", 40, 60, arabic(" انت تحاول ان تصل الى نتيجة مرضية, أعد التمرين مرة أخرى"_a, "60", "12"), {"20", "12", "60", "60"}},
        {"A", 30, 60, arabic("جيد يمكنك المتابعة أو إعادة التمرين للوصول إلى نتيجة أفضل"_a, "70", "14"), {"20", "14", "60", "70"}},
        {"A", 20, 60, arabic(" جيد جداً, نتيجة مُرضية"_a, "80", "16"), {"20", "16", "60", "80"}},
        {"A", 10, 60, arabic(" تهانينا ...... لقد أنهيت التمرين بتفوق, "_a, "90", "18"), {"20", "18", "60", "90"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        Messages.clear();
        Sounds.clear();
        Open(TTest::Speed, c.language, [&] {
            EXPECT_TRUE(SpeedForm->FilesList->Enabled());
            EXPECT_TRUE(SpeedForm->ComboBox2->Visible());
            EXPECT_EQ(SpeedForm->ComboBox2->ItemIndex(), 0);
            Send(L"Start");
            EXPECT_EQ(SpeedForm->Gauge->MaxValue(), 60);
            TypeText(c.wrong, c.seconds);
            EXPECT_TRUE(SpeedForm->Visible());
            EXPECT_FALSE(Surface()->Enabled());
            EXPECT_EQ(SpeedForm->State(), TTestState::Idle);
        });
        EXPECT_EQ(Messages, std::vector<String>{c.lines});
        const TRunResults& r = RunResults;
        EXPECT_EQ((std::vector<String>{r.WpmHistory[0], r.AwpmHistory[0], r.SecondsHistory[0], r.AccuracyHistory[0]}),
                  c.histories);
        EXPECT_EQ(r.WpmHistory.Count() + r.AwpmHistory.Count() + r.SecondsHistory.Count() + r.AccuracyHistory.Count(), 4);
        EXPECT_GT(TRunResults::LineValue(r.KeyCorrectList, static_cast<unsigned char>("ب"_a[0]) - 1), 0);
        const bool wellDone = std::count(Sounds.begin(), Sounds.end(), Dir.File("Data\\effects\\WellDone.wav")) == 1;
        EXPECT_EQ(wellDone, c.wrong <= 10);
        EXPECT_EQ(CurrentLesson, 1);
    }
    EXPECT_TRUE(Errors.empty());
}

// The chosen duration (index 2, three minutes) ends the test after 180 seconds of the clock,
// pauses left out, in mid-text; the result is that of the keys typed: a flawless part of a text
// is 100 %, and speed and seconds are over the same 180 seconds.
TEST_F(SpeedTest, TheChosenDurationEndsTheTestOnTheKeysTyped) {
    Open(TTest::Speed, "E", [&] {
        auto choose = [](TComboBox* list, int index) {
            SendMessageW(list->Handle(), CB_SETCURSEL, index, 0);
            SendMessageW(GetParent(list->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list->Handle()));
        };
        choose(SpeedForm->FilesList, 2);
        EXPECT_EQ(SpeedForm->FileNameEdit->Text(), "t3");
        choose(SpeedForm->ComboBox2, 2);
        Send(L"Start");
        EXPECT_EQ(Surface()->SourceLength, 250);
        EXPECT_EQ(SpeedForm->Gauge->MaxValue(), 180);
        TypeNext(1);
        for (int i = 0; i < 100; ++i) Tick();
        Send(L"Pause");
        for (int i = 0; i < 30; ++i) Tick();
        Send(L"Pause");
        TypeNext(149);
        for (int i = 0; i < 79; ++i) Tick();
        EXPECT_TRUE(Messages.empty());
        Tick();
        EXPECT_EQ(SpeedForm->TimeLabel->Caption(), "180");
        EXPECT_EQ(SpeedForm->State(), TTestState::Idle);
        TypeNext(5);   // too late: the surface takes no more
        EXPECT_EQ(Surface()->CCount, 150);
        // a new test starts from the chosen text and duration
        Send(L"Start");
        EXPECT_EQ(Surface()->SourceLength, 250);
        EXPECT_EQ(SpeedForm->Gauge->MaxValue(), 180);
    });
    EXPECT_EQ(Messages, std::vector<String>{" Congratulation .... You Finish This Exercise Successfully. | Accuracy   100% | "
                                            "WPM   10 | AWPM  10"});
    EXPECT_EQ(Lines(RunResults.SecondsHistory), std::vector<String>{"180"});
    EXPECT_EQ(Lines(RunResults.AccuracyHistory), std::vector<String>{"100"});
}

}  // namespace
