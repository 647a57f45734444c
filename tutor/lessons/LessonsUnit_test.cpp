#include "tutor/lessons/LessonsUnit.h"
#include <gtest/gtest.h>
#include "tutor/testing/LessonFormFixture.h"

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

// The lesson list lies above its movie: the third title is the window under the pointer, and a
// real click on it followed by a click on the movie's OK opens lesson 3.
TEST_F(LessonFormTest, ClickingTheThirdTitleAndOkInTheLessonListOpensLessonThree) {
    Dir.Write("Data\\interface\\Message.swf", ReadBytes(testing_support::SourcePath("..\\data\\interface\\Message.swf")));
    // a real click: the system finds the window under the pointer
    auto click = [](POINT p) {
        SetCursorPos(p.x, p.y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
        for (int i = 0; i < 20; ++i) Application->ProcessMessages();
    };
    std::vector<String> titles;
    HWND underTitle = nullptr;
    auto inTheList = [&] {
        TListBox* list = LessonsForm->LessonsListBox;
        // above whatever the other test programs show on the same screen
        SetWindowPos(LessonsForm->Handle(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE);
        SetForegroundWindow(LessonsForm->Handle());
        Application->ProcessMessages();
        for (int i = 0; i < list->Items()->Count(); ++i) titles.push_back(list->Items()->Strings(i));
        RECT item;
        SendMessageW(list->Handle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
        POINT title{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list->Handle(), &title);
        underTitle = WindowFromPoint(title);
        click(title);
        EXPECT_EQ(list->ItemIndex(), 2);
        // the OK button of the message movie, stretched over the form
        POINT ok{430 * LessonsForm->ClientWidth() / 790, 397 * LessonsForm->ClientHeight() / 487};
        ClientToScreen(LessonsForm->Handle(), &ok);
        click(ok);
        if (LessonsForm->Visible()) LessonsForm->Close();
    };
    Train("A", [&] {
        WhenShown[LessonsForm] = inTheList;
        Send(L"History");
        EXPECT_EQ(CurrentLesson, 3);
        EXPECT_TRUE(Shows("P3-A"));
        EXPECT_EQ(ClassForm->Label3->Caption(), "الدرس 3"_a);
    });
    EXPECT_EQ(titles, (std::vector<String>{"one", "two", "three"}));
    EXPECT_EQ(underTitle, LessonsForm->LessonsListBox->Handle());
    EXPECT_EQ(Students(), "name,lesson\r\nNoUserName,3\r\n");
}

TEST_F(LessonFormTest, OkInTheLessonListWithoutAChosenLineChangesNothing) {
    bool shown = false;
    Train("A", [&] {
        WhenShown[LessonsForm] = [&] {
            shown = true;
            LessonsForm->LessonsListBox->SetItemIndex(-1);
            LessonsForm->ShockwaveFlash->OnFSCommand(LessonsForm->ShockwaveFlash, L"OK", L"");
            EXPECT_TRUE(LessonsForm->Visible());
            LessonsForm->CancelButton->Click();
        };
        Send(L"History");
        EXPECT_TRUE(shown);
        EXPECT_EQ(CurrentLesson, 1);
        EXPECT_TRUE(ClassForm->LessonReady);
    });
    EXPECT_EQ(Students(), "name,lesson\r\nNoUserName,1\r\n");
}

}  // namespace
