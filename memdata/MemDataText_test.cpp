#include <gtest/gtest.h>
#include "memdata/MemData.h"
#include "memdata/testing/MemTable.h"
#include "platform/testing/TestSupport.h"

using testing_support::TempFolder;

namespace {

struct Students : TMemTable {
    TempFolder folder;
    String file = folder.File("AStudents.txt");
    Students() {
        Data.TextDelimiter = ',';
        Data.SetSortedField("Name");
        Data.Open();
    }
    void Load(const std::string& bytes) {
        folder.Write("AStudents.txt", bytes);
        Data.LoadFromDelimitedFile(file);
    }
    String Rows() {
        String r;
        for (Data.First(); !Data.Eof(); Data.Next()) {
            r += '[';
            r += Name->IsNull() ? String("null") : Name->AsString();
            r += '|';
            r += Lesson->IsNull() ? String("null") : Lesson->AsString();
            r += ']';
        }
        return r;
    }
};

}  // namespace

TEST(MemDataText, SavesHeaderAndRecordsInCurrentOrder) {
    Students t;
    t.Add("sara", 3);
    t.Add("ali", 12);
    t.Data.Append();
    t.Name->SetAsString("zaid");
    t.Data.Post();
    t.Data.SetRecNo(2);
    t.Data.SaveToDelimitedFile(t.file);
    EXPECT_EQ(t.folder.Read("AStudents.txt"), "Name,Lesson\r\nali,12\r\nsara,3\r\nzaid,\r\n");
    EXPECT_EQ(t.Name->AsString(), "sara");   // back on the record it was on
}

TEST(MemDataText, EmptyOrClosedDataSetSaves) {
    Students t;
    t.Data.SaveToDelimitedFile(t.file);
    EXPECT_EQ(t.folder.Read("AStudents.txt"), "Name,Lesson\r\n");
    t.Data.Close();
    String other = t.folder.File("other.txt");
    t.Data.SaveToDelimitedFile(other);
    EXPECT_FALSE(FileExists(other));
}

TEST(MemDataText, LoadsByHeaderNamesAndSorts) {
    Students t;
    t.Add("old", 1);
    t.Load("lesson,extra,NAME\r\n4,x,sara\r\n7,y,ali\r\n");
    EXPECT_EQ(t.Rows(), "[ali|7][sara|4]");
    t.Add("new", 2);
    EXPECT_EQ(t.Data.RecIdField()->AsInteger(), 3);   // the load restarted the RecIds
}

TEST(MemDataText, LineSplittingRules) {
    Students t;
    t.Data.Close();
    t.Name->SetSize(1200);
    t.Data.Open();
    String big(1200, 'b');
    t.Load("Lesson,Name\r\n1," + big + "\r\n");
    t.Data.First();
    EXPECT_EQ(t.Name->AsString(), String(1000, 'b'));
    Students u;
    u.Data.SetSortedField("");   // file order
    u.Load("Name,Lesson\r\nname,\r\n,3\r\n\r\nmany,5,extra,more\r\n");
    EXPECT_EQ(u.Rows(), "[name|null][null|3][null|null][many|5]");
}

TEST(MemDataText, HeaderOnlyEmptiesAndZeroLengthLeavesRecords) {
    Students t;
    t.Add("a", 1);
    t.Load("");
    EXPECT_EQ(t.Rows(), "[a|1]");
    t.Load("Name,Lesson\r\n");
    EXPECT_EQ(t.Data.RecordCount(), 0);
}

TEST(MemDataText, FailedLoadLeavesTheRecordsAsTheyWere) {
    Students t;
    t.Add("huda", 2);
    t.Add("amal", 5);
    t.Data.Last();
    try {
        t.Load("Name,Lesson\r\nali,1\r\nsara,abc\r\nzaid,3\r\n");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value for field 'Lesson'");
    }
    EXPECT_EQ(t.Data.State(), dsBrowse);
    EXPECT_FALSE(t.Data.Loading());
    EXPECT_EQ(t.Name->AsString(), "huda");
    EXPECT_EQ(t.Rows(), "[amal|5][huda|2]");
    t.Add("kamal", 1);
    EXPECT_EQ(t.Data.RecIdField()->AsInteger(), 3);
    // and the user's file is saved whole afterwards
    t.Data.SaveToDelimitedFile(t.file);
    EXPECT_EQ(t.folder.Read("AStudents.txt"), "Name,Lesson\r\namal,5\r\nhuda,2\r\nkamal,1\r\n");
    EXPECT_THROW(t.Data.LoadFromDelimitedFile(t.folder.File("missing.txt")), EFOpenError);
    EXPECT_EQ(t.Data.RecordCount(), 3);
}

TEST(MemDataText, ReadOnlyDataSetLoadsSilentlyAndClosedOneOpens) {
    Students t;
    int events = 0;
    t.Data.BeforePost = [&](TDataSet*) { ++events; };
    t.Data.AfterPost = [&](TDataSet*) { ++events; };
    t.Data.OnNewRecord = [&](TDataSet*) { ++events; };
    t.Data.SetReadOnly(true);
    t.Load("Name,Lesson\r\nb,2\r\na,1\r\n");
    EXPECT_EQ(events, 0);
    EXPECT_EQ(t.Rows(), "[a|1][b|2]");
    EXPECT_THROW(t.Data.Append(), EDatabaseError);
    t.Data.Close();
    t.Data.LoadFromDelimitedFile(t.file);
    EXPECT_TRUE(t.Data.Active());
    EXPECT_EQ(t.Data.RecordCount(), 2);
}

TEST(MemDataText, TabIsTheDefaultDelimiterAndTextRoundTrips) {
    TMemTable t;
    t.Data.Open();
    t.Add("سارة"_a, 4);
    t.Add("a b", 10);
    TempFolder folder;
    t.Data.SaveToDelimitedFile(folder.File("t.txt"));
    String expected = "Name\tLesson\r\n";
    expected += "سارة"_a;
    expected += "\t4\r\na b\t10\r\n";
    EXPECT_EQ(folder.Read("t.txt"), expected);
    TMemTable u;
    u.Data.Open();
    u.Data.LoadFromDelimitedFile(folder.File("t.txt"));
    String names = "سارة"_a;
    names += ",a b";
    EXPECT_EQ(u.Names(), names);
}
