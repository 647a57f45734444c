#pragma once
// TClassForm: the lesson form. A lesson is a series of pages shown in the page view, followed by
// three typing practices timed against a 150-second gauge; the form's full-window movie sends the
// commands. The form is split by concern: ClassUnit.cpp (layout, activation, commands, Return),
// ClassPages.cpp (the lesson's pages and moving between pages and lessons), ClassPractice.cpp
// (practices, clock, measures and advice), ClassKeyboard.cpp (the on-screen keyboard).
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>
#include "controls/SimpleGButton.h"
#include "htmlview/WebView.h"
#include "htmlview/WebViewSink.h"
#include "memdata/MemData.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/rtl/TComponent.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/MediaPlayer.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Timer.h"
#include "tutor/lessons/ClassKeyboard.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/typing/RichView.h"
#include "tutor/typing/TypingClock.h"

// The page view's events arrive here first; every one goes on to the view unchanged. Owned by
// the form and made before the view, so that it outlives the view's connections.
class TPageViewSink : public TComponent, public TWebViewSink {
public:
    explicit TPageViewSink(TComponent* owner) : TComponent(owner) {}
    // The page view finished a download and is no longer busy.
    TNotifyEvent OnDownloadComplete;

    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                                     VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr) override;
};

class TClassForm : public TForm {
public:
    // How long next and previous lesson wait for the page view to report a page complete.
    static constexpr unsigned PageLoadWaitMs = 2000;
    static constexpr int PracticeSeconds = 150;
    static constexpr unsigned KeyFlashMs = 150;   // a released key shows down this much longer
    static constexpr int KeyButtonCount = 57;

    explicit TClassForm(TComponent* owner);
    ~TClassForm() override;

    bool FirstVisit = false;
    bool LessonReady = false;    // activation loads the current lesson only while this is false
    String PageHtml;             // the page being shown
    int PracticeNo = 1;          // the practice being typed, 1..3
    bool PageLoaded = true;      // the page view has finished the page a lesson change started
    bool Returning = false;      // the form is being left
    TRichView* ActiveRichView = nullptr;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TPanel* TitlePanel = nullptr;   // in the movie's title band
    TLabel* Label3 = nullptr;       // the title
    TPanel* Panel1 = nullptr;       // the page view's room
    TPageViewSink* PageSink = nullptr;
    TWebView* WebView = nullptr;
    TPanel* Panel2 = nullptr;       // the practice: surfaces, gauge and counts
    TRichView* RichView1 = nullptr; // Arabic
    TRichView* RichView2 = nullptr; // English
    TGauge* Gauge1 = nullptr;
    TLabel* Label1 = nullptr;       // correct keys
    TLabel* Label2 = nullptr;       // wrong keys
    TLabel* Label4 = nullptr;       // elapsed seconds
    TTimer* Timer1 = nullptr;
    TMediaPlayer* MediaPlayer = nullptr;
    TSimpleGButton* Quiz1Button = nullptr;
    TSimpleGButton* Quiz2Button = nullptr;
    TSimpleGButton* Quiz3Button = nullptr;
    TSimpleGButton* HistoryButton = nullptr;
    TSimpleGButton* StartButton = nullptr;   // next page
    TSimpleGButton* PrevButton = nullptr;    // previous page
    TSimpleGButton* NextLessButton = nullptr;
    TSimpleGButton* PrevLessButton = nullptr;
    TSimpleGButton* LevelTestBtn = nullptr;
    TSimpleGButton* Returnbutton = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TMemData* LessonTable = nullptr;
    TShockwaveFlash* KeyBoardFlash = nullptr;   // the on-screen keyboard
    TListBox* ListBox1 = nullptr;               // hidden: the key list, line i the key of Tag i + 1
    // B1, b2 .. b56 (Tag 1..56) and b58 (Tag 0), under the movies; the one Down is the key marked
    std::array<TSimpleGButton*, KeyButtonCount> KeyButtons{};
    TTimer* KeyUpTimer = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);
    void PlayAgentBtnClick(TObject* sender);
    void HistoryButtonClick(TObject* sender);
    void LevelTestBtnClick(TObject* sender);
    void ReturnbuttonClick(TObject* sender);

    // Pages and lessons (ClassPages.cpp)
    void ShowLessonPage();
    void SetPageButtons(bool nextOn, bool prevOn);
    void StartButtonClick(TObject* sender);
    void PrevButtonClick(TObject* sender);
    void NextLessButtonClick(TObject* sender);
    void PrevLessButtonClick(TObject* sender);
    // Selects CurrentLesson in the lesson list, loads its page file and shows its first page.
    void ReloadLesson();
    void PlayPageSound();
    void PausePageSound();
    void StopPageSound();
    void MediaPlayerNotify(TObject* sender);
    void WebViewDownloadComplete(TObject* sender);
    String LessonFile(int lesson) const;
    String PageSoundFile() const;

    // Practices (ClassPractice.cpp)
    void Quiz1ButtonClick(TObject* sender) { StartPractice(1); }
    void Quiz2ButtonClick(TObject* sender) { StartPractice(2); }
    void Quiz3ButtonClick(TObject* sender) { StartPractice(3); }
    void RichView1StartTyping(TObject* sender);
    void RichView1KeyTruePress(TObject* sender, char& chr, bool checkchar);
    void RichView1FinishTyping(TObject* sender, int& charCount, int& wCount, int& cCount, int& lineCount);
    void Timer1Timer(TObject* sender);
    // The accuracy, WPM and AWPM of a finished text into RunResults and into the message form's
    // lines 2 to 4. The caller has stored the elapsed whole seconds in RunResults.TypingTicks,
    // fills line 1 and shows the message form. Wpm 0: computed from Total.
    void ShowTypingMeasures(int correct, int total, int wpm);
    // The advice of an accuracy band for practice k, in the interface language.
    static String AdviceText(int accuracy, int practice);
    String PracticeFile(int practice) const;
    // The surface of the typing language takes the focus back from the movies.
    void FocusTypingSurface(TObject* sender);
    // Shows another screen modally from the lesson form; the practice clock stands still meanwhile.
    int ShowScreen(TForm* screen);
    // On-screen keyboard (ClassKeyboard.cpp)
    String KeyBoardMovieFile() const;
    String KeyListFile() const;
    void RichView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void RichView1KeyUp(TObject* sender, WORD& key, TShiftState shift);
    void KeyUpTimerTimer(TObject* sender);
    // Marks the key of the active surface's next character, with its Shift; nothing once the
    // text is complete or closed.
    void MarkNextKey();
    void ClearKeyMarks();

    // The message form with the lines filled, over the lesson form.
    void ShowMessageLines();
    void ShowMessageText(const String& text);

private:
    // The practice clock stands still while one lives: for screens shown over the lesson form.
    class TClockPause {
    public:
        explicit TClockPause(TClassForm& form);
        ~TClockPause();
        TClockPause(const TClockPause&) = delete;
        TClockPause& operator=(const TClockPause&) = delete;
    private:
        TClassForm& FForm;
        bool FRunning;
    };

    void BuildLayout();
    void BuildPracticePanel();
    void BuildKeyboard();
    void SetUpKeyboard();
    void LoadKeyList(const String& missingText);
    void PlaceKeyButtons();
    bool KeyMarked(const String& clip) const;
    void ShowKey(const String& clip);
    void ReleaseKey(const String& clip);
    void ReleaseDueKeys(bool all);
    void ResetKeyboard();
    void PlaceInMovieRooms();
    void ApplyTypingOptions();
    void ApplyCaptions();
    String LessonTitle(const char* englishPrefix) const;
    // Loads a lesson's page file when it can be read as one; the table is untouched otherwise.
    bool LoadLessonFile(int lesson);
    // The lesson itself or the nearest one that loads; 0 when none does.
    int OpenNearestLesson(int lesson);
    void OpenCurrentLesson();
    // Opens CurrentLesson or the nearest lesson that loads, shows its first page and tells the
    // user when it had to take another one.
    void OpenLesson();
    void ChangeLesson(int lesson);
    void OpenPageSound();
    bool PageLoadSettled() const;
    void SelectInLessonList(int lesson);
    void StartPractice(int practice);
    void StopPracticeClock();
    void TimeOut();

    std::uint32_t FPageLoadStart = 0;
    int FLoadedLesson = 0;               // the lesson in LessonTable, 0 for none
    TTypingClock FPracticeClock;
    std::unique_ptr<TMemData> FLessonTable;
    TKeyMap FKeyMap;
    TSimpleGButton* FMarkedKey = nullptr;
    String FShiftMark;                    // clip of the Shift marked with the key
    std::set<String> FHeldKeys;           // clips shown down
    std::vector<std::pair<String, std::uint32_t>> FKeyReleases;   // clip, tick it goes up
};

extern TClassForm* ClassForm;
