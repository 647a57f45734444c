#include "memdata/MemData.h"
#include <gtest/gtest.h>
#include "memdata/testing/MemTable.h"

namespace {

class TBytesField : public TField {
public:
    TBytesField() { SetDataType(ftBytes); }
    int DataSize() const override { return 8; }
};

std::int32_t IdOf(const TBookmark& b) {
    std::int32_t id;
    std::memcpy(&id, b.data(), 4);
    return id;
}

}  // namespace

TEST(MemData, NewDataSetHasOnlyTheHiddenRecIdAndATab) {
    TMemData data("Table");
    ASSERT_EQ(data.FieldCount(), 1);
    EXPECT_EQ(data.Fields(0)->FieldName(), "RecId");
    EXPECT_EQ(data.Fields(0)->Name(), "TableRecId");
    EXPECT_FALSE(data.Fields(0)->Visible());
    EXPECT_TRUE(data.Fields(0)->Calculated());
    EXPECT_EQ(data.TextDelimiter, '\t');
    data.Open();
    EXPECT_EQ(data.RecordCount(), 0);
    EXPECT_EQ(data.RecNo(), 0);
}

TEST(MemData, RecIdsAreNeverHandedOutTwice) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    t.Add("c");
    EXPECT_EQ(t.Data.RecIdField()->AsInteger(), 3);
    t.Data.SetRecNo(2);
    EXPECT_EQ(t.Name->AsString(), "b");
    t.Data.Delete();
    EXPECT_EQ(t.Name->AsString(), "c");
    t.Add("d");
    EXPECT_EQ(t.Data.RecIdField()->AsInteger(), 4);
    String ids;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next()) ids += t.Data.RecIdField()->AsString();
    EXPECT_EQ(ids, "134");
    EXPECT_EQ(t.Names(), "a,c,d");
}

TEST(MemData, InsertKeepsEveryEarlierBookmarkOnItsRecord) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    t.Add("c");
    std::vector<TBookmark> marks;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next()) marks.push_back(t.Data.GetBookmark());
    t.Data.SetRecNo(2);
    t.Data.Insert();
    t.Name->SetAsString("new");
    t.Data.Post();
    EXPECT_EQ(t.Name->AsString(), "new");
    EXPECT_EQ(t.Data.RecNo(), 2);
    EXPECT_EQ(t.Names(), "a,new,b,c");
    const char* names[] = {"a", "b", "c"};
    for (int i = 0; i < 3; ++i) {
        t.Data.GotoBookmark(marks[static_cast<std::size_t>(i)]);
        EXPECT_EQ(t.Name->AsString(), names[i]);
        EXPECT_TRUE(t.Data.BookmarkValid(marks[static_cast<std::size_t>(i)]));
    }
    EXPECT_EQ(t.Data.CompareBookmarks(marks[0], marks[2]), -1);
    EXPECT_EQ(t.Data.CompareBookmarks(marks[2], marks[0]), 1);
    EXPECT_EQ(t.Data.CompareBookmarks(marks[1], marks[1]), 0);
    EXPECT_EQ(t.Data.CompareBookmarks(TBookmark(), marks[1]), 1);
}

TEST(MemData, DeletedRecordsBookmarkIsNotFound) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    TBookmark b = t.Data.GetBookmark();
    t.Data.Delete();
    EXPECT_FALSE(t.Data.BookmarkValid(b));
    try {
        t.Data.GotoBookmark(b);
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Bookmark not found");
    }
    EXPECT_EQ(t.Name->AsString(), "a");
}

TEST(MemData, CloseAndReopenEmptiesAndRestartsRecIds) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    t.Data.Close();
    t.Data.Open();
    EXPECT_EQ(t.Data.RecordCount(), 0);
    t.Add("c");
    EXPECT_EQ(t.Data.RecIdField()->AsInteger(), 1);
    EXPECT_EQ(IdOf(t.Data.GetBookmark()), 1);
}

TEST(MemData, RecNoOutsideTheRecordsLeavesTheCursor) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    t.Add("c");
    t.Data.First();
    EXPECT_EQ(t.Data.RecNo(), 1);
    t.Data.SetRecNo(2);
    EXPECT_EQ(t.Name->AsString(), "b");
    for (int bad : {0, -1, 4}) {
        t.Data.SetRecNo(bad);
        EXPECT_EQ(t.Name->AsString(), "b") << bad;
        EXPECT_EQ(t.Data.RecNo(), 2) << bad;
    }
    t.Data.Last();
    EXPECT_EQ(t.Data.RecNo(), 3);
}

TEST(MemData, ReadOnlyRefusesEditAndAppend) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Data.SetReadOnly(true);
    EXPECT_THROW(t.Data.Edit(), EDatabaseError);
    EXPECT_THROW(t.Data.Append(), EDatabaseError);
    EXPECT_THROW(t.Data.Delete(), EDatabaseError);
    EXPECT_EQ(t.Data.State(), dsBrowse);
    EXPECT_EQ(t.Names(), "a");
}

TEST(MemData, EditPostAndCancel) {
    TMemTable t;
    t.Data.Open();
    t.Add("a", 1);
    t.Add("b", 2);
    t.Data.First();
    t.Data.Edit();
    t.Name->SetAsString("x");
    t.Data.Cancel();
    EXPECT_EQ(t.Name->AsString(), "a");
    t.Data.Edit();
    t.Lesson->Clear();
    t.Data.Post();
    EXPECT_TRUE(t.Lesson->IsNull());
    EXPECT_EQ(t.Data.RecNo(), 1);
    t.Data.Next();
    EXPECT_EQ(t.Lesson->AsInteger(), 2);
    // writing outside the edit states is refused
    EXPECT_THROW(t.Name->SetAsString("y"), EDatabaseError);
}

TEST(MemData, LongStringsAreCutToTheFieldSize) {
    TMemTable t;
    t.Data.Open();
    t.Add(String(40, 'x'));
    EXPECT_EQ(t.Name->AsString(), String(30, 'x'));
}

TEST(MemData, ColumnBoundToAnOpenDataSetGetsOneNullPerRecord) {
    TMemTable t;
    t.Data.Open();
    t.Add("a");
    t.Add("b");
    t.Add("c");
    TIntegerField extra;
    extra.SetFieldName("Extra");
    TMemField* column = t.Data.MemFields().Add(&extra);
    ASSERT_EQ(column->Values.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(column->HasValue(i));
    EXPECT_EQ(t.Data.MemFields().RecordCount(), 3);
    t.Data.MemFields().RemoveField(&extra);
    EXPECT_EQ(t.Names(), "a,b,c");
}

TEST(MemData, EveryFieldTypeStoresAndReadsBack) {
    TMemData data;
    auto add = [&](TField* f, const char* name) {
        f->SetFieldName(name);
        f->SetDataSet(&data);
        return f;
    };
    auto* small = static_cast<TSmallintField*>(add(new TSmallintField(), "S"));
    auto* word = static_cast<TWordField*>(add(new TWordField(), "W"));
    auto* flag = static_cast<TBooleanField*>(add(new TBooleanField(), "B"));
    auto* real = static_cast<TFloatField*>(add(new TFloatField(), "F"));
    auto* money = static_cast<TBCDField*>(add(new TBCDField(), "M"));
    auto* day = static_cast<TDateField*>(add(new TDateField(), "D"));
    auto* time = static_cast<TTimeField*>(add(new TTimeField(), "T"));
    auto* moment = static_cast<TDateTimeField*>(add(new TDateTimeField(), "DT"));
    auto* counter = static_cast<TAutoIncField*>(add(new TAutoIncField(), "A"));
    data.Open();
    TDateTime when = EncodeDate(2024, 3, 7) + EncodeTime(14, 5, 9, 0);
    data.Append();
    small->SetAsInteger(-5);
    word->SetAsInteger(65535);
    flag->SetAsBoolean(true);
    real->SetAsFloat(2.5);
    money->SetAsCurrency(Currency{12345});
    day->SetAsDateTime(when);
    time->SetAsDateTime(when);
    moment->SetAsDateTime(when);
    data.Post();
    data.Append();
    data.Post();
    data.First();
    EXPECT_EQ(small->AsInteger(), -5);
    EXPECT_EQ(word->AsInteger(), 65535);
    EXPECT_TRUE(flag->AsBoolean());
    EXPECT_EQ(real->AsFloat(), 2.5);
    EXPECT_EQ(money->AsCurrency().Scaled, 12345);
    EXPECT_EQ(day->AsDateTime(), EncodeDate(2024, 3, 7));
    EXPECT_NEAR(time->AsDateTime(), EncodeTime(14, 5, 9, 0), 1e-9);
    EXPECT_NEAR(moment->AsDateTime(), when, 1e-9);
    EXPECT_EQ(counter->AsInteger(), 1);
    // a word of 65535 reads back through the variant conversion as 65535, not -1
    EXPECT_EQ(data.Lookup("W", 65535, "W").AsInteger(), 65535);
    EXPECT_EQ(data.Lookup("S", -5, "DT").AsDateTime(), when);
    data.Next();
    EXPECT_EQ(counter->AsInteger(), 2);
    EXPECT_TRUE(word->IsNull());
    EXPECT_EQ(data.FindRecordNo("W", 65535), 1);
    EXPECT_EQ(data.FindRecordNo("W", Null()), 2);
    EXPECT_EQ(data.FindRecordNo("W", 7), -1);
    EXPECT_EQ(data.FindRecordNo("Missing", 7), -1);
}

TEST(MemData, UnsupportedFieldTypeRefusesOpen) {
    TMemData data;
    TField* bytes = new TBytesField();
    bytes->SetFieldName("Raw");
    bytes->SetDataSet(&data);
    EXPECT_FALSE(data.IsSupportedFieldType(ftBytes));
    EXPECT_FALSE(data.IsSupportedFieldType(ftCursor));
    EXPECT_TRUE(data.IsSupportedFieldType(ftTypedBinary));
    try {
        data.Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Unsupported field type: Raw");
    }
    EXPECT_FALSE(data.Active());
}

TEST(MemData, InsertAndAppendRecordKeepPositions) {
    TMemTable t;
    t.Data.Open();
    t.Data.AppendRecord({Variant(), "a", 1});
    t.Data.AppendRecord({Variant(), "c", 3});
    t.Data.SetRecNo(2);
    t.Data.InsertRecord({Variant(), "b", 2});
    EXPECT_EQ(t.Name->AsString(), "b");
    EXPECT_EQ(t.Names(), "a,b,c");
    String ids;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next()) ids += t.Data.RecIdField()->AsString();
    EXPECT_EQ(ids, "132");
}

TEST(MemData, EventsAndNewRecordHandler) {
    TMemTable t;
    std::vector<String> log;
    t.Data.OnNewRecord = [&](TDataSet*) { log.push_back("new"); t.Lesson->SetAsInteger(9); };
    t.Data.AfterPost = [&](TDataSet*) { log.push_back("post"); };
    t.Data.Open();
    t.Data.Append();
    t.Name->SetAsString("a");
    t.Data.Post();
    EXPECT_EQ(t.Lesson->AsInteger(), 9);
    EXPECT_EQ((std::vector<String>{"new", "post"}), log);
}
