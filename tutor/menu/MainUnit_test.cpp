#include "tutor/menu/MainUnit.h"
#include <gtest/gtest.h>
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/web/HelpWindow.h"
#include "platform/web/OleWebBrowser.h"
#include "platform/win/HtmlHelp.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

TEST_F(TutorFixture, ProgramBlockCreatesTheFormsInOrderAfterTheLanguagesAndTitle) {
    Dir.Write("Data\\Topic.ini", "[Options]\r\nLanguage=E\r\n");
    StartTapwise();
    std::vector<TForm*> expected{MainFrm, StudentsForm, ClassForm, OptionForm, Aboutform, SpeedForm, MessageForm,
                                 LessonsForm, GameForm, ResultsForm, LevelForm, BeginnerForm, AgentForm};
    std::vector<TForm*> created;
    for (int i = 0; i < App->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TForm*>(App->Components(i))) created.push_back(form);
    EXPECT_EQ(created, expected);
    EXPECT_EQ(App->MainForm(), MainFrm);
    EXPECT_EQ(App->Title(), "Tapwise");
    EXPECT_EQ(MainFrm->Caption(), "Tapwise");
    EXPECT_EQ(AgentForm->Caption(), "Tapwise");
    // the options form loads the interface language; the typing language was copied before it
    EXPECT_EQ(InterfaceLanguage, "E");
    EXPECT_EQ(TypingLanguage, "A");
    EXPECT_EQ(AppDir, Dir.Path());
    EXPECT_EQ(CDDir, Dir.Path());
    EXPECT_EQ(RunResults.WpmHistory.Count(), 0);
    EXPECT_EQ(LessonsForm->LessonsListBox->Items()->Count(), 2);
    // the shell's desktop object on the main menu, the visual-styles marker on the results
    EXPECT_NE(MainFrm->WallPaper1->ActiveDesktop(), nullptr);
    EXPECT_EQ(ResultsForm->WinXP1->Owner(), ResultsForm);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, FirstRunCreatesTheResultsFileAndSetsTheFlagsOnceALaterActivationDoesNot) {
    Start();
    String results = Dir.File("Data\\AResults.ini");
    ASSERT_TRUE(FileExists(results));
    // created with Count=0, then the first user's record is added in the same activation
    EXPECT_EQ(TIniFile(results).ReadString("Results", "Count", "none"), "1");
    EXPECT_EQ(TIniFile(results).ReadString("User1", "Name", ""), "NoUserName");
    EXPECT_EQ(OtherFlags(), std::vector<bool>(8, true));
    EXPECT_FALSE(MainFrm->FirstVisit);   // its own page has played in the same activation
    // the welcome page first, cleared in the same activation before the entrance page
    EXPECT_EQ(AgentForm->PlayedPages(), (std::vector<String>{"zarek welcom.htm", "zarek entr class.htm"}));
    EXPECT_TRUE(AgentForm->Visible());
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAA.swf")));

    // a later activation (after a screen closes) runs no first-run step again
    for (bool* flag : {&BeginnerForm->FirstVisit, &ClassForm->FirstVisit, &OptionForm->FirstVisit}) *flag = false;
    MainFrm->ShockwaveFlash->SetMovie(L"");
    SetActiveWindow(AgentForm->Handle());
    SetActiveWindow(MainFrm->Handle());
    App->ProcessMessages();
    ASSERT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAA.swf")));   // it did run
    EXPECT_EQ(TIniFile(results).ReadString("Results", "Count", "none"), "1");
    EXPECT_FALSE(BeginnerForm->FirstVisit);
    EXPECT_FALSE(MainFrm->FirstVisit);
    EXPECT_EQ(AgentForm->PlayedPages().size(), 2u);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, AnExistingResultsFileIsNoFirstRun) {
    WriteUserStore();
    Start();
    EXPECT_EQ(OtherFlags(), std::vector<bool>(8, false));
    EXPECT_TRUE(AgentForm->PlayedPages().empty());
    EXPECT_EQ(TIniFile(Dir.File("Data\\AResults.ini")).ReadInteger("Results", "Count", 0), 1);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, TheMenuActivatesOnceAtStartWhileTheAssistantFormGoesAside) {
    WriteUserStore();
    Start();
    EXPECT_EQ(Sounds, std::vector<String>{Voice()});   // the user is entered once
    EXPECT_TRUE(AgentForm->Visible());
    EXPECT_EQ(AgentForm->Left(), -1000);
    EXPECT_EQ(Screen->ActiveForm(), MainFrm);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, EveryMenuCommandOpensItsScreenWhichItsMovieCloses) {
    WriteUserStore();
    Start();
    LeaveByMovie();
    struct Case { const wchar_t* command; std::vector<TForm*> screens; };
    const Case cases[] = {
        {L"Train", {ClassForm}},
        {L"Test", {SpeedForm}},
        {L"Games", {GameForm}},
        {L"Results", {ResultsForm}},
        {L"About", {Aboutform}},
        {L"Options", {OptionForm}},
        {L"Media", {}},
        {L"Help", {}},          // no help file in this tree: nothing happens
        {L"Nothing", {}},
        {L"TestAbout", {SpeedForm}},   // two names: the first in the table's order wins
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FromWide(c.command));
        Opened.clear();
        Sounds.clear();
        Command(c.command);
        App->ProcessMessages();
        EXPECT_EQ(Opened, c.screens);
        EXPECT_FALSE(App->Terminated());
        // the only sound is the voice of the user entered again when the menu comes back
        for (const String& sound : Sounds) EXPECT_EQ(sound, Voice());
        for (TForm* screen : c.screens) EXPECT_FALSE(screen->Visible());
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, HelpOpensTheViewerOnTheHelpFileOfTheInterfaceLanguageWhenItExists) {
    Dir.Write("Help\\HelpA.chm", ReadBytes(testing_support::SourcePath("..\\platform\\win\\testdata\\Help.chm")));
    Start();
    InterfaceLanguage = "E";   // no HelpE.chm: nothing happens
    Command(L"Help");
    EXPECT_FALSE(FindWindowW(L"HH Parent", nullptr));
    EXPECT_FALSE(web::THelpWindow::Current());
    InterfaceLanguage = "A";
    AssistantOn = true;
    Dir.Write("Data\\Agent\\Html\\Games.htm", "<html><body></body></html>");
    AgentForm->PlayAgentPageFor(MainFrm, "Games.htm");
    ASSERT_EQ(AgentForm->PlayingPage(), "Games.htm");
    Command(L"Help");
    EXPECT_TRUE(AgentForm->PlayingPage().empty());   // the assistant does not talk over the help
    // the system's viewer with an HTML engine, our help window without one
    HWND viewer = web::HtmlEngineAvailable() ? FindWindowW(L"HH Parent", nullptr)
                  : web::THelpWindow::Current()   ? web::THelpWindow::Current()->Handle()
                                                  : nullptr;
    EXPECT_TRUE(viewer && IsWindowVisible(viewer));
    EXPECT_TRUE(IsWindowEnabled(MainFrm->Handle()));   // the menu stays usable
    CloseAllHtmlHelp();
    web::THelpWindow::CloseCurrent();
    EXPECT_FALSE(web::THelpWindow::Current());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, RollOverTicksFirstAndPlayAgentReplaysTheEntrancePage) {
    WriteUserStore();
    Start();
    ASSERT_FALSE(Sounds.empty());
    for (const String& sound : Sounds) EXPECT_EQ(sound, Voice());   // the user's entry
    Sounds.clear();
    Command(L"PlayAgentRollOver");
    EXPECT_EQ(Sounds, std::vector<String>{Dir.File("Data\\effects\\Tick.wav")});
    EXPECT_TRUE(AgentForm->PlayedPages().empty());
    Command(L"PlayAgent");
    EXPECT_EQ(AgentForm->PlayingPage(), "zarek entr class.htm");
    EXPECT_EQ(Sounds.size(), 1u);
}

TEST_F(TutorFixture, TrainShowsTheBeginnerFormOnAFirstVisitAndKeepsTheFourMeasures) {
    Start();   // a first run: the beginner form's flag is set
    LeaveByMovie();
    TRunResults& r = RunResults;
    r.LastWpm = 31, r.LastAwpm = 29, r.LastAccuracy = 94, r.TypingTicks = 120;
    WhenShown[ClassForm] = [&r] {
        r.LastWpm = r.LastAwpm = r.LastAccuracy = r.TypingTicks = 7;
        ClassForm->ShockwaveFlash->OnFSCommand(ClassForm->ShockwaveFlash, L"Return", L"");
    };
    Command(L"Train");
    EXPECT_EQ(Opened, (std::vector<TForm*>{BeginnerForm, ClassForm}));
    EXPECT_EQ((std::vector<int>{r.LastWpm, r.LastAwpm, r.LastAccuracy, r.TypingTicks}), (std::vector<int>{31, 29, 94, 120}));
    EXPECT_EQ(AgentForm->PlayingPage(), "");   // cleared after the lesson form
    Opened.clear();
    Command(L"Train");
    EXPECT_EQ(Opened, std::vector<TForm*>{ClassForm});
}

TEST_F(TutorFixture, ExitAndNewUserCloseTheMenuSavingTheOptionsAndRemovingTheWorkFile) {
    for (const wchar_t* command : {L"Exit", L"NewUser"}) {
        SCOPED_TRACE(FromWide(command));
        TempFolder dir;
        dir.Write("fixed.ico", ReadBytes(Dir.File("fixed.ico")));
        dir.Write("Data\\ALessons.txt", "one\r\n");
        dir.Write("Temp.Text", "work");
        SetProgramFileName(dir.File("tapwise.exe"));
        Start();
        OptionForm->CheckSound->SetChecked(false);
        Command(command);
        App->ProcessMessages();   // the end of the message loop
        EXPECT_TRUE(App->Terminated());
        TIniFile topic(dir.File("Data\\Topic.ini"));
        EXPECT_EQ(topic.ReadString("Options", "Language", ""), "A");
        EXPECT_EQ(topic.ReadString("Options", "KeyboardLanguage", ""), "A");
        EXPECT_EQ(topic.ReadString("Options", "SoundEffects", ""), "0");
        EXPECT_EQ(topic.ReadString("Options", "WrongColor", ""), "255");
        EXPECT_TRUE(FileExists(dir.File("Temp.Text")));
        App->Free();   // the program's end: the forms go
        NewApplication();
        EXPECT_FALSE(FileExists(dir.File("Temp.Text")));
    }
}

TEST_F(TutorFixture, SoundEffectsOnlyWhenSwitchedOn) {
    Start();
    OptionForm->CheckSound->SetChecked(true);
    Sounds.clear();
    MainFrm->PlaySoundEffect("Typing");
    EXPECT_EQ(Sounds, std::vector<String>{Dir.File("Data\\effects\\Typing.wav")});
    OptionForm->CheckSound->SetChecked(false);
    Sounds.clear();
    MainFrm->PlaySoundEffect("Typing");
    MainFrm->FlashRollOver("RollOver", "Train");
    StudentsForm->PlayVoice("NewUser");
    EXPECT_TRUE(Sounds.empty());   // not even looked for
}

TEST_F(TutorFixture, TheRealPlayerSkipsAMissingFileSilently) {
    Start();
    SetSoundPlayer({});
    OptionForm->CheckSound->SetChecked(true);
    MainFrm->PlaySoundEffect("NoSuchSound");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TutorFixture, WindowsKindFromTheVersionRecord) {
    StartTapwise();
    struct Case { bool ok; DWORD platform, major, minor; unsigned char before, after; };
    const Case cases[] = {
        {true, 2, 5, 1, 0, 2},  {true, 2, 6, 0, 3, 3},  {true, 2, 6, 0, 0, 0},  {true, 2, 5, 0, 0, 5},
        {true, 2, 4, 0, 0, 4},  {true, 2, 3, 51, 0, 4}, {true, 1, 4, 10, 0, 1}, {true, 1, 4, 90, 0, 3},
        {true, 1, 4, 0, 5, 0},  {true, 1, 4, 20, 2, 2}, {false, 2, 5, 1, 3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
        SetVersionSource([&](OSVERSIONINFOA& record) {
            EXPECT_EQ(record.dwOSVersionInfoSize, 148u);
            record.dwPlatformId = c.platform;
            record.dwMajorVersion = c.major;
            record.dwMinorVersion = c.minor;
            return c.ok;
        });
        WindowsKind = c.before;
        MainFrm->DetectWindowsVersion();
        EXPECT_EQ(WindowsKind, c.after);
    }
}

TEST_F(TutorFixture, AppDirOfAProgramInADriveRootIsTheDriveAndColon) {
    EXPECT_EQ(ProgramFolder("C:\\tapwise.exe"), "C:");
    EXPECT_EQ(ProgramFolder("D:\\Tutor\\tapwise.exe"), "D:\\Tutor");
    SetProgramFileName("Z:\\tapwise.exe");
    StartTapwise();
    EXPECT_EQ(AppDir, "Z:");
}

TEST_F(TutorFixture, MissingIconAndLessonListAreReportedAndTheProgramGoesOn) {
    RemoveFile(Dir.File("fixed.ico"));
    RemoveFile(Dir.File("Data\\ALessons.txt"));
    WindowsKind = 77;
    Start();
    EXPECT_GE(Errors.size(), 3u);   // the main form's icon, the users form's, the lesson list's (creation and menu)
    EXPECT_EQ(WindowsKind, 77);     // creation stopped at the icon
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAA.swf")));
    EXPECT_TRUE(MainFrm->Visible());
    EXPECT_FALSE(App->Terminated());
}

TEST_F(TutorFixture, TheEnglishMenuAfterALanguageChange) {
    Start();
    MainFrm->LanguageButtonClick("E");
    EXPECT_EQ(InterfaceLanguage, "E");
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAE.swf")));
    EXPECT_EQ(LessonsForm->LessonsListBox->ItemIndex(), 0);
}

TEST(MovieCommand, FirstNameFoundAnywhereInTheCommandWins) {
    EXPECT_EQ(MatchCommand(L"PlayAgentRollOver", {"RollOver", "PlayAgent"}), 0);
    EXPECT_EQ(MatchCommand(L"xxPlayAgentxx", {"RollOver", "PlayAgent"}), 1);
    EXPECT_EQ(MatchCommand(L"rollover", {"RollOver"}), -1);
    EXPECT_EQ(MatchCommand(L"", {"RollOver"}), -1);
}

}  // namespace
