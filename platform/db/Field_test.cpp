#include <gtest/gtest.h>
#include <cstring>
#include "testing/ArrayDataSet.h"

namespace {

// One field of the given type in an open data set, in insert state.
class FieldTest : public ::testing::Test {
protected:
    TField* Make(TFieldType type, int size = 0) {
        ds.FieldDefs().Add("F", type, size);
        ds.Open();
        ds.Append();
        return ds.FieldByName("F");
    }
    TArrayDataSet ds;
};

struct TextCase {
    TFieldType type;
    int size;
    const char* text;       // assigned to Text
    const char* edit;       // Text read back
    const char* display;    // DisplayText read back
};

TEST_F(FieldTest, TextRoundTripsForEveryType) {
    const TextCase cases[] = {
        {ftString, 5, "abcdefg", "abcde", "abcde"},            // cut to Size
        {ftSmallint, 0, "-32768", "-32768", "-32768"},
        {ftInteger, 0, " 42 ", "42", "42"},
        {ftWord, 0, "65535", "65535", "65535"},
        {ftAutoInc, 0, "7", "7", "7"},
        {ftBoolean, 0, "t", "True", "True"},
        {ftBoolean, 0, "FALSE", "False", "False"},
        {ftFloat, 0, "1.25", "1.25", "1.25"},
        {ftFloat, 0, "-1e20", "-1e+20", "-1e+20"},
        {ftCurrency, 0, "1234.5", "1234.50", "$1,234.50"},
        {ftCurrency, 0, "-2", "-2.00", "($2.00)"},
        {ftBCD, 4, "12.3456", "12.3456", "12.3456"},
        {ftDate, 0, "3/7/2024", "3/7/2024", "3/7/2024"},
        {ftDate, 0, "02/29/2000", "2/29/2000", "2/29/2000"},
        {ftTime, 0, "2:05:09 PM", "2:05:09 PM", "2:05:09 PM"},
        {ftTime, 0, "0:00:01", "12:00:01 AM", "12:00:01 AM"},
        {ftDateTime, 0, "12/31/1999 11:59:59 PM", "12/31/1999 11:59:59 PM", "12/31/1999 11:59:59 PM"},
        {ftDateTime, 0, "1/1/1800 12:00:00 PM", "1/1/1800 12:00:00 PM", "1/1/1800 12:00:00 PM"},
        {ftDateTime, 0, "7/4/2021", "7/4/2021", "7/4/2021"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(String(FieldTypeName(c.type)) + " " + c.text);
        TArrayDataSet table;
        table.FieldDefs().Add("F", c.type, c.size);
        table.Open();
        table.Append();
        TField* f = table.FieldByName("F");
        f->SetText(c.text);
        table.Post();
        table.First();
        f = table.FieldByName("F");
        EXPECT_EQ(f->Text(), c.edit);
        EXPECT_EQ(f->DisplayText(), c.display);
        // the edit text reads back to the same value
        table.Edit();
        f->SetText(f->Text());
        EXPECT_EQ(f->Text(), c.edit);
        table.Cancel();
        // empty text clears the field; a string field keeps an empty string
        table.Edit();
        f->SetText("");
        EXPECT_EQ(f->IsNull(), c.type != ftString);
        EXPECT_EQ(f->Text(), "");
        EXPECT_EQ(VarIsNull(f->Value()), c.type != ftString);
        table.Cancel();
    }
}

TEST_F(FieldTest, DataSizesAndNativeForms) {
    struct SizeCase { TFieldType type; int size; int dataSize; };
    const SizeCase sizes[] = {{ftString, 10, 11}, {ftSmallint, 0, 2}, {ftInteger, 0, 4}, {ftWord, 0, 2},
                              {ftAutoInc, 0, 4}, {ftBoolean, 0, 2}, {ftFloat, 0, 8}, {ftCurrency, 0, 8},
                              {ftBCD, 4, 8}, {ftDate, 0, 4}, {ftTime, 0, 4}, {ftDateTime, 0, 8}, {ftBlob, 0, 0},
                              {ftMemo, 0, 0}, {ftGraphic, 0, 0}, {ftFmtMemo, 0, 0}, {ftTypedBinary, 0, 0}};
    for (const SizeCase& c : sizes) {
        TArrayDataSet table;
        table.FieldDefs().Add("F", c.type, c.size);
        table.Open();
        EXPECT_EQ(table.FieldByName("F")->DataSize(), c.dataSize) << FieldTypeName(c.type);
        EXPECT_EQ(table.FieldByName("F")->DataType(), c.type);
        EXPECT_EQ(table.FieldByName("F")->IsBlob(), c.dataSize == 0);
    }
    // dates and times are stored as the time stamp's parts
    TField* f = Make(ftDateTime);
    TDateTime moment = EncodeDate(2024, 3, 7) + EncodeTime(14, 5, 9, 250);
    f->SetAsDateTime(moment);
    double ms;
    ASSERT_TRUE(f->GetData(&ms));
    EXPECT_EQ(ms, TimeStampToMSecs(DateTimeToTimeStamp(moment)));
    EXPECT_DOUBLE_EQ(f->AsDateTime(), moment);
    EXPECT_EQ(f->AsString(), "3/7/2024 2:05:09 PM");
}

TEST_F(FieldTest, DateAndTimeFieldsKeepTheirPart) {
    ds.FieldDefs().Add("D", ftDate);
    ds.FieldDefs().Add("T", ftTime);
    ds.Open();
    ds.Append();
    TDateTime moment = EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 0);
    ds.FieldByName("D")->SetAsDateTime(moment);
    ds.FieldByName("T")->SetAsDateTime(moment);
    std::int32_t day, msecs;
    ASSERT_TRUE(ds.FieldByName("D")->GetData(&day));
    ASSERT_TRUE(ds.FieldByName("T")->GetData(&msecs));
    EXPECT_EQ(day, DateTimeToTimeStamp(moment).Date);
    EXPECT_EQ(msecs, 86399000);
    EXPECT_EQ(ds.FieldByName("D")->AsDateTime(), EncodeDate(1999, 12, 31));
    EXPECT_EQ(ds.FieldByName("T")->AsDateTime(), EncodeTime(23, 59, 59, 0));
    EXPECT_EQ(VarType(ds.FieldByName("D")->Value()), varDate);
}

TEST_F(FieldTest, TextThatDoesNotConvertRaisesTheConversionError) {
    struct BadCase { TFieldType type; const char* text; const char* message; bool database; };
    const BadCase cases[] = {
        {ftInteger, "abc", "'abc' is not a valid integer value for field 'F'", true},
        {ftInteger, "3000000000", "'3000000000' is not a valid integer value for field 'F'", true},
        {ftSmallint, "40000", "40000 is not a valid value for field 'F'. The allowed range is -32768 to 32767", true},
        {ftWord, "-1", "-1 is not a valid value for field 'F'. The allowed range is 0 to 65535", true},
        {ftBoolean, "maybe", "'maybe' is not a valid boolean value for field 'F'", true},
        {ftBoolean, "truest", "'truest' is not a valid boolean value for field 'F'", true},
        {ftFloat, "1,5", "'1,5' is not a valid floating point value for field 'F'", false},
        {ftFloat, "nan", "'nan' is not a valid floating point value for field 'F'", false},
        {ftBCD, "x", "'x' is not a valid floating point value for field 'F'", false},
        {ftDate, "2024-03-07", "'2024-03-07' is not a valid date", false},
        {ftDate, "2/30/2024", "'2/30/2024' is not a valid date", false},
        {ftTime, "25:00", "'25:00' is not a valid time", false},
        {ftDateTime, "3/7/2024 x", "'3/7/2024 x' is not a valid date and time", false},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        TArrayDataSet table;
        table.FieldDefs().Add("F", c.type);
        table.Open();
        table.Append();
        TField* f = table.FieldByName("F");
        f->SetText("");
        try {
            f->SetText(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(c.database);
            EXPECT_EQ(e.Message(), c.message);
        } catch (const EConvertError& e) {
            EXPECT_FALSE(c.database);
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_TRUE(f->IsNull());   // nothing stored
    }
}

TEST_F(FieldTest, AsTypesConvertOrRaiseTheAccessError) {
    TField* f = Make(ftString, 20);
    f->SetAsInteger(12);
    EXPECT_EQ(f->AsString(), "12");
    EXPECT_EQ(f->AsFloat(), 12.0);
    f->SetAsBoolean(true);
    EXPECT_EQ(f->AsString(), "T");
    EXPECT_TRUE(f->AsBoolean());
    f->SetAsString("yes");
    EXPECT_TRUE(f->AsBoolean());
    f->SetAsString("abc");
    EXPECT_THROW(f->AsInteger(), EConvertError);
    ds.Cancel();
    ds.Close();
    ds.FieldDefs().Clear();

    TField* b = Make(ftBoolean);
    try {
        b->AsDateTime();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Cannot access field 'F' as type DateTime");
    }
    b->SetValue(Variant(true));
    EXPECT_EQ(b->Value(), Variant(true));
    b->SetValue(Null());
    EXPECT_TRUE(b->IsNull());
    EXPECT_FALSE(b->AsBoolean());
    try {
        b->SetValue(Variant("perhaps"));
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Invalid value for field 'F'");
    }
}

TEST_F(FieldTest, NumericValuesAndRanges) {
    ds.FieldDefs().Add("W", ftWord);
    ds.FieldDefs().Add("I", ftInteger);
    ds.FieldDefs().Add("C", ftCurrency);
    ds.FieldDefs().Add("B", ftBCD, 4);
    ds.Open();
    ds.Append();
    TField* w = ds.FieldByName("W");
    w->SetAsInteger(65535);
    EXPECT_EQ(w->AsInteger(), 65535);   // unsigned, not -1
    EXPECT_EQ(w->Value().AsInteger(), 65535);
    auto* i = static_cast<TIntegerField*>(ds.FieldByName("I"));
    i->MinValue = 1;
    i->MaxValue = 10;
    EXPECT_THROW(i->SetAsInteger(11), EDatabaseError);
    i->SetAsFloat(2.5);
    EXPECT_EQ(i->AsInteger(), 2);   // half to even
    ds.FieldByName("C")->SetAsCurrency(Currency{12345});
    EXPECT_DOUBLE_EQ(ds.FieldByName("C")->AsFloat(), 1.2345);
    ds.FieldByName("B")->SetAsFloat(0.1 + 0.2);
    EXPECT_EQ(ds.FieldByName("B")->AsCurrency().Scaled, 3000);
    EXPECT_EQ(ds.FieldByName("B")->AsString(), "0.3");
    EXPECT_EQ(VarType(ds.FieldByName("B")->Value()), varCurrency);
}

TEST_F(FieldTest, TextHandlersReplaceTheConversion) {
    TField* f = Make(ftInteger);
    f->OnSetText = [](TField* s, const String& text) { s->SetAsInteger(text == "one" ? 1 : 0); };
    f->OnGetText = [](TField* s, String& text, bool display) { text = display ? String("#") : String(); text += s->AsString(); };
    f->SetText("one");
    EXPECT_EQ(f->AsInteger(), 1);
    EXPECT_EQ(f->Text(), "1");
    EXPECT_EQ(f->DisplayText(), "#1");
    EXPECT_EQ(f->AsString(), "1");   // AsString is the plain conversion
}

TEST_F(FieldTest, ValidateSeesTheValueBeingWritten) {
    TField* f = Make(ftInteger);
    int seen = 0;
    f->OnValidate = [&](TField* s) {
        seen = s->AsInteger();
        if (seen < 0) DatabaseError("negative");
    };
    f->SetAsInteger(5);
    EXPECT_EQ(seen, 5);
    EXPECT_THROW(f->SetAsInteger(-1), EDatabaseError);
    f->OnValidate = nullptr;
    EXPECT_EQ(f->AsInteger(), 5);
}

TEST_F(FieldTest, BlobFieldsGoThroughTheBlobStream) {
    ds.FieldDefs().Add("M", ftMemo);
    ds.FieldDefs().Add("G", ftGraphic);
    ds.Open();
    ds.Append();
    auto* m = static_cast<TBlobField*>(ds.FieldByName("M"));
    EXPECT_EQ(m->Text(), "(Memo)");
    m->SetAsString("hello");
    EXPECT_TRUE(m->Modified());
    EXPECT_EQ(m->AsString(), "hello");
    EXPECT_EQ(m->Text(), "(MEMO)");
    EXPECT_EQ(ds.FieldByName("G")->DisplayText(), "(Graphic)");
    ds.Post();
    EXPECT_FALSE(m->Modified());
    EXPECT_EQ(m->AsString(), "hello");
    EXPECT_EQ(m->Offset(), 0);
    EXPECT_EQ(ds.FieldByName("G")->Offset(), 1);
    EXPECT_EQ(ds.BlobFieldCount(), 2);
    try {
        m->SetAsString("x");   // browsing: the stream refuses to write
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Table: Dataset not in edit or insert mode");
    }
    ds.Edit();
    m->Clear();
    EXPECT_TRUE(m->IsNull());
    ds.Cancel();
    EXPECT_EQ(m->AsString(), "hello");
}

}  // namespace
