#include "tutor/options/OptionUnit.h"
#include <windows.h>
#include "platform/rtl/IniFiles.h"
#include "platform/ui/Application.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/typing/RichView.h"
#include "tutor/users/StudentUnit.h"

TOptionForm* OptionForm = nullptr;

namespace {

// The settings panel fills the room the movie's page leaves free, on the side away from the
// movie's own buttons.
constexpr int PanelTop = 270, PanelWidth = 474, PanelHeight = 230;
constexpr int ArabicPanelLeft = 44, EnglishPanelLeft = 274;
// The movie's page colour, so that the panel reads as part of the page.
constexpr TColor PageColor = static_cast<TColor>(0x7F5517);
constexpr TColor HoverFontColor = static_cast<TColor>(65535);
constexpr TColor FaceColor = static_cast<TColor>(0xFFE2AE);    // the movie's buttons' pale blue
constexpr TColor HoverFaceColor = static_cast<TColor>(0x633D0F);
constexpr int LangBtnWidth = 220, LangBtnHeight = 40;

// The language button's two faces side by side: normal, and under the pointer, where the caption
// turns yellow and needs a dark face to be read.
void PaintButtonFaces(TBitmap* strip, int width, int height) {
    strip->SetSize(2 * width, height);
    TCanvas* c = strip->Canvas();
    c->Brush()->SetColor(PageColor);
    c->FillRect(Rect(0, 0, 2 * width, height));
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(2);
    c->Brush()->SetColor(FaceColor);
    c->Rectangle(1, 1, width, height);
    c->Brush()->SetColor(HoverFaceColor);
    c->Rectangle(width + 1, 1, 2 * width, height);
}

}  // namespace

TOptionForm::TOptionForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TOptionForm::BuildLayout() {
    SetUpScreenForm(this, "OptionForm", 792, 566, poScreenCenter);
    SetBiDiMode(bdRightToLeft);

    SettingsPanel = new TPanel(this);
    SettingsPanel->SetName("SettingsPanel");
    SettingsPanel->SetParent(this);
    SettingsPanel->SetCaption("");
    SettingsPanel->SetBevelOuter(bvNone);
    SettingsPanel->SetColor(PageColor);
    SettingsPanel->SetShowHint(true);
    SettingsPanel->Font()->SetColor(clWhite);

    LangBtn = new TSimpleGButton(this);
    LangBtn->SetName("LangBtn");
    LangBtn->SetParent(SettingsPanel);
    LangBtn->SetParentFont(false);
    LangBtn->Font()->SetColor(clBlack);
    LangBtn->Font()->SetStyle(fsBold);
    PaintButtonFaces(LangBtn->Glyph(), LangBtnWidth, LangBtnHeight);
    LangBtn->SetNumGlyphs(2);
    LangBtn->OnClick = [this](TObject* s) { LangBtnClick(s); };

    auto checkBox = [this](const char* name, TNotifyEvent onClick) {
        auto* box = new TCheckBox(this);
        box->SetName(name);
        box->SetParent(SettingsPanel);
        box->SetCaption("");
        box->SetChecked(true);
        box->OnClick = std::move(onClick);
        return box;
    };
    CheckSound = checkBox("CheckSound", [this](TObject* s) { CheckSoundClick(s); });
    HighlightTextBtn = checkBox("HighlightTextBtn", [this](TObject* s) { HighlightTextBtnClick(s); });
    AssistantBtn = checkBox("AssistantBtn", [this](TObject* s) { AssistantBtnClick(s); });

    auto label = [this](const char* name, TNotifyEvent onClick) {
        auto* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(SettingsPanel);
        l->SetAutoSize(false);
        l->SetLayout(tlCenter);
        l->SetTransparent(true);
        l->SetParentFont(false);
        l->Font()->SetColor(clWhite);
        l->OnClick = std::move(onClick);
        return l;
    };
    SoundEffectsLabel = label("SoundEffectsLabel", [this](TObject* s) { SoundEffectsLabelClick(s); });
    HighlightTextLabel = label("HighlightTextLabel", [this](TObject* s) { HighlightTextLabelClick(s); });
    AssistantLabel = label("AssistantLabel", [this](TObject* s) { AssistantLabelClick(s); });
    ColorLabel = label("ColorLabel", nullptr);

    auto colorPanel = [this](const char* name, TColor color) {
        auto* panel = new TPanel(this);
        panel->SetName(name);
        panel->SetParent(SettingsPanel);
        panel->SetCaption("");
        panel->SetBevelWidth(2);
        panel->SetColor(color);
        panel->OnClick = [this](TObject* s) { ColorPanelClick(s); };
        return panel;
    };
    TextColorPanel = colorPanel("TextColorPanel", clBlack);
    CorrectColorPanel = colorPanel("CorrectColorPanel", clBlue);
    WrongColorPanel = colorPanel("WrongColorPanel", clRed);
    ColorDialog = new TColorDialog(this);
    ColorDialog->SetName("ColorDialog");

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    ArabicMenuItem = new TMenuItem(this);
    ArabicMenuItem->SetName("ArabicMenuItem");
    ArabicMenuItem->SetChecked(true);
    ArabicMenuItem->OnClick = [this](TObject* s) { ArabicMenuItemClick(s); };
    EnglishMenuItem = new TMenuItem(this);
    EnglishMenuItem->SetName("EnglishMenuItem");
    EnglishMenuItem->OnClick = [this](TObject* s) { EnglishMenuItemClick(s); };
    PopupMenu1->Items()->Add(ArabicMenuItem);
    PopupMenu1->Items()->Add(EnglishMenuItem);

    OkBtn = NewCommandTarget(this, "OkBtn", [this](TObject* s) { OkBtnClick(s); });
    CancelButton = NewCommandTarget(this, "CancelButton", [this](TObject* s) { CancelButtonClick(s); });
    for (TSimpleGButton* b : {OkBtn, CancelButton, LangBtn}) {
        b->OnMouseEnter = [this](TObject* s) { ButtonMouseEnter(s); };
        b->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) { ButtonMouseMove(s, shift, x, y); };
        b->OnMouseLeave = [this](TObject* s) { ButtonMouseLeave(s); };
    }
    PlayAgentBtn = NewHiddenButton(this, "PlayAgentBtn", [this](TObject* s) { PlayAgentBtnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
    SettingsPanel->BringToFront();   // above the movie
    PlaceSettings(true);
}

// The rows read from the side the language starts on: the language button, the three switches
// with their labels, then the colours.
void TOptionForm::PlaceSettings(bool arabic) {
    SettingsPanel->SetBounds(arabic ? ArabicPanelLeft : EnglishPanelLeft, PanelTop, PanelWidth, PanelHeight);
    auto place = [arabic](TControl* c, int x, int y, int w, int h) {
        c->SetBounds(arabic ? PanelWidth - x - w : x, y, w, h);
    };
    place(LangBtn, 16, 8, LangBtnWidth, LangBtnHeight);
    int y = 64;
    for (auto [box, label] : {std::pair{CheckSound, SoundEffectsLabel}, {HighlightTextBtn, HighlightTextLabel},
                              {AssistantBtn, AssistantLabel}}) {
        place(box, 20, y + 5, 20, 20);
        place(label, 50, y, 300, 30);   // left justified: the reading order mirrors it
        y += 36;
    }
    place(ColorLabel, 20, 176, 120, 40);
    int x = 150;
    for (TPanel* panel : {TextColorPanel, CorrectColorPanel, WrongColorPanel}) {
        place(panel, x, 176, 56, 40);
        x += 72;
    }
}

String TOptionForm::SettingsFile() const { return AppDir + "\\Data\\Topic.ini"; }

void TOptionForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    FirstVisit = false;
    LoadOptions();
}

void TOptionForm::LoadOptions() {
    TIniFile ini(SettingsFile());
    // the letter names files and movies: anything but the two languages is the default
    String language = ini.ReadString("Options", "Language", "A");
    InterfaceLanguage = language == "E" ? "E" : "A";
    TextColorPanel->SetColor(ini.ReadInteger("Options", "TextColor", TextColorPanel->Color()));
    CorrectColorPanel->SetColor(ini.ReadInteger("Options", "CorrectColor", CorrectColorPanel->Color()));
    WrongColorPanel->SetColor(ini.ReadInteger("Options", "WrongColor", WrongColorPanel->Color()));
    CheckSound->SetChecked(ini.ReadBool("Options", "SoundEffects", true));
    HighlightTextBtn->SetChecked(ini.ReadBool("Options", "HighlightText", true));
    AssistantBtn->SetChecked(ini.ReadBool("Options", "Assistant", true));
    AssistantOn = AssistantBtn->Checked();
}

void TOptionForm::SaveOptions() {
    TMemIniFile ini(SettingsFile());
    SaveOptions(ini);
}

void TOptionForm::SaveOptions(TMemIniFile& ini) {
    ini.WriteString("Options", "Language", InterfaceLanguage);
    ini.WriteString("Options", "KeyboardLanguage", TypingLanguage);
    ini.WriteInteger("Options", "TextColor", TextColorPanel->Color());
    ini.WriteInteger("Options", "CorrectColor", CorrectColorPanel->Color());
    ini.WriteInteger("Options", "WrongColor", WrongColorPanel->Color());
    ini.WriteBool("Options", "SoundEffects", CheckSound->Checked());
    ini.WriteBool("Options", "HighlightText", HighlightTextBtn->Checked());
    ini.WriteBool("Options", "Assistant", AssistantOn);
    ini.UpdateFile();   // every key in one replacement: a kill leaves the old settings or the new
}

void TOptionForm::FormActivate(TObject*) {
    AgentForm->IntroduceScreen(this, FirstVisit, "OptnSc.htm");
    SavedLanguage = InterfaceLanguage;
    ArabicMenuItem->SetChecked(InterfaceLanguage == "A");
    EnglishMenuItem->SetChecked(InterfaceLanguage == "E");
    SavedSound = CheckSound->Checked();
    SavedHighlight = HighlightTextBtn->Checked();
    SavedAssistant = AssistantBtn->Checked();
    SavedTextColor = TextColorPanel->Color();
    SavedCorrectColor = CorrectColorPanel->Color();
    SavedWrongColor = WrongColorPanel->Color();
    ApplyOptionCaptions();
}

void TOptionForm::ApplyOptionCaptions() {
    const bool arabic = InterfaceLanguage == "A";
    auto text = [arabic](const char* english, const String& arabicText) { return arabic ? arabicText : String(english); };
    SetBiDiMode(arabic ? bdRightToLeft : bdLeftToRight);
    PlaceSettings(arabic);
    for (TControl* c : {static_cast<TControl*>(LangBtn), static_cast<TControl*>(SoundEffectsLabel),
                        static_cast<TControl*>(HighlightTextLabel), static_cast<TControl*>(AssistantLabel),
                        static_cast<TControl*>(ColorLabel)}) {
        c->Font()->SetName(arabic ? "Arabic Transparent" : "Tahoma");
        c->Font()->SetCharset(arabic ? ARABIC_CHARSET : DEFAULT_CHARSET);
    }
    for (TLabel* l : {SoundEffectsLabel, HighlightTextLabel, AssistantLabel, ColorLabel}) l->Font()->SetHeight(arabic ? -22 : -18);
    LangBtn->Font()->SetSize(arabic ? 20 : 14);
    ArabicMenuItem->SetCaption(text("Arabic", "عربي"_a));
    EnglishMenuItem->SetCaption(text("English", "إنجليزي"_a));
    OkBtn->SetCaption(text("OK", "موافق"_a));
    CancelButton->SetCaption(text("Cancel", "إلغـاء"_a));
    ColorLabel->SetCaption(text("Colors", "الألوان"_a));
    LangBtn->SetCaption(text("Language", "تبديل اللغة"_a));
    LangBtn->SetHint(text("Change Language", "تبديل اللغة"_a));
    CheckSound->SetHint(text("Sound Effects", "مؤثرات صوتية"_a));
    SoundEffectsLabel->SetCaption(CheckSound->Hint());
    HighlightTextBtn->SetHint(text("Highlight Text", "إضاءة النص المطبوع"_a));
    HighlightTextLabel->SetCaption(HighlightTextBtn->Hint());
    // the switch has no label of its own; the movie's button names it
    AssistantBtn->SetHint(text("Show Assistant", "إظهار المساعد"_a));
    AssistantLabel->SetCaption(AssistantBtn->Hint());
    TextColorPanel->SetHint(text("Text Color", "لون كلام النص"_a));
    CorrectColorPanel->SetHint(text("Correct Characters Color", "لون الأحرف المطبوعة بشكل صحيح"_a));
    WrongColorPanel->SetHint(text("Wrong Characters Color", "لون الأحرف المطبوعة بشكل خاطئ"_a));
    OkBtn->SetHint(OkBtn->Caption());
    CancelButton->SetHint(CancelButton->Caption());
    for (TLabel* l : {ColorLabel, SoundEffectsLabel, HighlightTextLabel, AssistantLabel}) l->SetHint(l->Caption());
    LoadScreenMovie(ShockwaveFlash, AppDir + (arabic ? "\\Data\\interface\\Options.swf" : "\\Data\\interface\\OptionsE.swf"), 9);
}

void TOptionForm::OkBtnClick(TObject*) {
    if (InterfaceLanguage != SavedLanguage) {
        MainFrm->LanguageButtonClick(InterfaceLanguage);
        MainFrm->RunUserStoreStep([] { StudentsForm->ReloginCurrentUser(); });
        MainFrm->TellUserFileError();
    }
    AssistantOn = AssistantBtn->Checked();
    PushTypingColors();
    Close();
}

void TOptionForm::CancelButtonClick(TObject*) {
    InterfaceLanguage = SavedLanguage;
    CheckSound->SetChecked(SavedSound);
    HighlightTextBtn->SetChecked(SavedHighlight);
    // what the user changed here is undone, the colours and the assistant too
    AssistantBtn->SetChecked(SavedAssistant);
    TextColorPanel->SetColor(SavedTextColor);
    CorrectColorPanel->SetColor(SavedCorrectColor);
    WrongColorPanel->SetColor(SavedWrongColor);
    Close();
}

void TOptionForm::SetInterfaceLanguage(const String& code) {
    // the assistant's words, and its place, belong to the language the screen leaves
    if (code != InterfaceLanguage) AgentForm->ClearPage();
    InterfaceLanguage = code;
    ArabicMenuItem->SetChecked(code == "A");
    EnglishMenuItem->SetChecked(code == "E");
    ApplyOptionCaptions();
    LessonsForm->LessonsListBox->Items()->LoadFromFile(AppDir + "\\data\\" + TypingLanguage + "Lessons.txt");
    LessonsForm->LessonsListBox->SetItemIndex(0);
}

void TOptionForm::LangBtnClick(TObject*) { SetInterfaceLanguage(InterfaceLanguage == "A" ? "E" : "A"); }
// the captions follow the chosen language at once, as with the language button
void TOptionForm::ArabicMenuItemClick(TObject*) { SetInterfaceLanguage("A"); }
void TOptionForm::EnglishMenuItemClick(TObject*) { SetInterfaceLanguage("E"); }

void TOptionForm::ColorPanelClick(TObject* sender) {
    auto* panel = static_cast<TPanel*>(sender);
    MainFrm->PlaySoundEffect("Typing");
    ColorDialog->SetColor(panel->Color());
    if (ColorDialog->Execute()) panel->SetColor(ColorDialog->Color());
}

void TOptionForm::ApplyTypingColors(TRichView* surface) const {
    surface->Font()->SetColor(TextColorPanel->Color());
    surface->SetMistakeColor(WrongColorPanel->Color());
    surface->SetCorrectColor(CorrectColorPanel->Color());
}

void TOptionForm::ApplyTypingColors(TForm* form) const {
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* surface = dynamic_cast<TRichView*>(form->Components(i))) ApplyTypingColors(surface);
}

void TOptionForm::PushTypingColors() const {
    for (int i = 0; i < Screen->FormCount(); ++i) ApplyTypingColors(Screen->Forms(i));
}

void TOptionForm::PlayAgentBtnClick(TObject*) {
    AgentForm->PlayAgentPageFor(this, "OptnSc.htm");
}

void TOptionForm::CheckSoundClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }
void TOptionForm::HighlightTextBtnClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }
void TOptionForm::AssistantBtnClick(TObject*) { MainFrm->PlaySoundEffect("Typing"); }

// a label toggles its box; the box's click plays the sound
void TOptionForm::SoundEffectsLabelClick(TObject*) { CheckSound->SetChecked(!CheckSound->Checked()); }
void TOptionForm::HighlightTextLabelClick(TObject*) { HighlightTextBtn->SetChecked(!HighlightTextBtn->Checked()); }
void TOptionForm::AssistantLabelClick(TObject*) { AssistantBtn->SetChecked(!AssistantBtn->Checked()); }

void TOptionForm::ButtonMouseEnter(TObject*) { MainFrm->PlaySoundEffect("Typing"); }
void TOptionForm::ButtonMouseMove(TObject* sender, TShiftState, int, int) {
    static_cast<TControl*>(sender)->Font()->SetColor(HoverFontColor);
}
void TOptionForm::ButtonMouseLeave(TObject* sender) { static_cast<TControl*>(sender)->Font()->SetColor(clBlack); }

void TOptionForm::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "PlayAgent", "InterfaceLang", "OK", "Cancel", "SoundEffects",
                                   "HighlightText", "ShowAssistant"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: PlayAgentBtnClick(PlayAgentBtn); break;
    case 2: {
        POINT at{};
        GetCursorPos(&at);
        PopupMenu1->Popup(at.x, at.y);
        break;
    }
    case 3: OkBtn->Click(); break;
    case 4: CancelButton->Click(); break;
    // a change of state clicks the box, which runs its handler
    case 5: CheckSound->SetChecked(!CheckSound->Checked()); break;
    case 6: HighlightTextBtn->SetChecked(!HighlightTextBtn->Checked()); break;
    case 7: AssistantBtn->SetChecked(!AssistantBtn->Checked()); break;
    default: break;
    }
}
