#include "tutor/lessons/Beginner.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/tests/Level.h"

TBeginnerForm* BeginnerForm = nullptr;

TBeginnerForm::TBeginnerForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TBeginnerForm::BuildLayout() {
    SetUpScreenForm(this, "BeginnerForm", 592, 368, poScreenCenter);
    TestBtn = NewHiddenButton(this, "TestBtn", [this](TObject* s) { TestBtnClick(s); });
    TestBtn->SetCaption("Entrance Test");
    BeggnerBtn = NewHiddenButton(this, "BeggnerBtn", [this](TObject* s) { BeggnerBtnClick(s); });
    BeggnerBtn->SetCaption("Start As Beginner");
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TBeginnerForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
}

// The page plays at every showing; the main menu shows the form only while the flag is set.
void TBeginnerForm::FormActivate(TObject*) {
    AgentForm->ClearPage();
    AgentForm->PlayAgentPageFor(this, "Beginner.htm");
    FirstVisit = false;
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage != "A" ? "\\Data\\interface\\BeginnerE.swf"
                                                                        : "\\Data\\interface\\Beginner.swf"));
}

void TBeginnerForm::TestBtnClick(TObject*) {
    LevelForm->ShowModal();
    Close();
}

void TBeginnerForm::BeggnerBtnClick(TObject*) { Close(); }

void TBeginnerForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "EnterExam", "Beginner"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: TestBtn->Click(); break;
    case 2: BeggnerBtn->Click(); break;
    default: break;
    }
}
