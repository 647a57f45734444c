#pragma once
// TTypingTestForm: what the placement test (TLevelForm) and the speed test (TSpeedForm) share.
// The learner takes a text of the test-text list (or any text file) and, on the speed test, a
// duration; Start prepares the text on the surface of the typing language, the first key starts
// the one-second clock, every key is counted and the speed shown as it goes, and at the end the
// measures of the test go into the results of the run and the message form. Each test is a form
// of its own with its own state; Level.cpp and SpeedUnit.cpp hold what sets them apart: what
// the clock does at the gauge's end, which duration is offered first, what is stored and what
// the learner is told.
#include <vector>
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FileListBox.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OpenDialog.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Timer.h"
#include "tutor/typing/RichView.h"
#include "tutor/typing/TypingClock.h"

enum class TTestState : unsigned char { Idle, Running, Paused };

class TTypingTestForm : public TForm {
public:
    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* Startbutton = nullptr;
    TSimpleGButton* PauseBtn = nullptr;
    TSimpleGButton* StopBtn = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* ExitBtn = nullptr;
    TButton* MinBtn = nullptr;
    TButton* SelectFileBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TRichView* RichView1 = nullptr;   // English
    TRichView* RichView2 = nullptr;   // Arabic
    TComboBox* FilesList = nullptr;   // names of the test texts
    TListBox* FileListBox = nullptr;  // the test-text list as read
    TFileListBox* FileListBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;   // durations: item k is k + 1 minutes
    TEdit* FileNameEdit = nullptr;    // name of the text to type
    TOpenDialog* OpenDialog = nullptr;
    TPanel* GaugePanel = nullptr;
    TGauge* Gauge = nullptr;          // seconds of the clock
    TPanel* CCLabel = nullptr;        // correct keys
    TPanel* WCLabel = nullptr;        // wrong keys
    TPanel* TimeLabel = nullptr;      // seconds
    TPanel* WPMLabel = nullptr;       // speed
    TPanel* Label4 = nullptr;         // characters of the text
    TPanel* PlayerNameLabel = nullptr;
    TTimer* Timer1 = nullptr;

    TTestState State() const { return FState; }
    TRichView* ActiveSurface() const { return FSurface; }
    const String& TextPath() const { return FTextPath; }
    // Seconds the test has been typed so far: from the first key, pauses left out.
    int TestSeconds() const { return FClock.Seconds(); }

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void StartbuttonClick(TObject* sender);
    void PauseBtnClick(TObject* sender);
    void StopBtnClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ExitBtnClick(TObject* sender);
    void MinBtnClick(TObject* sender);
    void SelectFileBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void FilesListChange(TObject* sender);
    void FilesListDrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);
    void ComboBox2Click(TObject* sender);
    void ComboBox2DrawItem(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state);
    void Timer1Timer(TObject* sender);
    void RichView2StartTyping(TObject* sender);
    void RichView2KeyTruePress(TObject* sender, char& chr, bool checkchar);
    void RichView2FinishTyping(TObject* sender, int& charCount, int& wCount, int& cCount, int& lineCount);
    void StartbuttonMouseEnter(TObject* sender);
    void PauseBtnMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void PauseBtnMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void PauseBtnMouseLeave(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

    // Ends the running test: stops the clock, measures, stores and tells the result.
    void FinishTest();

    // Correct keys over keys typed, in percent, rounded half to even; 0 when nothing was typed.
    static int Accuracy(int correct, int typed);
    // "20 WPM", or its Arabic, as the speed counter shows it.
    static String SpeedText(int wpm);
    // The labels of the durations when the durations file gives none, in the interface language.
    static std::vector<String> BuiltInDurations();

protected:
    TTypingTestForm(TComponent* owner, const char* name, const char* agentPage);
    ~TTypingTestForm() override;

    // The gauge reached its maximum while the test runs.
    virtual void ClockAtLimit() = 0;
    // The duration offered when the form becomes active.
    virtual int FirstDuration() const = 0;
    // The measures of the finished test into the results of the run: the aligned histories
    // and the key lists.
    virtual void StoreTestResults();
    // Tells the learner the result of the finished test, whose measures the message form holds.
    virtual void ShowResult(int correct, int typed) = 0;

private:
    // Every test form of the run: the key lists add up what was typed on all their surfaces.
    static std::vector<TTypingTestForm*>& TestForms();

    void BuildLayout();
    void PlaceInMovieRooms();
    String TextOfName(const String& name) const;
    // The test-text list into FileListBox; an unreadable list leaves it empty and answers why.
    String ReadTextList();
    void ReadDurations();
    void DrawListItem(TComboBox* list, int index, const TRect& rect, TOwnerDrawState state, unsigned layout);
    void SetFileName(const String& name);
    void ShowSpeed(const String& text);
    void ShowPauseState();
    void FocusSurface();

    String FAgentPage;
    TTestState FState = TTestState::Idle;
    TRichView* FSurface = nullptr;
    String FTextPath;
    TTypingClock FClock;
    int FClockTicks = 0;         // clock ticks since the first key; the gauge may start again
    bool FActivated = false;     // activated since the form was shown
};
