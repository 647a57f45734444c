#include "tutor/results/Results.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

TResultsForm* ResultsForm = nullptr;

TResultsForm::TResultsForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TResultsForm::BuildLayout() {
    SetUpScreenForm(this, "ResultsForm", 792, 566, poScreenCenter);
    SetBiDiMode(bdRightToLeft);
    ExitBtn = NewCommandTarget(this, "ExitBtn", [this](TObject* s) { ExitBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    WinXP1 = new TWinXP(this);
    WinXP1->SetName("WinXP1");
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TResultsForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

void TResultsForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Results.htm");
    // first letter: the product's own title or another; second: the interface language
    String movie = AppDir + "\\Data\\interface\\Results" + (Application->Title() == "Tapwise" ? "A" : "E") +
                   (InterfaceLanguage == "A" ? "A" : "E") + ".swf";
    ShockwaveFlash->SetMovie(ToWide(movie));
    ShockwaveFlash->TGotoFrame(L"Pages", 9);
    ShockwaveFlash->DoObjectVerb(-1);
    ShockwaveFlash->SetScaleMode(0);
    Application->ProcessMessages();
}

void TResultsForm::ExitBtnClick(TObject*) { Close(); }

void TResultsForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "Results.htm");
}

void TResultsForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "Return"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: ExitBtn->Click(); break;
    default: break;
    }
}
