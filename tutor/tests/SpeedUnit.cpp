#include "tutor/tests/SpeedUnit.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"

TSpeedForm* SpeedForm = nullptr;

TSpeedForm::TSpeedForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TSpeedForm::BuildLayout() {
    SetUpScreenForm(this, "SpeedForm", 792, 566, poScreenCenter);
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    ExitBtn = NewHiddenButton(this, "ExitBtn", [this](TObject* s) { ExitBtnClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    auto surface = [this](const char* name, bool arabic) {
        auto* view = new TRichView(this);
        view->SetName(name);
        view->SetParent(this);
        view->SetVisible(false);
        view->SetBounds(20, 136, 522, 260);
        ApplySurfaceLook(view, arabic);
        return view;
    };
    RichView1 = surface("RichView1", false);
    RichView2 = surface("RichView2", true);
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TSpeedForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

void TSpeedForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "SpeedScrn.htm");
    SetBiDiMode(InterfaceLanguage == "A" ? bdRightToLeft : bdLeftToRight);
    OptionForm->ApplyTypingColors(this);
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage == "A" ? "\\Data\\interface\\SpeedTest.swf"
                                                                        : "\\Data\\interface\\SpeedTestE.swf"));
}

void TSpeedForm::CancelButtonClick(TObject*) {
    Application->ProcessMessages();
    Close();
}

void TSpeedForm::ExitBtnClick(TObject*) {
    Application->ProcessMessages();
    Close();
}

void TSpeedForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "SpeedScrn.htm");
}

void TSpeedForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "Close", "Return", "PlayAgent"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: ExitBtn->Click(); break;
    case 2: CancelButton->Click(); break;
    case 3: PlayAgentBtnClick(PlayAgentBtn); break;
    default: break;
    }
}
