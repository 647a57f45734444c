#pragma once
// A small data set over an array of records, for the tests: it records the order in which the
// data set calls its operations, so that tests can hold them to the library's order.
#include <algorithm>
#include <cstring>
#include "platform/db/DB.h"
#include "platform/db/DBConsts.h"

class TArrayDataSet : public TDataSet {
public:
    struct Row {
        std::int32_t Id = 0;
        std::vector<char> Data;
        std::vector<String> Blobs;
    };

    std::vector<String> Log;           // operations and events, in call order
    std::vector<Row> Rows;             // kept across Close, as a table would be
    bool FailOpen = false;
    bool ReadOnlySet = false;

    TArrayDataSet() {
        SetName("Table");
        BeforeOpen = [this](TDataSet*) { Log.push_back("BeforeOpen"); };
        AfterOpen = [this](TDataSet*) { Log.push_back("AfterOpen"); };
        BeforeClose = [this](TDataSet*) { Log.push_back("BeforeClose"); };
        AfterClose = [this](TDataSet*) { Log.push_back("AfterClose"); };
        BeforeInsert = [this](TDataSet*) { Log.push_back("BeforeInsert"); };
        AfterInsert = [this](TDataSet*) { Log.push_back("AfterInsert"); };
        BeforeEdit = [this](TDataSet*) { Log.push_back("BeforeEdit"); };
        AfterEdit = [this](TDataSet*) { Log.push_back("AfterEdit"); };
        BeforePost = [this](TDataSet*) { Log.push_back("BeforePost"); };
        AfterPost = [this](TDataSet*) { Log.push_back("AfterPost"); };
        BeforeCancel = [this](TDataSet*) { Log.push_back("BeforeCancel"); };
        AfterCancel = [this](TDataSet*) { Log.push_back("AfterCancel"); };
        BeforeDelete = [this](TDataSet*) { Log.push_back("BeforeDelete"); };
        AfterDelete = [this](TDataSet*) { Log.push_back("AfterDelete"); };
        BeforeScroll = [this](TDataSet*) { Log.push_back("BeforeScroll"); };
        AfterScroll = [this](TDataSet*) { Log.push_back("AfterScroll"); };
        OnNewRecord = [this](TDataSet*) { Log.push_back("OnNewRecord"); };
    }
    ~TArrayDataSet() override { CloseForDestroy(); }

    // Appends a stored row with the given field texts (by field order) while closed.
    void AddRow(std::initializer_list<String> texts) {
        bool wasActive = Active();
        if (!wasActive) Open();
        Append();
        int i = 0;
        for (const String& t : texts) Fields(i++)->SetText(t);
        Post();
        if (!wasActive) Close();
        Log.clear();
    }
    // The values of one field over all records, in cursor order, leaving the cursor at the end.
    String Column(const String& fieldName) {
        String r;
        First();
        for (bool first = true; !Eof(); first = false) {
            if (!first) r += ",";
            r += FieldByName(fieldName)->AsString();
            Next();
        }
        return r;
    }
    using TDataSet::ActiveBuffer;
    using TDataSet::BufferRecordCount;

protected:
    struct Buffer {
        std::vector<char> Data;        // field area, then the calculated fields
        std::vector<String> Blobs;
        std::int32_t Id = 0;
        TBookmarkFlag Flag = bfCurrent;
    };
    static Buffer* B(TRecordBuffer b) { return reinterpret_cast<Buffer*>(b); }

    TRecordBuffer AllocRecordBuffer() override {
        Log.push_back("AllocRecordBuffer");
        Buffer* b = new Buffer;
        b->Data.assign(static_cast<std::size_t>(FRecordSize + CalcFieldsSize()), '\0');
        b->Blobs.resize(static_cast<std::size_t>(BlobFieldCount()));
        return reinterpret_cast<TRecordBuffer>(b);
    }
    void FreeRecordBuffer(TRecordBuffer& buffer) override {
        Log.push_back("FreeRecordBuffer");
        delete B(buffer);
        buffer = nullptr;
    }
    int Count() const { return static_cast<int>(Rows.size()); }

    TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool doCheck) override {
        TGetResult r = Fetch(buffer, mode);
        static const char* modes[] = {"current", "next", "prior"};
        static const char* results[] = {"OK", "BOF", "EOF", "Error"};
        Log.push_back(String("GetRecord(") + modes[mode] + ")=" + results[r]);
        if (r == grOK) GetCalcFields(buffer);
        if (r == grError && doCheck) DatabaseError("No current record", Name());
        return r;
    }
    TGetResult Fetch(TRecordBuffer buffer, TGetMode mode) {
        for (;;) {
            switch (mode) {
            case gmCurrent:
                if (FCur < 0 || FCur >= Count()) return grError;
                break;
            case gmNext:
                if (FCur >= Count() - 1) { FCur = Count(); return grEOF; }
                ++FCur;
                break;
            case gmPrior:
                if (FCur > Count()) FCur = Count();
                if (FCur <= 0) { FCur = -1; return grBOF; }
                --FCur;
                break;
            }
            Buffer* b = B(buffer);
            const Row& row = Rows[static_cast<std::size_t>(FCur)];
            std::copy(row.Data.begin(), row.Data.end(), b->Data.begin());
            b->Blobs = row.Blobs;
            b->Id = row.Id;
            b->Flag = bfCurrent;
            if (!Accepts(buffer)) {
                if (mode == gmCurrent) return grError;
                continue;
            }
            return grOK;
        }
    }
    bool Accepts(TRecordBuffer buffer) {
        if (!Filtered() || !OnFilterRecord()) return true;
        FFilterBuffer = buffer;
        TDataSetState old = SetTempState(dsFilter);
        bool accept = true;
        try {
            OnFilterRecord()(this, accept);
        } catch (...) {
            RestoreState(old);
            throw;
        }
        RestoreState(old);
        return accept;
    }
    int GetRecordSize() override { return FRecordSize; }
    void InternalInitRecord(TRecordBuffer buffer) override {
        Log.push_back("InternalInitRecord");
        std::fill(B(buffer)->Data.begin(), B(buffer)->Data.end(), '\0');
        for (String& s : B(buffer)->Blobs) s.clear();
    }
    void ClearCalcFields(TRecordBuffer buffer) override {
        std::fill(B(buffer)->Data.begin() + FRecordSize, B(buffer)->Data.end(), '\0');
    }
    void GetBookmarkData(TRecordBuffer buffer, void* data) override { std::memcpy(data, &B(buffer)->Id, 4); }
    void SetBookmarkData(TRecordBuffer buffer, const void* data) override { std::memcpy(&B(buffer)->Id, data, 4); }
    TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override { return B(buffer)->Flag; }
    void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) override { B(buffer)->Flag = value; }

    void InternalOpen() override {
        Log.push_back("InternalOpen");
        if (FailOpen) DatabaseError("cannot open", Name());
        InternalInitFieldDefs();
        if (DefaultFields()) CreateFields();
        BindFields(true);
        FOffsets.assign(static_cast<std::size_t>(FieldDefs().Count()) + 1, -1);
        FRecordSize = 0;
        for (int i = 0; i < FieldCount(); ++i) {
            TField* f = Fields(i);
            if (f->FieldNo() > 0 && !f->IsBlob()) {
                FOffsets[static_cast<std::size_t>(f->FieldNo())] = FRecordSize;
                FRecordSize += f->DataSize() + 1;
            }
        }
        for (Row& row : Rows) row.Data.resize(static_cast<std::size_t>(FRecordSize));
        SetBookmarkSize(4);
        FCur = -1;
        FOpen = true;
    }
    void InternalClose() override {
        Log.push_back("InternalClose");
        BindFields(false);
        if (DefaultFields()) DestroyFields();
        FOpen = false;
    }
    bool IsCursorOpen() override { return FOpen; }
    void InternalInitFieldDefs() override {
        Log.push_back("InternalInitFieldDefs");
        InitFieldDefsFromFields();
    }
    void InternalFirst() override { Log.push_back("InternalFirst"); FCur = -1; }
    void InternalLast() override { Log.push_back("InternalLast"); FCur = Count(); }
    int IndexOfId(std::int32_t id) const {
        for (int i = 0; i < Count(); ++i)
            if (Rows[static_cast<std::size_t>(i)].Id == id) return i;
        return -1;
    }
    void InternalGotoBookmark(const void* bookmark) override {
        Log.push_back("InternalGotoBookmark");
        std::int32_t id;
        std::memcpy(&id, bookmark, 4);
        int i = IndexOfId(id);
        if (i < 0) DatabaseError("Bookmark not found", Name());
        FCur = i;
    }
    void InternalSetToRecord(TRecordBuffer buffer) override {
        Log.push_back("InternalSetToRecord");
        int i = IndexOfId(B(buffer)->Id);
        if (i >= 0) FCur = i;
    }
    Row RowOf(TRecordBuffer buffer) {
        Row row;
        row.Data.assign(B(buffer)->Data.begin(), B(buffer)->Data.begin() + FRecordSize);
        row.Blobs = B(buffer)->Blobs;
        return row;
    }
    void InternalAddRecord(TRecordBuffer buffer, bool append) override {
        Log.push_back(append ? "InternalAddRecord(append)" : "InternalAddRecord(insert)");
        Row row = RowOf(buffer);
        row.Id = ++FLastId;
        int at = append ? Count() : std::max(FCur, 0);
        Rows.insert(Rows.begin() + at, row);
        FCur = at;
    }
    void InternalPost() override {
        TDataSet::InternalPost();
        Log.push_back("InternalPost");
        if (State() == dsEdit) {
            Row row = RowOf(ActiveBuffer());
            row.Id = Rows[static_cast<std::size_t>(FCur)].Id;
            Rows[static_cast<std::size_t>(FCur)] = row;
            return;
        }
        Row row = RowOf(ActiveBuffer());
        row.Id = ++FLastId;
        int at = GetBookmarkFlag(ActiveBuffer()) == bfEOF ? Count() : std::clamp(FCur, 0, Count());
        Rows.insert(Rows.begin() + at, row);
        FCur = at;
    }
    void InternalDelete() override {
        Log.push_back("InternalDelete");
        Rows.erase(Rows.begin() + FCur);
        if (FCur >= Count()) FCur = Count() - 1;
    }
    void InternalEdit() override { Log.push_back("InternalEdit"); }
    void InternalInsert() override { Log.push_back("InternalInsert"); }
    void InternalCancel() override { Log.push_back("InternalCancel"); }
    bool GetCanModify() override { return !ReadOnlySet; }
    int GetRecordCount() override { return Active() ? Count() : 0; }
    int GetRecNo() override {
        UpdateCursorPos();
        return IsEmpty() || State() == dsInsert ? 0 : IndexOfId(B(ActiveBuffer())->Id) + 1;
    }
public:
    bool BookmarkValid(const TBookmark& bookmark) override {
        std::int32_t id;
        if (bookmark.size() != 4) return false;
        std::memcpy(&id, bookmark.data(), 4);
        return IndexOfId(id) >= 0;
    }
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) override {
        if (a.empty() || b.empty()) return 0;
        std::int32_t x, y;
        std::memcpy(&x, a.data(), 4);
        std::memcpy(&y, b.data(), 4);
        int i = IndexOfId(x), j = IndexOfId(y);
        return i < j ? -1 : i > j ? 1 : 0;
    }

protected:
    TRecordBuffer BufferForState() {
        switch (State()) {
        case dsCalcFields: return CalcBuffer();
        case dsFilter: return FFilterBuffer;
        case dsBrowse: return IsEmpty() ? nullptr : ActiveBuffer();
        default: return ActiveBuffer();
        }
    }
    char* Slot(TField* field, TRecordBuffer buffer) {
        int offset = field->FieldNo() > 0 ? FOffsets[static_cast<std::size_t>(field->FieldNo())]
                                          : FRecordSize + field->Offset();
        return B(buffer)->Data.data() + offset;
    }
public:
    using TDataSet::GetFieldData;
    using TDataSet::SetFieldData;
    bool GetFieldData(TField* field, void* data) override {
        TRecordBuffer buffer = BufferForState();
        if (!buffer) return false;
        if (field->IsBlob()) return !B(buffer)->Blobs[static_cast<std::size_t>(field->Offset())].empty();
        char* slot = Slot(field, buffer);
        if (data) std::memcpy(data, slot + 1, static_cast<std::size_t>(field->DataSize()));
        return slot[0] != 0;
    }
    void SetFieldData(TField* field, const void* data) override {
        if (!IsWriteMode(State())) DatabaseError(DBConsts::SNotEditing, Name());
        TRecordBuffer buffer = BufferForState();
        char* slot = Slot(field, buffer);
        slot[0] = data ? 1 : 0;
        if (data) std::memcpy(slot + 1, data, static_cast<std::size_t>(field->DataSize()));
        else std::memset(slot + 1, 0, static_cast<std::size_t>(field->DataSize()));
        if (State() != dsCalcFields && State() != dsFilter && State() != dsNewValue)
            DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
    }

    class Stream : public TBlobStream {
    public:
        Stream(TArrayDataSet* ds, TBlobField* field, String* value, bool write)
            : FDataSet(ds), FField(field), FValue(value), FWrite(write) {}
        ~Stream() override {
            if (FModified) {
                FField->SetModified(true);
                FDataSet->DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(FField));
            }
        }
        void Truncate() { FValue->clear(); FModified = true; }
        int Read(void* buffer, int count) override {
            int n = std::min(count, Size() - FPos);
            if (n < 1) return 0;
            std::memcpy(buffer, FValue->data() + FPos, static_cast<std::size_t>(n));
            FPos += n;
            return n;
        }
        int Write(const void* buffer, int count) override {
            if (!FWrite) return 0;
            if (Size() < FPos + count) FValue->resize(static_cast<std::size_t>(FPos + count));
            std::memcpy(FValue->data() + FPos, buffer, static_cast<std::size_t>(count));
            FPos += count;
            FModified = true;
            return count;
        }
        int Seek(int offset, int origin) override {
            FPos = origin == 0 ? offset : origin == 1 ? FPos + offset : Size() + offset;
            return FPos;
        }
        int Size() override { return static_cast<int>(FValue->size()); }
    private:
        TArrayDataSet* FDataSet;
        TBlobField* FField;
        String* FValue;
        bool FWrite;
        bool FModified = false;
        int FPos = 0;
    };
    std::unique_ptr<TBlobStream> CreateBlobStream(TField* field, TBlobStreamMode mode) override {
        TRecordBuffer buffer = BufferForState();
        if (!buffer) return nullptr;
        bool write = mode != bmRead;
        if (write) {
            if (field->ReadOnly()) DatabaseErrorFmt(DBConsts::SFieldReadOnly, {field->DisplayName()});
            if (State() != dsEdit && State() != dsInsert) DatabaseError(DBConsts::SNotEditing, Name());
        }
        auto s = std::make_unique<Stream>(this, static_cast<TBlobField*>(field),
                                          &B(buffer)->Blobs[static_cast<std::size_t>(field->Offset())], write);
        if (mode == bmWrite) s->Truncate();
        return s;
    }

private:
    int FCur = -1;
    bool FOpen = false;
    int FRecordSize = 0;
    std::int32_t FLastId = 0;
    std::vector<int> FOffsets;
    TRecordBuffer FFilterBuffer = nullptr;
};

// Records the data events that reach the controls.
struct TEventRecorder : TDataEventListener {
    std::vector<TDataEvent> Events;
    void DataSetEvent(TDataSet*, TDataEvent event, std::intptr_t) override { Events.push_back(event); }
};
