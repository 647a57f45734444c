#pragma once
// The lesson form, and the result values of the run that the tests leave for the results screen.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

// Made by the lesson form's creation, freed by its destruction.
extern TStringList* WpmHistory;
extern TStringList* AwpmHistory;
extern TStringList* SecondsHistory;
extern TStringList* AccuracyHistory;
extern TStringList* KeyCorrectList;
extern TStringList* KeyWrongList;
extern int LastWpm;
extern int LastAwpm;
extern int LastAccuracy;
extern int TypingTicks;

class TClassForm : public TForm {
public:
    explicit TClassForm(TComponent* owner);

    bool FirstVisit = false;
    bool LessonReady = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* HistoryButton = nullptr;
    TSimpleGButton* LevelTestBtn = nullptr;
    TSimpleGButton* Returnbutton = nullptr;
    TButton* PlayAgentBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormDestroy(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);
    void PlayAgentBtnClick(TObject* sender);
    void HistoryButtonClick(TObject* sender);
    void LevelTestBtnClick(TObject* sender);
    void ReturnbuttonClick(TObject* sender);

private:
    void BuildLayout();
};

extern TClassForm* ClassForm;
