#include "tutor/games/GameUnit.h"
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

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
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TGameForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

void TGameForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Games.htm");
    bool arabic = InterfaceLanguage == "A";
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
