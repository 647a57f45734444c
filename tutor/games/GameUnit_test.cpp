#include "tutor/games/GameUnit.h"
#include <gtest/gtest.h>
#include <windows.h>
#include "platform/rtl/SysUtils.h"
#include "platform/win/KeyboardLayout.h"
#include "platform/win/Process.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

struct GamesMenu : TutorFixture {
    std::vector<String> Started;

    void SetUp() override {
        TutorFixture::SetUp();
        WriteUserStore();
        Start();
    }
    void TearDown() override {
        SetProcessStarter({});
        TutorFixture::TearDown();
    }
    void RecordStarts(unsigned result = 33) {
        SetProcessStarter([this, result](const String& line, int show) {
            Started.push_back(line);
            EXPECT_EQ(show, SW_SHOW);
            return result;
        });
    }
    // The command line of a game of the media folder, started with the program folder.
    String Line(const String& path) const {
        return "\"" + CDDir + path + "\" \"" + AppDir + "\"";
    }
    std::vector<TSimpleGButton*> Buttons() const {
        return {GameForm->NumbersBtn, GameForm->WordsBtn, GameForm->FizzleBtn, GameForm->LettersBtn,
                GameForm->FrogBtn, GameForm->SpeedBtn, GameForm->RaceBTn};
    }
};

TEST_F(GamesMenu, SevenFramedPicturesLieOverTheMovieWithTheHintsOfTheLanguage) {
    struct Game { TSimpleGButton* button; int left, top; String arabic, english; };
    const Game games[] = {
        {GameForm->NumbersBtn, 278, 159, "لعبة الأرقام"_a, "Numbers"},
        {GameForm->WordsBtn, 584, 159, "لعبة الكلمات الطائرة"_a, "Flying Words"},
        {GameForm->FizzleBtn, 577, 289, "لعبة المفاتيح"_a, "Keys"},
        {GameForm->LettersBtn, 278, 288, "لعبة الحروف الطائرة"_a, "Flying Letters"},
        {GameForm->FrogBtn, 431, 159, "لعبة الضفدع"_a, "Frog eating"},
        {GameForm->SpeedBtn, 429, 290, "لعبة السرعة"_a, "Speed"},
        {GameForm->RaceBTn, 125, 159, "لعبة سباق السيارات"_a, "Car Race"},
    };
    for (const char* language : {"A", "E"}) {
        InterfaceLanguage = language;
        WhenShown[GameForm] = [&] {
            for (const Game& g : games) {
                SCOPED_TRACE(g.english);
                auto* panel = static_cast<TPanel*>(g.button->Parent());
                ASSERT_NE(panel, nullptr);
                EXPECT_EQ(panel->BoundsRect(), Bounds(g.left, g.top, 130, 107));
                EXPECT_EQ(panel->Color(), clWhite);
                EXPECT_EQ(panel->BevelOuter(), bvNone);
                EXPECT_EQ(g.button->BoundsRect(), Bounds(0, 0, 130, 107));
                EXPECT_TRUE(g.button->Glyph()->Empty());   // transparent: the picture shows through
                EXPECT_TRUE(g.button->ShowHint());
                EXPECT_EQ(g.button->Hint(), String(language) == "A" ? g.arabic : g.english);
                auto* image = static_cast<TImage*>(panel->Controls(0));
                EXPECT_EQ(image->BoundsRect(), Bounds(4, 4, 122, 99));
                EXPECT_TRUE(image->Stretch());
                EXPECT_EQ(image->Picture()->Width(), 122);
                // the mouse finds the panel, not the movie under it
                TPoint centre = panel->ClientToScreen(TPoint{65, 53});
                EXPECT_EQ(WindowFromPoint(POINT{centre.X, centre.Y}), panel->Handle());
            }
            EXPECT_EQ(ActiveLayoutName(), String(language) == "A" ? ArabicLayoutName : EnglishLayoutName);
            GameForm->ShockwaveFlash->OnFSCommand(GameForm->ShockwaveFlash, L"Return", L"");
        };
        Command(L"Games");
        EXPECT_EQ(Opened.back(), GameForm);
        EXPECT_FALSE(GameForm->Visible());
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GamesMenu, TheFrameTurnsRedWithASoundOnEnteringYellowOnPressAndWhiteOnLeaving) {
    OptionForm->CheckSound->SetChecked(true);
    for (TSimpleGButton* button : Buttons()) {
        SCOPED_TRACE(button->Name());
        TControl* panel = button->Parent();
        Sounds.clear();
        button->Perform(CM_MOUSEENTER);
        EXPECT_EQ(panel->Color(), clRed);
        EXPECT_EQ(Sounds, std::vector<String>{Dir.File("Data\\effects\\Typing.wav")});
        button->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        EXPECT_EQ(panel->Color(), clYellow);
        button->Perform(WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(panel->Color(), clYellow);   // until the pointer leaves
        button->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(panel->Color(), clWhite);
        EXPECT_EQ(Sounds.size(), 1u);
    }
}

TEST_F(GamesMenu, EachButtonStartsItsGameQuotedWithTheProgramFolderWhenTheFileIsThere) {
    RecordStarts();
    struct Case { TSimpleGButton* button; const char* path; };
    const Case cases[] = {
        {GameForm->NumbersBtn, "\\Games\\Numbers\\Numbers.exe"},
        {GameForm->WordsBtn, "\\Games\\Words\\Words.exe"},
        {GameForm->FizzleBtn, "\\Games\\Fizzle\\Fizzle.exe"},
        {GameForm->LettersBtn, "\\Games\\Letters\\Letters.exe"},
        {GameForm->FrogBtn, "\\Games\\Frog\\Xplay3.exe"},
        {GameForm->SpeedBtn, "\\Games\\Speed\\Xplay1.exe"},
        {GameForm->RaceBTn, "\\Games\\Roadrush\\Roadrush.exe"},
    };
    for (const Case& c : cases) {
        c.button->Click();   // not there yet: nothing happens, nothing is said
        EXPECT_TRUE(Started.empty()) << c.path;
    }
    for (const Case& c : cases) {
        Dir.Write(String(c.path).substr(1), "MZ");
        Started.clear();
        c.button->Click();
        EXPECT_EQ(Started, std::vector<String>{Line(c.path)});
    }
    EXPECT_FALSE(std::count(Opened.begin(), Opened.end(), MessageForm));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GamesMenu, AStartedGameSendsTheAssistantAwayFromOverItsWindow) {
    RecordStarts();
    AssistantOn = true;
    Dir.Write("Data\\Agent\\Html\\Games.htm", "<html><body></body></html>");
    Dir.Write("Games\\Words\\Words.exe", "MZ");
    AgentForm->PlayAgentPageFor(GameForm, "Games.htm");
    ASSERT_EQ(AgentForm->PlayingPage(), "Games.htm");
    GameForm->WordsBtn->Click();
    ASSERT_EQ(Started.size(), 1u);
    EXPECT_TRUE(AgentForm->PlayingPage().empty());
}

TEST_F(GamesMenu, TheArabicSpeedGameComesFirstTheEnglishOneIsTheFallback) {
    RecordStarts();
    struct Case { const char* language; bool arabicGame, englishGame; const char* started; };
    const Case cases[] = {
        {"A", true, true, "\\Games\\Speed\\Games1.exe"},
        {"A", false, true, "\\Games\\Speed\\Xplay1.exe"},
        {"A", true, false, "\\Games\\Speed\\Games1.exe"},
        {"E", true, true, "\\Games\\Speed\\Xplay1.exe"},
        {"E", true, false, nullptr},
        {"A", false, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << c.arabicGame << c.englishGame);
        RemoveFile(Dir.File("Games\\Speed\\Games1.exe"));
        RemoveFile(Dir.File("Games\\Speed\\Xplay1.exe"));
        if (c.arabicGame) Dir.Write("Games\\Speed\\Games1.exe", "MZ");
        if (c.englishGame) Dir.Write("Games\\Speed\\Xplay1.exe", "MZ");
        InterfaceLanguage = c.language;
        Started.clear();
        GameForm->SpeedBtn->Click();
        EXPECT_EQ(Started, c.started ? std::vector<String>{Line(c.started)} : std::vector<String>{});
    }
}

TEST_F(GamesMenu, AGameTheSystemCannotStartIsReportedInTheMessageForm) {
    RecordStarts(11);   // not a program
    Dir.Write("Games\\Frog\\Xplay3.exe", "not a program");
    String shown;
    WhenShown[MessageForm] = [&] {
        shown = MessageForm->Label1->Caption();
        MessageForm->Close();
    };
    for (const char* language : {"A", "E"}) {
        InterfaceLanguage = language;
        Opened.clear();
        GameForm->FrogBtn->Click();
        EXPECT_EQ(Opened, std::vector<TForm*>{MessageForm});
        EXPECT_EQ(shown, String(language) == "A" ? "تعذر تشغيل اللعبة"_a : "The game could not be started.");
    }
}

TEST_F(GamesMenu, WordsStartsFromAFolderWithABlankWithTheProgramFolderAsOneArgument) {
    // the stand-in writes the arguments it gets beside itself
    const String games = Dir.File("media folder\\Games\\Words");
    ASSERT_TRUE(ForceDirectories(games));
    String echo = ExtractFilePath(ParamStr(0)) + "ArgumentEcho.exe";
    ASSERT_TRUE(CopyFileW(ToWide(echo).c_str(), ToWide(games + "\\Words.exe").c_str(), FALSE)) << echo;
    CDDir = Dir.File("media folder");
    AppDir = Dir.File("Tapwise program");

    HANDLE change = FindFirstChangeNotificationW(ToWide(games).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    ASSERT_NE(change, INVALID_HANDLE_VALUE);
    GameForm->WordsBtn->Click();
    const String written = games + "\\arguments.txt";
    while (!FileExists(written) && WaitForSingleObject(change, 10000) == WAIT_OBJECT_0) FindNextChangeNotification(change);
    FindCloseChangeNotification(change);
    EXPECT_EQ(ReadBytes(written), Cp1256ToUtf8(AppDir) + "\n");
    EXPECT_FALSE(std::count(Opened.begin(), Opened.end(), MessageForm));
}

}  // namespace
