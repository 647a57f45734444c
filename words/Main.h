#pragma once
// The flying-words game: a word flies around the window and bounces off its edges while the
// player types it letter by letter; a round is 50 letters, right or wrong, and ends with the
// accuracy and a sentence of praise or advice. Arabic and English words, captions and layouts.
#include "controls/SimpleGButton.h"
#include "controls/WinXP.h"
#include <memory>
#include "platform/rtl/Classes.h"
#include "platform/rtl/String.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Panel.h"
#include "platform/ui/RichEdit.h"
#include "platform/ui/Timer.h"

extern String ProgramDir;       // the program's folder, with a trailing separator
extern String LaunchArgument;   // the tutor's folder, as it starts the game; not used
extern String GameLanguage;     // "Ar" or "En"
extern int GameState;           // 0 stopped, 1 running, 2 paused
extern int StepX, StepY;        // the word's step per tick, +10 or -10 pixels
extern int CorrectCount, WrongCount;
extern int ResultTime;          // milliseconds the result sentence has flashed
extern String StartText, StopText, PauseText, ResumeText;

constexpr int RoundLetters = 50;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);

    TImage* MainImage = nullptr;
    TImage* Image1 = nullptr;
    TLabel* WordLabel = nullptr;
    TRichEdit* REdit = nullptr;
    TPanel* KeyPanel = nullptr;
    TLabel* CLabel = nullptr;
    TLabel* WLabel = nullptr;
    TLabel* ALabel = nullptr;
    TLabel* CPanel = nullptr;
    TLabel* WPanel = nullptr;
    TLabel* AccuracyPanel = nullptr;
    TLabel* ResultLabel = nullptr;
    TSimpleGButton* StartBtn = nullptr;
    TSimpleGButton* PauseBtn = nullptr;
    TSimpleGButton* LangBtn = nullptr;
    TSimpleGButton* CloseBtn = nullptr;
    TButton* MinBtn = nullptr;
    TButton* ExitBtn = nullptr;
    TCheckBox* SpeedBtnBox = nullptr;
    // The word lists the form carries, one word an item in alphabetical order. Nothing shows
    // them, so they are plain string lists: filling two hidden list boxes with 36,796 items
    // took over half a second of every start.
    std::unique_ptr<TStringList> ListWordsEn;
    std::unique_ptr<TStringList> ListWordsAr;
    TTimer* KeyPosTimer = nullptr;
    TTimer* TimeOutTimer = nullptr;
    TTimer* ResultsTimer = nullptr;
    TWinXP* WinXP1 = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormKeyPress(TObject* sender, char& key);
    void KeyPosTimerTimer(TObject* sender);
    void TimeOutTimerTimer(TObject* sender);
    void ResultsTimerTimer(TObject* sender);
    void StartBtnClick(TObject* sender);
    void PauseBtnClick(TObject* sender);
    void StopBtnClick(TObject* sender);
    void LangBtnClick(TObject* sender);
    void MinBtnClick(TObject* sender);
    void CloseBtnClick(TObject* sender);
    void StartBtnMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void StartBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void StartBtnMouseLeave(TObject* sender);
    void REditEnter(TObject* sender);
    void SpeedBtnBoxClick(TObject* sender);

    void ApplyLanguage();
    void StartRound();
    bool NextWord();              // false when the list holds no word to type
    void HandleKey(char ch);      // ch 0: the time-out
    void EndRound();
    int Accuracy() const;         // percent of the letters of the round that were right
    // The sentence the round's accuracy earns, in the game's language.
    static String ResultSentence(int accuracy, const String& language);

private:
    void BuildLayout();
    TSimpleGButton* NewGameButton(const char* name, int left, int width, TNotifyEvent onClick);
    TLabel* NewCounterLabel(const char* name, int left, int width, const String& caption);
    TStringList* GameList() const;
    void PlaceWord();
    void CountCorrect();
    void CountWrong();
    void ShowCounts();
    void MarkLetter(TColor color);
    void PlayEffect(const char* name);
    void SetHints();
    void FocusKeys();
    void ApplyReadingOrder();
};

extern TMainForm* MainForm;
