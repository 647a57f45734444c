#pragma once
// The results of the run, on its movie with the commands that leave it.
#include "controls/SimpleGButton.h"
#include "controls/WinXP.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

class TResultsForm : public TForm {
public:
    explicit TResultsForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* ExitBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    TWinXP* WinXP1 = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void ExitBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TResultsForm* ResultsForm;
