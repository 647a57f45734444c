#include <gtest/gtest.h>
#include "testing/ArrayDataSet.h"

namespace {

using Log = std::vector<String>;

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.FieldDefs().Add("Name", ftString, 10);
        ds.FieldDefs().Add("Qty", ftInteger);
        ds.AddRow({"a", "1"});
        ds.AddRow({"b", "2"});
        ds.AddRow({"c", "3"});
    }
    String Name() { return ds.FieldByName("name")->AsString(); }
    void OpenQuiet() {
        ds.Open();
        ds.Log.clear();
    }
    // A persistent field of the given class on the closed data set.
    template <class T>
    T* AddField(const String& name, TFieldKind kind = fkData, int size = 0) {
        auto* f = new T;
        f->SetFieldName(name);
        f->SetFieldKind(kind);
        if (size) f->SetSize(size);
        f->SetDataSet(&ds);
        return f;
    }
    TArrayDataSet ds;
};

TEST_F(DataSetTest, OpenAndCloseCallTheOperationsInOrder) {
    ds.Open();
    EXPECT_EQ(ds.Log, (Log{"BeforeOpen", "InternalOpen", "InternalInitFieldDefs", "AllocRecordBuffer",
                           "AllocRecordBuffer", "GetRecord(next)=OK", "AfterOpen", "AfterScroll"}));
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(Name(), "a");
    EXPECT_TRUE(ds.DefaultFields());
    EXPECT_EQ(ds.FieldByName("QTY")->DataType(), ftInteger);
    ds.Log.clear();
    ds.Close();
    EXPECT_EQ(ds.Log, (Log{"BeforeClose", "FreeRecordBuffer", "FreeRecordBuffer", "InternalClose", "AfterClose"}));
    EXPECT_EQ(ds.State(), dsInactive);
    EXPECT_EQ(ds.FieldCount(), 0);   // default fields go with the cursor
}

TEST_F(DataSetTest, FailedOpenClosesTheCursorAndStaysInactive) {
    ds.FailOpen = true;
    EXPECT_THROW(ds.Open(), EDatabaseError);
    EXPECT_EQ(ds.Log, (Log{"BeforeOpen", "InternalOpen", "InternalClose"}));
    EXPECT_FALSE(ds.Active());
}

TEST_F(DataSetTest, AppendAndPostStoreAtTheEnd) {
    OpenQuiet();
    ds.Append();
    EXPECT_EQ(ds.State(), dsInsert);
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.GetBookmark().empty());   // an unposted row has no bookmark
    ds.FieldByName("Name")->SetAsString("d");
    ds.Post();
    EXPECT_EQ(ds.Log, (Log{"BeforeInsert", "BeforeScroll", "InternalInitRecord", "InternalInsert", "OnNewRecord",
                           "AfterInsert", "AfterScroll", "BeforePost", "InternalLast", "InternalPost",
                           "GetRecord(current)=OK", "AfterPost"}));
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(Name(), "d");
    EXPECT_EQ(ds.Column("Name"), "a,b,c,d");
}

TEST_F(DataSetTest, InsertGoesBeforeTheCurrentRowAndCancelReturnsToIt) {
    OpenQuiet();
    ds.Next();
    ds.Insert();
    ds.FieldByName("Name")->SetAsString("x");
    ds.Cancel();
    EXPECT_EQ(Name(), "b");
    ds.Insert();
    ds.FieldByName("Name")->SetAsString("x");
    ds.Post();
    EXPECT_EQ(Name(), "x");
    EXPECT_EQ(ds.Column("Name"), "a,x,b,c");
    ds.Last();
    ds.Append();
    ds.Cancel();   // a cancelled append lands on the last record
    EXPECT_EQ(Name(), "c");
}

TEST_F(DataSetTest, EditAndCancelRestoreTheValue) {
    OpenQuiet();
    ds.Edit();
    EXPECT_EQ(ds.State(), dsEdit);
    ds.FieldByName("Qty")->SetText("99");
    EXPECT_TRUE(ds.Modified());
    EXPECT_EQ(ds.FieldByName("Qty")->AsInteger(), 99);
    ds.Cancel();
    EXPECT_EQ(ds.Log, (Log{"BeforeEdit", "InternalEdit", "AfterEdit", "BeforeCancel", "InternalCancel",
                           "GetRecord(current)=OK", "AfterCancel"}));
    EXPECT_EQ(ds.FieldByName("Qty")->AsInteger(), 1);
    EXPECT_FALSE(ds.Modified());
}

TEST_F(DataSetTest, EditThenPostReplacesTheRecord) {
    OpenQuiet();
    ds.Next();
    ds.Edit();
    ds.FieldByName("Qty")->SetAsInteger(20);
    ds.Next();   // moving on posts a modified row
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ds.Column("Qty"), "1,20,3");
}

TEST_F(DataSetTest, UnmodifiedInsertIsCancelledByMovingOn) {
    OpenQuiet();
    ds.OnNewRecord = [](TDataSet* d) { d->FieldByName("Qty")->SetAsInteger(7); };
    ds.Append();
    EXPECT_FALSE(ds.Modified());   // OnNewRecord's values are no user edit
    EXPECT_EQ(ds.FieldByName("Qty")->AsInteger(), 7);
    ds.First();
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST_F(DataSetTest, DeleteMovesToTheFollowingOrNewLastRecord) {
    OpenQuiet();
    ds.Delete();
    EXPECT_EQ(ds.Log, (Log{"BeforeDelete", "BeforeScroll", "InternalDelete", "GetRecord(current)=OK", "AfterDelete",
                           "AfterScroll"}));
    EXPECT_EQ(Name(), "b");
    ds.Last();
    ds.Delete();
    EXPECT_EQ(Name(), "b");
    ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Bof() && ds.Eof());
    try {
        ds.Delete();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Table: Cannot perform this operation on an empty dataset");
    }
}

TEST_F(DataSetTest, NavigationPastBothEnds) {
    OpenQuiet();
    ds.Next();
    ds.Next();
    EXPECT_FALSE(ds.Eof());   // on the last record, not past it
    ds.Log.clear();
    ds.Next();
    // the scroll event puts the cursor back on the active record
    EXPECT_EQ(ds.Log, (Log{"BeforeScroll", "GetRecord(next)=EOF", "InternalSetToRecord", "AfterScroll"}));
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(Name(), "c");
    ds.Log.clear();
    ds.Prior();
    EXPECT_EQ(ds.Log, (Log{"BeforeScroll", "GetRecord(prior)=OK", "AfterScroll"}));
    EXPECT_EQ(Name(), "b");
    EXPECT_FALSE(ds.Eof());
    ds.Prior();
    ds.Log.clear();
    EXPECT_EQ(ds.MoveBy(-1), 0);
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(Name(), "a");
    ds.Log.clear();
    EXPECT_EQ(ds.MoveBy(-1), 0);   // already at the beginning: nothing fetched
    EXPECT_EQ(ds.Log, (Log{"BeforeScroll"}));
}

// The ring's size must not change what the program sees.
TEST_F(DataSetTest, NavigationIsTheSameForEveryRingSize) {
    ds.AddRow({"d", "4"});
    ds.AddRow({"e", "5"});
    for (int ring : {1, 2, 3, 10}) {
        SCOPED_TRACE(ring);
        ds.SetBufferCount(ring);
        ds.Open();
        String forward;
        while (!ds.Eof()) {
            forward += Name();
            ds.Next();
        }
        EXPECT_EQ(forward, "abcde");
        String backward;
        ds.Last();
        while (!ds.Bof()) {
            backward += Name();
            ds.Prior();
        }
        EXPECT_EQ(backward, "edcba");
        ds.First();
        EXPECT_EQ(ds.MoveBy(3), 3);
        EXPECT_EQ(Name(), "d");
        EXPECT_EQ(ds.MoveBy(10), 1);
        EXPECT_TRUE(ds.Eof());
        EXPECT_EQ(ds.MoveBy(-2), -2);
        EXPECT_EQ(Name(), "c");
        TBookmark c = ds.GetBookmark();
        ds.Insert();
        ds.FieldByName("Name")->SetAsString("x");
        ds.Post();
        ds.First();
        ds.GotoBookmark(c);
        EXPECT_EQ(Name(), "c");
        ds.Prior();
        EXPECT_EQ(Name(), "x");
        ds.Delete();
        EXPECT_EQ(Name(), "c");
        ds.Close();
        EXPECT_EQ(ds.Rows.size(), 5u);
    }
}

TEST_F(DataSetTest, BookmarksReturnToTheirRecord) {
    OpenQuiet();
    ds.Next();
    TBookmark b = ds.GetBookmark();
    ASSERT_EQ(b.size(), 4u);
    ds.Last();
    ds.Log.clear();
    ds.GotoBookmark(b);
    EXPECT_EQ(ds.Log, (Log{"BeforeScroll", "InternalGotoBookmark", "GetRecord(current)=OK", "AfterScroll"}));
    EXPECT_EQ(Name(), "b");
    ds.First();
    TBookmark a = ds.Bookmark();
    EXPECT_LT(ds.CompareBookmarks(a, b), 0);
    EXPECT_GT(ds.CompareBookmarks(b, a), 0);
    EXPECT_TRUE(ds.BookmarkValid(b));
    ds.GotoBookmark(b);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(b));
    EXPECT_THROW(ds.GotoBookmark(b), EDatabaseError);
    ds.Log.clear();
    TBookmark none;
    ds.GotoBookmark(none);
    EXPECT_TRUE(ds.Log.empty());
    ds.FreeBookmark(a);
    EXPECT_TRUE(a.empty());
}

TEST_F(DataSetTest, AppendRecordAndInsertRecordGoThroughInternalAddRecord) {
    OpenQuiet();
    ds.AppendRecord({"d", 4});
    EXPECT_NE(std::find(ds.Log.begin(), ds.Log.end(), "InternalAddRecord(append)"), ds.Log.end());
    EXPECT_EQ(std::find(ds.Log.begin(), ds.Log.end(), "InternalPost"), ds.Log.end());
    EXPECT_EQ(Name(), "d");
    ds.First();
    ds.InsertRecord({"z", Null()});
    EXPECT_EQ(ds.Column("Name"), "z,a,b,c,d");
    EXPECT_EQ(ds.Column("Qty"), ",1,2,3,4");
    try {
        ds.AppendRecord({"e", 1, 2});
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Table: More fields specified than really exist");
    }
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(DataSetTest, StatesAndTheirEvents) {
    TEventRecorder rec;
    ds.AddDataEventListener(&rec);
    ds.Open();
    EXPECT_EQ(rec.Events, (std::vector<TDataEvent>{deUpdateState}));
    rec.Events.clear();
    ds.Edit();
    ds.FieldByName("Qty")->SetAsInteger(5);
    ds.Post();
    EXPECT_EQ(rec.Events, (std::vector<TDataEvent>{deCheckBrowseMode, deUpdateState, deRecordChange, deFieldChange,
                                                   deUpdateRecord, deCheckBrowseMode, deUpdateState,
                                                   deDataSetChange}));
    rec.Events.clear();
    ds.Next();
    EXPECT_EQ(rec.Events, (std::vector<TDataEvent>{deCheckBrowseMode, deDataSetScroll}));
    ds.RemoveDataEventListener(&rec);
}

TEST_F(DataSetTest, DisabledControlsHearOneChangeAtTheEnd) {
    OpenQuiet();
    TEventRecorder rec;
    ds.AddDataEventListener(&rec);
    int changes = 0;
    ds.FieldByName("Qty")->OnChange = [&](TField*) { ++changes; };
    ds.DisableControls();
    ds.DisableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    ds.Last();
    ds.Edit();
    ds.FieldByName("Qty")->SetAsInteger(8);
    EXPECT_TRUE(ds.Modified());   // still tracked while controls are disabled
    EXPECT_EQ(changes, 1);
    ds.EnableControls();
    EXPECT_TRUE(rec.Events.empty());
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(rec.Events, (std::vector<TDataEvent>{deUpdateState, deDataSetChange}));
    ds.EnableControls();   // never below zero
    EXPECT_FALSE(ds.ControlsDisabled());
    ds.Cancel();
    ds.RemoveDataEventListener(&rec);
}

TEST_F(DataSetTest, CalculatedFieldsAreComputedOnFetchAndAfterChanges) {
    ds.Open();
    ds.Close();
    // persistent fields: two data fields and a calculated one
    AddField<TStringField>("Name", fkData, 10);
    auto* qty = AddField<TIntegerField>("Qty");
    auto* twice = AddField<TIntegerField>("Twice", fkCalculated);
    int calcs = 0;
    ds.OnCalcFields = [&](TDataSet* d) {
        ++calcs;
        EXPECT_EQ(d->State(), dsCalcFields);
        if (!qty->IsNull()) twice->SetAsInteger(qty->AsInteger() * 2);
    };
    ds.Open();
    EXPECT_FALSE(ds.DefaultFields());
    EXPECT_EQ(twice->FieldNo(), -1);
    EXPECT_EQ(twice->AsInteger(), 2);
    ds.Next();
    EXPECT_EQ(twice->AsInteger(), 4);
    ds.Edit();
    qty->SetAsInteger(10);
    EXPECT_EQ(twice->AsInteger(), 20);   // AutoCalcFields
    ds.Cancel();
    EXPECT_EQ(twice->AsInteger(), 4);
    EXPECT_GE(calcs, 4);
    ds.Close();
    EXPECT_EQ(ds.FieldCount(), 3);   // persistent fields stay
    delete twice;
    EXPECT_EQ(ds.FieldCount(), 2);
}

TEST_F(DataSetTest, ErrorEventsChooseFailAbortOrRetry) {
    ds.Open();
    ds.FieldByName("Qty")->SetRequired(true);
    ds.Append();
    ds.FieldByName("Name")->SetAsString("d");
    try {
        ds.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'Qty' must have a value");
    }
    EXPECT_EQ(ds.State(), dsInsert);
    ds.OnPostError = [](TDataSet*, EDatabaseError&, TDataAction& action) { action = daAbort; };
    ds.Log.clear();
    ds.Post();
    EXPECT_EQ(ds.State(), dsInsert);   // aborted silently, no After event
    EXPECT_EQ(std::find(ds.Log.begin(), ds.Log.end(), "AfterPost"), ds.Log.end());
    ds.OnPostError = [](TDataSet* d, EDatabaseError&, TDataAction& action) {
        d->FieldByName("Qty")->SetAsInteger(4);
        action = daRetry;
    };
    ds.Post();
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(ds.Column("Qty"), "1,2,3,4");
}

TEST_F(DataSetTest, FilterRecordRunsInFilterStateAndSkipsRecords) {
    ds.Open();
    ds.SetOnFilterRecord([](TDataSet* d, bool& accept) {
        EXPECT_EQ(d->State(), dsFilter);
        accept = d->FieldByName("Name")->AsString() != "b";
    });
    ds.SetFiltered(true);
    EXPECT_EQ(ds.Column("Name"), "a,c");
}

TEST_F(DataSetTest, PlatformErrorMessages) {
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* message;
    };
    const Case cases[] = {
        {"closed next", [&] { ds.Next(); }, "Table: Cannot perform this operation on a closed dataset"},
        {"closed edit", [&] { ds.Edit(); }, "Table: Cannot perform this operation on a closed dataset"},
        {"post in browse", [&] { ds.Open(); ds.Post(); }, "Table: Dataset not in edit or insert mode"},
        {"write in browse", [&] { ds.FieldByName("Qty")->SetAsInteger(1); }, "Table: Dataset not in edit or insert mode"},
        {"unknown field", [&] { ds.FieldByName("Price"); }, "Table: Field 'Price' not found"},
        {"unknown in list", [&] { std::vector<TField*> l; ds.GetFieldList(l, "Name;Price"); }, "Table: Field 'Price' not found"},
        {"read-only field", [&] { ds.FieldByName("Name")->SetReadOnly(true); ds.Edit(); ds.FieldByName("Name")->SetAsString("q"); },
         "Field 'Name' cannot be modified"},
        {"read-only set", [&] { ds.Cancel(); ds.ReadOnlySet = true; ds.Append(); }, "Table: Cannot modify a read-only dataset"},
        {"open set", [&] { ds.FieldByName("Qty")->SetSize(3); }, "Table: Cannot perform this operation on an open dataset"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.act();
            ADD_FAILURE() << "no error";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST_F(DataSetTest, GetFieldListKeepsTheListOrder) {
    ds.Open();
    std::vector<TField*> list;
    ds.GetFieldList(list, "qty; NAME");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->FieldName(), "Qty");
    EXPECT_EQ(list[1]->FieldName(), "Name");
    EXPECT_EQ(ds.FindField("nothing"), nullptr);
    Variant v = ds.FieldValues("Name;Qty");
    ASSERT_TRUE(v.IsArray());
    EXPECT_EQ(v[0].AsString(), "a");
    EXPECT_EQ(v[1].AsInteger(), 1);
    EXPECT_EQ(ds.RecNo(), 1);
    ds.Last();
    EXPECT_EQ(ds.RecNo(), 3);
}

TEST_F(DataSetTest, EditOnAnEmptySetInserts) {
    ds.Rows.clear();
    OpenQuiet();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Bof() && ds.Eof());
    ds.Edit();
    EXPECT_EQ(ds.State(), dsInsert);
    ds.Cancel();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(ds.State(), dsBrowse);
}

TEST_F(DataSetTest, FailingOnNewRecordReturnsToBrowsing) {
    OpenQuiet();
    ds.Next();
    ds.OnNewRecord = [](TDataSet*) { throw EDatabaseError("no"); };
    EXPECT_THROW(ds.Insert(), EDatabaseError);
    EXPECT_EQ(ds.State(), dsBrowse);
    EXPECT_EQ(Name(), "b");
    EXPECT_EQ(ds.Rows.size(), 3u);
}

TEST_F(DataSetTest, RefreshRereadsTheCurrentRecord) {
    OpenQuiet();
    ds.Next();
    ds.Rows[1].Data[1] = 'B';   // the storage changes under the cursor
    ds.Log.clear();
    ds.Refresh();
    EXPECT_EQ(ds.Log, (Log{"GetRecord(current)=OK"}));
    EXPECT_EQ(Name(), "B");
}

TEST_F(DataSetTest, ClearFieldsEmptiesTheEditedRecord) {
    OpenQuiet();
    EXPECT_THROW(ds.ClearFields(), EDatabaseError);
    ds.Edit();
    ds.ClearFields();
    EXPECT_TRUE(ds.FieldByName("Name")->IsNull());
    EXPECT_TRUE(ds.FieldByName("Qty")->IsNull());
    ds.Cancel();
    EXPECT_EQ(Name(), "a");
}

// A lookup source that answers from a fixed table.
class TCodeTable : public TArrayDataSet {
public:
    Variant Lookup(const String& keyFields, const Variant& keyValues, const String& resultFields) override {
        LastKeys = keyFields + "=" + keyValues.AsString() + "->" + resultFields;
        if (keyValues == Variant(1)) return Variant("one");
        if (keyValues == Variant(2)) return Variant("two");
        return Null();
    }
    String LastKeys;
};

TEST_F(DataSetTest, LookupFieldsTakeTheirValueFromTheLookupDataSet) {
    TCodeTable codes;
    codes.FieldDefs().Add("Code", ftInteger);
    codes.Open();
    AddField<TStringField>("Name", fkData, 10);
    AddField<TIntegerField>("Qty");
    auto* word = AddField<TStringField>("Word", fkLookup);
    word->SetLookupDataSet(&codes);
    word->KeyFields = "Qty";
    word->LookupKeyFields = "Code";
    word->LookupResultField = "Text";
    ds.Open();
    EXPECT_EQ(word->AsString(), "one");
    EXPECT_EQ(codes.LastKeys, "Code=1->Text");
    ds.Next();
    EXPECT_EQ(word->AsString(), "two");
    ds.Next();
    EXPECT_TRUE(word->IsNull());
}

}  // namespace
