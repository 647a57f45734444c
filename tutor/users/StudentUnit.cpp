#include "tutor/users/StudentUnit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/games/GameUnit.h"
#include "tutor/lessons/Beginner.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/results/Results.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"

TStudentsForm* StudentsForm = nullptr;

TStudentsForm::TStudentsForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TStudentsForm::~TStudentsForm() = default;

void TStudentsForm::BuildLayout() {
    SetUpScreenForm(this, "StudentsForm", 792, 566, poScreenCenter);
    UserNameEdit = new TEdit(this);
    UserNameEdit->SetName("UserNameEdit");
    UserNameEdit->SetParent(this);
    UserNameEdit->SetText("NoUserName");
    GoalEdit = new TEdit(this);
    GoalEdit->SetName("GoalEdit");
    GoalEdit->SetParent(this);
    ImageList1 = new TImageList(this);
}

void TStudentsForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    AppDir = ProgramFolder(ProgramFileName());
    FIcon = std::make_unique<TIcon>();
    FIcon->LoadFromFile(AppDir + "\\fixed.ico");
    ImageList1->AddIcon(FIcon.get());
    GoalEdit->SetText(IntToStr(UserGoal));
}

// The user list and the automatic entry arrive with the user store; until then no user is entered.
void TStudentsForm::LoadStudents() {}
void TStudentsForm::PasswordCancelBtnClick(TObject*) {}
void TStudentsForm::ReloginCurrentUser() {}

void TStudentsForm::SetFirstVisitFlags(bool value) {
    MainFrm->FirstVisit = value;
    BeginnerForm->FirstVisit = value;
    ClassForm->FirstVisit = value;
    LessonsForm->FirstVisit = value;
    LevelForm->FirstVisit = value;
    GameForm->FirstVisit = value;
    SpeedForm->FirstVisit = value;
    ResultsForm->FirstVisit = value;
    OptionForm->FirstVisit = value;
}

void TStudentsForm::PlayVoice(const String& name) {
    MainFrm->PlaySoundEffect(name + (InterfaceLanguage == "A" ? "A" : "E"));
}
