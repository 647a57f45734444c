#include "tutor/tests/Level.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

TLevelForm* LevelForm = nullptr;

TLevelForm::TLevelForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TLevelForm::BuildLayout() {
    SetUpScreenForm(this, "LevelForm", 792, 566, poScreenCenter);
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    ExitBtn = NewHiddenButton(this, "ExitBtn", [this](TObject* s) { ExitBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TLevelForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

void TLevelForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "EntrncTst.htm");
    SetBiDiMode(InterfaceLanguage == "A" ? bdRightToLeft : bdLeftToRight);
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage == "A" ? "\\Data\\interface\\SpeedTest.swf"
                                                                        : "\\Data\\interface\\SpeedTestE.swf"));
}

void TLevelForm::CancelButtonClick(TObject*) {
    Application->ProcessMessages();
    Close();
}

void TLevelForm::ExitBtnClick(TObject*) {
    Application->ProcessMessages();
    Close();
}

void TLevelForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "EntrncTst.htm");
}

void TLevelForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "Close", "Return", "PlayAgent"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: ExitBtn->Click(); break;
    case 2: CancelButton->Click(); break;
    case 3: PlayAgentBtnClick(PlayAgentBtn); break;
    default: break;
    }
}
