#include "memdata/MemBlobStream.h"
#include <gtest/gtest.h>
#include "memdata/testing/MemTable.h"

namespace {

struct Notes : TMemTable {
    TMemoField* Memo = new TMemoField();
    Notes() {
        Memo->SetFieldName("Memo");
        Memo->SetDataSet(&Data);
        Data.Open();
    }
    String Read() {
        auto s = Data.CreateBlobStream(Memo, bmRead);
        String r(static_cast<std::size_t>(s->Size()), '\0');
        s->Read(r.data(), static_cast<int>(r.size()));
        return r;
    }
};

}  // namespace

TEST(MemBlobStream, WriteSeekAndReadBack) {
    Notes t;
    t.Data.Append();
    t.Name->SetAsString("a");
    {
        auto s = t.Data.CreateBlobStream(t.Memo, bmWrite);
        EXPECT_EQ(s->Write("abc", 3), 3);
        char buf[8] = {};
        EXPECT_EQ(s->Seek(0, 0), 0);
        EXPECT_EQ(s->Read(buf, 8), 3);
        EXPECT_STREQ(buf, "abc");
        EXPECT_EQ(s->Read(buf, 8), 0);   // at the end nothing more
        EXPECT_EQ(s->Seek(0, 2), 3);
        EXPECT_EQ(s->Write("de", 2), 2);
        EXPECT_EQ(s->Size(), 5);
    }
    t.Data.Post();
    EXPECT_EQ(t.Read(), "abcde");
    EXPECT_FALSE(t.Memo->IsNull());
    t.Add("b");
    EXPECT_TRUE(t.Memo->IsNull());
    t.Data.First();
    EXPECT_EQ(t.Memo->AsString(), "abcde");
}

TEST(MemBlobStream, WritingNeedsEditModeAndCancelRestores) {
    Notes t;
    t.Add("a");
    t.Data.Edit();
    t.Memo->SetAsString("kept");
    t.Data.Post();
    try {
        t.Data.CreateBlobStream(t.Memo, bmWrite);
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_NE(String(e.what()).find("Dataset not in edit or insert mode"), String::npos);
    }
    t.Data.Edit();
    t.Memo->SetAsString("dropped");
    EXPECT_EQ(t.Memo->AsString(), "dropped");
    t.Data.Cancel();
    EXPECT_EQ(t.Memo->AsString(), "kept");
    t.Memo->SetReadOnly(true);
    t.Data.Edit();
    EXPECT_THROW(t.Data.CreateBlobStream(t.Memo, bmWrite), EDatabaseError);
    t.Data.Cancel();
}

TEST(MemBlobStream, BlobsFollowTheirRecordsThroughSortAndDelete) {
    Notes t;
    for (const char* n : {"c", "a", "b"}) {
        t.Data.Append();
        t.Name->SetAsString(n);
        t.Memo->SetAsString(String("memo ") + n);
        t.Data.Post();
    }
    t.Data.SetSortedField("Name");
    String memos;
    for (t.Data.First(); !t.Data.Eof(); t.Data.Next()) memos += t.Memo->AsString() + ";";
    EXPECT_EQ(memos, "memo a;memo b;memo c;");
    t.Data.First();
    t.Data.Delete();
    EXPECT_EQ(t.Memo->AsString(), "memo b");
    // blobs are not written to the delimited files
    EXPECT_EQ(t.Data.MemFields().Count(), 3);
}
