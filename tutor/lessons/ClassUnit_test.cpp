#include "tutor/lessons/ClassUnit.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "tutor/testing/LessonFormFixture.h"

using namespace tutor_testing;

namespace {

const std::vector<bool> NextOnly{true, true, false, false};
const std::vector<bool> Both{true, true, true, true};
const std::vector<bool> PrevOnly{false, false, true, true};
const std::vector<bool> Neither{false, false, false, false};

TEST_F(LessonFormTest, TheFirstPageShowsOnActivationAndThePagesStopAtTheEnds) {
    for (const char* language : {"A", "E"}) {
        SCOPED_TRACE(language);
        Messages.clear();
        WriteUserStore(1);
        Train(language, [&] {
            const bool english = String(language) == "E";
            EXPECT_TRUE(Shows("P1-A"));
            EXPECT_TRUE(Shows("RevealTrans(Duration=2, Transition=23)"));
            String withBody = "<body >x</body>";   // the page views' stored copy length
            ClassForm->WebView->PrepareHTML(withBody);
            EXPECT_NE(withBody.find("range.text.substring(0, 500)"), String::npos);
            EXPECT_EQ(ClassForm->Label3->Caption(), english ? String("Lesson1") : "الدرس 1"_a);
            EXPECT_EQ(ClassForm->LevelTestBtn->Caption(), english ? String("Typist Level") : "تحديد مستوى المستخدم"_a);
            EXPECT_EQ(ClassForm->LevelTestBtn->Hint(), ClassForm->LevelTestBtn->Caption());
            EXPECT_EQ(ClassForm->PrevButton->Hint(), english ? String("Previuos") : "السابق"_a);
            EXPECT_EQ(ClassForm->StartButton->Hint(), english ? String("Next") : "التالي"_a);
            EXPECT_TRUE(ClassForm->Panel1->Visible());
            EXPECT_FALSE(ClassForm->Panel2->Visible());
            EXPECT_EQ(PageButtons(), NextOnly);
            struct Step { const wchar_t* command; const char* page; std::vector<bool> buttons; };
            const Step steps[] = {
                {L"StartHist", "P1-B", Both},   {L"StartHist", "P1-C", PrevOnly},
                {L"StartHist", "P1-C", PrevOnly},   // past the last page: the last stays, with a message
                {L"PrevHist", "P1-B", Both},    {L"PrevHist", "P1-A", NextOnly},
                {L"PrevHist", "P1-A", NextOnly},    // before the first: the first again
            };
            for (const Step& step : steps) {
                SCOPED_TRACE(step.page);
                const int loads = Doc->LoadCount();
                Send(step.command);
                EXPECT_TRUE(Shows(step.page));
                EXPECT_EQ(PageButtons(), step.buttons);
                if (&step == &steps[2]) EXPECT_EQ(Doc->LoadCount(), loads);
            }
            EXPECT_EQ(Messages, std::vector<String>{english ? String("You Should Start With The Exam Of Lesson 1")
                                                            : "عليك البدء في تمرين الدرس  1"_a});
            // a size 6 is shown as 5, a size 5 as 4
            Send(L"StartHist");
            EXPECT_NE(Page().find("size=\"5\">six"), String::npos);
            EXPECT_NE(Page().find("size=\"4\">five"), String::npos);
            // a lesson of one page
            Send(L"NextLesson");
            EXPECT_TRUE(Shows("P2-A"));
            EXPECT_EQ(PageButtons(), Neither);
        });
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(LessonFormTest, NextAndPreviousLessonStopAtTheFirstAndLastLessonAndReturnStoresTheLesson) {
    Train("E", [&] {
        auto complete = [&] { Browser.Events.Fire(web::DispDownloadComplete); };
        Send(L"PrevLesson");
        EXPECT_EQ(CurrentLesson, 1);
        Send(L"NextLesson");
        EXPECT_EQ(CurrentLesson, 2);
        EXPECT_TRUE(Shows("P2-A"));
        EXPECT_EQ(ClassForm->Label3->Caption(), "Lesson2");
        EXPECT_EQ(LessonsForm->LessonsListBox->ItemIndex(), 1);
        complete();
        Send(L"NextLesson");
        complete();
        EXPECT_EQ(CurrentLesson, 3);
        const int loads = Doc->LoadCount();
        Send(L"NextLesson");
        EXPECT_EQ(CurrentLesson, 3);
        EXPECT_EQ(Doc->LoadCount(), loads);
    });
    EXPECT_EQ(Messages, (std::vector<String>{"............ You should start lesson number one",
                                             "Congratulation, You finish from lessons | Now move to Speed Exercise or games"}));
    EXPECT_EQ(Students(), "name,lesson\r\nNoUserName,3\r\n");
    EXPECT_TRUE(Errors.empty());
}

// The lesson commands wait for the page view to finish a page, but never for ever.
TEST_F(LessonFormTest, ALessonChangeWaitsForThePageToCompleteOrForTwoSeconds) {
    Train("A", [&] {
        Send(L"NextLesson");
        Send(L"NextLesson");   // lesson 2 has not reported its page complete
        EXPECT_EQ(CurrentLesson, 2);
        Browser.BusyValue = true;
        Browser.Events.Fire(web::DispDownloadComplete);
        Send(L"NextLesson");
        EXPECT_EQ(CurrentLesson, 2);
        Browser.BusyValue = false;
        Browser.Events.Fire(web::DispDownloadComplete);
        Send(L"NextLesson");
        EXPECT_EQ(CurrentLesson, 3);
        Send(L"PrevLesson");   // a page that never reports
        EXPECT_EQ(CurrentLesson, 3);
        Now += TClassForm::PageLoadWaitMs - 1;
        Send(L"PrevLesson");
        EXPECT_EQ(CurrentLesson, 3);
        Now += 1;
        Send(L"PrevLesson");
        EXPECT_EQ(CurrentLesson, 2);
    });
}

// Return rewrites the user list with the user's line changed and every other line as it was;
// it stores nothing for a user the list does not hold or from a list that could not be read,
// and a save that fails is told and still returns.
TEST_F(LessonFormTest, ReturnWritesOnlyTheUsersLineAndNothingWhenTheUserOrTheListIsMissing) {
    const String users = "name,lesson\r\nAmal,4\r\nNoUserName,1\r\nZaid,7\r\n";
    Dir.Write("Data\\AStudents.txt", users);
    Train("A", [&] { Send(L"NextLesson"); });
    EXPECT_EQ(Students(), "name,lesson\r\nAmal,4\r\nNoUserName,2\r\nZaid,7\r\n");

    Dir.Write("Data\\AStudents.txt", users);
    String atReturn;
    Train("A", [&] {
        Send(L"NextLesson");
        StudentsForm->UserNameEdit->SetText("Ghost");
        Send(L"Return");
        atReturn = Students();
        StudentsForm->UserNameEdit->SetText("NoUserName");   // the menu enters its user again
    });
    EXPECT_EQ(atReturn, users);

    const String unreadable = "name,lesson\r\nNoUserName,1\r\nZaid,seven\r\n";
    Train("A", [&] {
        Send(L"NextLesson");
        Dir.Write("Data\\AStudents.txt", unreadable);
        EXPECT_ANY_THROW(StudentsForm->LoadStudents());
    });
    EXPECT_EQ(Students(), unreadable);

    Dir.Write("Data\\AStudents.txt", users);
    Messages.clear();
    Train("E", [&] {
        Send(L"NextLesson");
        HANDLE held = CreateFileW(ToWide(Dir.File("Data\\AStudents.txt")).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        Send(L"Return");
        CloseHandle(held);   // before the menu reads the list again
    });
    EXPECT_EQ(Students(), users);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("The lesson you reached could not be saved: ", 0), 0u) << Messages[0];
}

// A stored lesson without a readable page file opens the nearest lesson that has one, says so,
// and Return stores that one; with no lesson at all nothing is stored.
TEST_F(LessonFormTest, AMissingOrMalformedLessonFallsBackToTheNearestOne) {
    struct Case { int stored; const char* lesson2; int shown; const char* message; };
    const Case cases[] = {
        {0, nullptr, 1, "Lesson 0 could not be opened; lesson 1 is shown instead."},
        {9, nullptr, 3, "Lesson 9 could not be opened; lesson 3 is shown instead."},
        {2, "", 1, "Lesson 2 could not be opened; lesson 1 is shown instead."},
        {2, "char,body,PicNo\r\nk1,<p>P2-A</p>,1\r\n", 1, "Lesson 2 could not be opened; lesson 1 is shown instead."},
        {2, "missing", 1, "Lesson 2 could not be opened; lesson 1 is shown instead."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Dir.Write("Data\\ALess\\ALess2.txt", PageFile({"<p>P2-A</p>"}));
        if (c.lesson2 && String(c.lesson2) == "missing") RemoveFile(Dir.File("Data\\ALess\\ALess2.txt"));
        else if (c.lesson2) Dir.Write("Data\\ALess\\ALess2.txt", c.lesson2);
        WriteUserStore(c.stored);
        Messages.clear();
        Train("E", [&] { EXPECT_TRUE(Shows(("P" + IntToStr(c.shown) + "-A").c_str())); });
        EXPECT_EQ(Messages, std::vector<String>{c.message});
        EXPECT_EQ(Students(), "name,lesson\r\nNoUserName," + IntToStr(c.shown) + "\r\n");
    }
    for (int n = 1; n <= 3; ++n) RemoveFile(Dir.File("Data\\ALess\\ALess" + IntToStr(n) + ".txt"));
    WriteUserStore(2);
    Messages.clear();
    Train("A", [&] { EXPECT_EQ(ClassForm->LessonTable->Active(), false); });
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0].rfind("تعذر فتح أي درس من "_a, 0), 0u);
    EXPECT_EQ(Students(), "name,lesson\r\nNoUserName,2\r\n");
    EXPECT_TRUE(Errors.empty());
}

// "Play" plays the page's sound, which each page opens; a page without a sound file is silent.
TEST_F(LessonFormTest, PlayStartsThePageSoundAndAPageWithoutOneIsSilent) {
    Dir.Write("Data\\ASnd\\k1.wav", ReadBytes(testing_support::SourcePath("..\\data\\effects\\Tick.wav")));
    Train("A", [&] {
        TMediaPlayer* player = ClassForm->MediaPlayer;
        EXPECT_EQ(player->FileName, CDDir + "\\data\\ASnd\\k1.wav");
        ASSERT_TRUE(player->Opened());
        // only a play reports its end: played to the end, or refused by a machine without sound
        int ends = 0;
        TNotifyEvent own = player->OnNotify;
        player->OnNotify = [&](TObject* s) { ++ends; own(s); };
        Send(L"Play");
        for (DWORD until = ::GetTickCount() + 5000; !ends && ::GetTickCount() < until;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            Application->ProcessMessages();
        }
        player->OnNotify = own;
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(player->Position(), 0);
        Send(L"Pause");
        Send(L"Stop");
        Send(L"StartHist");   // k2 has no sound
        EXPECT_FALSE(player->Opened());
        for (const wchar_t* command : {L"Play", L"Pause", L"Stop"}) Send(command);
        EXPECT_FALSE(player->Opened());
    });
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
