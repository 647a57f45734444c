#include "tutor/games/GameUnit.h"
#include <windows.h>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "platform/win/Process.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

// The game pictures the form carries (data/embedded/games, compiled in by the build).
namespace embedded {
extern const std::string_view GameNumbers, GameWords, GameKeys, GameLetters, GameFrog, GameSpeed, GameRace;
}

TGameForm* GameForm = nullptr;

TGameForm::TGameForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TGameForm::BuildLayout() {
    SetUpScreenForm(this, "GameForm", 792, 566, poScreenCenter);
    CloseBtn = NewCommandTarget(this, "CloseBtn", [this](TObject* s) { CloseBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    NumbersBtn = NewGameButton("NumbersBtn", 278, 159, embedded::GameNumbers, [this](TObject* s) { NumbersBtnClick(s); });
    WordsBtn = NewGameButton("WordsBtn", 584, 159, embedded::GameWords, [this](TObject* s) { WordsBtnClick(s); });
    FizzleBtn = NewGameButton("FizzleBtn", 577, 289, embedded::GameKeys, [this](TObject* s) { FizzleBtnClick(s); });
    LettersBtn = NewGameButton("LettersBtn", 278, 288, embedded::GameLetters, [this](TObject* s) { LettersBtnClick(s); });
    FrogBtn = NewGameButton("FrogBtn", 431, 159, embedded::GameFrog, [this](TObject* s) { FrogBtnClick(s); });
    SpeedBtn = NewGameButton("SpeedBtn", 429, 290, embedded::GameSpeed, [this](TObject* s) { SpeedBtnClick(s); });
    RaceBTn = NewGameButton("RaceBTn", 125, 159, embedded::GameRace, [this](TObject* s) { RaceBTnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    // the pictures lie above the movie, in the room it leaves for them
    for (TSimpleGButton* button : {NumbersBtn, WordsBtn, FizzleBtn, LettersBtn, FrogBtn, SpeedBtn, RaceBTn})
        button->Parent()->BringToFront();
}

// A white panel with the game's picture inset by 4 pixels, and over it a transparent graphic
// button as large as the panel.
TSimpleGButton* TGameForm::NewGameButton(const char* name, int left, int top, std::string_view picture,
                                         TNotifyEvent onClick) {
    String game = String(name).substr(0, String(name).size() - 3);
    auto* panel = new TPanel(this);
    panel->SetName(game + "Panel");
    panel->SetParent(this);
    panel->SetBounds(left, top, 130, 107);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    panel->SetColor(clWhite);
    auto* image = new TImage(this);
    image->SetName(game + "Image");
    image->SetParent(panel);
    image->SetBounds(4, 4, 122, 99);
    image->SetStretch(true);
    image->Picture()->LoadFromBytes(picture);
    auto* button = new TSimpleGButton(this);
    button->SetName(name);
    button->SetParent(panel);
    button->SetBounds(0, 0, 130, 107);
    button->SetShowHint(true);
    button->OnClick = std::move(onClick);
    button->OnMouseEnter = [this](TObject* s) { NumbersBtnMouseEnter(s); };
    button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        NumbersBtnMouseDown(s, b, shift, x, y);
    };
    button->OnMouseLeave = [this](TObject* s) { NumbersBtnMouseLeave(s); };
    return button;
}

void TGameForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

void TGameForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Games.htm");
    bool arabic = InterfaceLanguage == "A";
    const std::pair<TSimpleGButton*, std::pair<String, String>> hints[] = {
        {NumbersBtn, {"لعبة الأرقام"_a, "Numbers"}},
        {WordsBtn, {"لعبة الكلمات الطائرة"_a, "Flying Words"}},
        {FizzleBtn, {"لعبة المفاتيح"_a, "Keys"}},
        {LettersBtn, {"لعبة الحروف الطائرة"_a, "Flying Letters"}},
        {FrogBtn, {"لعبة الضفدع"_a, "Frog eating"}},
        {SpeedBtn, {"لعبة السرعة"_a, "Speed"}},
        {RaceBTn, {"لعبة سباق السيارات"_a, "Car Race"}},
    };
    for (const auto& [button, hint] : hints) button->SetHint(arabic ? hint.first : hint.second);
    LoadAndActivateLayout(arabic ? ArabicLayoutName : EnglishLayoutName);
    LoadScreenMovie(ShockwaveFlash, AppDir + (arabic ? "\\Data\\interface\\Games.swf" : "\\Data\\interface\\GamesE.swf"));
}

void TGameForm::CloseBtnClick(TObject*) { Close(); }

void TGameForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "Games.htm");
}

void TGameForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "Return"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: CloseBtn->Click(); break;
    default: break;
    }
}

// The program path and the folder are quoted: a blank in either would otherwise let the system
// start another program ("C:\Program.exe") or split the folder into several arguments. A game
// that is not there is not offered; one the system refuses to start is reported.
void TGameForm::StartGame(const String& path) {
    String program = CDDir + path;
    if (!FileExists(program)) return;
    unsigned result = WinExecCommand(QuoteCommandArgument(program) + " " + QuoteCommandArgument(AppDir), SW_SHOW);
    if (!WinExecSucceeded(result)) {
        MainFrm->ShowMessageText(InterfaceLanguage == "A" ? "تعذر تشغيل اللعبة"_a : "The game could not be started.");
        return;
    }
    // the game's window stands where this screen does, and the assistant above every window would
    // hide the game's buttons
    AgentForm->ClearPage();
}

void TGameForm::NumbersBtnClick(TObject*) { StartGame("\\Games\\Numbers\\Numbers.exe"); }
void TGameForm::WordsBtnClick(TObject*) { StartGame("\\Games\\Words\\Words.exe"); }
void TGameForm::FizzleBtnClick(TObject*) { StartGame("\\Games\\Fizzle\\Fizzle.exe"); }
void TGameForm::LettersBtnClick(TObject*) { StartGame("\\Games\\Letters\\Letters.exe"); }
void TGameForm::FrogBtnClick(TObject*) { StartGame("\\Games\\Frog\\Xplay3.exe"); }
void TGameForm::RaceBTnClick(TObject*) { StartGame("\\Games\\Roadrush\\Roadrush.exe"); }

void TGameForm::SpeedBtnClick(TObject*) {
    if (InterfaceLanguage == "A" && FileExists(CDDir + "\\Games\\Speed\\Games1.exe")) StartGame("\\Games\\Speed\\Games1.exe");
    else StartGame("\\Games\\Speed\\Xplay1.exe");
}

void TGameForm::NumbersBtnMouseEnter(TObject* sender) {
    MainFrm->PlaySoundEffect("Typing");
    static_cast<TControl*>(sender)->Parent()->SetColor(clRed);
}

void TGameForm::NumbersBtnMouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Parent()->SetColor(clYellow);
}

void TGameForm::NumbersBtnMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Parent()->SetColor(clWhite); }
