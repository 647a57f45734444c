#include "tutor/lessons/LessonsUnit.h"
#include <gtest/gtest.h>
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

using LessonListTest = TutorFixture;

TEST_F(LessonListTest, OpensOnTheCurrentLessonOkChoosesTheSelectedOneCancelChangesNothing) {
    Dir.Write("Data\\ALessons.txt", "one\r\ntwo\r\nthree\r\n");
    Dir.Write("Data\\ALess\\ALess3.txt", "char,data,PicNo\r\nLesson3,<p>third</p>,1\r\n");
    WriteUserStore();
    Start();
    // the list is opened from the lesson form: the menu, hidden, does not come back in between
    MainFrm->Hide();
    App->ProcessMessages();
    EXPECT_EQ(LessonsForm->LessonsListBox->Items()->Count(), 3);
    EXPECT_EQ(LessonsForm->LessonsListBox->ItemIndex(), 0);
    auto send = [](const wchar_t* command) { LessonsForm->ShockwaveFlash->OnFSCommand(LessonsForm->ShockwaveFlash, command, L""); };
    CurrentLesson = 2;
    int selectedOnOpening = -1;
    WhenShown[LessonsForm] = [&] {
        selectedOnOpening = LessonsForm->LessonsListBox->ItemIndex();
        LessonsForm->CancelButton->Click();
    };
    ClassForm->LessonReady = true;
    ClassForm->HistoryButton->Click();
    EXPECT_EQ(selectedOnOpening, 1);
    EXPECT_EQ(CurrentLesson, 2);
    EXPECT_TRUE(ClassForm->LessonReady);

    WhenShown[LessonsForm] = [&] {
        LessonsForm->LessonsListBox->SetItemIndex(2);
        send(L"RollOverOK");   // the rollover is tested first
        EXPECT_TRUE(LessonsForm->Visible());
        send(L"OK");
    };
    ClassForm->HistoryButton->Click();
    EXPECT_EQ(CurrentLesson, 3);
    EXPECT_FALSE(ClassForm->LessonReady);   // the lesson form loads the chosen lesson next time
    EXPECT_FALSE(LessonsForm->Visible());
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
