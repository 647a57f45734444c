#pragma once
// The main menu, TMainFrm, with the program-wide values every screen reads and the services
// every screen calls (sound effects, the one-line message, the rollover tick, the Windows kind).
#include <functional>
#include <memory>
#include "controls/SimpleGButton.h"
#include "controls/WallPaper.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/String.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

extern String AppDir;              // program folder, no trailing separator
extern String CDDir;               // media root (Agent pages, Games), set by the lesson form
extern String InterfaceLanguage;   // "A" or "E"
extern String TypingLanguage;      // set once by the program block
extern int CurrentLesson;          // 1-based
extern bool AssistantOn;
extern unsigned char WindowsKind;  // 0 95, 1 98, 2 XP, 3 Me, 4 NT 4 and older, 5 2000
extern String CurrentUser;
extern int UserGoal;               // words per minute
extern String StoredPassword;

class TMainFrm;
class EUserFileError;
extern TMainFrm* MainFrm;

// Every program-wide value as a start of the program finds it: the values above, the results of
// the run, and the form variables (no form yet). Tests start from it, whatever ran before them.
void ResetProgramValues();

// The program file's full path: the module's own, unless a test put another in its place
// (an empty name restores the module's).
String ProgramFileName();
void SetProgramFileName(const String& path);
// The folder part of a program path, one trailing "/" or "\" removed: "C:\tapwise.exe" gives "C:".
String ProgramFolder(const String& programPath);

// The Windows kind a version record gives; current is kept for a record the table does not name.
unsigned char WindowsKindOf(unsigned platformId, unsigned major, unsigned minor, unsigned char current);

// Where sound effects go; tests see the paths played in place of the system's player.
using TSoundPlayer = std::function<bool(const String& path)>;
void SetSoundPlayer(TSoundPlayer player);   // empty: the system's asynchronous player

class TMainFrm : public TForm {
public:
    explicit TMainFrm(TComponent* owner);
    ~TMainFrm() override;

    void PlaySoundEffect(const String& name);
    void ShowMessageText(const String& text);
    // The message form with the lines its caller filled, in the interface language of the moment.
    void ShowMessageLines();
    void FlashRollOver(const String& command, const String& args);
    void DetectWindowsVersion();

    void LanguageButtonClick(const String& code);

    // Runs a step of the user store; false when a user file could not be used. The caller goes on
    // and, once its screen is ready, TellUserFileError shows the failure in the message form:
    // once, until a later step succeeds.
    bool RunUserStoreStep(const std::function<void()>& step);
    void TellUserFileError();

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* ClassButton = nullptr;
    TSimpleGButton* SpeedButton = nullptr;
    TSimpleGButton* MediaBtn = nullptr;
    TSimpleGButton* GamesButton = nullptr;
    TSimpleGButton* SummaryBtn = nullptr;
    TSimpleGButton* HelpButton = nullptr;
    TSimpleGButton* AboutButton = nullptr;
    TSimpleGButton* OptionsButton = nullptr;
    TSimpleGButton* ExitButton = nullptr;
    TButton* NewUserBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TImageList* ImageList1 = nullptr;
    TWallPaper* WallPaper1 = nullptr;

    bool FirstVisit = false;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

    void ClassButtonClick(TObject* sender);
    void SpeedButtonClick(TObject* sender);
    void MediaBtnClick(TObject* sender);
    void GamesButtonClick(TObject* sender);
    void SummaryBtnClick(TObject* sender);
    void HelpButtonClick(TObject* sender);
    void AboutButtonClick(TObject* sender);
    void OptionsButtonClick(TObject* sender);
    void NewUserBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ExitButtonClick(TObject* sender);

private:
    void BuildLayout();
    void ShowScreen(TForm* form);

    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<EUserFileError> FUserFileError;   // a step's failure, not yet told
    String FToldUserFileError;                        // the failure last told, until a step succeeds
};
