#pragma once
// Shown before a user's first lesson: the placement test or a start as a beginner.
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

class TBeginnerForm : public TForm {
public:
    explicit TBeginnerForm(TComponent* owner);

    bool FirstVisit = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TButton* TestBtn = nullptr;
    TButton* BeggnerBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void TestBtnClick(TObject* sender);
    void BeggnerBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
};

extern TBeginnerForm* BeginnerForm;
