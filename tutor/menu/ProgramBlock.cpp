#include "tutor/menu/ProgramBlock.h"
#include "platform/ui/Application.h"
#include "tutor/games/GameUnit.h"
#include "tutor/lessons/Beginner.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/AboutUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/results/Results.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"
#include "tutor/users/StudentUnit.h"

void StartTapwise() {
    InterfaceLanguage = "A";
    TypingLanguage = InterfaceLanguage;
    Application->SetTitle("Tapwise");
    Application->Initialize();
    Application->CreateForm(MainFrm);
    Application->CreateForm(StudentsForm);
    Application->CreateForm(ClassForm);
    Application->CreateForm(OptionForm);
    Application->CreateForm(Aboutform);
    Application->CreateForm(SpeedForm);
    Application->CreateForm(MessageForm);
    // the message form knows the program only through what it is given
    MessageForm->AppFolder = AppDir;
    MessageForm->Language = InterfaceLanguage;
    MessageForm->OnRollOver = [](const String& command, const String& args) { MainFrm->FlashRollOver(command, args); };
    Application->CreateForm(LessonsForm);
    Application->CreateForm(GameForm);
    Application->CreateForm(ResultsForm);
    Application->CreateForm(LevelForm);
    Application->CreateForm(BeginnerForm);
    Application->CreateForm(AgentForm);
    // the saved colours are on every typing surface from the start, not only after the options' OK
    OptionForm->PushTypingColors();
}
