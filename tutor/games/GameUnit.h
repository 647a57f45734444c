#pragma once
// The games menu, on its movie with the commands that leave it.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

class TGameForm : public TForm {
public:
    explicit TGameForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* CloseBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CloseBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TGameForm* GameForm;
