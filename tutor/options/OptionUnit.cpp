#include "tutor/options/OptionUnit.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/Application.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/users/StudentUnit.h"

TOptionForm* OptionForm = nullptr;

TOptionForm::TOptionForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TOptionForm::BuildLayout() {
    SetUpScreenForm(this, "OptionForm", 792, 566, poScreenCenter);
    SetBiDiMode(bdRightToLeft);
    auto checkBox = [this](const char* name, int top) {
        auto* box = new TCheckBox(this);
        box->SetName(name);
        box->SetParent(this);
        box->SetBounds(500, top, 20, 20);
        box->SetCaption("");
        box->SetChecked(true);
        return box;
    };
    CheckSound = checkBox("CheckSound", 200);
    CheckSound->OnClick = [this](TObject* s) { CheckSoundClick(s); };
    HighlightTextBtn = checkBox("HighlightTextBtn", 240);
    HighlightTextBtn->OnClick = [this](TObject* s) { HighlightTextBtnClick(s); };
    AssistantBtn = checkBox("AssistantBtn", 280);
    AssistantBtn->OnClick = [this](TObject* s) { AssistantBtnClick(s); };
    auto colorPanel = [this](const char* name, int left, TColor color) {
        auto* panel = new TPanel(this);
        panel->SetName(name);
        panel->SetParent(this);
        panel->SetBounds(left, 340, 40, 40);
        panel->SetCaption("");
        panel->SetColor(color);
        return panel;
    };
    TextColorPanel = colorPanel("TextColorPanel", 300, clBlack);
    CorrectColorPanel = colorPanel("CorrectColorPanel", 360, clBlue);
    WrongColorPanel = colorPanel("WrongColorPanel", 420, clRed);
    OkBtn = NewCommandTarget(this, "OkBtn", [this](TObject* s) { OkBtnClick(s); });
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

String TOptionForm::SettingsFile() const { return AppDir + "\\Data\\Topic.ini"; }

void TOptionForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    LoadOptions();
}

void TOptionForm::LoadOptions() {
    TIniFile ini(SettingsFile());
    InterfaceLanguage = ini.ReadString("Options", "Language", "A");
    TextColorPanel->SetColor(ini.ReadInteger("Options", "TextColor", TextColorPanel->Color()));
    CorrectColorPanel->SetColor(ini.ReadInteger("Options", "CorrectColor", CorrectColorPanel->Color()));
    WrongColorPanel->SetColor(ini.ReadInteger("Options", "WrongColor", WrongColorPanel->Color()));
    CheckSound->SetChecked(ini.ReadBool("Options", "SoundEffects", true));
    HighlightTextBtn->SetChecked(ini.ReadBool("Options", "HighlightText", true));
    AssistantBtn->SetChecked(ini.ReadBool("Options", "Assistant", true));
    AssistantOn = AssistantBtn->Checked();
}

void TOptionForm::SaveOptions() {
    TIniFile ini(SettingsFile());
    ini.WriteString("Options", "Language", InterfaceLanguage);
    ini.WriteString("Options", "KeyboardLanguage", TypingLanguage);
    ini.WriteInteger("Options", "TextColor", TextColorPanel->Color());
    ini.WriteInteger("Options", "CorrectColor", CorrectColorPanel->Color());
    ini.WriteInteger("Options", "WrongColor", WrongColorPanel->Color());
    ini.WriteBool("Options", "SoundEffects", CheckSound->Checked());
    ini.WriteBool("Options", "HighlightText", HighlightTextBtn->Checked());
    ini.WriteBool("Options", "Assistant", AssistantOn);
}

void TOptionForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "OptnSc.htm");
    SavedLanguage = InterfaceLanguage;
    SavedSound = CheckSound->Checked();
    SavedHighlight = HighlightTextBtn->Checked();
    ApplyOptionCaptions();
}

void TOptionForm::ApplyOptionCaptions() {
    bool arabic = InterfaceLanguage == "A";
    SetBiDiMode(arabic ? bdRightToLeft : bdLeftToRight);
    OkBtn->SetCaption(arabic ? "موافق"_a : String("OK"));
    CancelButton->SetCaption(arabic ? "إلغـاء"_a : String("Cancel"));
    CheckSound->SetHint(arabic ? "مؤثرات صوتية"_a : String("Sound Effects"));
    HighlightTextBtn->SetHint(arabic ? "إضاءة النص المطبوع"_a : String("Highlight Text"));
    OkBtn->SetHint(OkBtn->Caption());
    CancelButton->SetHint(CancelButton->Caption());
    ShockwaveFlash->SetMovie(ToWide(AppDir + (arabic ? "\\Data\\interface\\Options.swf" : "\\Data\\interface\\OptionsE.swf")));
    ShockwaveFlash->TGotoFrame(L"Pages", 9);
    ShockwaveFlash->DoObjectVerb(-5);   // in-place activate
    ShockwaveFlash->SetScaleMode(2);
}

void TOptionForm::OkBtnClick(TObject*) {
    if (InterfaceLanguage != SavedLanguage) {
        MainFrm->LanguageButtonClick(InterfaceLanguage);
        StudentsForm->ReloginCurrentUser();
    }
    AssistantOn = AssistantBtn->Checked();
    Close();
}

void TOptionForm::CancelButtonClick(TObject*) {
    InterfaceLanguage = SavedLanguage;
    CheckSound->SetChecked(SavedSound);
    HighlightTextBtn->SetChecked(SavedHighlight);
    Close();
}

void TOptionForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "OptnSc.htm");
}

void TOptionForm::CheckSoundClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }
void TOptionForm::HighlightTextBtnClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }
void TOptionForm::AssistantBtnClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }

void TOptionForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "InterfaceLang", "OK", "Cancel", "SoundEffects",
                                   "HighlightText", "ShowAssistant"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: break;   // the language menu arrives with the options screen's own work
    case 3: OkBtn->Click(); break;
    case 4: CancelButton->Click(); break;
    // a change of state clicks the box, which runs its handler
    case 5: CheckSound->SetChecked(!CheckSound->Checked()); break;
    case 6: HighlightTextBtn->SetChecked(!HighlightTextBtn->Checked()); break;
    case 7: AssistantBtn->SetChecked(!AssistantBtn->Checked()); break;
    default: break;
    }
}
