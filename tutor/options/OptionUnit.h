#pragma once
// The options screen and the settings file Data\Topic.ini: read once at creation, written once
// when the main menu closes; other screens read its check boxes directly.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Panel.h"

class TOptionForm : public TForm {
public:
    explicit TOptionForm(TComponent* owner);

    void LoadOptions();
    void SaveOptions();
    void ApplyOptionCaptions();

    bool FirstVisit = false;
    String SavedLanguage;
    bool SavedSound = false;
    bool SavedHighlight = false;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    TCheckBox* CheckSound = nullptr;
    TCheckBox* HighlightTextBtn = nullptr;
    TCheckBox* AssistantBtn = nullptr;
    TPanel* TextColorPanel = nullptr;
    TPanel* CorrectColorPanel = nullptr;
    TPanel* WrongColorPanel = nullptr;
    TSimpleGButton* OkBtn = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* PlayAgentBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void OkBtnClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void CheckSoundClick(TObject* sender);
    void HighlightTextBtnClick(TObject* sender);
    void AssistantBtnClick(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
    String SettingsFile() const;
};

extern TOptionForm* OptionForm;
