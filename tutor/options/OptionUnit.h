#pragma once
// The options screen and the settings file Data\Topic.ini: read once at creation, written once
// when the main menu closes; other screens read its check boxes directly, and every typing
// surface takes its three colours.
#include "controls/SimpleGButton.h"
#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Panel.h"

class TMemIniFile;
class TRichView;

class TOptionForm : public TForm {
public:
    explicit TOptionForm(TComponent* owner);

    void LoadOptions();
    void SaveOptions();
    void SaveOptions(TMemIniFile& ini);   // the settings file as one update
    void ApplyOptionCaptions();

    // The chosen colours on one surface: text, correct and wrong characters.
    void ApplyTypingColors(TRichView* surface) const;
    // The same on every typing surface the form owns; typing screens call it on activation.
    void ApplyTypingColors(TForm* form) const;
    // The same on every typing surface of the program.
    void PushTypingColors() const;

    bool FirstVisit = false;
    // What the form shows at activation, put back by Cancel.
    String SavedLanguage;
    bool SavedSound = false;
    bool SavedHighlight = false;
    bool SavedAssistant = false;
    TColor SavedTextColor = clBlack;
    TColor SavedCorrectColor = clBlue;
    TColor SavedWrongColor = clRed;

    TShockwaveFlash* ShockwaveFlash = nullptr;
    // The visible settings lie on this panel, above the movie, in the room its page leaves free.
    TPanel* SettingsPanel = nullptr;
    TSimpleGButton* LangBtn = nullptr;
    TCheckBox* CheckSound = nullptr;
    TCheckBox* HighlightTextBtn = nullptr;
    TCheckBox* AssistantBtn = nullptr;
    TLabel* SoundEffectsLabel = nullptr;
    TLabel* HighlightTextLabel = nullptr;
    TLabel* AssistantLabel = nullptr;
    TLabel* ColorLabel = nullptr;
    TPanel* TextColorPanel = nullptr;
    TPanel* CorrectColorPanel = nullptr;
    TPanel* WrongColorPanel = nullptr;
    TColorDialog* ColorDialog = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* ArabicMenuItem = nullptr;
    TMenuItem* EnglishMenuItem = nullptr;
    TSimpleGButton* OkBtn = nullptr;
    TSimpleGButton* CancelButton = nullptr;
    TButton* PlayAgentBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void OkBtnClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void LangBtnClick(TObject* sender);
    void ArabicMenuItemClick(TObject* sender);
    void EnglishMenuItemClick(TObject* sender);
    void PlayAgentBtnClick(TObject* sender);
    void CheckSoundClick(TObject* sender);
    void HighlightTextBtnClick(TObject* sender);
    void AssistantBtnClick(TObject* sender);
    void SoundEffectsLabelClick(TObject* sender);
    void HighlightTextLabelClick(TObject* sender);
    void AssistantLabelClick(TObject* sender);
    void ColorPanelClick(TObject* sender);   // the three colour panels
    void ButtonMouseEnter(TObject* sender);  // OkBtn, CancelButton and LangBtn
    void ButtonMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ButtonMouseLeave(TObject* sender);
    void ShockwaveFlashFSCommand(TObject* sender, const WideString& command, const WideString& args);

private:
    void BuildLayout();
    void PlaceSettings(bool arabic);
    void SetInterfaceLanguage(const String& code);
    String SettingsFile() const;
};

extern TOptionForm* OptionForm;
