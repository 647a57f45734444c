#include "tutor/tests/TypingTest.h"
#include <gtest/gtest.h>
#include "platform/ui/OpenDialog.h"
#include "tutor/testing/TypingTestFixture.h"

using namespace tutor_testing;

namespace {

using TestFormTest = TypingTestTest;

// Pause (or Minimise) stops the clock, the gauge and the keys, and the paused time is not in the
// result; the captions say what the button does next, on the hidden button and on the movie. Stop ends a
// test without a trace in the results, and Start prepares the text again. Both tests, both
// interface languages.
TEST_F(TestFormTest, PauseStandsTheTestStillAndStopDiscardsIt) {
    struct Case { TTest test; const char* language; const wchar_t* pauseBy; String pause, continueText, start, stop, back, speed, result; };
    const Case cases[] = {
        {TTest::Placement, "E", L"Pause", "Pause", "Continue", "Start", "Stop", "Return", "60 WPM",
         " You Can Start from Level 18 or Above. | Accuracy   100% | WPM   20 | AWPM  20"},
        // minimised, the program goes and the test waits
        {TTest::Speed, "A", L"Minimize", "توقف مؤقت"_a, "متابعة"_a, "إبدأ"_a, "توقف"_a, "رجوع"_a, "60 كلمة فى الدقيقة"_a,
         " تهانينا ...... لقد أنهيت التمرين بتفوق,  | الدقــــة   100% | كلمة في الدقيقة   20 | كلمة صحيحة في الدقيقة   20"_a},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Messages.clear();
        Open(c.test, c.language, [&] {
            EXPECT_EQ((std::vector<String>{Test->Startbutton->Caption(), Test->PauseBtn->Caption(),
                                           Test->StopBtn->Caption(), Test->CancelButton->Caption(),
                                           Test->Startbutton->Hint()}),
                      (std::vector<String>{c.start, c.pause, c.stop, c.back, c.start}));
            // a test stopped midway leaves nothing
            Send(L"Start");
            TypeNext(12);
            Tick();
            EXPECT_EQ(Test->State(), TTestState::Running);
            Send(L"Stop");
            EXPECT_EQ(Test->State(), TTestState::Idle);
            EXPECT_FALSE(Test->Timer1->Enabled());
            Key('x');
            EXPECT_EQ(Surface()->CCount + Surface()->WCount, 12);
            EXPECT_EQ(RunResults.WpmHistory.Count() + RunResults.SecondsHistory.Count(), 0);

            Send(L"Start");
            EXPECT_EQ(Surface()->CCount + Surface()->WCount, 0);
            EXPECT_EQ(Test->CCLabel->Caption(), "");
            TypeNext(51);   // 10 words before the last key, over 10 seconds
            for (int i = 0; i < 10; ++i) Tick();
            TypeNext(1);
            EXPECT_EQ(Test->WPMLabel->Caption(), c.speed);
            Send(c.pauseBy);
            EXPECT_EQ(Test->State(), TTestState::Paused);
            const bool minimised = IsIconic(MainFrm->Handle());
            EXPECT_EQ(minimised, WideString(c.pauseBy) == L"Minimize");
            if (minimised) App->Restore();
            EXPECT_EQ(Test->PauseBtn->Caption(), c.continueText);
            EXPECT_EQ(Test->PauseBtn->Hint(), c.continueText);
            EXPECT_EQ(Test->ShockwaveFlash->Player().CurrentFrame(L"PauseButton"), 1);
            for (int i = 0; i < 20; ++i) Tick();   // twenty seconds pass, none for the test
            EXPECT_EQ(Test->TimeLabel->Caption(), "10");
            Key('x');
            EXPECT_EQ(Surface()->CCount + Surface()->WCount, 52);
            Send(L"Start");   // Start continues a paused test
            EXPECT_EQ(Test->State(), TTestState::Running);
            EXPECT_EQ(Test->ShockwaveFlash->Player().CurrentFrame(L"PauseButton"), 0);
            for (int i = 0; i < 10; ++i) Tick();
            EXPECT_EQ(Test->TimeLabel->Caption(), "20");
            TypeNext(-1, 40);   // 40 seconds on: 60 seconds of typing in all
        });
        EXPECT_EQ(Messages, std::vector<String>{c.result});
        EXPECT_EQ(Lines(RunResults.SecondsHistory), std::vector<String>{"60"});
        EXPECT_EQ(Lines(RunResults.WpmHistory), std::vector<String>{"20"});
    }
    EXPECT_TRUE(Errors.empty());
}

// Without the test-text list the learner still has the movie to leave by: the list is empty and
// one message says why, not one at each activation. Without the durations file the built-in
// durations say what they stand for. A text file chosen through the movie is the one typed.
TEST_F(TestFormTest, MissingListsLeaveAWayOutAndAnyTextFileCanBeChosen) {
    DeleteFileW(ToWide(Dir.File("Data\\ASpeedText\\Text.txt")).c_str());
    DeleteFileW(ToWide(Dir.File("Data\\EMinutes.txt")).c_str());
    Dir.Write("Other\\mine.txt", LetterText(7));
    Open(TTest::Speed, "E", [&] {
        EXPECT_EQ(FromWide(SpeedForm->ShockwaveFlash->Movie()), Dir.File("Data\\interface\\SpeedTestE.swf"));
        EXPECT_EQ(SpeedForm->FilesList->Items()->Count(), 0);
        EXPECT_EQ(Messages, std::vector<String>{"The list of test texts could not be read: " +
                                                Dir.File("Data\\AspeedText\\Text.txt")});
        std::vector<String> durations;
        for (int i = 0; i < SpeedForm->ComboBox2->Items()->Count(); ++i)
            durations.push_back(SpeedForm->ComboBox2->Items()->Strings(i));
        EXPECT_EQ(durations, (std::vector<String>{"1 minute", "2 minutes", "3 minutes", "4 minutes", "5 minutes",
                                                  "6 minutes", "7 minutes", "8 minutes"}));
        EXPECT_EQ(SpeedForm->ComboBox2->ItemIndex(), 0);

        TOpenDialog* dialog = SpeedForm->OpenDialog;
        dialog->FileName = Dir.File("Other\\mine.txt");
        dialog->OnShow = [dialog](TObject*) { PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); };
        Send(L"OpenFile");
        EXPECT_EQ(AnsiLowerCase(SpeedForm->TextPath()), AnsiLowerCase(Dir.File("Other\\mine.txt")));
        EXPECT_EQ(SpeedForm->FileNameEdit->Text(), "mine");
        EXPECT_TRUE(SpeedForm->FileNameEdit->ReadOnly());
        Send(L"Start");
        EXPECT_EQ(Surface()->SourceLength, 7);
        TypeText(0, 3);
    });
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[1], " Congratulation .... You Finish This Exercise Successfully. | Accuracy   100% | WPM   20 | AWPM  20");
    EXPECT_TRUE(Errors.empty());
}

// The results of the run keep each test's accuracy beside its speeds, placement tests too, and
// the key lists add up the keys of every test form: a placement test and then a speed test, in
// one run, leave the counts of both.
TEST_F(TestFormTest, TheResultsKeepEachTestsAccuracyAndTheKeysOfBothTests) {
    StartIn("E");
    Test = LevelForm;
    WhenShown[LevelForm] = [this] {
        Send(L"Start");
        TypeText(0, 60);
    };
    LevelForm->ShowModal();
    Test = SpeedForm;
    WhenShown[SpeedForm] = [this] {
        Send(L"Start");
        TypeText(10, 60);
        Send(L"Return");
    };
    Command(L"Test");
    const TRunResults& r = RunResults;
    EXPECT_EQ(Lines(r.TestAccuracyHistory), (std::vector<String>{"100", "90"}));
    EXPECT_EQ(Lines(r.AccuracyHistory), std::vector<String>{"90"});
    for (const String& letter : {"ب"_a, "ت"_a, "ي"_a, "ن"_a}) {
        const unsigned char code = static_cast<unsigned char>(letter[0]);
        const int placed = LevelForm->RichView2->CharCorrect[code], speed = SpeedForm->RichView2->CharCorrect[code];
        EXPECT_GT(placed, 0);
        EXPECT_GT(speed, 0);
        EXPECT_EQ(TRunResults::LineValue(r.KeyCorrectList, code - 1), placed + speed);
        EXPECT_EQ(TRunResults::LineValue(r.KeyWrongList, code - 1),
                  LevelForm->RichView2->CharWrong[code] + SpeedForm->RichView2->CharWrong[code]);
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
