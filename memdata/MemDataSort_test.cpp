#include <gtest/gtest.h>
#include <random>
#include "memdata/MemData.h"
#include "memdata/testing/MemTable.h"

namespace {

struct SortedTable : TMemTable {
    explicit SortedTable(std::initializer_list<const char*> names, TMemSortOptions options = 0) {
        Data.SetSortedField("Name");
        Data.SetSortOptions(options);
        Data.Open();
        int lesson = 0;
        for (const char* n : names) Add(n, ++lesson);
    }
};

}  // namespace

TEST(MemDataSort, AppendedRecordsTakeTheirSortedPlace) {
    EXPECT_EQ(SortedTable({"b", "a", "c"}).Names(), "a,b,c");
    EXPECT_EQ(SortedTable({"b", "a", "c"}, soDesc).Names(), "c,b,a");
    EXPECT_EQ(SortedTable({"adam", "Zed"}).Names(), "Zed,adam");
    EXPECT_EQ(SortedTable({"adam", "Zed"}, soCaseInsensitive).Names(), "adam,Zed");
}

TEST(MemDataSort, SortingAnExistingTable) {
    TMemTable t;
    t.Data.Open();
    for (const char* n : {"d", "b", "e", "a", "c"}) t.Add(n);
    t.Data.SetRecNo(2);
    TBookmark b = t.Data.GetBookmark();
    t.Data.SetSortedField("Name");
    EXPECT_EQ(t.Names(), "a,b,c,d,e");
    t.Data.GotoBookmark(b);
    EXPECT_EQ(t.Name->AsString(), "b");
    t.Data.SetSortOptions(soDesc);
    EXPECT_EQ(t.Names(), "e,d,c,b,a");
    // a name that matches no field leaves the order as it is
    t.Data.SetSortedField("Nothing");
    t.Add("m");
    EXPECT_EQ(t.Names(), "e,d,c,b,a,m");
}

TEST(MemDataSort, LargeRandomTableSortsAndEveryValueIsFound) {
    TMemTable t;
    t.Data.Open();
    std::mt19937 random(7);
    std::vector<String> names;
    for (int i = 0; i < 2000; ++i) {
        names.push_back("n" + IntToStr(random() % 500));
        t.Add(names.back(), i);
    }
    t.Data.SetSortedField("Name");
    String previous;
    int count = 0;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next(), ++count) {
        EXPECT_LE(previous, t.Name->AsString());
        previous = t.Name->AsString();
    }
    EXPECT_EQ(count, 2000);
    for (const String& n : names) {
        ASSERT_TRUE(t.Data.Locate("Name", n, 0)) << n;
        EXPECT_EQ(t.Name->AsString(), n);
    }
}

TEST(MemDataSort, RecordPostedAmongEqualsStaysWhereInserted) {
    SortedTable t({"a", "b", "b", "c"});
    t.Data.SetRecNo(3);
    t.Data.Insert();
    t.Name->SetAsString("b");
    t.Lesson->SetAsInteger(99);
    t.Data.Post();
    EXPECT_EQ(t.Data.RecNo(), 3);
    EXPECT_EQ(t.Lesson->AsInteger(), 99);
    String lessons;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next()) lessons += t.Lesson->AsString() + " ";
    EXPECT_EQ(lessons, "1 2 99 3 4 ");
}

TEST(MemDataSort, EditedValueMovesPastTwoRecordsWithTheCursor) {
    SortedTable t({"a", "b", "c", "d"});
    t.Data.SetRecNo(1);
    t.Data.Edit();
    t.Name->SetAsString("cc");
    t.Data.Post();
    EXPECT_EQ(t.Name->AsString(), "cc");
    EXPECT_EQ(t.Data.RecNo(), 3);
    EXPECT_EQ(t.Names(), "b,c,cc,d");
    t.Data.SetRecNo(4);
    t.Data.Edit();
    t.Name->SetAsString("a");
    t.Data.Post();
    EXPECT_EQ(t.Data.RecNo(), 1);
    EXPECT_EQ(t.Names(), "a,b,c,cc");
}

TEST(MemDataFilter, FilterHidesRecordsAndPostedOnesAtOnce) {
    TMemTable t;
    t.Data.Open();
    for (int i = 1; i <= 5; ++i) t.Add("n" + IntToStr(i), i);
    t.Data.SetOnFilterRecord([&](TDataSet*, bool& accept) { accept = t.Lesson->AsInteger() % 2 == 1; });
    EXPECT_EQ(t.Data.RecordCount(), 3);
    EXPECT_EQ(t.Names(), "n1,n3,n5");
    t.Data.SetRecNo(2);
    EXPECT_EQ(t.Name->AsString(), "n3");
    t.Data.Edit();
    t.Lesson->SetAsInteger(4);
    t.Data.Post();
    EXPECT_EQ(t.Data.RecordCount(), 2);
    EXPECT_EQ(t.Name->AsString(), "n5");
    t.Add("n7", 7);
    t.Add("n8", 8);
    EXPECT_EQ(t.Names(), "n1,n5,n7");
    t.Data.SetRecNo(2);
    t.Data.Delete();
    EXPECT_EQ(t.Name->AsString(), "n7");
    EXPECT_EQ(t.Names(), "n1,n7");
    t.Data.SetOnFilterRecord(nullptr);
    EXPECT_EQ(t.Names(), "n1,n2,n3,n4,n7,n8");
}

TEST(MemDataFilter, MovedRecordUnderAFilterKeepsTheListInOrder) {
    SortedTable t({"a", "b", "c", "d", "e"});
    t.Data.SetOnFilterRecord([&](TDataSet*, bool& accept) { accept = t.Name->AsString() != "c"; });
    EXPECT_EQ(t.Names(), "a,b,d,e");
    t.Data.SetRecNo(1);
    t.Data.Edit();
    t.Name->SetAsString("dd");
    t.Data.Post();
    EXPECT_EQ(t.Name->AsString(), "dd");
    EXPECT_EQ(t.Data.RecNo(), 3);
    EXPECT_EQ(t.Names(), "b,d,dd,e");
    t.Data.SetRecNo(4);
    t.Data.Edit();
    t.Name->SetAsString("a");
    t.Data.Post();
    EXPECT_EQ(t.Data.RecNo(), 1);
    EXPECT_EQ(t.Names(), "a,b,d,dd");
    t.Data.SetOnFilterRecord(nullptr);
    EXPECT_EQ(t.Names(), "a,b,c,d,dd");
}

TEST(MemDataLocate, SortedFieldFindsTheNearestRecord) {
    SortedTable t({"apple", "cherry", "melon"});
    EXPECT_TRUE(t.Data.Locate("Name", "cherry", loCaseInsensitive));
    EXPECT_EQ(t.Name->AsString(), "cherry");
    EXPECT_TRUE(t.Data.Locate("name", "banana", loCaseInsensitive));
    EXPECT_EQ(t.Name->AsString(), "cherry");
    t.Data.First();
    EXPECT_FALSE(t.Data.Locate("Name", "banana", 0));
    EXPECT_EQ(t.Name->AsString(), "cherry");
    EXPECT_TRUE(t.Data.Locate("Name", "melon", 0));
    EXPECT_EQ(t.Data.RecNo(), 3);
    t.Data.First();
    EXPECT_FALSE(t.Data.Locate("Name", "aaa", 0));   // before the first: nothing moves
    EXPECT_EQ(t.Data.RecNo(), 1);
    EXPECT_FALSE(t.Data.Locate("Name", "zzz", 0));   // after the last: the last, but not equal
    EXPECT_EQ(t.Data.RecNo(), 3);
}

TEST(MemDataLocate, LinearScanOptionsAndSeveralFields) {
    TMemTable t;
    t.Data.Open();
    t.Add("Salim", 1);
    t.Add("Sara", 2);
    t.Add("sara", 3);
    t.Add(String(30, 'x'), 4);
    struct Case { const char* key; TLocateOptions options; bool found; int lesson; };
    const Case cases[] = {
        {"sara", 0, true, 3},
        {"SARA", 0, false, 0},
        {"SARA", loCaseInsensitive, true, 2},
        {"Sal", 0, false, 0},
        {"Sal", loPartialKey, true, 1},
        {"sal", loPartialKey, false, 0},
        {"sal", loPartialKey | loCaseInsensitive, true, 1},
    };
    for (const Case& c : cases) {
        t.Data.Last();
        EXPECT_EQ(t.Data.Locate("Name", c.key, c.options), c.found) << c.key;
        if (c.found) {
            EXPECT_EQ(t.Lesson->AsInteger(), c.lesson) << c.key;
        }
    }
    EXPECT_TRUE(t.Data.Locate("Name", String(30, 'x'), 0));
    EXPECT_FALSE(t.Data.Locate("Name", String(31, 'x'), 0));
    EXPECT_TRUE(t.Data.Locate("Name;Lesson", VarArrayOf({"sara", 3}), 0));
    EXPECT_EQ(t.Data.RecNo(), 3);
    EXPECT_FALSE(t.Data.Locate("Name;Lesson", VarArrayOf({"sara", 2}), 0));
    EXPECT_TRUE(t.Data.Locate("Name;Lesson", VarArrayOf({"SARA", 2}), loCaseInsensitive));
    EXPECT_EQ(t.Data.RecNo(), 2);
    EXPECT_THROW(t.Data.Locate("Name;Nothing", VarArrayOf({"sara", 2}), 0), EDatabaseError);
    t.Data.Append();
    t.Data.Post();
    t.Data.First();
    EXPECT_TRUE(t.Data.Locate("Lesson", Null(), 0));
    EXPECT_EQ(t.Data.RecNo(), 5);
}

TEST(MemDataLocate, LookupLeavesTheCursorAndAnswersDefaults) {
    SortedTable t({"amal", "huda", "zaid"});
    t.Data.SetRecNo(2);
    EXPECT_EQ(t.Data.Lookup("Name", "zaid", "Lesson").AsInteger(), 3);
    EXPECT_EQ(t.Data.Lookup("Name", "zaid", "Name").AsString(), "zaid");
    Variant missing = t.Data.Lookup("Name", "kamal", "Name");
    EXPECT_TRUE(VarIsStr(missing));
    EXPECT_EQ(missing.AsString(), "");
    EXPECT_EQ(t.Data.Lookup("Name", "kamal", "Lesson").Type(), varBoolean);
    EXPECT_EQ(t.Data.Lookup("Name", "amal", "Name;Lesson").Type(), varBoolean);
    EXPECT_EQ(t.Name->AsString(), "huda");
    EXPECT_EQ(t.Data.RecNo(), 2);
}
