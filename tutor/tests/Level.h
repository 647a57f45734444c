#pragma once
// the placement test that places a new user in the course, on its movie with the commands that leave it.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

class TLevelForm : public TForm {
public:
    explicit TLevelForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* ExitBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ExitBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TLevelForm* LevelForm;
