#pragma once
// The about screen: a movie about the product, closed by its OK command.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Forms.h"

class TAboutform : public TForm {
public:
    explicit TAboutform(TComponent* owner);

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TSimpleGButton* OkBtn = nullptr;

    void FormActivate(TObject* sender);
    void OkBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TAboutform* Aboutform;
