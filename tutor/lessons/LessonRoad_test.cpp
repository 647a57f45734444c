// The road of one lesson as a new learner takes it, from the shipped data tree: the menu's Train,
// the beginner form, lesson 1's first page, practice 1 typed to its end, the measures and the
// advice, the next lesson, Return, and the reached lesson in the user list.
#include <gtest/gtest.h>
#include "tutor/lessons/ClassUnit.h"
#include "tutor/testing/LessonFormFixture.h"

using namespace tutor_testing;

namespace {

using LessonRoadTest = LessonFormTest;

TEST_F(LessonRoadTest, ANewLearnerTakesTheFirstLessonFromTheShippedDataTree) {
    testing_support::CopyTree(testing_support::SourcePath("..\\data"), Dir.File("Data"));
    RemoveFile(Dir.File("Data\\AStudents.txt"));
    RemoveFile(Dir.File("Data\\AResults.ini"));
    Start();   // the first run of a new learner
    ClassForm->WebView->SetBrowser(&Browser);
    Browser.Complete(Doc);
    auto send = [](TShockwaveFlash* movie, const wchar_t* command) { movie->OnFSCommand(movie, command, L""); };
    WhenShown[BeginnerForm] = [&] { send(BeginnerForm->ShockwaveFlash, L"Beginner"); };
    WhenShown[MessageForm] = [&] {
        Messages.push_back(MessageForm->Label1->Caption() + " | " + MessageForm->Label2->Caption());
        send(MessageForm->ShockwaveFlash, L"OK");
    };
    String firstPage;
    WhenShown[ClassForm] = [&] {
        firstPage = Page();
        send(ClassForm->ShockwaveFlash, L"Quiz1");
        TypeText(0, 30);
        send(ClassForm->ShockwaveFlash, L"NextLesson");
        send(ClassForm->ShockwaveFlash, L"Return");
    };
    Command(L"Train");

    EXPECT_EQ(Opened, (std::vector<TForm*>{BeginnerForm, ClassForm, MessageForm}));
    EXPECT_NE(firstPage.find("الدرس 1: السبابتان والوسطيان"_a), String::npos);
    EXPECT_NE(Page().find("الدرس 2"_a), String::npos);
    EXPECT_EQ(Messages, std::vector<String>{" تهانينا نتيجة رائعة ...... لقد أنهيت تمرين رقم  1 | الدقــــة   100%"_a});
    EXPECT_EQ(Dir.Read("Data\\AStudents.txt"), "name,lesson\r\nNoUserName,2\r\n");
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
