#include "tutor/results/Results.h"
#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/SysUtils.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/testing/ScreenLayout.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

struct ResultsScreen : TutorFixture {
    void SetUp() override {
        TutorFixture::SetUp();
        Dir.Write("Data\\Agent\\Html\\Results.htm", "<html></html>");
        WriteUserStore();
        Start();
    }
    // Opens the results from the main menu in the interface language; body runs in the shown
    // screen, which closes afterwards unless the body closed it.
    void Open(const char* language, const std::function<void()>& body) {
        InterfaceLanguage = language;
        bool ran = false;
        WhenShown[ResultsForm] = [&] {
            ran = true;
            body();
            if (ResultsForm->Visible()) ResultsForm->Close();
        };
        Command(L"Results");
        EXPECT_TRUE(ran);
        EXPECT_FALSE(ResultsForm->Visible());
    }
    void Send(const wchar_t* command) {
        ResultsForm->ShockwaveFlash->OnFSCommand(ResultsForm->ShockwaveFlash, command, L"");
    }
    static void Lines(TStringList& list, std::initializer_list<const char*> lines) {
        list.Clear();
        for (const char* line : lines) list.Add(line);
    }
    // The summary as the window holds it, and its runs of red bold characters, line breaks left out.
    static std::vector<String> RedRuns() {
        TRichEdit* edit = ResultsForm->rEdit;
        const String text = FromWide(edit->WindowText(false));
        std::vector<String> runs;
        bool inRun = false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') continue;
            edit->SetSelStart(static_cast<int>(i));
            edit->SetSelLength(1);
            const bool red = edit->SelAttributes()->Color() == clRed && (edit->SelAttributes()->Style() & fsBold);
            if (red && !inRun) runs.emplace_back();
            if (red) runs.back() += text[i];
            inRun = red;
        }
        edit->SetSelLength(0);
        return runs;
    }
    static std::vector<String> Row(int row) {
        std::vector<String> cells;
        for (int col = 0; col < 5; ++col) cells.push_back(ResultsForm->ResultsList->Cells(col, row));
        return cells;
    }
};

// The averages of the run in the sentence of the interface language, with the eight values in
// red bold; the scale follows the goal and the bars are the averages' shares of it. The time
// named as training counts the lesson practices too; a goal of 0 gives zeros and no bars.
TEST_F(ResultsScreen, TheSummaryTellsTheAveragesAndTheGoalBarShowsThem) {
    struct Case {
        const char* language;
        std::initializer_list<const char*> wpm, awpm, seconds, accuracy;
        int practiceSeconds, goal;
        int ticks;   // the tests' seconds, which the screen leaves for the next measure to replace
        String text;
        std::vector<String> red;
        std::vector<String> scale;
        int awpmBar, wpmBar;
    };
    const Case cases[] = {
        {"E", {"40"}, {"30"}, {"3725"}, {"90"}, 0, 100, 3725,
         "...Your current average typing speed is 40 WPM with accuracy 90% , in an Adjusted Word Per Minute(AWPM) of 30"
         "\r\n\r\nAfter 1 hour(s), 2 minute(s) and 5 Seconds of training in Tapwise, you have attained 40% of your goal "
         "of 100 Word Per Minute.",
         {"40 ", "90%", "30", "1 ", "2 ", "5 ", "40%", "100 "}, {"100-", "75-", "50-", "25-"}, 45, 15},
        // a placement and a speed test: the accuracy is the speed test's alone; a line that is
        // no number counts 0; ten minutes of practice join the 125 seconds of the tests
        {"A", {"30", "50", "x"}, {"20", "40", "30"}, {"60", "65"}, {"80"}, 600, 10, 125,
         "المعدل الحالي لسرعتك في الطباعة هو 26 ك.ف.د.بدقة 80% , بمعدل كلمات صحيحة في الدقيقة هو 30 ك.ص.ف.د."
         "\r\n\r\nبعد 0 ساعة، 12 دقيقة و 5 ثانية من التدريب على برنامج Tapwise, لقد أنجزت 260% من هدفك المحدد وهو "
         "10 كلمة في الدقيقة."_a,
         {"26 ", "80%", "30 ", "0 ", "12 ", "5 ", "260%", "10 "}, {"10-", "8-", "5-", "2-"}, 150, 0},
        {"E", {}, {}, {}, {}, 0, 0, 0,
         "...Your current average typing speed is 0 WPM with accuracy 0% , in an Adjusted Word Per Minute(AWPM) of 0"
         "\r\n\r\nAfter 0 hour(s), 0 minute(s) and 0 Seconds of training in Tapwise, you have attained 0% of your goal "
         "of 0 Word Per Minute.",
         {"0 ", "0%", "0", "0 ", "0 ", "0 ", "0%", "0 "}, {"0-", "0-", "0-", "0-"}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TRunResults& r = RunResults;
        Lines(r.WpmHistory, c.wpm);
        Lines(r.AwpmHistory, c.awpm);
        Lines(r.SecondsHistory, c.seconds);
        Lines(r.AccuracyHistory, c.accuracy);
        r.TotalTypingSeconds = c.practiceSeconds;
        UserGoal = c.goal;
        Open(c.language, [&] {
            TResultsForm* f = ResultsForm;
            EXPECT_EQ(f->ResultsNote->PageIndex(), 0);
            EXPECT_EQ(FromWide(f->rEdit->WindowText(false)), c.text);
            EXPECT_EQ(RedRuns(), c.red);
            EXPECT_TRUE(f->rEdit->ReadOnly());
            // every paragraph reads in the language's direction, after a visit in the other one too
            for (int at : {0, static_cast<int>(c.text.size()) - 1}) {
                f->rEdit->SetSelStart(at);
                EXPECT_EQ(f->rEdit->Paragraph()->RightToLeft(), c.language == String("A"));
            }
            EXPECT_EQ((std::vector<String>{f->Label_100->Caption(), f->Label_75->Caption(), f->Label_50->Caption(),
                                           f->Label_25->Caption(), f->Label_0->Caption()}),
                      (std::vector<String>{c.scale[0], c.scale[1], c.scale[2], c.scale[3], "0"}));
            // the adjusted speed at the foot, the speed over it, the goal above
            EXPECT_EQ(f->AWPMLabel->Visible() ? f->AWPMLabel->Height() : 0, c.awpmBar);
            EXPECT_EQ(f->WPMLabel->Visible() ? f->WPMLabel->Height() : 0, c.wpmBar);
            if (c.awpmBar > 0) EXPECT_EQ(f->AWPMLabel->Top() + c.awpmBar, f->SummaryPanel->Height());
            if (c.wpmBar > 0) EXPECT_EQ(f->WPMLabel->Top() + c.wpmBar, f->AWPMLabel->Top());
            EXPECT_EQ(f->GoalLabel->Height(), f->SummaryPanel->Height() - c.awpmBar - c.wpmBar);
        });
        EXPECT_EQ(r.TypingTicks, c.ticks);
    }
    EXPECT_TRUE(Errors.empty());
}

// A row per finished test, its number, speeds, accuracy and seconds; a test stored without its
// accuracy or adjusted speed shows 0 (and the lists gain the lines). No test, the header alone.
TEST_F(ResultsScreen, TheTableHasARowPerTestWithItsOwnAccuracy) {
    Open("E", [&] {
        EXPECT_EQ(ResultsForm->ResultsList->RowCount(), 1);
        EXPECT_EQ(Row(0), (std::vector<String>{"", "WPM", "AWPM", "Accuracy", "Time"}));
        EXPECT_FALSE(ResultsForm->ResultsList->UseRightToLeftAlignment());
    });
    EXPECT_EQ(RunResults.AwpmHistory.Count() + RunResults.SecondsHistory.Count(), 0);

    TRunResults& r = RunResults;
    r.AddTest(40, 30, 62, 75);
    r.AddTest(3, 2, 20, 67);
    r.AddTest(50, 50, 60, 90);   // all keys right would be 100 % of the speed; the keys say 90
    r.WpmHistory.Add("12");
    Open("A", [&] {
        EXPECT_EQ(ResultsForm->ResultsList->RowCount(), 5);
        EXPECT_EQ(Row(0), (std::vector<String>{"", "كلمة في الدقيقة"_a, "كلمة صحيحة في الدقيقة"_a, "الدقة"_a, "الوقت"_a}));
        EXPECT_EQ(Row(1), (std::vector<String>{"1-", "40", "30", "75 %", "62"}));
        EXPECT_EQ(Row(2), (std::vector<String>{"2-", "3", "2", "67 %", "20"}));
        EXPECT_EQ(Row(3), (std::vector<String>{"3-", "50", "50", "90 %", "60"}));
        EXPECT_EQ(Row(4), (std::vector<String>{"4-", "12", "0", "0 %", "0"}));
        EXPECT_TRUE(ResultsForm->ResultsList->UseRightToLeftAlignment());
    });
    EXPECT_EQ(r.AwpmHistory.Count(), 4);
    EXPECT_EQ(r.SecondsHistory.Count(), 4);
    EXPECT_EQ(r.TestAccuracyHistory.Count(), 4);
    EXPECT_TRUE(Errors.empty());
}

// A bar group per test: the goal named by the test's number, the speed by its value, the
// adjusted speed with its mark. The arrows move the view a tenth of its span, the zoom buttons
// scale it; both stay until Reset Zoom, which they enable and which disables itself.
TEST_F(ResultsScreen, TheChartHasABarGroupPerTestAndTheViewMovesUntilReset) {
    RunResults.AddTest(40, 30, 60, 75);
    RunResults.AddTest(45, 41, 60, 91);
    UserGoal = 50;
    auto range = [](TChartAxis* a) { return std::vector<double>{a->Minimum(), a->Maximum()}; };
    Open("E", [&] {
        TResultsForm* f = ResultsForm;
        TChart* chart = f->TheChart;
        ASSERT_EQ(chart->SeriesCount(), 3);
        struct Expected { TChartSeries* series; String title; std::vector<double> values; std::vector<String> labels; };
        const Expected expected[] = {
            {f->Series5, "Goal", {50, 50}, {"1", "2"}},
            {f->Series7, "WPM", {40, 45}, {"40", "45"}},
            {f->Series6, "AWPM", {30, 41}, {"", ""}},
        };
        for (int s = 0; s < 3; ++s) {
            const Expected& e = expected[s];
            ASSERT_EQ(chart->Series(s), e.series);
            EXPECT_EQ(e.series->Title(), e.title);
            ASSERT_EQ(e.series->Count(), 2);
            for (int i = 0; i < 2; ++i) {
                EXPECT_EQ(e.series->YValues()->Value(i), e.values[i]);
                EXPECT_EQ(e.series->Labels(i), e.labels[i]);
                EXPECT_EQ(e.series->ValueColor(i), e.series->SeriesColor());
            }
        }
        EXPECT_EQ(chart->LeftAxis()->Title()->Caption(), "Adjusted W.P.M");
        EXPECT_EQ(f->ZoomInBtn->Caption(), "Zoom In");

        EXPECT_EQ(range(chart->LeftAxis()), (std::vector<double>{0, 50}));
        EXPECT_FALSE(f->ResetZoomBtn->Enabled());
        f->SpeedButton3->Click();
        EXPECT_EQ(range(chart->LeftAxis()), (std::vector<double>{5, 55}));
        EXPECT_TRUE(f->ResetZoomBtn->Enabled());
        f->SpeedButton2->Click();
        f->SpeedButton2->Click();
        EXPECT_NEAR(range(chart->LeftAxis())[0], -5, 1e-9);
        EXPECT_NEAR(range(chart->LeftAxis())[1], 45, 1e-9);
        const std::vector<double> bottom = range(chart->BottomAxis());
        f->SpeedButton1->Click();
        EXPECT_NEAR(range(chart->BottomAxis())[0], bottom[0] + (bottom[1] - bottom[0]) / 10, 1e-9);
        f->SpeedButton4->Click();
        EXPECT_NEAR(range(chart->BottomAxis())[0], bottom[0], 1e-9);
    });
    UserGoal = 50;   // the main menu entered the user again
    Open("A", [&] {
        TResultsForm* f = ResultsForm;
        TChart* chart = f->TheChart;
        EXPECT_NEAR(range(chart->LeftAxis())[0], -5, 1e-9);   // still where the learner left it
        EXPECT_EQ(f->Series6->Title(), "كلمة صحيحة في الدقيقة"_a);
        EXPECT_EQ(chart->LeftAxis()->Title()->Caption(), "كلمة صحيحة في الدقيقة"_a);
        f->ResetZoomBtn->Click();
        EXPECT_FALSE(f->ResetZoomBtn->Enabled());
        EXPECT_EQ(range(chart->LeftAxis()), (std::vector<double>{0, 50}));
        f->ZoomInBtn->Click();
        EXPECT_NEAR(range(chart->LeftAxis())[1] - range(chart->LeftAxis())[0], 50 / 1.2, 1e-9);
        EXPECT_TRUE(f->ResetZoomBtn->Enabled());
        f->ZoomOutBtn->Click();
        EXPECT_NEAR(range(chart->LeftAxis())[1] - range(chart->LeftAxis())[0], 50 / 1.2 * 1.25, 1e-9);
        f->ResetZoomBtn->Click();
        EXPECT_EQ(range(chart->LeftAxis()), (std::vector<double>{0, 50}));
    });
    EXPECT_TRUE(Errors.empty());
}

// Each key of the keyboard that was typed takes the colour of its share of right keys: under a
// fifth red, up to three fifths the adequate colour, above it the colour of keys known well;
// a key never typed keeps its colour, the legends keep theirs. The keyboard is the typing
// language's, Arabic, whatever language the screens speak; Shift swaps it for its twin.
TEST_F(ResultsScreen, TheKeyboardColoursEachTypedKeyByItsShareOfRightKeys) {
    struct Key { String caption; int right, wrong; TColor color; };
    const TColor adequate = 0xA4D1FF;
    const Key keys[] = {
        {"ب"_a, 9, 1, clInfoBk},   // 90 %
        {"ك"_a, 61, 39, clInfoBk}, // 61 %
        {"م"_a, 3, 2, adequate},   // 60 %
        {"ن"_a, 1, 4, adequate},   // 20 %
        {"ت"_a, 1, 5, clRed},      // 17 %
        {"ل"_a, 0, 0, clBlack},    // never typed
    };
    auto labelOf = [](TPanel* panel, const String& caption) -> TLabel* {
        for (TLabel* l : ResultsForm->KeyLabels(panel))
            if (l->Caption() == caption) return l;
        return nullptr;
    };
    // no test yet: nothing is coloured
    Open("E", [&] {
        for (TLabel* key : ResultsForm->KeyLabels(ResultsForm->KeysPanelAr)) EXPECT_EQ(key->Font()->Color(), clBlack);
    });

    std::array<int, 256> right{}, wrong{};
    for (const Key& k : keys) {
        right[static_cast<unsigned char>(k.caption[0])] = k.right;
        wrong[static_cast<unsigned char>(k.caption[0])] = k.wrong;
    }
    right[static_cast<unsigned char>("أ"_a[0])] = 1;   // shifted H
    wrong[static_cast<unsigned char>("أ"_a[0])] = 9;
    right['K'] = 10;                                   // the legends' first letter
    RunResults.StoreKeyCounts(right, wrong);
    Open("E", [&] {
        TResultsForm* f = ResultsForm;
        f->ProficiencyBtn->Click();
        EXPECT_TRUE(f->KeysPanelAr->Visible());
        EXPECT_FALSE(f->KeysPanelEn->Visible());
        EXPECT_EQ(f->KeyLabels(f->KeysPanelAr).size(), 47u);
        EXPECT_EQ(f->KeyLabels(f->KeysPanelAr2).size(), 47u);
        TBitmap shot;
        shot.SetSize(f->KeysPanelAr->Width(), f->KeysPanelAr->Height());
        f->KeysPanelAr->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
        for (const Key& k : keys) {
            SCOPED_TRACE(k.right);
            TLabel* label = labelOf(f->KeysPanelAr, k.caption);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->Font()->Color(), k.color);
            // the key's character is drawn in the colour on the key's own face
            int inColour = 0, face = 0;
            for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
                for (int x = label->Left(); x < label->Left() + label->Width(); ++x) {
                    const TColor pixel = shot.Canvas()->Pixels(x, y);
                    inColour += pixel == ColorToRGB(k.color);
                    face += pixel == ColorToRGB(0x72C6D9);
                }
            EXPECT_GT(inColour, 20);
            EXPECT_GT(face, label->Width() * label->Height() / 2);
        }
        EXPECT_EQ(labelOf(f->KeysPanelAr2, "أ"_a)->Font()->Color(), clRed);
        for (TLabel* legend : {f->PracticeKeyLabel, f->AdequateKeyLabel, f->WellKeyLabel})
            EXPECT_EQ(legend->Font()->Color(), clBlack);
        EXPECT_EQ(f->WellKeyLabel->Caption(), "Keys You Know Well");

        f->ShiftLArBtn->Click();
        EXPECT_TRUE(f->KeysPanelAr2->Visible());
        EXPECT_FALSE(f->KeysPanelAr->Visible());
        f->ShiftRAr2Btn->Click();
        EXPECT_TRUE(f->KeysPanelAr->Visible());
        EXPECT_FALSE(f->KeysPanelAr2->Visible());
        f->ShiftRArBtn->Click();
    });
    // closing put the keyboards away; a key later without counts keeps the colour it was given
    for (TPanel* panel : {ResultsForm->KeysPanelAr, ResultsForm->KeysPanelAr2, ResultsForm->KeysPanelEn,
                          ResultsForm->KeysPanelEn2})
        EXPECT_FALSE(panel->Visible());
    RunResults.KeyCorrectList.Clear();
    RunResults.KeyWrongList.Clear();
    Open("A", [&] {
        EXPECT_TRUE(ResultsForm->KeysPanelAr->Visible());
        EXPECT_FALSE(ResultsForm->KeysPanelAr2->Visible());
        EXPECT_EQ(labelOf(ResultsForm->KeysPanelAr, "ت"_a)->Font()->Color(), clRed);
        EXPECT_EQ(ResultsForm->WellKeyLabel->Caption(), "أزرار تعرفها جيداً"_a);
    });
    EXPECT_TRUE(Errors.empty());
}

// The movie's commands, each the first name found in the command string; the page buttons
// change the page, the summary cannot be edited, and Return leaves.
TEST_F(ResultsScreen, TheMovieCommandsTurnThePagesAndLeave) {
    struct Case { const wchar_t* command; int page; bool agent; };
    const Case cases[] = {
        {L"Graph", 3, false}, {L"Progress", 2, false}, {L"Proficiency", 1, false}, {L"Summary", 0, false},
        {L"PlayAgent Graph", 0, true},
    };
    AssistantOn = true;
    Open("E", [&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(FromWide(c.command));
            const size_t played = AgentForm->PlayedPages().size();
            Send(c.command);
            EXPECT_EQ(ResultsForm->ResultsNote->PageIndex(), c.page);
            EXPECT_EQ(AgentForm->PlayedPages().size(), played + (c.agent ? 1 : 0));
        }
        EXPECT_EQ(AgentForm->PlayedPages().back(), "Results.htm");
        ResultsForm->rEdit->SetFocus();
        EXPECT_EQ(ResultsForm->ActiveControl(), ResultsForm->ButtonsPanel);
        EXPECT_EQ(ResultsForm->GraphicBtn->Caption(), "Graphics");
        EXPECT_EQ(ResultsForm->GraphicBtn->Hint(), "Graphics");
        // the pointer over a button: the page buttons' captions turn white, the Shift buttons' red
        for (auto [button, over] : {std::pair<TControl*, TColor>{ResultsForm->GraphicBtn, clWhite},
                                    {ResultsForm->ShiftLArBtn, clRed}}) {
            button->Perform(CM_MOUSEENTER);
            EXPECT_EQ(button->Font()->Color(), over);
            button->Perform(CM_MOUSELEAVE);
            EXPECT_EQ(button->Font()->Color(), clBlack);
        }
        Send(L"Return");
        EXPECT_NE(ResultsForm->ModalResult(), mrNone);
    });
    EXPECT_TRUE(Errors.empty());
}

// Every page, the shifted keyboard too, lies in the room the movie of the language leaves: each
// control is seen where it stands and runs into none of the movie's buttons, texts or lines.
TEST_F(ResultsScreen, EveryPageIsSeenAndClearOfTheMovie) {
    for (const char* movie : {"ResultsAA.swf", "ResultsAE.swf"})
        Dir.Write(String("Data\\interface\\") + movie,
                  ReadBytes(testing_support::SourcePath(String("..\\data\\interface\\") + movie)));
    RunResults.AddTest(40, 30, 60, 75);
    for (const char* language : {"A", "E"}) {
        Open(language, [&] {
            SetWindowPos(ResultsForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            auto check = [&](const char* page) {
                SCOPED_TRACE(std::string(page) + ", interface " + language);
                App->ProcessMessages();
                // the page commands' buttons lie under the movie's, each keyboard picture under its key labels
                std::vector<std::string> faults = LayoutFaults(ResultsForm, {"ButtonsPanel", "KeysImageAr", "KeysImageAr2"});
                std::string all;
                for (const std::string& f : faults) all += "\n  " + f;
                EXPECT_TRUE(faults.empty()) << all;
            };
            check("summary");
            Send(L"Proficiency");
            check("proficiency");
            ResultsForm->ShiftLArBtn->Click();
            check("shifted keyboard");
            Send(L"Progress");
            check("progress");
            Send(L"Graph");
            check("graph");
            SetWindowPos(ResultsForm->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        });
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
