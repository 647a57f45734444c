#include "tutor/tests/Level.h"
#include <gtest/gtest.h>
#include "tutor/testing/TypingTestFixture.h"

using namespace tutor_testing;

namespace {

using PlacementTest = TypingTestTest;

// The placement places by the accuracy of the keys typed, the places rising with it, from one
// table whatever language the screens speak; its measures go into the results of the run (no
// accuracy line), the user list keeps the place, the lesson form shows it, and the test closes.
// The first text of the list, 100 letters, typed through WM_CHAR on the real surface.
TEST_F(PlacementTest, ThePlacementPlacesByTheAccuracyOfTheKeysTyped) {
    struct Case { const char* language; int wrong, seconds, lesson; String lines; std::vector<String> histories; };
    const String arabicMeasures = " | الدقــــة   "_a;
    auto arabic = [&](const String& band, const char* accuracy, const char* wpm, const char* awpm) {
        return band + arabicMeasures + accuracy + "% | " + "كلمة في الدقيقة   "_a + wpm + " | " +
               "كلمة صحيحة في الدقيقة   "_a + awpm;
    };
    const Case cases[] = {
        {"E", 0, 60, 18, " You Can Start from Level 18 or Above. | Accuracy   100% | WPM   20 | AWPM  20", {"20", "20", "60"}},
        {"E", 10, 60, 18, " You Can Start from Level 18 or Above. | Accuracy   90% | WPM   20 | AWPM  18", {"20", "18", "60"}},
        {"E", 11, 60, 17, " You May Start from Level 17 | Accuracy   89% | WPM   20 | AWPM  17", {"20", "17", "60"}},
        {"E", 30, 60, 14, " You May Start from Level 14 | Accuracy   70% | WPM   20 | AWPM  14", {"20", "14", "60"}},
        {"E", 40, 60, 9, " You May Start from Level 9 | Accuracy   60% | WPM   20 | AWPM  12", {"20", "12", "60"}},
        {"E", 41, 60, 7, " You May Start from Level 7 | Accuracy   59% | WPM   20 | AWPM  11", {"20", "11", "60"}},
        {"E", 50, 60, 7, " You May Start from Level 7 | Accuracy   50% | WPM   20 | AWPM  10", {"20", "10", "60"}},
        {"E", 70, 60, 5, " You May Start from Level 5 | Accuracy   30% | WPM   20 | AWPM  6", {"20", "6", "60"}},
        {"E", 71, 60, 1, " You Should Start from Level 1 | Accuracy   29% | WPM   20 | AWPM  5", {"20", "5", "60"}},
        // a text typed within its first second counts one second
        {"E", 0, 0, 18, " You Can Start from Level 18 or Above. | Accuracy   100% | WPM   1200 | AWPM  1200",
         {"1200", "1200", "1"}},
        {"A", 10, 60, 18, arabic(" يمكنك البدء من المستوى الثامن عشر أو أعلى "_a, "90", "20", "18"), {"20", "18", "60"}},
        {"A", 20, 60, 17, arabic(" يمكنك البدء من المستوى السابع عشر"_a, "80", "20", "16"), {"20", "16", "60"}},
        {"A", 45, 60, 7, arabic(" يمكنك البدء من المستوى السابع"_a, "55", "20", "11"), {"20", "11", "60"}},
        {"A", 70, 60, 5, arabic(" يمكنك البدء من المستوى الخامس"_a, "30", "20", "6"), {"20", "6", "60"}},
        {"A", 90, 60, 1, arabic(" عليك البدء من المستوى الأول"_a, "10", "20", "2"), {"20", "2", "60"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        Messages.clear();
        Sounds.clear();
        Open(TTest::Placement, c.language, [&] {
            EXPECT_FALSE(LevelForm->FilesList->Enabled());
            EXPECT_FALSE(LevelForm->ComboBox2->Visible());
            EXPECT_EQ(LevelForm->FileNameEdit->Text(), "t1");
            Send(L"Start");
            EXPECT_EQ(Surface(), LevelForm->RichView2);
            EXPECT_EQ(Surface()->SourceLength, 100);
            TypeText(c.wrong, c.seconds);
        });
        EXPECT_EQ(Messages, std::vector<String>{c.lines});
        EXPECT_EQ(CurrentLesson, c.lesson);
        EXPECT_EQ(Students(), "name,lesson\r\nNoUserName," + IntToStr(c.lesson) + "\r\n");
        // the lesson form has it
        EXPECT_EQ(ClassForm->LessonTable->FieldByName("data")->AsString(), "<p>L" + IntToStr(c.lesson) + "</p>");
        const TRunResults& r = RunResults;
        EXPECT_EQ((std::vector<String>{r.WpmHistory[0], r.AwpmHistory[0], r.SecondsHistory[0]}), c.histories);
        EXPECT_EQ(r.WpmHistory.Count() + r.AwpmHistory.Count() + r.SecondsHistory.Count(), 3);
        EXPECT_EQ(r.AccuracyHistory.Count(), 0);
        EXPECT_EQ(r.KeyCorrectList.Count(), 255);
        const bool wellDone = std::count(Sounds.begin(), Sounds.end(), Dir.File("Data\\effects\\WellDone.wav")) == 1;
        EXPECT_EQ(wellDone, c.lesson == 18);
    }
    EXPECT_TRUE(Errors.empty());
}

// A new user's first training: the beginner form's placement test places the user, the lesson
// form opens on the placed lesson although the main menu enters the user again in between, and
// the user list holds it after Return.
TEST_F(PlacementTest, APlacementFromTheBeginnerFormOpensTheLessonFormOnThePlacedLesson) {
    for (const char* file : {"Data\\AStudents.txt", "Data\\AResults.ini"}) DeleteFileW(ToWide(Dir.File(file)).c_str());
    StartIn("E");   // a first run: a new user, and the beginner form's flag is set
    Test = LevelForm;
    WhenShown[BeginnerForm] = [] { BeginnerForm->ShockwaveFlash->OnFSCommand(BeginnerForm->ShockwaveFlash, L"EnterExam", L""); };
    WhenShown[LevelForm] = [this] {
        Send(L"Start");
        TypeText(25, 60);   // 75 %
    };
    int shownLesson = 0;
    WhenShown[ClassForm] = [&] {
        shownLesson = CurrentLesson;
        ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, L"Return", L"");
    };
    Command(L"Train");
    EXPECT_EQ(Messages, std::vector<String>{" You May Start from Level 14 | Accuracy   75% | WPM   20 | AWPM  15"});
    EXPECT_EQ(shownLesson, 14);
    EXPECT_TRUE(Shows("<p>L14</p>"));
    EXPECT_EQ(Students(), "name,lesson\r\nNoUserName,14\r\n");
    EXPECT_TRUE(Errors.empty());
}

// Past the gauge's round (the last duration, here three minutes) the gauge starts again, the
// test goes on, and the speed shown as it goes still counts from the first key.
TEST_F(PlacementTest, TheGaugeGoesRoundAndTheSpeedCountsFromTheFirstKey) {
    Open(TTest::Placement, "E", [&] {
        EXPECT_EQ(LevelForm->ComboBox2->ItemIndex(), 2);
        Send(L"Start");
        EXPECT_EQ(LevelForm->Gauge->MaxValue(), 180);
        Key(SourceLines()[0][0]);
        for (int i = 0; i < 179; ++i) Tick();
        EXPECT_EQ(LevelForm->TimeLabel->Caption(), "179");
        Tick();
        EXPECT_EQ(LevelForm->Gauge->Progress(), 0);
        EXPECT_EQ(LevelForm->TimeLabel->Caption(), "0");
        for (int i = 0; i < 10; ++i) Tick();
        EXPECT_EQ(LevelForm->TimeLabel->Caption(), "10");
        EXPECT_EQ(LevelForm->State(), TTestState::Running);
        TypeNext(50);   // at the 51st key 50 were typed: 10 words in 190 s
        EXPECT_EQ(LevelForm->WPMLabel->Caption(), "3 WPM");
        EXPECT_TRUE(Messages.empty());
    });
}

}  // namespace
