#include "words/Main.h"
#include <gtest/gtest.h>
#include <set>
#include <vector>
#include "platform/rtl/Random.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "platform/win/Sound.h"
#include "words/MainData.h"

namespace {

// The game started as the program block starts it, with time driven by messages.
struct WordsGame : ::testing::Test {
    TApplication* Saved = nullptr;
    TApplication* App = nullptr;
    TMainForm* F = nullptr;
    std::vector<String> Sounds;

    void SetUp() override {
        HoldSystemTimers(true);
        SetSoundFilePlayer([this](const String& path) { Sounds.push_back(path); return true; });
        Saved = Application;
        App = new TApplication(nullptr);
        Application = App;
        App->SetTitle("لعبة الكلمات"_a);
        App->CreateForm(MainForm);
        F = MainForm;
        F->Show();
        App->ProcessMessages();
    }
    void TearDown() override {
        App->Free();
        Application = Saved;
        MainForm = nullptr;
        HoldSystemTimers(false);
        SetSoundFilePlayer({});
        LoadAndActivateLayout(EnglishLayoutName);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }

    void Key(const String& ch) { SendMessageW(F->SpeedBtnBox->Handle(), WM_CHAR, ToWide(ch)[0], 1); }
    void Type(const String& text) {
        for (char c : text) Key(String(1, c));
    }
    static void Tick(TTimer* timer) { SendMessageW(timer->Handle(), WM_TIMER, 1, 0); }
    String Sound(const char* name) const { return ProgramDir + "\\Effects\\" + name + ".wav"; }
    TColor LetterColor(int position) {
        F->REdit->SetSelStart(position);
        F->REdit->SetSelLength(1);
        TColor color = F->REdit->SelAttributes()->Color();
        F->REdit->SetSelLength(0);
        return color;
    }
    std::vector<String> Counters() const {
        return {F->CPanel->Caption(), F->WPanel->Caption(), F->AccuracyPanel->Caption()};
    }
    // Plays the English game on one word.
    void StartEnglish(const char* words) {
        F->ListWordsEn->SetText(words);
        F->LangBtn->Click();
        F->StartBtn->Click();
        ASSERT_EQ(GameState, 1);
    }
};

std::vector<String> Lines(std::string_view text) {
    std::vector<String> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST_F(WordsGame, StartsInArabicStoppedWithTheFocusOnItsKeyBox) {
    EXPECT_EQ(GameLanguage, "Ar");
    EXPECT_EQ(GameState, 0);
    EXPECT_EQ(ProgramDir, ExtractFilePath(ParamStr(0)));
    EXPECT_EQ(ProgramDir.back(), '\\');
    EXPECT_EQ(LaunchArgument, ParamStr(1));
    EXPECT_EQ(ActiveLayoutName(), ArabicLayoutName);
    EXPECT_EQ(F->ClientWidth(), 792);
    EXPECT_EQ(F->ClientHeight(), 566);
    EXPECT_EQ(F->BorderStyle(), bsNone);
    EXPECT_FALSE(F->WordLabel->Visible());
    EXPECT_FALSE(F->REdit->Visible());
    EXPECT_FALSE(F->ResultLabel->Visible());
    for (TTimer* timer : {F->KeyPosTimer, F->TimeOutTimer, F->ResultsTimer}) EXPECT_FALSE(timer->Enabled());
    EXPECT_EQ(F->KeyPosTimer->Interval(), 100u);
    EXPECT_EQ(F->TimeOutTimer->Interval(), 10000u);
    EXPECT_EQ(F->ResultsTimer->Interval(), 500u);
    EXPECT_EQ(GetFocus(), F->SpeedBtnBox->Handle());
    EXPECT_TRUE(F->SpeedBtnBox->Checked());
    F->SpeedBtnBox->SetChecked(false);   // its click checks it again
    EXPECT_TRUE(F->SpeedBtnBox->Checked());
    EXPECT_NE(F->WinXP1, nullptr);
    EXPECT_EQ(F->MainImage->Picture()->Width(), 792);
    EXPECT_EQ(F->Image1->Picture()->Width(), 81);
    EXPECT_EQ(F->Image1->Picture()->Height(), 113);
}

TEST_F(WordsGame, TheListsHoldTheirWordsInAlphabeticalOrderAllTypeable) {
    const String arabicLetters = "ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي"_a;
    struct Case { TStringList* list; std::string_view data; int count; String letters; };
    const Case cases[] = {
        {F->ListWordsEn.get(), embedded::ListWordsEn, 23974, "abcdefghijklmnopqrstuvwxyz"},
        {F->ListWordsAr.get(), embedded::ListWordsAr, 12822, arabicLetters},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.list->Count(), c.count);
        std::vector<String> words = Lines(c.data);
        ASSERT_EQ(static_cast<int>(words.size()), c.count);
        EXPECT_EQ(c.list->Strings(c.count - 1), words.back());
        for (size_t i = 0; i < words.size(); ++i) {
            ASSERT_FALSE(words[i].empty());
            ASSERT_EQ(words[i].find_first_not_of(c.letters), String::npos) << words[i];
            // alphabetical: by the letters' order in the alphabet (code page 1256 bytes are not)
            if (i > 0) ASSERT_LT(ToWide(words[i - 1]), ToWide(words[i]));
        }
    }
}

TEST_F(WordsGame, TheLanguageButtonSwitchesCaptionsHintsLayoutAndReadingOrder) {
    struct Texts { String start, pause, close, c, w, a, lang, cHint, wHint, aHint, layout; bool rtl; };
    const Texts english{"Start", "Pause", "Close", "C", "W", "Acc", "Arabic",
                        "Correct Characters", "Wrong Characters", "Accuracy", EnglishLayoutName, false};
    const Texts arabic{"إبدأ"_a, "توقف مؤقت"_a, "إغلاق"_a, "صح"_a, "خطأ"_a, "الدقة"_a, "إنجليزي"_a,
                       "عدد الأحرف الصحيحة"_a, "عدد الأحرف الخطأ"_a, "الدقة"_a, ArabicLayoutName, true};
    for (const Texts* t : {&english, &arabic}) {
        F->LangBtn->Click();
        SCOPED_TRACE(GameLanguage);
        EXPECT_EQ(F->StartBtn->Caption(), t->start);
        EXPECT_EQ(F->PauseBtn->Caption(), t->pause);
        EXPECT_EQ(F->CloseBtn->Caption(), t->close);
        EXPECT_EQ(F->CLabel->Caption(), t->c);
        EXPECT_EQ(F->WLabel->Caption(), t->w);
        EXPECT_EQ(F->ALabel->Caption(), t->a);
        EXPECT_EQ(F->LangBtn->Caption(), t->lang);
        EXPECT_EQ(F->CPanel->Hint(), t->cHint);
        EXPECT_EQ(F->WPanel->Hint(), t->wHint);
        EXPECT_EQ(F->AccuracyPanel->Hint(), t->aHint);
        for (TSimpleGButton* b : {F->StartBtn, F->PauseBtn, F->CloseBtn, F->LangBtn}) EXPECT_EQ(b->Hint(), b->Caption());
        EXPECT_EQ(ActiveLayoutName(), t->layout);
        EXPECT_EQ(F->REdit->Paragraph()->RightToLeft(), t->rtl);
        EXPECT_EQ(GetFocus(), F->SpeedBtnBox->Handle());
    }
    EXPECT_EQ(GameLanguage, "Ar");
}

TEST_F(WordsGame, ALanguageChangeDuringARoundTakesTheOtherListFromTheNextWord) {
    F->ListWordsAr->SetText("باب"_a);
    F->ListWordsEn->SetText("cat");
    F->StartBtn->Click();
    EXPECT_EQ(F->WordLabel->Caption(), "باب"_a);
    EXPECT_EQ(F->StartBtn->Caption(), "توقف"_a);
    F->LangBtn->Click();
    EXPECT_EQ(F->StartBtn->Caption(), "Stop");   // the round goes on
    EXPECT_EQ(F->WordLabel->Caption(), "باب"_a);
    Type("باب"_a);                              // Arabic letters lie above 127 and count
    EXPECT_EQ(CorrectCount, 3);
    EXPECT_EQ(F->WordLabel->Caption(), "cat");
    EXPECT_EQ(F->REdit->Lines()->Strings(0), "cat");
}

TEST_F(WordsGame, ThePauseButtonTellsWhatItWillDoAlsoAfterALanguageChange) {
    F->StartBtn->Click();
    F->PauseBtn->Click();
    EXPECT_EQ(GameState, 2);
    EXPECT_FALSE(F->KeyPosTimer->Enabled());
    EXPECT_FALSE(F->TimeOutTimer->Enabled());
    EXPECT_EQ(F->PauseBtn->Caption(), "متابعة"_a);
    F->LangBtn->Click();
    EXPECT_EQ(F->PauseBtn->Caption(), "Resume");
    EXPECT_EQ(F->PauseBtn->Hint(), "Resume");
    F->PauseBtn->Click();
    EXPECT_EQ(GameState, 1);
    EXPECT_TRUE(F->KeyPosTimer->Enabled());
    EXPECT_TRUE(F->TimeOutTimer->Enabled());
    EXPECT_EQ(F->PauseBtn->Caption(), "Pause");
    // Start stops a paused round as well
    F->PauseBtn->Click();
    F->StartBtn->Click();
    EXPECT_EQ(GameState, 0);
    EXPECT_EQ(F->PauseBtn->Caption(), "Pause");
    EXPECT_EQ(F->StartBtn->Caption(), "Start");
    EXPECT_FALSE(F->WordLabel->Visible());
    EXPECT_FALSE(F->REdit->Visible());
    F->PauseBtn->Click();   // nothing to pause
    EXPECT_EQ(GameState, 0);
}

TEST_F(WordsGame, TheWordFliesTenPixelsATickAndBouncesAtEachEdge) {
    StartEnglish("cat");
    const int w = F->WordLabel->Width(), h = F->WordLabel->Height();
    EXPECT_EQ(StepX, 10);
    EXPECT_EQ(StepY, -10);
    struct Case { int left, top, stepX, stepY, newLeft, newTop; };
    const Case cases[] = {
        {300, 300, 10, -10, 310, 290},              // right and up, as a round starts
        {792 - w + 1, 300, 10, -10, 792 - w - 9, 290},   // past the right edge: back left
        {792 - w, 300, 10, -10, 792 - w + 10, 290},      // touching it: one more step out
        {-1, 300, -10, 10, 9, 310},                 // past the left edge: back right
        {300, 5, 10, -10, 310, 15},                 // the step would leave the top: down
        {300, 566 - h - 5, 10, 10, 310, 566 - h - 15},   // the step would leave the bottom: up
        {300, 566 - h - 10, 10, 10, 310, 566 - h},  // a step that just fits is taken
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top);
        F->WordLabel->SetBounds(c.left, c.top, w, h);
        StepX = c.stepX;
        StepY = c.stepY;
        Tick(F->KeyPosTimer);
        EXPECT_EQ(F->WordLabel->Left(), c.newLeft);
        EXPECT_EQ(F->WordLabel->Top(), c.newTop);
        EXPECT_EQ(F->WordLabel->Width(), w);
        // the rocket rides under the word, a step behind
        EXPECT_EQ(F->Image1->Left(), c.newLeft + w / 2 - StepX - 81 / 2);
        EXPECT_EQ(F->Image1->Top(), c.newTop + h - StepY);
    }
}

TEST_F(WordsGame, EachKeyIsJudgedCountedColouredAndHeard) {
    StartEnglish("cat");
    EXPECT_EQ(Counters(), (std::vector<String>{"0", "0", "0%"}));
    EXPECT_EQ(LetterColor(0), clBlack);
    struct Case { String key; int correct, wrong; String word; std::vector<String> counters; const char* sound; };
    const Case cases[] = {
        {"c", 1, 0, "at", {"1", "0", "100%"}, "KeyPress"},
        {" ", 1, 0, "at", {"1", "0", "100%"}, nullptr},         // space and control keys are no letters
        {"\t", 1, 0, "at", {"1", "0", "100%"}, nullptr},
        {"\x1b", 1, 0, "at", {"1", "0", "100%"}, nullptr},
        {"A", 1, 1, "t", {"1", "1", "50%"}, "WrongChar"},       // a capital for a small letter is wrong
        {"t", 2, 1, "cat", {"2", "1", "67%"}, "KeyPress"},      // the word is done: the next one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        Sounds.clear();
        Key(c.key);
        EXPECT_EQ(CorrectCount, c.correct);
        EXPECT_EQ(WrongCount, c.wrong);
        EXPECT_EQ(F->WordLabel->Caption(), c.word);
        EXPECT_EQ(Counters(), c.counters);
        EXPECT_EQ(Sounds, c.sound ? std::vector<String>{Sound(c.sound)} : std::vector<String>{});
        EXPECT_TRUE(F->KeyPosTimer->Enabled());
    }
    // before the new word the marks were blue and red; the new word starts black
    for (int p = 0; p < 3; ++p) EXPECT_EQ(LetterColor(p), clBlack);
    Key("c");
    Key("x");
    EXPECT_EQ(LetterColor(0), clBlue);
    EXPECT_EQ(LetterColor(1), clRed);
    EXPECT_EQ(LetterColor(2), clBlack);
    // keys count only while the word flies
    F->PauseBtn->Click();
    Key("t");
    F->StartBtn->Click();
    Key("t");
    EXPECT_EQ(CorrectCount + WrongCount, 5);
}

TEST_F(WordsGame, ATimeOutCountsAWrongLetterInTheAccuracyAndBringsANewWord) {
    StartEnglish("cat");
    Key("c");
    Sounds.clear();
    Tick(F->TimeOutTimer);
    EXPECT_EQ(CorrectCount, 1);
    EXPECT_EQ(WrongCount, 1);
    EXPECT_EQ(Counters(), (std::vector<String>{"1", "1", "50%"}));
    EXPECT_EQ(Sounds, std::vector<String>{Sound("WrongChar")});
    EXPECT_EQ(F->WordLabel->Caption(), "cat");
    EXPECT_EQ(F->REdit->Lines()->Strings(0), "cat");
    EXPECT_EQ(LetterColor(0), clBlack);
    EXPECT_TRUE(F->KeyPosTimer->Enabled());
    EXPECT_TRUE(F->TimeOutTimer->Enabled());
    // a time-out before the word's first key
    Tick(F->TimeOutTimer);
    EXPECT_EQ(Counters(), (std::vector<String>{"1", "2", "33%"}));
}

TEST_F(WordsGame, TheFiftiethLetterEndsTheRoundMidWordAndTheSentenceFlashesTenSeconds) {
    StartEnglish("abcdefgh");
    for (int i = 0; i < 6; ++i) Type("abcdefgh");
    Type("a");
    EXPECT_EQ(GameState, 1);
    Type("b");   // the 50th letter
    EXPECT_EQ(GameState, 0);
    EXPECT_EQ(CorrectCount, 50);
    EXPECT_EQ(F->WordLabel->Caption(), "cdefgh");
    EXPECT_FALSE(F->KeyPosTimer->Enabled());
    EXPECT_FALSE(F->TimeOutTimer->Enabled());
    EXPECT_FALSE(F->WordLabel->Visible());
    EXPECT_FALSE(F->REdit->Visible());
    EXPECT_EQ(F->StartBtn->Caption(), "Start");
    EXPECT_TRUE(F->ResultLabel->Visible());
    EXPECT_EQ(F->ResultLabel->Caption(), "Congratulation, you were excellent in this exercise.");
    EXPECT_TRUE(F->ResultsTimer->Enabled());
    Key("c");
    EXPECT_EQ(CorrectCount, 50);

    const TColor cycle[] = {clRed, clYellow, clBlack, clWhite};
    for (int tick = 0; tick < 20; ++tick) {
        EXPECT_TRUE(F->ResultLabel->Visible()) << tick;
        // while the sentence shows, Start and Pause wait
        F->StartBtn->Click();
        F->PauseBtn->Click();
        EXPECT_EQ(GameState, 0);
        Tick(F->ResultsTimer);
        EXPECT_EQ(F->ResultLabel->Font()->Color(), cycle[tick % 4]) << tick;
    }
    EXPECT_EQ(ResultTime, 10000);
    EXPECT_FALSE(F->ResultLabel->Visible());
    EXPECT_FALSE(F->ResultsTimer->Enabled());
    F->StartBtn->Click();
    EXPECT_EQ(GameState, 1);
    EXPECT_EQ(Counters(), (std::vector<String>{"0", "0", "0%"}));
}

TEST_F(WordsGame, TimeOutsAtTheEndOfARoundCountInItsResult) {
    StartEnglish("cat");
    Key("c");
    for (int i = 0; i < 49; ++i) Tick(F->TimeOutTimer);
    EXPECT_EQ(GameState, 0);
    EXPECT_EQ(F->AccuracyPanel->Caption(), "2%");
    EXPECT_EQ(F->ResultLabel->Caption(), "Not good, you should practice more.");
}

TEST(WordsResult, TheAccuracyBandsChooseTheSentence) {
    struct Case { int accuracy; const char* english; String arabic; };
    const Case cases[] = {
        {100, "Congratulation, you were excellent in this exercise.", "تهانينا, لقد أنجزت عملاً رائعاً"_a},
        {91, "Congratulation, you were excellent in this exercise.", "تهانينا, لقد أنجزت عملاً رائعاً"_a},
        {90, "Congratulation, you did well in this exercise.", "تهانينا لقد أنجزت التمرين بشكل جيد"_a},
        {81, "Congratulation, you did well in this exercise.", "تهانينا لقد أنجزت التمرين بشكل جيد"_a},
        {80, "Good, but you have to practice more.", "جيد, لكن عليك أن تتدرب أكثر"_a},
        {61, "Good, but you have to practice more.", "جيد, لكن عليك أن تتدرب أكثر"_a},
        {60, "You are attempting to reach a good result ..repeat.",
         "أنت تحاول أن تصل إلى نتيجة جيدة. أعد المحاولة مرة أخرى"_a},
        {41, "You are attempting to reach a good result ..repeat.",
         "أنت تحاول أن تصل إلى نتيجة جيدة. أعد المحاولة مرة أخرى"_a},
        {40, "Not good, you should practice more.", "عمل غير جيد, عليك أن تتدرب أكثر"_a},
        {0, "Not good, you should practice more.", "عمل غير جيد, عليك أن تتدرب أكثر"_a},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TMainForm::ResultSentence(c.accuracy, "En"), c.english) << c.accuracy;
        EXPECT_EQ(TMainForm::ResultSentence(c.accuracy, "Ar"), c.arabic) << c.accuracy;
    }
}

TEST_F(WordsGame, MinimisingPausesARunningRoundAndLeavesAStoppedGameStopped) {
    F->MinBtn->Click();
    EXPECT_TRUE(IsIconic(F->Handle()));
    EXPECT_EQ(GameState, 0);
    App->Restore();
    F->StartBtn->Click();
    F->MinBtn->Click();
    EXPECT_TRUE(IsIconic(F->Handle()));
    EXPECT_EQ(GameState, 2);
    EXPECT_FALSE(F->KeyPosTimer->Enabled());
    EXPECT_FALSE(F->TimeOutTimer->Enabled());
    EXPECT_EQ(F->PauseBtn->Caption(), "متابعة"_a);
    App->Restore();
    F->PauseBtn->Click();
    EXPECT_EQ(GameState, 1);
}

TEST_F(WordsGame, OnlyAWordToTypeIsShownAndAListWithoutOneStartsNoRound) {
    F->ListWordsAr->SetText("\r\n   \r\ntwo words\r\n");
    F->StartBtn->Click();
    EXPECT_EQ(GameState, 0);
    EXPECT_FALSE(F->WordLabel->Visible());
    EXPECT_EQ(F->StartBtn->Caption(), "إبدأ"_a);

    F->ListWordsAr->SetText("\r\ntwo words\r\n  up-to-date \r\n \r\n");
    F->StartBtn->Click();
    ASSERT_EQ(GameState, 1);
    std::set<String> shown;
    for (int i = 0; i < 20; ++i) {
        shown.insert(F->WordLabel->Caption());
        Tick(F->TimeOutTimer);
    }
    EXPECT_EQ(shown, std::set<String>{"up-to-date"});
}

TEST_F(WordsGame, TheGameButtonsColourTheirCaptionsUnderTheMouse) {
    for (TSimpleGButton* b : {F->StartBtn, F->PauseBtn, F->LangBtn, F->CloseBtn}) {
        SCOPED_TRACE(b->Name());
        EXPECT_EQ(b->Font()->Name(), "Arial");
        EXPECT_EQ(b->Font()->Height(), -32);
        LPARAM inside = MAKELPARAM(b->Left() + 5, b->Top() + 5);
        SendMessageW(F->Handle(), WM_MOUSEMOVE, 0, inside);
        EXPECT_EQ(b->Font()->Color(), clRed);
        SendMessageW(F->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, inside);
        EXPECT_EQ(b->Font()->Color(), clYellow);
        SendMessageW(F->Handle(), WM_RBUTTONUP, 0, inside);
        b->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(b->Font()->Color(), clBlack);
    }
}

TEST_F(WordsGame, CloseAndTheCornerCrossEndTheGame) {
    F->CloseBtn->Click();
    App->ProcessMessages();
    EXPECT_TRUE(App->Terminated());
    // a second game, closed by its corner button
    App->Free();
    App = new TApplication(nullptr);
    Application = App;
    App->CreateForm(MainForm);
    F = MainForm;
    F->Show();
    F->ExitBtn->Click();
    App->ProcessMessages();
    EXPECT_TRUE(App->Terminated());
}

}  // namespace
