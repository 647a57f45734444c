#include "tutor/results/Results.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

TResultsForm* ResultsForm = nullptr;

namespace {

constexpr TColor NoteColor = 0x633D0F;        // navy
constexpr TColor ButtonHover = 0xFFFFFF;

// The room the movie leaves for the pages, and its column of page commands (client pixels): the
// Arabic movie has its commands on the right, the English one on the left.
constexpr int RoomTop = 80, RoomWidth = 522, RoomHeight = 444;
constexpr int CommandsTop = 94, CommandWidth = 210, CommandHeight = 50, CommandStep = 64, ReturnTop = 360;
int RoomLeft() { return InterfaceLanguage == "A" ? 20 : 250; }
int CommandsLeft() { return InterfaceLanguage == "A" ? 562 : 20; }

}  // namespace

TResultsForm::TResultsForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TResultsForm::BuildLayout() {
    SetUpScreenForm(this, "ResultsForm", 792, 566, poScreenCenter);
    SetBiDiMode(bdRightToLeft);
    BuildButtons();
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    WinXP1 = new TWinXP(this);
    WinXP1->SetName("WinXP1");

    ResultsNote = new TNotebook(this);
    ResultsNote->SetName("ResultsNote");
    ResultsNote->SetParent(this);
    ResultsNote->SetColor(NoteColor);
    TStringList pages;
    for (const char* name : {"ProgressPage", "SummaryPage", "ProficiencyPage", "GraphicPage"}) pages.Add(name);
    ResultsNote->SetPages(pages);
    PlaceInMovieRoom();
    BuildSummaryPage(ResultsNote->Page(0));
    BuildKeysPage(ResultsNote->Page(1));
    BuildProgressPage(ResultsNote->Page(2));
    BuildGraphicPage(ResultsNote->Page(3));
    ResultsNote->SetPageIndex(0);

    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    // under the movie, whose own buttons the learner clicks
    ButtonsPanel->SendToBack();
}

// The five graphic buttons lie where the movie draws its page commands, under it.
void TResultsForm::BuildButtons() {
    ButtonsPanel = new TPanel(this);
    ButtonsPanel->SetName("ButtonsPanel");
    ButtonsPanel->SetParent(this);
    ButtonsPanel->SetBevelOuter(bvLowered);
    ButtonsPanel->SetCaption("");
    auto button = [this](const char* name, TNotifyEvent onClick) {
        auto* b = new TCommandTarget(this);
        b->SetName(name);
        b->SetParent(ButtonsPanel);
        b->OnClick = std::move(onClick);
        b->OnMouseEnter = [this](TObject* s) { ExitBtnMouseEnter(s); };
        b->OnMouseLeave = [this](TObject* s) { ExitBtnMouseLeave(s); };
        return b;
    };
    SummaryBtn = button("SummaryBtn", [this](TObject* s) { SummaryBtnClick(s); });
    ProficiencyBtn = button("ProficiencyBtn", [this](TObject* s) { ProficiencyBtnClick(s); });
    ProgressBtn = button("ProgressBtn", [this](TObject* s) { ProgressBtnClick(s); });
    GraphicBtn = button("GraphicBtn", [this](TObject* s) { GraphicBtnClick(s); });
    ExitBtn = button("ExitBtn", [this](TObject* s) { ExitBtnClick(s); });
}

void TResultsForm::PlaceInMovieRoom() {
    ResultsNote->SetBounds(RoomLeft(), RoomTop, RoomWidth, RoomHeight);
    ButtonsPanel->SetBounds(CommandsLeft(), CommandsTop, CommandWidth, ReturnTop + CommandHeight - CommandsTop);
    int top = 0;
    for (TSimpleGButton* b : {SummaryBtn, ProficiencyBtn, ProgressBtn, GraphicBtn}) {
        b->SetBounds(0, top, CommandWidth, CommandHeight);
        top += CommandStep;
    }
    ExitBtn->SetBounds(0, ReturnTop - CommandsTop, CommandWidth, CommandHeight);
}

void TResultsForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    ResultsNote->SetPageIndex(0);
}

void TResultsForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Results.htm");
    ResultsNote->SetPageIndex(0);
    ComputeAverages();
    FillProgressGrid();
    ColorKeyboards();
    FillChart();
    if (InterfaceLanguage == "A") {
        ShowSummaryArabic();
        ApplyArabicCaptions();
    } else {
        ShowSummaryEnglish();
        ApplyEnglishCaptions();
    }
    ShockwaveFlash->TGotoFrame(L"Pages", 9);
    ShockwaveFlash->DoObjectVerb(-1);
    ShockwaveFlash->SetScaleMode(0);
    Application->ProcessMessages();
    ShowGoalBar();
}

void TResultsForm::FormClose(TObject*, TCloseAction&) {
    for (TPanel* panel : {KeysPanelAr, KeysPanelAr2, KeysPanelEn, KeysPanelEn2}) panel->SetVisible(false);
}

void TResultsForm::LoadMovie() {
    // first letter: the product's own title or another; second: the interface language
    String movie = AppDir + "\\Data\\interface\\Results" + (Application->Title() == "Tapwise" ? "A" : "E") +
                   (InterfaceLanguage == "A" ? "A" : "E") + ".swf";
    ShockwaveFlash->SetMovie(ToWide(movie));
}

void TResultsForm::ApplyArabicCaptions() { ApplyCaptions(true); }
void TResultsForm::ApplyEnglishCaptions() { ApplyCaptions(false); }

void TResultsForm::ApplyCaptions(bool arabic) {
    auto text = [arabic](const char* english, const String& arabicText) { return arabic ? arabicText : String(english); };
    const TBiDiMode direction = arabic ? bdRightToLeft : bdLeftToRight;
    PlaceInMovieRoom();
    rEdit->SetBiDiMode(direction);
    rEdit->SelectAll();
    rEdit->Paragraph()->SetRightToLeft(arabic);
    rEdit->SetSelLength(0);
    TypedKeysPanel()->SetVisible(true);

    TheChart->LeftAxis()->Title()->SetCaption(text("Adjusted W.P.M", "كلمة صحيحة في الدقيقة"_a));
    Series5->SetTitle(text("Goal", "الهدف"_a));
    Series7->SetTitle(text("WPM", "كلمة في الدقيقة"_a));
    Series6->SetTitle(text("AWPM", "كلمة صحيحة في الدقيقة"_a));

    struct Caption { TControl* control; const char* english; String arabic; };
    const Caption buttons[] = {
        {ExitBtn, "Exit", "خروج"_a},
        {SummaryBtn, "Summary", "الخلاصة"_a},
        {ProficiencyBtn, "Proficiency", "البراعة"_a},
        {ProgressBtn, "Progress", "التطور"_a},
        {GraphicBtn, "Graphics", "رسم بياني"_a},
    };
    for (const Caption& c : buttons) {
        c.control->SetCaption(text(c.english, c.arabic));
        c.control->SetHint(c.control->Caption());
        c.control->Font()->SetName(arabic ? "Kabir06 Normal" : "Times New Roman");
        if (arabic) c.control->Font()->SetSize(24);
    }
    const Caption legends[] = {
        {GoalLabel2, "Goal", "الهدف"_a},
        {WPMLabel2, "WPM", "ك.ف.د."_a},
        {AWPMLabel2, "AWPM", "ك.ص.ف.د."_a},
    };
    for (const Caption& c : legends) {
        c.control->SetCaption(text(c.english, c.arabic));
        c.control->Font()->SetName(arabic ? "Kabir06 Normal" : "Times New Roman");
        // read in the language's direction, standing by the bar in both
        c.control->SetParentBiDiMode(false);
        c.control->SetBiDiMode(arabic ? bdRightToLeftNoAlign : bdLeftToRight);
    }
    const Caption zoom[] = {
        {ZoomInBtn, "Zoom In", "تكبير"_a},
        {ZoomOutBtn, "Zoom Out", "تصغير"_a},
        {ResetZoomBtn, "Reset Zoom", "حجم عادي"_a},
    };
    for (const Caption& c : zoom) c.control->SetCaption(text(c.english, c.arabic));
    const std::pair<const char*, String> keyLegends[] = {
        {"Keys You Should Practice", "أزرار يجب أن تتمرّن عليها"_a},
        {"Keys You Know Adequately", "أزرار تعرفها بشكل مناسب"_a},
        {"Keys You Know Well", "أزرار تعرفها جيداً"_a},
    };
    for (TKeyboard& keyboard : FKeyboards) {
        for (int i = 0; i < 3; ++i) keyboard.Legends[i]->SetCaption(text(keyLegends[i].first, keyLegends[i].second));
        for (TSimpleGButton* shift : keyboard.Shift) shift->SetCaption(text("Shift", "العالي"_a));
    }

    ResultsList->SetBiDiMode(direction);
    const std::pair<const char*, String> headers[] = {
        {"WPM", "كلمة في الدقيقة"_a},
        {"AWPM", "كلمة صحيحة في الدقيقة"_a},
        {"Accuracy", "الدقة"_a},
        {"Time", "الوقت"_a},
    };
    for (int col = 1; col <= 4; ++col) ResultsList->SetCells(col, 0, text(headers[col - 1].first, headers[col - 1].second));
    LoadMovie();
}

void TResultsForm::ShowPage(int index) {
    if (ResultsNote->PageIndex() != index) ResultsNote->SetPageIndex(index);
}

void TResultsForm::SummaryBtnClick(TObject*) { ShowPage(0); }
void TResultsForm::ProficiencyBtnClick(TObject*) { ShowPage(1); }
void TResultsForm::ProgressBtnClick(TObject*) { ShowPage(2); }
void TResultsForm::GraphicBtnClick(TObject*) { ShowPage(3); }

void TResultsForm::ExitBtnClick(TObject*) { Close(); }

void TResultsForm::ExitBtnMouseEnter(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(ButtonHover); }
void TResultsForm::ExitBtnMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clBlack); }

void TResultsForm::PlayAgentBtnClick(TObject*) { AgentForm->PlayAgentPageFor(this, "Results.htm"); }

void TResultsForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "Graph", "Progress", "Proficiency", "Summary", "Return"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: GraphicBtn->Click(); break;
    case 3: ProgressBtn->Click(); break;
    case 4: ProficiencyBtn->Click(); break;
    case 5: SummaryBtn->Click(); break;
    case 6: ExitBtn->Click(); break;
    default: break;
    }
}
