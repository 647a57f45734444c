#include "tutor/users/StudentUnit.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <array>
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "tutor/testing/TutorFixture.h"
#include "tutor/users/Encrypt.h"

using namespace tutor_testing;

namespace {

const char* const Marker = "52DDEC5B44F7E7B7B8DF";   // "openaccess" as stored

struct StudentsTest : TutorFixture {
    std::string List() { return Dir.Read("Data\\AStudents.txt"); }
    std::string Results() { return Dir.Read("Data\\AResults.ini"); }
    // the main menu becomes active again, as after a screen closes
    void Reactivate() {
        SetActiveWindow(AgentForm->Handle());
        SetActiveWindow(MainFrm->Handle());
        App->ProcessMessages();
    }
    std::vector<String> Names() {
        std::vector<String> r;
        TStrings* items = StudentsForm->FileListbox->Items();
        for (int i = 0; i < items->Count(); ++i) r.push_back((*items)[i]);
        return r;
    }
    std::vector<String> TableNames() {
        std::vector<String> r;
        TMemData* t = StudentsForm->StudentsTable;
        for (t->First(); !t->Eof(); t->Next()) r.push_back(t->FieldByName("name")->AsString());
        return r;
    }
    void Enter(const String& name) {
        StudentsForm->UserNameEdit->SetText(name);
        StudentsForm->PasswordCancelBtnClick(StudentsForm);
    }
};

const std::string FirstRunResults =
    std::string("[Results]\r\nCount=1\r\n[User1]\r\nPassword=") + Marker +
    "\r\nName=NoUserName\r\nGoal=100\r\nWPM=0\r\nAWPM=0\r\nTime=0\r\nCChars=\"0\"\r\nWChars=\"0\"\r\n";

TEST_F(StudentsTest, FirstRunWritesTheListAndTheRecordOfNoUserName) {
    Start();
    EXPECT_EQ(List(), "name,lesson\r\nNoUserName,1\r\n");
    EXPECT_EQ(Results(), FirstRunResults);
    EXPECT_EQ(CurrentUser, "NoUserName");
    EXPECT_EQ(CurrentLesson, 1);
    EXPECT_EQ(UserGoal, 100);
    EXPECT_EQ(Names(), std::vector<String>{"NoUserName"});
    EXPECT_EQ(StudentsForm->StudentsTable->FieldByName("name")->AsString(), "NoUserName");
    EXPECT_EQ(StudentsForm->PasswordEdit->Text(), "OpenAccess");
    EXPECT_EQ(OtherFlags(), std::vector<bool>(8, true));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, LaterActivationsAndRunsTouchOnlyPasswordAndGoal) {
    Start();
    // the user's lesson as the lesson form leaves it, another program's section and the written values
    Dir.Write("Data\\AStudents.txt", "name,lesson\r\nNoUserName,7\r\n");
    TIniFile ini(Dir.File("Data\\AResults.ini"));
    ini.WriteString("User1", "WPM", "33");
    ini.WriteString("User1", "Password", "0000");
    ini.WriteString("Other", "Key", "kept");
    std::string before = Results();
    StudentsForm->GoalEdit->SetText("45");
    CurrentUser = "";   // the next run starts with nobody; the empty name has no record
    Reactivate();
    EXPECT_EQ(CurrentLesson, 7);
    EXPECT_EQ(UserGoal, 45);
    String expected = before;
    expected = StringReplace(expected, "Password=0000", String("Password=") + Marker, {rfReplaceAll});
    expected = StringReplace(expected, "Goal=100", "Goal=45", {rfReplaceAll});
    EXPECT_EQ(Results(), expected);
    EXPECT_EQ(List(), "name,lesson\r\nNoUserName,7\r\n");
    // a goal that is no number keeps the goal
    StudentsForm->GoalEdit->SetText("fast");
    Reactivate();
    EXPECT_EQ(UserGoal, 45);
    EXPECT_EQ(Results(), expected);
    // a line without its lesson starts the user at the first
    Dir.Write("Data\\AStudents.txt", "name,lesson\r\nNoUserName,\r\n");
    Reactivate();
    EXPECT_EQ(CurrentLesson, 1);
    EXPECT_EQ(Results(), expected);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, ANameWithBlanksIsLookedUpTrimmedAndStoredAsTyped) {
    Start();
    Enter("  Sara ");
    EXPECT_EQ(CurrentUser, "  Sara ");
    EXPECT_EQ(List(), "name,lesson\r\n  Sara ,1\r\nNoUserName,1\r\n");
    EXPECT_NE(Results().find("[User2]\r\nPassword="), std::string::npos);
    EXPECT_NE(Results().find("Name=  Sara \r\n"), std::string::npos);
    std::string list = List(), results = Results();
    // found again by every spelling of its trimmed text, never added twice
    for (const char* again : {"  Sara ", "Sara", "SARA  "}) {
        Enter(again);
        EXPECT_EQ(CurrentUser, again);
        EXPECT_EQ(List(), list) << again;
        EXPECT_EQ(Results(), results) << again;
    }
    Reactivate();
    EXPECT_EQ(List(), list);
    EXPECT_EQ(TIniFile(Dir.File("Data\\AResults.ini")).ReadInteger("Results", "Count", 0), 2);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, AnEmptyUserListHoldsNoUsers) {
    Start();
    Enter("Sara");
    Dir.Write("Data\\AStudents.txt", "");
    Reactivate();
    EXPECT_EQ(Names(), std::vector<String>{"Sara"});   // entered again as a new user
    EXPECT_EQ(List(), "name,lesson\r\nSara,1\r\n");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, TheTableAndTheListStayInNameOrder) {
    Start();
    for (const String& name : std::vector<String>{"zaid", "Ali", "مريم"_a, "bob", "Huda"}) {
        Enter(name);
        // the row of the user entered is its place in the list plus one
        int at = StudentsForm->FileListbox->ItemIndex();
        ASSERT_GE(at, 0);
        EXPECT_EQ(Names()[std::size_t(at)], name);
        EXPECT_EQ(StudentsForm->StudentsTable->RecNo(), at + 1);
        EXPECT_EQ(StudentsForm->StudentsTable->FieldByName("name")->AsString(), name);
        EXPECT_EQ(Names(), TableNames());
    }
    std::vector<String> sorted = Names();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Names(), sorted);
    Reactivate();   // loaded again from the file, in the same order
    EXPECT_EQ(Names(), sorted);
    EXPECT_EQ(CurrentUser, "Huda");
    EXPECT_EQ(TIniFile(Dir.File("Data\\AResults.ini")).ReadInteger("Results", "Count", 0), 6);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, ANameTheListCannotHoldIsRefusedBeforeAnythingIsWritten) {
    Start();
    std::string list = List(), results = Results();
    for (const String& name : {String("Ali, Jr"), String(151, 'x')}) {
        StudentsForm->UserNameEdit->SetText(name);
        EXPECT_THROW(StudentsForm->PasswordCancelBtnClick(StudentsForm), Exception);
        EXPECT_THROW(StudentsForm->AddStudent(1), Exception);
        EXPECT_EQ(List(), list);
        EXPECT_EQ(Results(), results);
        EXPECT_EQ(CurrentUser, "NoUserName");
    }
    StudentsForm->UserNameEdit->SetText(String(150, 'x'));
    StudentsForm->PasswordCancelBtnClick(StudentsForm);
    EXPECT_EQ(CurrentUser, String(150, 'x'));
    EXPECT_NE(List().find(String(150, 'x') + ",1\r\n"), std::string::npos);
}

TEST_F(StudentsTest, AStoredPasswordOtherThanTheMarkerEntersNobody) {
    Start();
    TIniFile(Dir.File("Data\\AResults.ini")).WriteString("User1", "Password", Encrypt::EncodePassword("secret"));
    // a lower-case code of the marker reads other digits and is no marker either
    for (const String& code : std::vector<String>{Encrypt::EncodePassword("secret"), LowerCase(Marker)}) {
        TIniFile(Dir.File("Data\\AResults.ini")).WriteString("User1", "Password", code);
        std::string list = List(), results = Results();
        CurrentLesson = 5;
        UserGoal = 60;
        StudentsForm->UserNameEdit->SetText("Someone");
        StudentsForm->PasswordCancelBtnClick(StudentsForm);
        EXPECT_EQ(CurrentUser, "NoUserName");
        EXPECT_EQ(CurrentLesson, 5);
        EXPECT_EQ(UserGoal, 60);
        EXPECT_EQ(List(), list);
        EXPECT_EQ(Results(), results);
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, AddingAKnownNameTellsSoInTheInterfaceLanguage) {
    Start();
    String shown;
    WhenShown[MessageForm] = [&] {
        shown = MessageForm->Label1->Caption();
        MessageForm->Close();
    };
    std::string list = List();
    for (const char* language : {"A", "E"}) {
        InterfaceLanguage = language;
        StudentsForm->UserNameEdit->SetText(" noUSERname");
        StudentsForm->AddStudent(3);
        EXPECT_EQ(shown, String(language) == "A" ? "الاسم موجود نرجو اعادة التسمية"_a
                                                 : String("Name Is Already Existed .. Please Rename"));
        EXPECT_EQ(List(), list);
    }
    EXPECT_EQ(Names(), std::vector<String>{"NoUserName"});
    EXPECT_TRUE(Errors.empty());
}

TEST_F(StudentsTest, ReloginEntersTheCurrentUserAgainOrAddsThem) {
    Start();
    RemoveFile(Dir.File("Data\\AResults.ini"));
    StudentsForm->ReloginCurrentUser();   // known: entered again, with no record to take the goal
    EXPECT_EQ(Results(), "[Results]\r\nCount=0\r\n");
    EXPECT_EQ(CurrentUser, "NoUserName");
    Dir.Write("Data\\AStudents.txt", "name,lesson\r\n");
    Dir.Write("Data\\AResults.ini", "[Results]\r\nCount=0\r\n");
    CurrentLesson = 4;
    StudentsForm->ReloginCurrentUser();   // not in the list: added, the lesson as it was
    EXPECT_EQ(List(), "name,lesson\r\nNoUserName,1\r\n");
    EXPECT_EQ(Results(), FirstRunResults);
    EXPECT_EQ(Names(), std::vector<String>{"NoUserName"});
    EXPECT_EQ(CurrentLesson, 4);
    EXPECT_TRUE(Errors.empty());
}

// The records of an entry reach the disk in one save: while the entry runs (its voice plays in
// the middle of it) the disk holds the records as they were before it.
TEST_F(StudentsTest, AnEntryWritesItsRecordsInOneSave) {
    std::vector<std::string> duringEntry;
    SetSoundPlayer([&](const String& path) {
        if (path == Voice()) duringEntry.push_back(FileExists(Dir.File("Data\\AResults.ini")) ? Results() : "none");
        return true;
    });
    Start();   // the first run: no file, then the file holding every key
    ASSERT_FALSE(duringEntry.empty());
    EXPECT_EQ(duringEntry[0], "none");
    EXPECT_EQ(Results(), FirstRunResults);

    const std::string before = "[Results]\r\nCount=0\r\n";
    Dir.Write("Data\\AResults.ini", before);
    Dir.Write("Data\\AStudents.txt", "name,lesson\r\n");
    duringEntry.clear();
    Reactivate();   // a new user's record
    ASSERT_FALSE(duringEntry.empty());
    EXPECT_EQ(duringEntry[0], before);
    EXPECT_EQ(Results(), FirstRunResults);
    EXPECT_TRUE(Errors.empty());
}

// A record of the name that the list does not hold (the list was lost or replaced, or a start
// ended between the two saves) is the user's: the entry takes it and adds none.
TEST_F(StudentsTest, AUserWithARecordButNoLineIsNeverDoubled) {
    const std::string records = "[Results]\r\nCount=2\r\n[User1]\r\nName=Ali\r\nGoal=40\r\n[User2]\r\nPassword=" +
                                std::string(Marker) + "\r\nName=NoUserName\r\nGoal=70\r\nWPM=0\r\n";
    const std::string taken = "[Results]\r\nCount=2\r\n[User1]\r\nName=Ali\r\nGoal=40\r\n[User2]\r\nPassword=" +
                              std::string(Marker) + "\r\nName=NoUserName\r\nGoal=100\r\nWPM=0\r\n";
    struct Case { const char* list; const char* listAfter; };
    const Case cases[] = {
        {nullptr, "name,lesson\r\nNoUserName,1\r\n"},                      // no list file
        {"name,lesson\r\n", "name,lesson\r\nNoUserName,1\r\n"},           // the header only
        {"name,lesson\r\nAli,3\r\n", "name,lesson\r\nAli,3\r\nNoUserName,1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "none");
        RemoveFile(Dir.File("Data\\AStudents.txt"));
        if (c.list) Dir.Write("Data\\AStudents.txt", c.list);
        Dir.Write("Data\\AResults.ini", records);
        CurrentUser = "";
        if (&c == cases) Start();
        else Reactivate();
        EXPECT_EQ(Results(), taken);
        EXPECT_EQ(List(), c.listAfter);
        EXPECT_EQ(CurrentUser, "NoUserName");
        EXPECT_EQ(CurrentLesson, 1);
    }
    StudentsForm->ReloginCurrentUser();
    EXPECT_EQ(Results(), taken);
    EXPECT_TRUE(Errors.empty());
}

// A user list that cannot be read as one is told once in the message form, naming the file and
// the line; the menu is shown all the same, both files stay as they are, nobody is entered, and
// nothing can be written to the store until a load succeeds.
TEST_F(StudentsTest, AMalformedUserListIsToldOnceAndLeftAsItIs) {
    const String good = "name,lesson\r\nAli,3\r\n";
    const std::string results = "[Results]\r\nCount=1\r\n[User1]\r\nName=Ali\r\nGoal=40\r\n";
    struct Case { std::string list; const char* told; };
    const Case cases[] = {
        {"name,lesson\r\nAli, Jr,3\r\n", "Line 2 has too many commas"},   // a comma in a name
        {"name,lesson\r\nAli,3\r\nBob,three\r\n", "Line 3: the lesson is no number"},
        {"name,lesson\r\nAli,3\r\nBob,2,extra\r\n", "Line 3 has too many commas"},
        {"user,level\r\nAli,3\r\n", "Line 1 is not name,lesson"},
        {"name,lesson,goal\r\nAli,3,40\r\n", "Line 1 is not name,lesson"},
        {"name,lesson\r\n" + std::string(151, 'x') + ",2\r\n", "The name on line 2 is too long"},
    };
    std::vector<std::array<String, 4>> told;
    auto listen = [&] {
        WhenShown[MessageForm] = [&] {
            told.push_back({MessageForm->Label1->Caption(), MessageForm->Label2->Caption(),
                            MessageForm->Label3->Caption(), MessageForm->Label4->Caption()});
            MessageForm->Close();
        };
    };
    Dir.Write("Data\\Topic.ini", "[Options]\r\nLanguage=E\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        Dir.Write("Data\\AStudents.txt", c.list);
        Dir.Write("Data\\AResults.ini", results);
        CurrentUser = "";
        told.clear();
        if (&c == cases) Start(listen);
        else Reactivate();
        Reactivate();   // once told, not again
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0][0], "A user file could not be read");
        EXPECT_EQ(told[0][1], c.told);
        EXPECT_EQ(told[0][2], "Data\\AStudents.txt");
        EXPECT_TRUE(Errors.empty());
        EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAE.swf")));
        EXPECT_EQ(List(), c.list);
        EXPECT_EQ(Results(), results);
        EXPECT_EQ(CurrentUser, "");
        EXPECT_TRUE(Names().empty());
        EXPECT_FALSE(StudentsForm->StudentsTable->Active());
        EXPECT_THROW(StudentsForm->AddStudent(1), Exception);
        EXPECT_THROW(StudentsForm->EnterAsCurrentUser(), Exception);
        EXPECT_EQ(List(), c.list);
        EXPECT_EQ(Results(), results);
        // mended, it loads again without a word
        Dir.Write("Data\\AStudents.txt", good);
        told.clear();
        Reactivate();
        EXPECT_TRUE(told.empty());
        EXPECT_EQ(Names(), (std::vector<String>{"Ali", "NoUserName"}));
    }
    // in the Arabic interface the message is Arabic
    Dir.Write("Data\\AStudents.txt", cases[0].list);
    InterfaceLanguage = "A";
    Reactivate();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0][0], "تعذّرت قراءة ملف المستخدمين"_a);
    EXPECT_EQ(told[0][1], "في السطر 2 فواصل زائدة"_a);
    EXPECT_EQ(told[0][3], "تُرك الملف كما هو دون تغيير"_a);
    EXPECT_TRUE(Errors.empty());
}

// A records file the store cannot write (another program holds it) is told the same way, and
// the menu goes on.
TEST_F(StudentsTest, AnUnwritableResultsFileIsToldAndTheMenuGoesOn) {
    const std::string list = "name,lesson\r\n";
    const std::string results = "[Results]\r\nCount=0\r\n";
    Dir.Write("Data\\AStudents.txt", list);
    Dir.Write("Data\\AResults.ini", results);
    Dir.Write("Data\\Topic.ini", "[Options]\r\nLanguage=E\r\n");
    HANDLE held = CreateFileW(ToWide(Dir.File("Data\\AResults.ini")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<String> told;
    Start([&] {
        WhenShown[MessageForm] = [&] {
            told.push_back(MessageForm->Label3->Caption() + " / " + MessageForm->Label2->Caption());
            MessageForm->Close();
        };
    });
    CloseHandle(held);
    EXPECT_EQ(told, (std::vector<String>{"Data\\AResults.ini / The file cannot be written"}));
    EXPECT_TRUE(Errors.empty());
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAE.swf")));
    EXPECT_EQ(Results(), results);
    EXPECT_EQ(List(), list);
}

TEST_F(StudentsTest, AMalformedResultsFileLosesNoOtherUser) {
    const std::string list = "name,lesson\r\nAli,3\r\nBob,2\r\n";
    const std::string users = "[User1]\r\nPassword=00\r\nName=Ali\r\nGoal=40\r\n[User2]\r\nName=Bob\r\nGoal=30\r\n";
    struct Case { std::string results; int newSection; };
    const Case cases[] = {
        {"[Results]\r\n" + users, 3},                       // no Count
        {"[Results]\r\nCount=many\r\n" + users, 3},         // a Count that is no number
        {"[Results]\r\nCount=-4\r\n" + users, 3},
        {"[Results]\r\nCount=1\r\n" + users, 3},            // a Count behind the sections
        {"[Results]\r\nCount=2000000000\r\n" + users, 2000000001},
        {"[Results]\r\nCount=3\r\n" + users + "[User3]\r\nPassword=1234\r\nName=Carl\r\n", 4},   // not in the list
        {"; a note\r\n[Results]\r\nCount=2\r\n" + users + "[Other]\r\nKey=kept\r\n", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.results);
        Dir.Write("Data\\AStudents.txt", list);
        Dir.Write("Data\\AResults.ini", c.results);
        CurrentUser = "";
        if (&c == cases) Start();
        else Reactivate();
        EXPECT_EQ(CurrentUser, "NoUserName");
        String text = Results();
        // every earlier line is still there; the new user has a section of its own
        TStringList before, after;
        before.SetText(c.results);
        after.SetText(text);
        for (int i = 0; i < before.Count(); ++i)
            if (before[i].rfind("Count=", 0) != 0) {
                EXPECT_GE(after.IndexOf(before[i]), 0) << before[i];
            }
        TIniFile ini(Dir.File("Data\\AResults.ini"));
        String section = "User" + IntToStr(c.newSection);
        EXPECT_EQ(ini.ReadString(section, "Name", ""), "NoUserName");
        EXPECT_EQ(ini.ReadString(section, "Password", ""), Marker);
        EXPECT_EQ(ini.ReadInteger("Results", "Count", 0), c.newSection);
        EXPECT_EQ(ini.ReadString("User1", "Name", ""), "Ali");
        EXPECT_EQ(ini.ReadString("User2", "Password", "none"), "none");
        EXPECT_EQ(List(), "name,lesson\r\nAli,3\r\nBob,2\r\nNoUserName,1\r\n");
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
