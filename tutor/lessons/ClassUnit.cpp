#include "tutor/lessons/ClassUnit.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/Application.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/tests/Level.h"

TStringList* WpmHistory = nullptr;
TStringList* AwpmHistory = nullptr;
TStringList* SecondsHistory = nullptr;
TStringList* AccuracyHistory = nullptr;
TStringList* KeyCorrectList = nullptr;
TStringList* KeyWrongList = nullptr;
int LastWpm = 0;
int LastAwpm = 0;
int LastAccuracy = 0;
int TypingTicks = 0;

TClassForm* ClassForm = nullptr;

namespace {

TStringList** const ResultLists[] = {&WpmHistory, &AwpmHistory, &SecondsHistory,
                                     &AccuracyHistory, &KeyCorrectList, &KeyWrongList};

}  // namespace

TClassForm::TClassForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };
}

void TClassForm::BuildLayout() {
    SetUpScreenForm(this, "ClassForm", 792, 566, poScreenCenter);
    SetKeyPreview(true);
    HistoryButton = NewCommandTarget(this, "HistoryButton", [this](TObject* s) { HistoryButtonClick(s); });
    LevelTestBtn = NewCommandTarget(this, "LevelTestBtn", [this](TObject* s) { LevelTestBtnClick(s); });
    Returnbutton = NewCommandTarget(this, "Returnbutton", [this](TObject* s) { ReturnbuttonClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TClassForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    LessonReady = false;
    CDDir = TIniFile(AppDir + "\\Data\\Topic.ini").ReadString("Directories", "CDDir", AppDir);
    if (!CDDir.empty() && (CDDir.back() == '\\' || CDDir.back() == '/')) CDDir.pop_back();
    for (TStringList** list : ResultLists) {
        delete *list;
        *list = new TStringList;
    }
}

void TClassForm::FormDestroy(TObject*) {
    for (TStringList** list : ResultLists) {
        delete *list;
        *list = nullptr;
    }
}

void TClassForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "Class.htm");
    LessonReady = true;
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage != "A" ? "\\Data\\interface\\TrainingE.swf"
                                                                        : "\\Data\\interface\\Training.swf"));
}

void TClassForm::FormClose(TObject*, TCloseAction&) { LessonReady = false; }

void TClassForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "Class.htm");
}

void TClassForm::HistoryButtonClick(TObject*) { LessonsForm->ShowModal(); }

void TClassForm::LevelTestBtnClick(TObject*) { LevelForm->ShowModal(); }

void TClassForm::ReturnbuttonClick(TObject*) { Close(); }

void TClassForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "History", "UserLevel", "Return"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: HistoryButton->Click(); break;
    case 3: LevelTestBtn->Click(); break;
    case 4: Returnbutton->Click(); break;
    default: break;
    }
}
