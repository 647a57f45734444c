#include "tutor/lessons/LessonsUnit.h"
#include "platform/ui/Application.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

TLessonsForm* LessonsForm = nullptr;

TLessonsForm::TLessonsForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

TLessonsForm::~TLessonsForm() = default;

void TLessonsForm::BuildLayout() {
    SetUpScreenForm(this, "LessonsForm", 792, 566, poMainFormCenter);
    LessonsListBox = new TListBox(this);
    LessonsListBox->SetName("LessonsListBox");
    LessonsListBox->SetParent(this);
    LessonsListBox->SetBounds(186, 140, 487, 290);
    LessonsListBox->Font()->SetName("Arabic Transparent");
    LessonsListBox->Font()->SetHeight(-16);   // Arabic titles read with ease
    LessonsListBox->SetItemHeight(32);
    LessonsListBox->SetColor(clInactiveCaptionText);
    LessonsListBox->OnDblClick = [this](TObject* s) { LessonsListBoxDblClick(s); };
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    CancelButton->OnMouseEnter = [this](TObject* s) { CancelButtonMouseEnter(s); };
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ImageList1 = new TImageList(this);
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    LessonsListBox->BringToFront();   // the list lies above the movie
}

void TLessonsForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    FIcon = std::make_unique<TIcon>();
    FIcon->LoadFromFile(AppDir + "\\fixed.ico");
    ImageList1->AddIcon(FIcon.get());
    LessonsListBox->Items()->LoadFromFile(AppDir + "\\data\\" + TypingLanguage + "Lessons.txt");
    LessonsListBox->SetItemIndex(0);
}

void TLessonsForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Lessons.htm");
    LessonsListBox->SetItemIndex(CurrentLesson - 1);
    SetBiDiMode(InterfaceLanguage != "A" ? bdLeftToRight : bdRightToLeft);
    LessonsListBox->SetBiDiMode(TypingLanguage != "A" ? bdLeftToRight : bdRightToLeft);
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage != "A" ? "\\Data\\interface\\MessageE.swf"
                                                                        : "\\Data\\interface\\Message.swf"), 9);
    if (LessonsListBox->CanFocus()) LessonsListBox->SetFocus();
}

// Without a chosen line nothing changes: lesson 0 has no pages and must never be stored.
void TLessonsForm::LessonsListBoxDblClick(TObject*) {
    if (LessonsListBox->ItemIndex() < 0) return;
    CurrentLesson = LessonsListBox->ItemIndex() + 1;
    ClassForm->LessonReady = false;
    Close();
}

void TLessonsForm::CancelButtonClick(TObject*) { Close(); }

void TLessonsForm::CancelButtonMouseEnter(TObject*) { MainFrm->PlaySoundEffect("Typing"); }

void TLessonsForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "Lessons.htm");
}

void TLessonsForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "OK"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: LessonsListBoxDblClick(LessonsListBox); break;
    default: break;
    }
}
