#include "tutor/options/OptionUnit.h"
#include <gtest/gtest.h>
#include "platform/rtl/IniFiles.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

using OptionsTest = TutorFixture;

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

TEST_F(OptionsTest, TheScreenTogglesByCommandCancelRestoresOkReloadsTheMenuInTheNewLanguage) {
    Dir.Write("Data\\AResults.ini", "[Results]\r\nCount=0\r\n");
    Start();
    auto send = [](const wchar_t* command) { OptionForm->ShockwaveFlash->OnFSCommand(OptionForm->ShockwaveFlash, command, L""); };
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

}  // namespace
