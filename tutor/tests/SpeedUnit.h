#pragma once
// the timed speed test, on its movie with the commands that leave it.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "tutor/typing/RichView.h"

class TSpeedForm : public TForm {
public:
    explicit TSpeedForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* ExitBtn = nullptr;
    TButton* PlayAgentBtn = nullptr;
    // The typing surfaces, English and Arabic: hidden until a test runs on one of them.
    TRichView* RichView1 = nullptr;
    TRichView* RichView2 = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ExitBtnClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TSpeedForm* SpeedForm;
