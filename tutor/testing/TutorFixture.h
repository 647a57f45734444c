#pragma once
// A program folder of its own for each test, and the tutor started in it with a fresh application.
#include "tutor/users/Encrypt.h"
#include <gtest/gtest.h>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>
#include "platform/testing/TestSupport.h"
#include "platform/ui/Application.h"
#include "platform/win/WindowsVersion.h"
#include "tutor/games/GameUnit.h"
#include "tutor/lessons/Beginner.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/menu/AboutUnit.h"
#include "tutor/menu/Agent.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MessageUnit.h"
#include "tutor/menu/ProgramBlock.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/results/Results.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"
#include "tutor/users/StudentUnit.h"

namespace tutor_testing {

using testing_support::TempFolder;

using testing_support::ReadFileBytes;
inline std::string ReadBytes(const String& path) { return ReadFileBytes(path); }

struct TutorFixture : ::testing::Test {
    TempFolder Dir;
    TApplication* Saved = nullptr;
    TApplication* App = nullptr;
    std::vector<String> Sounds;
    std::vector<String> Errors;
    std::vector<TForm*> Opened;
    std::map<TForm*, std::function<void()>> WhenShown;   // what the user does in a modal screen

    void SetUp() override {
        ResetProgramValues();
        Dir.Write("fixed.ico", ReadBytes(testing_support::SourcePath("..\\platform\\graphics\\testdata\\icon.ico")));
        Dir.Write("Data\\ALessons.txt", "first\r\nsecond\r\n");
        Dir.Write("Data\\ALess\\ALess1.txt", "char,data,PicNo\r\nLesson1,<p>first page</p>,1\r\n");
        Dir.Write("Data\\ASpeedText\\Text.txt", "t1\r\n");
        // the lesson form's keyboard as shipped
        for (const char* file : {"interface\\KeyBoard.swf", "Akeys.txt"})
            Dir.Write(String("Data\\") + file, ReadBytes(testing_support::SourcePath(String("..\\data\\") + file)));
        for (const char* page : {"zarek welcom.htm", "zarek entr class.htm", "Class.htm", "Beginner.htm"})
            Dir.Write(String("Data\\Agent\\Html\\") + page, "<html></html>");
        SetProgramFileName(Dir.File("tapwise.exe"));
        SetSoundPlayer([this](const String& path) { Sounds.push_back(path); return true; });
        Saved = Application;
        NewApplication();
    }
    void NewApplication() {
        App = new TApplication(nullptr);
        Application = App;
        App->OnException = [this](TObject*, const std::exception& e) { Errors.push_back(e.what()); };
        App->ModalHook = [this](TForm* form) {
            Opened.push_back(form);
            auto action = WhenShown.find(form);
            if (action != WhenShown.end()) action->second();
            else form->Close();
        };
    }
    void TearDown() override {
        if (App) App->Free();
        Application = Saved;
        SetProgramFileName("");
        SetSoundPlayer({});
        SetVersionSource({});
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    // beforeShowing: what the test sets up once the forms exist and before the menu is first shown
    void Start(const std::function<void()>& beforeShowing = {}) {
        StartTapwise();
        if (beforeShowing) beforeShowing();
        MainFrm->SetLeft(-2000);   // out of the way of the desktop, still shown and active
        MainFrm->Show();
        App->ProcessMessages();
    }
    void Command(const wchar_t* command) { MainFrm->ShockwaveFlash->OnFSCommand(MainFrm->ShockwaveFlash, command, L""); }
    // every screen is left by its own movie's command
    void LeaveByMovie() {
        auto send = [](TShockwaveFlash* flash, const wchar_t* command) { flash->OnFSCommand(flash, command, L""); };
        WhenShown[ClassForm] = [=] { send(ClassForm->ShockwaveFlash, L"Return"); };
        WhenShown[BeginnerForm] = [=] { send(BeginnerForm->ShockwaveFlash, L"Beginner"); };
        WhenShown[SpeedForm] = [=] { send(SpeedForm->ShockwaveFlash, L"Return"); };
        WhenShown[GameForm] = [=] { send(GameForm->ShockwaveFlash, L"Return"); };
        WhenShown[ResultsForm] = [=] { send(ResultsForm->ShockwaveFlash, L"Return"); };
        WhenShown[Aboutform] = [=] { send(Aboutform->ShockwaveFlash, L"OK"); };
        WhenShown[OptionForm] = [=] { send(OptionForm->ShockwaveFlash, L"Cancel"); };
    }
    // A user store of an earlier run: NoUserName at the given lesson, entered without a password.
    void WriteUserStore(int lesson = 1) {
        Dir.Write("Data\\AStudents.txt", "name,lesson\r\nNoUserName," + IntToStr(lesson) + "\r\n");
        Dir.Write("Data\\AResults.ini", "[Results]\r\nCount=1\r\n[User1]\r\nPassword=" +
                                              Encrypt::EncodePassword("OpenAccess") + "\r\nName=NoUserName\r\nGoal=100\r\n");
    }
    String Voice() const { return Dir.File("Data\\effects\\NewUserA.wav"); }
    std::vector<bool> OtherFlags() const {
        return {BeginnerForm->FirstVisit, ClassForm->FirstVisit, LessonsForm->FirstVisit, LevelForm->FirstVisit,
                GameForm->FirstVisit, SpeedForm->FirstVisit, ResultsForm->FirstVisit, OptionForm->FirstVisit};
    }
};

}  // namespace tutor_testing
