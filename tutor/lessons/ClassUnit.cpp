#include "tutor/lessons/ClassUnit.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/tests/Level.h"
#include "tutor/users/StudentUnit.h"

TClassForm* ClassForm = nullptr;

namespace {

// The colours of the training movie, where the form's own parts lie on it.
constexpr TColor TitleBandColor = 0x633D0F;      // navy #0F3D63
constexpr TColor PageViewColor = 13540898;       // the page views' blue
constexpr TColor PracticePanelColor = 0xFFE2AE;  // the panels' pale blue

// The rooms the training movie leaves free, Arabic interface first (stage = client pixels).
constexpr int RoomTop = 76, RoomWidth = 522, RoomHeight = 224;
constexpr int KeyboardTop = 358, KeyboardHeight = 172;
int RoomLeft() { return InterfaceLanguage != "A" ? 250 : 20; }
int TitleLeft() { return InterfaceLanguage != "A" ? 24 : 428; }

TSimpleGButton* PageButton(TSimpleGButton* button, int group) {
    // a group of its own, so that Down can show the page button's state
    button->SetGroupIndex(group);
    button->SetAllowAllUp(true);
    return button;
}

}  // namespace

HRESULT TPageViewSink::Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                              VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr) {
    TWebViewSink::Invoke(dispId, iid, localeId, flags, params, varResult, excepInfo, argErr);
    if (dispId == web::DispDownloadComplete && View() && !View()->Busy() && OnDownloadComplete) {
        try {
            OnDownloadComplete(this);
        } catch (...) {
            // nothing crosses the COM boundary
        }
    }
    return S_OK;
}

TClassForm::TClassForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TClassForm::~TClassForm() = default;

void TClassForm::BuildLayout() {
    SetUpScreenForm(this, "ClassForm", 792, 566, poScreenCenter);
    SetKeyPreview(true);
    SetShowHint(true);

    Quiz1Button = NewCommandTarget(this, "Quiz1Button", [this](TObject* s) { Quiz1ButtonClick(s); });
    Quiz2Button = NewCommandTarget(this, "Quiz2Button", [this](TObject* s) { Quiz2ButtonClick(s); });
    Quiz3Button = NewCommandTarget(this, "Quiz3Button", [this](TObject* s) { Quiz3ButtonClick(s); });
    HistoryButton = NewCommandTarget(this, "HistoryButton", [this](TObject* s) { HistoryButtonClick(s); });
    StartButton = PageButton(NewCommandTarget(this, "StartButton", [this](TObject* s) { StartButtonClick(s); }), 2);
    // the previous-page button shares group 1 with the keys of the on-screen keyboard
    PrevButton = PageButton(NewCommandTarget(this, "PrevButton", [this](TObject* s) { PrevButtonClick(s); }), 1);
    NextLessButton = NewCommandTarget(this, "NextLessButton", [this](TObject* s) { NextLessButtonClick(s); });
    PrevLessButton = NewCommandTarget(this, "PrevLessButton", [this](TObject* s) { PrevLessButtonClick(s); });
    LevelTestBtn = NewCommandTarget(this, "LevelTestBtn", [this](TObject* s) { LevelTestBtnClick(s); });
    Returnbutton = NewCommandTarget(this, "Returnbutton", [this](TObject* s) { ReturnbuttonClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });

    TitlePanel = new TPanel(this);
    TitlePanel->SetName("TitlePanel");
    TitlePanel->SetParent(this);
    TitlePanel->SetBevelOuter(bvNone);
    TitlePanel->SetCaption("");
    TitlePanel->SetColor(TitleBandColor);
    Label3 = new TLabel(this);
    Label3->SetName("Label3");
    Label3->SetParent(TitlePanel);
    Label3->SetAutoSize(false);
    Label3->SetAlign(alClient);
    Label3->SetLayout(tlCenter);
    Label3->SetCaption("");
    Label3->Font()->SetName("Arabic Transparent");
    Label3->Font()->SetCharset(ARABIC_CHARSET);
    Label3->Font()->SetColor(clWhite);
    Label3->Font()->SetStyle(fsBold);
    Label3->Font()->SetHeight(-22);

    // made before the view, so that it outlives the view's connections
    PageSink = new TPageViewSink(this);
    PageSink->OnDownloadComplete = [this](TObject* s) { WebViewDownloadComplete(s); };
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetCaption("");
    Panel1->SetColor(PageViewColor);
    WebView = NewPageView(this, Panel1);
    PageSink->SetView(WebView);

    BuildPracticePanel();

    MediaPlayer = new TMediaPlayer(this);
    MediaPlayer->SetName("MediaPlayer");
    MediaPlayer->SetParent(this);
    MediaPlayer->SetVisible(false);
    MediaPlayer->OnNotify = [this](TObject* s) { MediaPlayerNotify(s); };

    FLessonTable = std::make_unique<TMemData>("LessonTable");
    LessonTable = FLessonTable.get();
    auto field = [this](const char* name, int size) {
        auto* f = new TStringField();
        f->SetFieldName(name);
        f->SetSize(size);
        f->SetDataSet(LessonTable);
    };
    field("char", 20);
    field("data", 1000);
    field("PicNo", 20);

    BuildKeyboard();

    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    ShockwaveFlash->OnEnter = [this](TObject* s) { FocusTypingSurface(s); };
    PlaceInMovieRooms();
}

void TClassForm::BuildPracticePanel() {
    Panel2 = new TPanel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(this);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetCaption("");
    Panel2->SetColor(PracticePanelColor);
    Panel2->SetVisible(false);
    auto surface = [this](const char* name, bool arabic) {
        auto* view = new TRichView(this);
        view->SetName(name);
        view->SetParent(Panel2);
        view->SetBounds(0, 0, RoomWidth, 176);
        ApplySurfaceLook(view, arabic);
        view->Font()->SetColor(clYellow);
        view->SetVisible(false);
        view->OnStartTyping = [this](TObject* s) { RichView1StartTyping(s); };
        view->OnKeyTruePress = [this](TObject* s, char& c, bool ok) { RichView1KeyTruePress(s, c, ok); };
        view->OnFinishTyping = [this](TObject* s, int& n, int& w, int& c, int& l) { RichView1FinishTyping(s, n, w, c, l); };
        view->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { RichView1KeyDown(s, k, sh); };
        view->OnKeyUp = [this](TObject* s, WORD& k, TShiftState sh) { RichView1KeyUp(s, k, sh); };
        return view;
    };
    RichView1 = surface("RichView1", true);
    RichView2 = surface("RichView2", false);

    Gauge1 = new TGauge(this);
    Gauge1->SetName("Gauge1");
    Gauge1->SetParent(Panel2);
    Gauge1->SetKind(gkNeedle);
    Gauge1->SetMaxValue(PracticeSeconds);
    Gauge1->SetProgress(0);
    Gauge1->SetShowText(false);
    Gauge1->SetBorderStyle(bsNone);
    Gauge1->SetBackColor(PracticePanelColor);
    Gauge1->SetForeColor(TitleBandColor);
    Gauge1->SetBounds(8, 180, 80, 42);
    auto count = [this](const char* name, int left, TColor color) {
        auto* label = new TLabel(this);
        label->SetName(name);
        label->SetParent(Panel2);
        label->SetAutoSize(false);
        label->SetAlignment(taCenter);
        label->SetLayout(tlCenter);
        label->SetBounds(left, 186, 90, 30);
        label->SetColor(clWhite);
        label->SetTransparent(false);
        label->SetCaption("");
        label->Font()->SetName("Tahoma");
        label->Font()->SetStyle(fsBold);
        label->Font()->SetHeight(-20);
        label->Font()->SetColor(color);
        return label;
    };
    Label4 = count("Label4", 96, TitleBandColor);
    Label1 = count("Label1", 322, 0x400000);
    Label2 = count("Label2", 422, clRed);
    // the stored hints are the Arabic ones; the second practice sets them by language
    Label1->SetHint("عدد الأحرف الصح"_a);
    Label2->SetHint("عدد الأحرف الخطأ"_a);

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
}

// The title, the page view, the practice and the keyboard lie in the rooms the movie of the
// interface language leaves free.
void TClassForm::PlaceInMovieRooms() {
    TitlePanel->SetBounds(TitleLeft(), 10, 340, 44);
    Label3->SetAlignment(InterfaceLanguage != "A" ? taLeftJustify : taRightJustify);
    Panel1->SetBounds(RoomLeft(), RoomTop, RoomWidth, RoomHeight);
    Panel2->SetBounds(RoomLeft(), RoomTop, RoomWidth, RoomHeight);
    KeyBoardFlash->SetBounds(RoomLeft(), KeyboardTop, RoomWidth, KeyboardHeight);
    PlaceKeyButtons();
}

void TClassForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    LessonReady = false;
    CDDir = TIniFile(AppDir + "\\Data\\Topic.ini").ReadString("Directories", "CDDir", AppDir);
    if (!CDDir.empty() && (CDDir.back() == '\\' || CDDir.back() == '/')) CDDir.pop_back();
    RunResults.Clear();
}

void TClassForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Class.htm");
    PlaceInMovieRooms();
    ApplyTypingOptions();
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage != "A" ? "\\Data\\interface\\TrainingE.swf"
                                                                        : "\\Data\\interface\\Training.swf"));
    if (!LessonReady) OpenCurrentLesson();
}

// What the options hold for typing: the highlight of typed text and the three colours.
void TClassForm::ApplyTypingOptions() {
    for (TRichView* surface : {RichView1, RichView2})
        surface->SetHilightTypedChars(OptionForm->HighlightTextBtn->Checked());
    OptionForm->ApplyTypingColors(this);
}

String TClassForm::LessonTitle(const char* englishPrefix) const {
    return (InterfaceLanguage != "A" ? String(englishPrefix) : "الدرس "_a) + IntToStr(CurrentLesson);
}

void TClassForm::ApplyCaptions() {
    const bool english = InterfaceLanguage != "A";
    Label3->SetCaption(LessonTitle("Lesson "));
    LevelTestBtn->SetCaption(english ? String("Typist Level") : "تحديد مستوى المستخدم"_a);
    LevelTestBtn->SetHint(LevelTestBtn->Caption());
    PrevButton->SetHint(english ? String("Previuos") : "السابق"_a);
    StartButton->SetHint(english ? String("Next") : "التالي"_a);
}

void TClassForm::FormClose(TObject*, TCloseAction&) {
    StopPracticeClock();
    ResetKeyboard();
    StopPageSound();
    WebView->SetVisible(true);
    Panel2->SetVisible(false);
    LessonReady = false;
}

void TClassForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "Class.htm");
}

void TClassForm::HistoryButtonClick(TObject*) {
    const int before = CurrentLesson;
    ShowScreen(LessonsForm);
    // the activation after the list closed has loaded a chosen lesson already
    if (CurrentLesson != before && FLoadedLesson != CurrentLesson) ReloadLesson();
}

void TClassForm::LevelTestBtnClick(TObject*) { ShowScreen(LevelForm); }

// The reached lesson goes into the user list, when it is the lesson shown.
void TClassForm::ReturnbuttonClick(TObject*) {
    Returning = true;
    StopPracticeClock();
    if (CurrentLesson > 0 && FLoadedLesson == CurrentLesson) StudentsForm->StoreUserLesson(CurrentLesson);
    Close();
}

void TClassForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "Quiz1", "Quiz2", "Quiz3", "PlayAgent", "Play", "Pause", "Stop",
                                   "History", "StartHist", "PrevHist", "NextLesson", "PrevLesson", "UserLevel",
                                   "Return"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: Quiz1Button->Click(); break;
    case 2: Quiz2Button->Click(); break;
    case 3: Quiz3Button->Click(); break;
    case 4: PlayAgentBtnClick(PlayAgentBtn); break;
    case 5: PlayPageSound(); break;
    case 6: PausePageSound(); break;
    case 7: StopPageSound(); break;
    case 8: HistoryButton->Click(); break;
    // the page buttons' state limits the mouse, not the movie
    case 9: StartButtonClick(StartButton); break;
    case 10: PrevButtonClick(PrevButton); break;
    case 11: NextLessButton->Click(); break;
    case 12: PrevLessButton->Click(); break;
    case 13: LevelTestBtn->Click(); break;
    case 14: Returnbutton->Click(); break;
    default: break;
    }
}

TClassForm::TClockPause::TClockPause(TClassForm& form) : FForm(form), FRunning(form.Timer1->Enabled()) {
    if (!FRunning) return;
    form.Timer1->SetEnabled(false);
    form.FPracticeClock.Pause();
}

TClassForm::TClockPause::~TClockPause() {
    if (!FRunning) return;
    FForm.FPracticeClock.Resume();
    FForm.Timer1->SetEnabled(true);
}

int TClassForm::ShowScreen(TForm* screen) {
    TClockPause pause(*this);
    return screen->ShowModal();
}

void TClassForm::ShowMessageLines() {
    TClockPause pause(*this);
    MainFrm->ShowMessageLines();
}

void TClassForm::ShowMessageText(const String& text) {
    TClockPause pause(*this);
    MainFrm->ShowMessageText(text);
}
