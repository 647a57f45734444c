#include "tutor/tests/TypingTest.h"
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Alignment.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/typing/TypingText.h"
#include "tutor/users/StudentUnit.h"

namespace {

constexpr TColor PanelColor = 0xFFE2AE;       // the panels' pale blue
constexpr TColor GaugeColor = 0xFBEE04;
constexpr TColor ListColor = 0xDDAD31;        // the typing surfaces' sky blue
constexpr TColor SelectedListColor = 0xDDAD99;
constexpr TColor CounterTextColor = 0x633D0F; // navy

// The rooms the test movie leaves free (stage = client pixels): the Arabic movie's column of
// commands stands on the right, the English movie's on the left.
constexpr int RoomWidth = 522;
constexpr int ChoiceTop = 84, ChoiceHeight = 32;
constexpr int SurfaceTop = 136, SurfaceHeight = 260;
constexpr int CounterTop = 436, CounterWidth = 121, CounterHeight = 34, CounterStep = 133;
constexpr int GaugeTop = 484, GaugeHeight = 24;
int RoomLeft() { return InterfaceLanguage != "A" ? 250 : 20; }

// How an item of the owner-drawn lists is laid out (DrawText flags).
constexpr UINT RtlReading = DT_RTLREADING;
constexpr UINT RightToLeftItem = DT_RIGHT | DT_RTLREADING;
constexpr UINT LeftToRightItem = DT_LEFT;

TPanel* NewPanel(TForm* form, const char* name) {
    auto* panel = new TPanel(form);
    panel->SetName(name);
    panel->SetParent(form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(PanelColor);
    panel->SetCaption("");
    return panel;
}

TPanel* NewCounter(TForm* form, const char* name) {
    TPanel* panel = NewPanel(form, name);
    panel->SetBevelOuter(bvLowered);
    panel->Font()->SetName("Arial");
    panel->Font()->SetCharset(ARABIC_CHARSET);
    panel->Font()->SetStyle(fsBold);
    panel->Font()->SetHeight(-18);
    panel->Font()->SetColor(CounterTextColor);
    return panel;
}

TComboBox* NewList(TForm* form, const char* name) {
    auto* list = new TComboBox(form);
    list->SetName(name);
    list->SetParent(form);
    list->SetStyle(csOwnerDrawFixed);
    list->SetItemHeight(ChoiceHeight - 8);
    list->SetColor(ListColor);
    list->Font()->SetName("Arabic Transparent");
    list->Font()->SetCharset(ARABIC_CHARSET);
    list->Font()->SetHeight(-17);
    return list;
}

String ListText(TComboBox* list) {
    const int index = list->ItemIndex();
    return index >= 0 && index < list->Items()->Count() ? list->Items()->Strings(index) : String();
}

}  // namespace

TTypingTestForm::TTypingTestForm(TComponent* owner, const char* name, const char* agentPage)
    : TForm(owner), FAgentPage(agentPage) {
    TestForms().push_back(this);
    SetName(name);
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TTypingTestForm::~TTypingTestForm() {
    auto& forms = TestForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TTypingTestForm::BuildLayout() {
    SetUpScreenForm(this, Name().c_str(), 792, 566, poScreenCenter);
    SetShowHint(true);
    Startbutton = NewCommandTarget(this, "Startbutton", [this](TObject* s) { StartbuttonClick(s); });
    PauseBtn = NewCommandTarget(this, "PauseBtn", [this](TObject* s) { PauseBtnClick(s); });
    StopBtn = NewCommandTarget(this, "StopBtn", [this](TObject* s) { StopBtnClick(s); });
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    for (TSimpleGButton* button : {Startbutton, PauseBtn, StopBtn, CancelButton}) {
        button->OnMouseEnter = [this](TObject* s) { StartbuttonMouseEnter(s); };
        button->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { PauseBtnMouseMove(s, shift, x, y); };
        button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
            PauseBtnMouseDown(s, b, shift, x, y);
        };
        button->OnMouseLeave = [this](TObject* s) { PauseBtnMouseLeave(s); };
    }
    ExitBtn = NewHiddenButton(this, "ExitBtn", [this](TObject* s) { ExitBtnClick(s); });
    MinBtn = NewHiddenButton(this, "MinBtn", [this](TObject* s) { MinBtnClick(s); });
    SelectFileBtn = NewHiddenButton(this, "SelectFileBtn", [this](TObject* s) { SelectFileBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });

    auto surface = [this](const char* name, bool arabic) {
        auto* view = new TRichView(this);
        view->SetName(name);
        view->SetParent(this);
        view->SetVisible(false);
        ApplySurfaceLook(view, arabic);
        view->Font()->SetColor(clNavy);
        view->OnStartTyping = [this](TObject* s) { RichView2StartTyping(s); };
        view->OnKeyTruePress = [this](TObject* s, char& c, bool ok) { RichView2KeyTruePress(s, c, ok); };
        view->OnFinishTyping = [this](TObject* s, int& n, int& w, int& c, int& l) { RichView2FinishTyping(s, n, w, c, l); };
        return view;
    };
    RichView1 = surface("RichView1", false);
    RichView2 = surface("RichView2", true);

    FilesList = NewList(this, "FilesList");
    FilesList->OnChange = [this](TObject* s) { FilesListChange(s); };
    FilesList->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState st) {
        FilesListDrawItem(c, i, r, st);
    };
    ComboBox2 = NewList(this, "ComboBox2");
    ComboBox2->OnClick = [this](TObject* s) { ComboBox2Click(s); };
    ComboBox2->OnDrawItem = [this](TWinControl* c, int i, const TRect& r, TOwnerDrawState st) {
        ComboBox2DrawItem(c, i, r, st);
    };
    for (const String& label : BuiltInDurations()) ComboBox2->Items()->Add(label);
    FileListBox = new TListBox(this);
    FileListBox->SetName("FileListBox");
    FileListBox->SetParent(this);
    FileListBox->SetVisible(false);
    FileListBox1 = new TFileListBox(this);
    FileListBox1->SetName("FileListBox1");
    FileListBox1->SetParent(this);
    FileListBox1->SetVisible(false);
    FileListBox1->SetMask("*.txt");
    FileNameEdit = new TEdit(this);
    FileNameEdit->SetName("FileNameEdit");
    FileNameEdit->SetParent(this);
    FileNameEdit->SetReadOnly(true);
    FileNameEdit->SetColor(PanelColor);
    FileNameEdit->Font()->SetName("Arabic Transparent");
    FileNameEdit->Font()->SetCharset(ARABIC_CHARSET);
    FileNameEdit->Font()->SetHeight(-17);
    OpenDialog = new TOpenDialog(this);
    OpenDialog->SetName("OpenDialog");
    OpenDialog->Filter = "Text Files|*.txt";
    OpenDialog->DefaultExt = "*.txt";
    OpenDialog->FileName = "*.txt";

    GaugePanel = NewPanel(this, "GaugePanel");
    Gauge = new TGauge(this);
    Gauge->SetName("Gauge");
    Gauge->SetParent(GaugePanel);
    Gauge->SetAlign(alClient);
    Gauge->SetForeColor(GaugeColor);
    Gauge->SetBackColor(PanelColor);
    Gauge->Font()->SetName("Arial");
    Gauge->Font()->SetStyle(fsBold);
    Gauge->Font()->SetColor(clRed);
    Gauge->SetMinValue(0);
    Gauge->SetProgress(0);
    CCLabel = NewCounter(this, "CCLabel");
    WCLabel = NewCounter(this, "WCLabel");
    TimeLabel = NewCounter(this, "TimeLabel");
    WPMLabel = NewCounter(this, "WPMLabel");
    Label4 = NewPanel(this, "Label4");
    Label4->SetVisible(false);
    PlayerNameLabel = NewPanel(this, "PlayerNameLabel");
    PlayerNameLabel->SetVisible(false);

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };

    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    PlaceInMovieRooms();
}

// The text choice, the surfaces, the counters and the gauge lie in the rooms the movie of the
// interface language leaves free; the choice row and the counters read in its direction.
void TTypingTestForm::PlaceInMovieRooms() {
    const int left = RoomLeft();
    const bool arabic = InterfaceLanguage == "A";
    struct Slot { TWinControl* control; int width; };
    const Slot row[] = {{FileNameEdit, 170}, {FilesList, 200}, {ComboBox2, 136}};
    int x = arabic ? left + RoomWidth : left;
    for (const Slot& slot : row) {
        if (arabic) x -= slot.width;
        slot.control->SetBounds(x, ChoiceTop, slot.width, ChoiceHeight);
        x = arabic ? x - 8 : x + slot.width + 8;
    }
    for (TRichView* surface : {RichView1, RichView2}) surface->SetBounds(left, SurfaceTop, RoomWidth, SurfaceHeight);
    TPanel* counters[] = {CCLabel, WCLabel, TimeLabel, WPMLabel};
    if (arabic) std::reverse(std::begin(counters), std::end(counters));
    for (int i = 0; i < 4; ++i) counters[i]->SetBounds(left + i * CounterStep, CounterTop, CounterWidth, CounterHeight);
    GaugePanel->SetBounds(left, GaugeTop, RoomWidth, GaugeHeight);
}

// The speed with its unit, three words in Arabic, is set smaller where the counter is too narrow.
void TTypingTestForm::ShowSpeed(const String& text) {
    constexpr int Height = -18, SmallestHeight = -10, Margin = 8;
    const int fitting = FittingFontHeight(WPMLabel->Font(), text, CounterWidth - Margin, InterfaceLanguage == "A",
                                          Height, SmallestHeight);
    WPMLabel->Font()->SetHeight(fitting != 0 ? fitting : SmallestHeight);
    WPMLabel->SetCaption(text);
}

void TTypingTestForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    OpenDialog->InitialDir = AppDir;
}

// Once a showing: when a screen the form opened closes (the message of a result), the form
// becomes active again and the learner's text and duration stay as they were chosen.
void TTypingTestForm::FormActivate(TObject*) {
    if (FActivated) return;
    FActivated = true;
    AgentForm->IntroduceScreen(this, FirstVisit, FAgentPage);
    FState = TTestState::Idle;
    Timer1->SetEnabled(false);
    FClock.Reset();
    for (TRichView* surface : {RichView1, RichView2}) {
        surface->SetReadOnly(true);
        surface->SetHilightTypedChars(OptionForm->HighlightTextBtn->Checked());
    }
    OptionForm->ApplyTypingColors(this);
    const bool englishTyping = TypingLanguage != "A";
    FSurface = englishTyping ? RichView1 : RichView2;
    RichView1->SetVisible(englishTyping);
    RichView2->SetVisible(!englishTyping);
    LoadAndActivateLayout(englishTyping ? EnglishLayoutName : ArabicLayoutName);

    // the movie first: whatever fails after it, the learner has its buttons to leave by
    const bool arabic = InterfaceLanguage == "A";
    SetBiDiMode(arabic ? bdRightToLeft : bdLeftToRight);
    StopBtn->SetCaption(arabic ? "توقف"_a : String("Stop"));
    PauseBtn->SetCaption(arabic ? "توقف مؤقت"_a : String("Pause"));
    Startbutton->SetCaption(arabic ? "إبدأ"_a : String("Start"));
    CancelButton->SetCaption(arabic ? "رجوع"_a : String("Return"));
    PlayerNameLabel->SetCaption(StudentsForm->UserNameEdit->Text());
    PlaceInMovieRooms();
    LoadScreenMovie(ShockwaveFlash, AppDir + (arabic ? "\\Data\\interface\\SpeedTest.swf"
                                                     : "\\Data\\interface\\SpeedTestE.swf"));
    ShowPauseState();
    const String listError = ReadTextList();

    Application->ProcessMessages();
    for (TSimpleGButton* button : {Startbutton, PauseBtn, StopBtn, CancelButton}) button->SetHint(button->Caption());
    FilesList->Items()->Assign(*FileListBox->Items());
    if (FileListBox->Items()->Count() > 0) FileListBox->SetItemIndex(0);
    FilesList->SetItemIndex(FilesList->Items()->Count() > 0 ? 0 : -1);
    ReadDurations();
    ComboBox2->SetItemIndex(FirstDuration());
    SetFileName(ListText(FilesList));
    FTextPath = TextOfName(ListText(FilesList));
    Application->ProcessMessages();
    if (!listError.empty()) MainFrm->ShowMessageText(listError);
}

void TTypingTestForm::FormClose(TObject*, TCloseAction&) {
    Timer1->SetEnabled(false);
    FActivated = false;
}

String TTypingTestForm::TextOfName(const String& name) const {
    return AppDir + "\\Data\\" + TypingLanguage + "SpeedText\\" + name + ".txt";
}

String TTypingTestForm::ReadTextList() {
    const String path = AppDir + "\\Data\\" + TypingLanguage + "speedText\\Text.txt";
    try {
        FileListBox->Items()->LoadFromFile(path);
        return String();
    } catch (const Exception&) {
        FileListBox->Items()->Clear();
        return (InterfaceLanguage != "A" ? String("The list of test texts could not be read: ")
                                         : "تعذرت قراءة قائمة نصوص الاختبار: "_a) +
               path;
    }
}

// A durations file that cannot be read or holds no line leaves the built-in durations.
void TTypingTestForm::ReadDurations() {
    const String path = AppDir + "\\Data\\" + InterfaceLanguage + "Minutes.txt";
    TStringList lines;
    if (FileExists(path)) {
        try {
            lines.LoadFromFile(path);
        } catch (const Exception&) {
            lines.Clear();
        }
    }
    if (lines.Count() == 0)
        for (const String& label : BuiltInDurations()) lines.Add(label);
    ComboBox2->Items()->Assign(lines);
}

std::vector<String> TTypingTestForm::BuiltInDurations() {
    if (InterfaceLanguage != "A")
        return {"1 minute", "2 minutes", "3 minutes", "4 minutes", "5 minutes", "6 minutes", "7 minutes", "8 minutes"};
    return {"دقيقة واحدة"_a, "دقيقتان"_a, "3 دقائق"_a, "4 دقائق"_a, "5 دقائق"_a, "6 دقائق"_a, "7 دقائق"_a, "8 دقائق"_a};
}

void TTypingTestForm::SetFileName(const String& name) {
    FileNameEdit->SetReadOnly(false);
    FileNameEdit->SetText(name);
    FileNameEdit->SetReadOnly(true);
}

void TTypingTestForm::StartbuttonClick(TObject*) {
    if (FState == TTestState::Paused) {
        PauseBtnClick(PauseBtn);
        return;
    }
    if (FState == TTestState::Running) return;
    Timer1->SetEnabled(false);
    FClock.Reset();
    FClockTicks = 0;
    for (TPanel* counter : {CCLabel, WCLabel, TimeLabel}) counter->SetCaption("");
    ShowSpeed("");
    FSurface->SetEnabled(true);
    if (FileExists(FTextPath)) {
        PrepareTypingText(FSurface, FTextPath, AppDir + "\\Temp.Text", WindowsKind);
        Label4->SetCaption(IntToStr(FSurface->SourceLength));
    }
    Gauge->SetProgress(0);
    Gauge->SetMaxValue((std::max(ComboBox2->ItemIndex(), 0) + 1) * 60);
}

void TTypingTestForm::RichView2StartTyping(TObject*) {
    Timer1->SetEnabled(true);
    FState = TTestState::Running;
    FClock.Start();
    FClockTicks = 0;
}

// The surface counts the key after this event: the counters include it already. The speed is
// that of the keys before it, over the clock's seconds since the first key.
void TTypingTestForm::RichView2KeyTruePress(TObject* sender, char&, bool checkchar) {
    auto* surface = static_cast<TRichView*>(sender);
    CCLabel->SetCaption(IntToStr(surface->CCount + (checkchar ? 1 : 0)));
    WCLabel->SetCaption(IntToStr(surface->WCount + (checkchar ? 0 : 1)));
    const int words = (surface->CCount + surface->WCount) / 5;
    if (words > 0 && FClockTicks > 0) ShowSpeed(SpeedText(words * 60 / FClockTicks));
    MainFrm->PlaySoundEffect(checkchar ? "Typing" : "WrongChar");
}

void TTypingTestForm::RichView2FinishTyping(TObject*, int&, int&, int&, int&) { FinishTest(); }

void TTypingTestForm::Timer1Timer(TObject*) {
    ++FClockTicks;
    Gauge->AddProgress(1);
    TimeLabel->SetCaption(IntToStr(Gauge->Progress()));
    if (Gauge->Progress() >= Gauge->MaxValue()) ClockAtLimit();
}

void TTypingTestForm::PauseBtnClick(TObject*) {
    if (FState == TTestState::Running) {
        Timer1->SetEnabled(false);
        FClock.Pause();
        FState = TTestState::Paused;
        FSurface->SetReadOnly(true);
    } else if (FState == TTestState::Paused) {
        FState = TTestState::Running;
        FClock.Resume();
        Timer1->SetEnabled(true);
        FSurface->SetReadOnly(false);
        FocusSurface();
    }
    ShowPauseState();
}

// The caption names what the button does next, on the button and on the movie's button.
void TTypingTestForm::ShowPauseState() {
    const bool paused = FState == TTestState::Paused;
    if (InterfaceLanguage == "A") PauseBtn->SetCaption(paused ? "متابعة"_a : "توقف مؤقت"_a);
    else PauseBtn->SetCaption(paused ? "Continue" : "Pause");
    PauseBtn->SetHint(PauseBtn->Caption());
    ShockwaveFlash->TGotoFrame(L"PauseButton", paused ? 1 : 0);
}

void TTypingTestForm::FocusSurface() {
    if (!FSurface->Enabled() || !FSurface->CanFocus()) return;
    try {
        FSurface->SetFocus();
    } catch (const Exception&) {
        // a surface that cannot take the focus now is left alone
    }
}

void TTypingTestForm::StopBtnClick(TObject*) {
    if (FState == TTestState::Paused) PauseBtnClick(PauseBtn);
    if (FState == TTestState::Idle) return;
    Timer1->SetEnabled(false);
    FClock.Reset();
    FSurface->SetReadOnly(true);
    FState = TTestState::Idle;
}

// A minimised test is a paused one. The program goes as a whole, with the menu that owns the
// test and its task-bar button, which brings both back; a test minimised on its own would have
// no button to come back by.
void TTypingTestForm::MinBtnClick(TObject*) {
    if (FState == TTestState::Running) PauseBtnClick(PauseBtn);
    Application->Minimize();
}

void TTypingTestForm::CancelButtonClick(TObject*) {
    Timer1->SetEnabled(false);
    Application->ProcessMessages();
    Close();
}

void TTypingTestForm::ExitBtnClick(TObject*) {
    Timer1->SetEnabled(false);
    Application->ProcessMessages();
    Close();
}

void TTypingTestForm::PlayAgentBtnClick(TObject*) { AgentForm->PlayAgentPageFor(this, FAgentPage); }

void TTypingTestForm::FilesListChange(TObject*) {
    FTextPath = TextOfName(ListText(FilesList));
    SetFileName(ListText(FilesList));
}

void TTypingTestForm::SelectFileBtnClick(TObject*) {
    if (!OpenDialog->Execute()) return;
    FTextPath = OpenDialog->FileName;
    SetFileName(ChangeFileExt(ExtractFileName(OpenDialog->FileName), ""));
}

void TTypingTestForm::ComboBox2Click(TObject*) { FocusSurface(); }

// The text names are in the typing language; the durations in the interface language, so that
// an English "1 minute" is not read right to left as "minute 1".
void TTypingTestForm::FilesListDrawItem(TWinControl*, int index, const TRect& rect, TOwnerDrawState state) {
    DrawListItem(FilesList, index, rect, state, TypingLanguage == "A" ? RightToLeftItem : LeftToRightItem | RtlReading);
}

void TTypingTestForm::ComboBox2DrawItem(TWinControl*, int index, const TRect& rect, TOwnerDrawState state) {
    DrawListItem(ComboBox2, index, rect, state, InterfaceLanguage == "A" ? RightToLeftItem : LeftToRightItem);
}

void TTypingTestForm::DrawListItem(TComboBox* list, int index, const TRect& rect, TOwnerDrawState state, unsigned layout) {
    TCanvas* canvas = list->Canvas();
    canvas->Brush()->SetColor(state & odSelected ? SelectedListColor : ListColor);
    canvas->FillRect(rect);
    if (index < 0 || index >= list->Items()->Count()) return;
    canvas->Font()->SetColor(clWhite);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | layout;
    RECT r{rect.Left + 4, rect.Top, rect.Right - 4, rect.Bottom};
    DrawControlText(canvas->Handle(), canvas->Font(), list->Items()->Strings(index), r, flags);
}

void TTypingTestForm::StartbuttonMouseEnter(TObject*) { MainFrm->PlaySoundEffect("Typing"); }

void TTypingTestForm::PauseBtnMouseMove(TObject* sender, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Font()->SetColor(clYellow);
}

void TTypingTestForm::PauseBtnMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Font()->SetColor(clRed);
}

void TTypingTestForm::PauseBtnMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clBlack); }

void TTypingTestForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "Close", "Minimize", "OpenFile", "Return", "Start", "Pause",
                                   "PlayAgent", "Stop"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: ExitBtn->Click(); break;
    case 2: MinBtn->Click(); break;
    case 3: SelectFileBtn->Click(); break;
    case 4: CancelButton->Click(); break;
    case 5: Startbutton->Click(); break;
    case 6: PauseBtn->Click(); break;
    case 7: PlayAgentBtnClick(PlayAgentBtn); break;
    case 8: StopBtn->Click(); break;
    default: break;
    }
}

int TTypingTestForm::Accuracy(int correct, int typed) {
    return typed > 0 ? static_cast<int>(Round(static_cast<long double>(correct) / typed * 100)) : 0;
}

String TTypingTestForm::SpeedText(int wpm) {
    return IntToStr(wpm) + (InterfaceLanguage == "E" ? String(" WPM") : " كلمة فى الدقيقة"_a);
}

// WPM and AWPM both come from the seconds the test was typed, and the accuracy from the keys
// typed: a test the clock ended is measured on what was typed, not on the untyped rest.
void TTypingTestForm::FinishTest() {
    if (FState == TTestState::Idle) return;
    Timer1->SetEnabled(false);
    FState = TTestState::Idle;
    FSurface->SetEnabled(false);
    TRunResults& r = RunResults;
    r.TypingTicks = FClock.Seconds();
    FClock.Reset();
    const int correct = FSurface->CCount;
    const int typed = correct + FSurface->WCount;
    ClassForm->ShowTypingMeasures(correct, typed, 0);
    StoreTestResults();
    ShowSpeed(SpeedText(r.LastWpm));
    ShowResult(correct, typed);
}

// The key lists hold what was typed on every test surface of the run: each surface counts from
// the program's start, and a test taken on the other form stays on the proficiency map.
void TTypingTestForm::StoreTestResults() {
    TRunResults& r = RunResults;
    r.AddTest(r.LastWpm, r.LastAwpm, r.TypingTicks, r.LastAccuracy);
    std::array<int, 256> correct{}, wrong{};
    for (const TTypingTestForm* form : TestForms())
        for (const TRichView* surface : {form->RichView1, form->RichView2})
            for (int code = 0; code < 256; ++code) {
                correct[code] += surface->CharCorrect[code];
                wrong[code] += surface->CharWrong[code];
            }
    r.StoreKeyCounts(correct, wrong);
}

std::vector<TTypingTestForm*>& TTypingTestForm::TestForms() {
    static std::vector<TTypingTestForm*> forms;
    return forms;
}
