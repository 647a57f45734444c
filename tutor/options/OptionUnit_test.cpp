#include "tutor/options/OptionUnit.h"
#include <gtest/gtest.h>
#include "platform/rtl/IniFiles.h"
#include "tutor/testing/TutorFixture.h"
#include "tutor/typing/RichView.h"

using namespace tutor_testing;

namespace {

struct OptionsTest : TutorFixture {
    static void Send(const wchar_t* command) {
        OptionForm->ShockwaveFlash->OnFSCommand(OptionForm->ShockwaveFlash, command, L"");
    }
    // A click of the mouse, as the learner gives it, in the middle of a windowed control.
    static void ClickOn(TWinControl* control) {
        LPARAM at = MAKELPARAM(control->Width() / 2, control->Height() / 2);
        SendMessageW(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(control->Handle(), WM_LBUTTONUP, 0, at);
    }
    // The colour dialog, when it shows, takes the colour and is confirmed or cancelled.
    static void AnswerColorDialog(TColor color, int button) {
        TColorDialog* dialog = OptionForm->ColorDialog;
        dialog->OnShow = [dialog, color, button](TObject*) {
            // typed into the dialog's red, green and blue boxes
            const COLORREF rgb = ColorToRGB(color);
            const int boxes[] = {706, 707, 708};
            const BYTE parts[] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
            for (int i = 0; i < 3; ++i) SetDlgItemInt(dialog->Handle(), boxes[i], parts[i], FALSE);
            PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        };
    }
    // Every typing surface of the lesson form and the two tests.
    static std::vector<TRichView*> Surfaces() {
        std::vector<TRichView*> surfaces;
        for (TForm* form : {static_cast<TForm*>(ClassForm), static_cast<TForm*>(SpeedForm), static_cast<TForm*>(LevelForm)})
            for (int i = 0; i < form->ComponentCount(); ++i)
                if (auto* s = dynamic_cast<TRichView*>(form->Components(i))) surfaces.push_back(s);
        return surfaces;
    }
    static void ExpectColors(TColor text, TColor correct, TColor wrong) {
        std::vector<TRichView*> surfaces = Surfaces();
        EXPECT_GE(surfaces.size(), 2u);
        for (TRichView* s : surfaces) {
            SCOPED_TRACE(s->Owner()->Name() + "." + s->Name());
            EXPECT_EQ(s->Font()->Color(), text);
            EXPECT_EQ(s->CorrectColor(), correct);
            EXPECT_EQ(s->MistakeColor(), wrong);
        }
    }
};

TEST_F(OptionsTest, ASettingsFileWithoutOptionsGivesTheDefaults) {
    Dir.Write("Data\\Topic.ini", "[Directories]\r\nCDDir=D:\\Media\\\r\n");
    StartTapwise();
    EXPECT_EQ(InterfaceLanguage, "A");
    EXPECT_TRUE(OptionForm->CheckSound->Checked());
    EXPECT_TRUE(OptionForm->HighlightTextBtn->Checked());
    EXPECT_TRUE(OptionForm->AssistantBtn->Checked());
    EXPECT_TRUE(AssistantOn);
    EXPECT_EQ(OptionForm->TextColorPanel->Color(), clBlack);
    EXPECT_EQ(OptionForm->CorrectColorPanel->Color(), clBlue);
    EXPECT_EQ(OptionForm->WrongColorPanel->Color(), clRed);
    EXPECT_EQ(CDDir, "D:\\Media");   // one trailing separator removed
}

TEST_F(OptionsTest, SettingsAreReadOnceAndWrittenBackInTheirOrder) {
    Dir.Write("Data\\Topic.ini", "[Options]\r\nAssistant=0\r\nLanguage=E\r\nSoundEffects=0\r\nHighlightText=0\r\n"
                                 "TextColor=123\r\nCorrectColor=456\r\nWrongColor=red\r\n[Directories]\r\nCDDir=X:\r\n");
    StartTapwise();
    EXPECT_EQ(InterfaceLanguage, "E");
    EXPECT_FALSE(OptionForm->CheckSound->Checked());
    EXPECT_FALSE(OptionForm->HighlightTextBtn->Checked());
    EXPECT_FALSE(AssistantOn);
    EXPECT_EQ(OptionForm->TextColorPanel->Color(), 123);
    EXPECT_EQ(OptionForm->CorrectColorPanel->Color(), 456);
    EXPECT_EQ(OptionForm->WrongColorPanel->Color(), clRed);   // an unreadable number: the default

    RemoveFile(Dir.File("Data\\Topic.ini"));
    OptionForm->SaveOptions();
    TIniFile topic(Dir.File("Data\\Topic.ini"));
    TStringList keys;
    topic.ReadSectionValues("Options", keys);
    EXPECT_EQ(keys.Text(), "Language=E\r\nKeyboardLanguage=A\r\nTextColor=123\r\nCorrectColor=456\r\nWrongColor=255\r\n"
                           "SoundEffects=0\r\nHighlightText=0\r\nAssistant=0\r\n");
    EXPECT_FALSE(topic.SectionExists("Directories"));   // the media root is never written
}

// The keys go to the disk together or not at all: a save that fails after some of them leaves
// the settings file as it was, and the next save writes them all.
TEST_F(OptionsTest, ASaveThatFailsHalfWayLeavesTheOldSettings) {
    const std::string old = "[Options]\r\nLanguage=E\r\nSoundEffects=1\r\n[Directories]\r\nCDDir=X:\r\n";
    Dir.Write("Data\\Topic.ini", old);
    StartTapwise();
    InterfaceLanguage = "A";
    OptionForm->CheckSound->SetChecked(false);
    struct FailingAfter : TMemIniFile {
        int Left;
        FailingAfter(const String& file, int keys) : TMemIniFile(file), Left(keys) {}
        void WriteString(const String& section, const String& ident, const String& value) override {
            if (Left-- == 0) throw EIniFileException("Unable to write to " + FileName());
            TMemIniFile::WriteString(section, ident, value);
        }
    };
    for (int keys : {1, 4, 7}) {
        FailingAfter ini(Dir.File("Data\\Topic.ini"), keys);
        EXPECT_THROW(OptionForm->SaveOptions(ini), EIniFileException) << keys;
        EXPECT_EQ(Dir.Read("Data\\Topic.ini"), old) << keys;
    }
    OptionForm->SaveOptions();
    EXPECT_EQ(Dir.Read("Data\\Topic.ini"),
              "[Options]\r\nLanguage=A\r\nSoundEffects=0\r\nKeyboardLanguage=A\r\nTextColor=0\r\nCorrectColor=16711680\r\n"
              "WrongColor=255\r\nHighlightText=1\r\nAssistant=1\r\n[Directories]\r\nCDDir=X:\r\n");
}

TEST_F(OptionsTest, TheScreenTogglesByCommandCancelRestoresOkReloadsTheMenuInTheNewLanguage) {
    Dir.Write("Data\\AResults.ini", "[Results]\r\nCount=0\r\n");
    Start();
    auto send = Send;
    WhenShown[OptionForm] = [&] {
        send(L"SoundEffects");
        send(L"HighlightText");
        InterfaceLanguage = "E";
        send(L"Cancel");
    };
    Command(L"Options");
    EXPECT_TRUE(OptionForm->CheckSound->Checked());
    EXPECT_TRUE(OptionForm->HighlightTextBtn->Checked());
    EXPECT_EQ(InterfaceLanguage, "A");
    EXPECT_EQ(OptionForm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\Options.swf")));

    WhenShown[OptionForm] = [&] {
        send(L"ShowAssistant");
        InterfaceLanguage = "E";
        send(L"OK");
    };
    Command(L"Options");
    EXPECT_FALSE(AssistantOn);
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAE.swf")));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(OptionsTest, OnlyTheTwoLanguagesAreReadFromTheSettingsFile) {
    const std::pair<const char*, const char*> cases[] = {{"E", "E"}, {"A", "A"}, {"X", "A"}, {"e", "A"}, {"", "A"},
                                                         {"EN", "A"}};
    for (auto [stored, read] : cases) {
        SCOPED_TRACE(stored);
        Dir.Write("Data\\Topic.ini", String("[Options]\r\nLanguage=") + stored + "\r\n");
        StartTapwise();
        EXPECT_EQ(InterfaceLanguage, read);
        App->Free();   // the program's end
        NewApplication();
    }
}

// The language menu of the movie's "InterfaceLang" and the language button both switch the
// screen's texts at once; the menu's check mark follows.
TEST_F(OptionsTest, TheLanguageMenuAndButtonChangeTheLanguageAndTheTexts) {
    WriteUserStore();
    Start();
    struct Text { TControl* control; const char* english; String arabic; };
    auto texts = [] {
        return std::vector<Text>{
            {OptionForm->OkBtn, "OK", "موافق"_a},
            {OptionForm->CancelButton, "Cancel", "إلغـاء"_a},
            {OptionForm->ColorLabel, "Colors", "الألوان"_a},
            {OptionForm->LangBtn, "Language", "تبديل اللغة"_a},
            {OptionForm->SoundEffectsLabel, "Sound Effects", "مؤثرات صوتية"_a},
            {OptionForm->HighlightTextLabel, "Highlight Text", "إضاءة النص المطبوع"_a},
        };
    };
    auto hints = [] {
        return std::vector<Text>{
            {OptionForm->LangBtn, "Change Language", "تبديل اللغة"_a},
            {OptionForm->CheckSound, "Sound Effects", "مؤثرات صوتية"_a},
            {OptionForm->HighlightTextBtn, "Highlight Text", "إضاءة النص المطبوع"_a},
            {OptionForm->TextColorPanel, "Text Color", "لون كلام النص"_a},
            {OptionForm->CorrectColorPanel, "Correct Characters Color", "لون الأحرف المطبوعة بشكل صحيح"_a},
            {OptionForm->WrongColorPanel, "Wrong Characters Color", "لون الأحرف المطبوعة بشكل خاطئ"_a},
            {OptionForm->OkBtn, "OK", "موافق"_a},
            {OptionForm->ColorLabel, "Colors", "الألوان"_a},
        };
    };
    auto expectLanguage = [&](bool arabic) {
        for (const Text& t : texts()) EXPECT_EQ(t.control->Caption(), arabic ? t.arabic : String(t.english)) << t.english;
        for (const Text& t : hints()) EXPECT_EQ(t.control->Hint(), arabic ? t.arabic : String(t.english)) << t.english;
        EXPECT_EQ(OptionForm->ArabicMenuItem->Caption(), arabic ? "عربي"_a : String("Arabic"));
        EXPECT_EQ(OptionForm->EnglishMenuItem->Caption(), arabic ? "إنجليزي"_a : String("English"));
        EXPECT_EQ(OptionForm->ArabicMenuItem->Checked(), arabic);
        EXPECT_EQ(OptionForm->EnglishMenuItem->Checked(), !arabic);
        EXPECT_EQ(OptionForm->LangBtn->Font()->Size(), arabic ? 20 : 14);
        EXPECT_EQ(OptionForm->BiDiMode(), arabic ? bdRightToLeft : bdLeftToRight);
        EXPECT_EQ(OptionForm->ShockwaveFlash->Movie(),
                  ToWide(Dir.File(arabic ? "Data\\interface\\Options.swf" : "Data\\interface\\OptionsE.swf")));
    };
    int popups = 0;
    WhenShown[OptionForm] = [&] {
        expectLanguage(true);
        // the learner opens the menu and picks the second item with the keyboard
        OptionForm->PopupMenu1->OnPopup = [&](TObject*) {
            ++popups;
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(OptionForm->Handle(), WM_KEYDOWN, key, 0);
        };
        Send(L"InterfaceLang");
        App->ProcessMessages();
        EXPECT_EQ(InterfaceLanguage, "E");
        expectLanguage(false);
        AssistantOn = true;
        Dir.Write("Data\\Agent\\Html\\OptnSc.htm", "<html><body></body></html>");
        AgentForm->PlayAgentPageFor(OptionForm, "OptnSc.htm");
        ASSERT_EQ(AgentForm->PlayingPage(), "OptnSc.htm");
        OptionForm->LangBtn->Click();
        EXPECT_EQ(InterfaceLanguage, "A");
        expectLanguage(true);
        EXPECT_TRUE(AgentForm->PlayingPage().empty());   // its English words stop with the English screen
        OptionForm->LangBtn->Click();
        Send(L"OK");
    };
    Command(L"Options");
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(InterfaceLanguage, "E");
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAE.swf")));
    EXPECT_TRUE(Errors.empty());
}

// A colour chosen in the dialog behind a colour panel reaches every typing surface through OK;
// Cancel puts back every colour, and the assistant switch, as they were.
TEST_F(OptionsTest, ChosenColoursReachTheTypingSurfacesAndCancelPutsThemBack) {
    WriteUserStore();
    Start();
    ExpectColors(clBlack, clBlue, clRed);   // the defaults, from the start
    const TColor green = static_cast<TColor>(0x00A000), grey = static_cast<TColor>(0x808080);
    WhenShown[OptionForm] = [&] {
        AnswerColorDialog(green, IDOK);
        ClickOn(OptionForm->TextColorPanel);
        AnswerColorDialog(grey, IDCANCEL);   // a dialog cancelled changes nothing
        ClickOn(OptionForm->WrongColorPanel);
        EXPECT_EQ(OptionForm->TextColorPanel->Color(), green);
        EXPECT_EQ(OptionForm->WrongColorPanel->Color(), clRed);
        Send(L"OK");
    };
    Sounds.clear();
    Command(L"Options");
    EXPECT_EQ(std::count(Sounds.begin(), Sounds.end(), Dir.File("Data\\effects\\Typing.wav")), 2);
    ExpectColors(green, clBlue, clRed);

    WhenShown[OptionForm] = [&] {
        AnswerColorDialog(grey, IDOK);
        ClickOn(OptionForm->CorrectColorPanel);
        Send(L"ShowAssistant");
        EXPECT_EQ(OptionForm->CorrectColorPanel->Color(), grey);
        Send(L"Cancel");
    };
    Command(L"Options");
    EXPECT_EQ(OptionForm->CorrectColorPanel->Color(), clBlue);
    EXPECT_TRUE(OptionForm->AssistantBtn->Checked());
    EXPECT_TRUE(AssistantOn);
    ExpectColors(green, clBlue, clRed);
    OptionForm->SaveOptions();
    EXPECT_EQ(TIniFile(Dir.File("Data\\Topic.ini")).ReadInteger("Options", "CorrectColor", 0), clBlue);
    EXPECT_TRUE(Errors.empty());
}

// Saved colours are on the surfaces from the start, and a typing screen puts them back on its
// surfaces whenever it becomes active.
TEST_F(OptionsTest, SavedColoursReachTheSurfacesAtStartAndWhenATypingScreenActivates) {
    WriteUserStore();
    Dir.Write("Data\\Topic.ini", "[Options]\r\nTextColor=4210752\r\nCorrectColor=32768\r\nWrongColor=128\r\n");
    Start();
    ExpectColors(static_cast<TColor>(4210752), static_cast<TColor>(32768), static_cast<TColor>(128));
    SpeedForm->RichView2->SetCorrectColor(clYellow);
    LeaveByMovie();
    Command(L"Test");
    EXPECT_EQ(SpeedForm->RichView2->CorrectColor(), static_cast<TColor>(32768));
    EXPECT_TRUE(Errors.empty());
}

// The labels switch their boxes; the language button answers the pointer.
TEST_F(OptionsTest, LabelsToggleTheirBoxesAndTheLanguageButtonAnswersThePointer) {
    WriteUserStore();
    Start();
    WhenShown[OptionForm] = [&] {
        const std::pair<TLabel*, TCheckBox*> pairs[] = {{OptionForm->SoundEffectsLabel, OptionForm->CheckSound},
                                                        {OptionForm->HighlightTextLabel, OptionForm->HighlightTextBtn},
                                                        {OptionForm->AssistantLabel, OptionForm->AssistantBtn}};
        for (auto [label, box] : pairs) {
            bool before = box->Checked();
            label->Click();
            EXPECT_NE(box->Checked(), before) << label->Name();
        }
        OptionForm->CheckSound->SetChecked(true);
        TSimpleGButton* button = OptionForm->LangBtn;
        Sounds.clear();
        button->Perform(CM_MOUSEENTER);
        EXPECT_EQ(Sounds, (std::vector<String>{Dir.File("Data\\effects\\Typing.wav")}));
        SendMessageW(OptionForm->SettingsPanel->Handle(), WM_MOUSEMOVE, 0,
                     MAKELPARAM(button->Left() + 5, button->Top() + 5));
        EXPECT_EQ(button->Font()->Color(), static_cast<TColor>(65535));
        button->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(button->Font()->Color(), clBlack);
        Send(L"Cancel");
    };
    Command(L"Options");
    EXPECT_TRUE(Errors.empty());
}

// With the assistant switched off no page plays, not even a screen's first introduction.
TEST_F(OptionsTest, NoAssistantPagePlaysWhileTheAssistantIsOff) {
    Dir.Write("Data\\Topic.ini", "[Options]\r\nAssistant=0\r\n");
    Start();   // a first run: the welcome and entrance pages would play
    EXPECT_TRUE(AgentForm->PlayedPages().empty());
    AssistantOn = true;
    Command(L"PlayAgent");
    EXPECT_EQ(AgentForm->PlayedPages(), (std::vector<String>{"zarek entr class.htm"}));
}

}  // namespace
