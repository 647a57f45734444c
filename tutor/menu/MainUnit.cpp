#include "tutor/menu/MainUnit.h"
#include <windows.h>
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/web/HelpWindow.h"
#include "platform/win/Sound.h"
#include "platform/win/WindowsVersion.h"
#include "tutor/games/GameUnit.h"
#include "tutor/lessons/Beginner.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/AboutUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/results/Results.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"
#include "tutor/users/StudentUnit.h"

String AppDir;
String CDDir;
String InterfaceLanguage = "A";
String TypingLanguage = "A";
int CurrentLesson = 0;
bool AssistantOn = false;
unsigned char WindowsKind = 0;
String CurrentUser;
int UserGoal = 100;
String StoredPassword;

TMainFrm* MainFrm = nullptr;

void ResetProgramValues() {
    AppDir.clear();
    CDDir.clear();
    InterfaceLanguage = "A";
    TypingLanguage = "A";
    CurrentLesson = 0;
    AssistantOn = false;
    WindowsKind = 0;
    CurrentUser.clear();
    UserGoal = 100;
    StoredPassword.clear();
    RunResults.Clear();
    MainFrm = nullptr;
    StudentsForm = nullptr;
    ClassForm = nullptr;
    OptionForm = nullptr;
    Aboutform = nullptr;
    SpeedForm = nullptr;
    MessageForm = nullptr;
    LessonsForm = nullptr;
    GameForm = nullptr;
    ResultsForm = nullptr;
    LevelForm = nullptr;
    BeginnerForm = nullptr;
    AgentForm = nullptr;
}

namespace {

String ProgramFileOverride;
TSoundPlayer SoundPlayer;

}  // namespace

String ProgramFileName() {
    if (!ProgramFileOverride.empty()) return ProgramFileOverride;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return FromWide(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

void SetProgramFileName(const String& path) { ProgramFileOverride = path; }

String ProgramFolder(const String& programPath) {
    String folder = ExtractFilePath(programPath);
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return folder;
}

unsigned char WindowsKindOf(unsigned platformId, unsigned major, unsigned minor, unsigned char current) {
    if (platformId == VER_PLATFORM_WIN32_WINDOWS && major == 4) {
        if (minor == 0) return 0;
        if (minor == 10) return 1;
        if (minor == 90) return 3;
    }
    if (platformId == VER_PLATFORM_WIN32_NT) {
        if (major <= 4) return 4;
        if (major == 5 && minor == 0) return 5;
        if (major == 5 && minor == 1) return 2;
    }
    return current;
}

void SetSoundPlayer(TSoundPlayer player) { SoundPlayer = std::move(player); }

TMainFrm::TMainFrm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

TMainFrm::~TMainFrm() = default;

void TMainFrm::BuildLayout() {
    SetUpScreenForm(this, "MainFrm", 792, 566, poScreenCenter);
    // the command targets lie under the movie: never seen, clicked only by its commands
    ClassButton = NewCommandTarget(this, "ClassButton", [this](TObject* s) { ClassButtonClick(s); });
    SpeedButton = NewCommandTarget(this, "SpeedButton", [this](TObject* s) { SpeedButtonClick(s); });
    MediaBtn = NewCommandTarget(this, "MediaBtn", [this](TObject* s) { MediaBtnClick(s); });
    GamesButton = NewCommandTarget(this, "GamesButton", [this](TObject* s) { GamesButtonClick(s); });
    SummaryBtn = NewCommandTarget(this, "SummaryBtn", [this](TObject* s) { SummaryBtnClick(s); });
    HelpButton = NewCommandTarget(this, "HelpButton", [this](TObject* s) { HelpButtonClick(s); });
    AboutButton = NewCommandTarget(this, "AboutButton", [this](TObject* s) { AboutButtonClick(s); });
    OptionsButton = NewCommandTarget(this, "OptionsButton", [this](TObject* s) { OptionsButtonClick(s); });
    ExitButton = NewCommandTarget(this, "ExitButton", [this](TObject* s) { ExitButtonClick(s); });
    NewUserBtn = NewHiddenButton(this, "NewUserBtn", [this](TObject* s) { NewUserBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ImageList1 = new TImageList(this);
    WallPaper1 = new TWallPaper(this);   // windowless, under the movie
    WallPaper1->SetName("WallPaper1");
    WallPaper1->SetParent(this);
    WallPaper1->SetStyle(wpsCenter);
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TMainFrm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    AppDir = ProgramFolder(ProgramFileName());
    FIcon = std::make_unique<TIcon>();
    FIcon->LoadFromFile(AppDir + "\\fixed.ico");   // a missing icon ends the creation here
    ImageList1->AddIcon(FIcon.get());
    FirstVisit = false;
    DetectWindowsVersion();
}

void TMainFrm::FormActivate(TObject*) {
    bool createResults = false;
    if (!AgentForm->Visible()) {
        AgentForm->ShowOffScreen();
        AgentForm->ClearPage();
        String resultsFile = AppDir + "\\Data\\AResults.ini";
        if (!FileExists(resultsFile)) {
            AgentForm->PlayAgentPageFor(this, "zarek welcom.htm");
            ForceDirectories(AppDir + "\\Data");
            createResults = true;
            StudentsForm->SetFirstVisitFlags(true);
        } else {
            StudentsForm->SetFirstVisitFlags(false);
        }
    }
    // A user file that cannot be used leaves nobody entered, and the menu usable all the same.
    // One update of the records: on a first run the file is created holding the first user's.
    RunUserStoreStep([this, createResults] {
        StudentsForm->UpdateResults([this, createResults] {
            if (createResults) StudentsForm->CreateResultsFile();
            StudentsForm->LoadStudents();
            StudentsForm->PasswordCancelBtnClick(this);
        });
    });
    AgentForm->IntroduceScreen(this, FirstVisit, "zarek entr class.htm");
    LanguageButtonClick(InterfaceLanguage);
    TellUserFileError();
}

bool TMainFrm::RunUserStoreStep(const std::function<void()>& step) {
    try {
        step();
        FToldUserFileError.clear();
        return true;
    } catch (const EUserFileError& e) {
        // every activation tries again, and closing the message activates the menu once more
        if (e.Message() != FToldUserFileError) FUserFileError = std::make_unique<EUserFileError>(e);
        return false;
    }
}

void TMainFrm::TellUserFileError() {
    if (!FUserFileError) return;
    std::unique_ptr<EUserFileError> error = std::move(FUserFileError);
    FToldUserFileError = error->Message();
    std::array<String, 4> lines = error->MessageLines(InterfaceLanguage == "A");
    MessageForm->AppFolder = AppDir;
    MessageForm->Language = InterfaceLanguage;
    TLabel* labels[] = {MessageForm->Label1, MessageForm->Label2, MessageForm->Label3, MessageForm->Label4};
    for (std::size_t k = 0; k < lines.size(); ++k) labels[k]->SetCaption(lines[k]);
    MessageForm->ShowModal();
    AgentForm->ClearPage();
}

void TMainFrm::FormClose(TObject*, TCloseAction&) { OptionForm->SaveOptions(); }

void TMainFrm::FormDestroy(TObject*) {
    String workFile = AppDir + "\\Temp.Text";
    if (FileExists(workFile)) RemoveFile(workFile);
}

void TMainFrm::LanguageButtonClick(const String& code) {
    InterfaceLanguage = code;
    ShockwaveFlash->SetMovie(ToWide(AppDir + (code == "A" ? "\\Data\\interface\\MainAA.swf"
                                                          : "\\Data\\interface\\MainAE.swf")));
    Update();
    ShockwaveFlash->DoObjectVerb(-1);
    ShockwaveFlash->SetScaleMode(2);
    LessonsForm->LessonsListBox->Items()->LoadFromFile(AppDir + "\\data\\" + TypingLanguage + "Lessons.txt");
    LessonsForm->LessonsListBox->SetItemIndex(0);
}

void TMainFrm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "Train", "Test", "Media", "Games", "Results", "Help",
                                   "About", "Options", "NewUser", "PlayAgent", "Exit"})) {
    case 0: FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: ClassButton->Click(); break;
    case 2: SpeedButton->Click(); break;
    case 3: MediaBtn->Click(); break;
    case 4: GamesButton->Click(); break;
    case 5: SummaryBtn->Click(); break;
    case 6: HelpButton->Click(); break;
    case 7: AboutButton->Click(); break;
    case 8: OptionsButton->Click(); break;
    case 9: NewUserBtnClick(NewUserBtn); break;
    case 10: PlayAgentBtnClick(PlayAgentBtn); break;
    case 11: ExitButton->Click(); break;
    default: break;
    }
}

void TMainFrm::ShowScreen(TForm* form) {
    form->ShowModal();
    AgentForm->ClearPage();
}

void TMainFrm::ClassButtonClick(TObject*) {
    if (BeginnerForm->FirstVisit) BeginnerForm->ShowModal();
    // the lesson form's measures stay its own: only the tests change these
    TRunResults& r = RunResults;
    int wpm = r.LastWpm, awpm = r.LastAwpm, accuracy = r.LastAccuracy, ticks = r.TypingTicks;
    ClassForm->ShowModal();
    r.LastWpm = wpm;
    r.LastAwpm = awpm;
    r.LastAccuracy = accuracy;
    r.TypingTicks = ticks;
    AgentForm->ClearPage();
}

void TMainFrm::SpeedButtonClick(TObject*) { ShowScreen(SpeedForm); }
void TMainFrm::MediaBtnClick(TObject*) {}
void TMainFrm::GamesButtonClick(TObject*) { ShowScreen(GameForm); }
void TMainFrm::SummaryBtnClick(TObject*) { ShowScreen(ResultsForm); }
void TMainFrm::AboutButtonClick(TObject*) { ShowScreen(Aboutform); }
void TMainFrm::OptionsButtonClick(TObject*) { ShowScreen(OptionForm); }

void TMainFrm::HelpButtonClick(TObject*) {
    String path = AppDir + "\\Help\\Help" + InterfaceLanguage + ".chm";
    if (!FileExists(path) || !web::ShowCompiledHelp(path, InterfaceLanguage == "A")) return;
    // the help stands over the menu, and the assistant above every window would hide its page
    AgentForm->ClearPage();
}

void TMainFrm::NewUserBtnClick(TObject*) { Close(); }
void TMainFrm::ExitButtonClick(TObject*) { Close(); }

void TMainFrm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "zarek entr class.htm");
}

void TMainFrm::PlaySoundEffect(const String& name) {
    if (!OptionForm || !OptionForm->CheckSound->Checked()) return;
    String path = AppDir + "\\Data\\effects\\" + name + ".wav";
    if (SoundPlayer) SoundPlayer(path);
    else if (FileExists(path)) PlaySoundFile(path);
}

void TMainFrm::ShowMessageText(const String& text) {
    MessageForm->Label1->SetCaption(text);
    ShowMessageLines();
}

void TMainFrm::ShowMessageLines() {
    MessageForm->AppFolder = AppDir;
    MessageForm->Language = InterfaceLanguage;
    MessageForm->ShowFilled();
    AgentForm->ClearPage();
}

void TMainFrm::FlashRollOver(const String&, const String&) { PlaySoundEffect("Tick"); }

void TMainFrm::DetectWindowsVersion() {
    TOSVersion version = QueryWindowsVersion();
    if (!version.ok) return;
    WindowsKind = WindowsKindOf(version.platformId, version.major, version.minor, WindowsKind);
}
