#include "DataSet.h"
#include <algorithm>
#include <cstring>
#include "BlobField.h"
#include "BooleanField.h"
#include "BCDField.h"
#include "DBConsts.h"
#include "DateTimeField.h"
#include "FloatField.h"
#include "IntegerField.h"
#include "StringField.h"

using namespace DBConsts;

namespace {

template <class T>
TField* NewField() { return new T(); }

// Next name of a ";"-separated list, blanks around it cut; pos moves past the separator.
String ExtractFieldName(const String& names, std::size_t& pos) {
    std::size_t end = names.find(';', pos);
    if (end == String::npos) end = names.size();
    String name = Trim(names.substr(pos, end - pos));
    pos = end < names.size() ? end + 1 : end;
    return name;
}

}  // namespace

TDataSet::TDataSet() : FFieldDefs(this) {}

TDataSet::~TDataSet() {
    // Without CloseForDestroy the descendant is gone already; its buffers cannot be freed here.
    FDestroying = true;
    FListeners.clear();
    std::vector<TField*> fields;
    fields.swap(FFields);
    for (TField* f : fields) {
        f->FDataSet = nullptr;
        delete f;
    }
}

void TDataSet::CloseForDestroy() {
    FDestroying = true;
    SetActive(false);
}

// ---- opening and closing ----

void TDataSet::SetActive(bool value) {
    if (value == Active()) return;
    if (value) {
        DoBeforeOpen();
        try {
            OpenCursor();
        } catch (...) {
            SetState(dsInactive);
            CloseCursor();
            throw;
        }
        SetState(dsBrowse);
        DoAfterOpen();
        if (!IsEmpty()) DoAfterScroll();
    } else {
        if (!FDestroying) DoBeforeClose();
        SetState(dsInactive);
        CloseCursor();
        if (!FDestroying) DoAfterClose();
    }
    FModified = false;
}

void TDataSet::OpenCursor() {
    FDefaultFields = FFields.empty();
    InternalOpen();
    FEnableEvent = deLayoutChange;
    ClearBuffers();
    if (IsCursorOpen()) {
        AllocateBuffers();
        GetNextRecords();
        if (FRecordCount < FBufferCount) GetPriorRecords();
    }
    FBOF = true;
    FEOF = FRecordCount == 0;
}

void TDataSet::CloseCursor() {
    FreeFieldBuffers();
    ClearBuffers();
    FreeBuffers();
    InternalClose();
}

void TDataSet::AllocateBuffers() {
    FBuffers.reserve(static_cast<std::size_t>(FBufferCount) + 1);
    try {
        while (FBuffers.size() < static_cast<std::size_t>(FBufferCount) + 1) FBuffers.push_back(AllocRecordBuffer());
    } catch (...) {
        FreeBuffers();
        throw;
    }
}

void TDataSet::FreeBuffers() {
    for (TRecordBuffer& b : FBuffers) FreeRecordBuffer(b);
    FBuffers.clear();
    FCalcBuffer = nullptr;
}

void TDataSet::SetBufferCount(int value) {
    if (value < 1) value = 1;
    if (value == FBufferCount) return;
    if (!Active() || FBuffers.empty()) {
        FBufferCount = value;
        return;
    }
    CheckBrowseMode();
    UpdateCursorPos();
    FreeBuffers();
    FBufferCount = value;
    AllocateBuffers();
    bool empty = FRecordCount == 0;
    FRecordCount = 0;
    FActiveRecord = 0;
    if (!empty) Resync(rmCenter);
}

void TDataSet::CheckActive() const {
    if (!Active()) DatabaseError(SDataSetClosed, FName);
}

void TDataSet::CheckInactive() const {
    if (Active()) DatabaseError(SDataSetOpen, FName);
}

void TDataSet::CheckCanModify() {
    if (!GetCanModify()) DatabaseError(SDataSetReadOnly, FName);
}

// ---- states and events ----

void TDataSet::SetState(TDataSetState value) {
    if (FState == value) return;
    FState = value;
    if (value == dsBrowse) FModified = false;
    DataEvent(deUpdateState, 0);
}

TDataSetState TDataSet::SetTempState(TDataSetState value) {
    TDataSetState old = FState;
    FState = value;
    ++FDisableCount;
    return old;
}

void TDataSet::RestoreState(TDataSetState value) {
    FState = value;
    if (FDisableCount > 0) --FDisableCount;
}

void TDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
    switch (event) {
    case deFieldChange: {
        TField* field = reinterpret_cast<TField*>(info);
        if (field->FieldKind() == fkData || field->FieldKind() == fkInternalCalc) FModified = true;
        if (FState != dsSetKey) {
            if (field->FieldKind() == fkData) {
                if (FInternalCalcFields)
                    RefreshInternalCalcFields(ActiveBuffer());
                else if (AutoCalcFields && FCalcFieldsSize != 0)
                    CalculateFields(ActiveBuffer());
            }
            field->Change();
        }
        break;
    }
    case deDataSetChange: case deDataSetScroll:
        if (FState != dsInsert) UpdateCursorPos();
        break;
    case deLayoutChange: FEnableEvent = deLayoutChange; break;
    default: break;
    }
    if (FDisableCount == 0 && FState != dsBlockRead) {
        std::vector<TDataEventListener*> listeners = FListeners;
        for (TDataEventListener* l : listeners) l->DataSetEvent(this, event, info);
    }
}

void TDataSet::AddDataEventListener(TDataEventListener* listener) {
    if (std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end()) FListeners.push_back(listener);
}

void TDataSet::RemoveDataEventListener(TDataEventListener* listener) {
    FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), listener), FListeners.end());
}

void TDataSet::DisableControls() {
    if (FDisableCount == 0) {
        FDisableState = FState;
        FEnableEvent = deDataSetChange;
    }
    ++FDisableCount;
}

void TDataSet::EnableControls() {
    if (FDisableCount == 0) return;
    if (--FDisableCount == 0) {
        if (FDisableState != FState) DataEvent(deUpdateState, 0);
        if (FDisableState != dsInactive && FState != dsInactive) DataEvent(FEnableEvent, 0);
    }
}

// ---- the ring ----

TRecordBuffer TDataSet::ActiveBuffer() const {
    return FBuffers.empty() ? nullptr : FBuffers[static_cast<std::size_t>(FActiveRecord)];
}

void TDataSet::ClearBuffers() {
    FRecordCount = 0;
    FActiveRecord = 0;
    FCurrentRecord = -1;
    FBOF = true;
    FEOF = true;
}

void TDataSet::ActivateBuffers() {
    FRecordCount = 1;
    FActiveRecord = 0;
    FCurrentRecord = 0;
    FBOF = false;
    FEOF = false;
}

void TDataSet::MoveBuffer(int from, int to) {
    if (from == to) return;
    TRecordBuffer b = FBuffers[static_cast<std::size_t>(from)];
    if (from < to)
        std::move(FBuffers.begin() + from + 1, FBuffers.begin() + to + 1, FBuffers.begin() + from);
    else
        std::move_backward(FBuffers.begin() + to, FBuffers.begin() + from, FBuffers.begin() + from + 1);
    FBuffers[static_cast<std::size_t>(to)] = b;
}

void TDataSet::SetCurrentRecord(int index) {
    if (FCurrentRecord == index) return;
    TRecordBuffer buffer = FBuffers[static_cast<std::size_t>(index)];
    switch (GetBookmarkFlag(buffer)) {
    case bfCurrent: case bfInserted: InternalSetToRecord(buffer); break;
    case bfBOF: InternalFirst(); break;
    case bfEOF: InternalLast(); break;
    }
    FCurrentRecord = index;
}

void TDataSet::UpdateCursorPos() {
    if (FRecordCount > 0) SetCurrentRecord(FActiveRecord);
}

bool TDataSet::GetNextRecord() {
    TGetMode mode = gmNext;
    if (FRecordCount > 0) {
        SetCurrentRecord(FRecordCount - 1);
        // an inserted row not yet posted stands before the record the cursor is on
        if (FState == dsInsert && FCurrentRecord == FActiveRecord && GetBookmarkFlag(ActiveBuffer()) == bfCurrent)
            mode = gmCurrent;
    }
    bool ok = GetRecord(FBuffers[static_cast<std::size_t>(FRecordCount)], mode, true) == grOK;
    if (ok) {
        if (FRecordCount == 0)
            ActivateBuffers();
        else if (FRecordCount < FBufferCount)
            ++FRecordCount;
        else
            MoveBuffer(0, FRecordCount);
        FCurrentRecord = FRecordCount - 1;
    } else {
        CursorPosChanged();
    }
    return ok;
}

bool TDataSet::GetPriorRecord() {
    if (FRecordCount > 0) SetCurrentRecord(0);
    bool ok = GetRecord(FBuffers[static_cast<std::size_t>(FRecordCount)], gmPrior, true) == grOK;
    if (ok) {
        if (FRecordCount == 0) {
            ActivateBuffers();
        } else {
            MoveBuffer(FRecordCount, 0);
            if (FRecordCount < FBufferCount) {
                ++FRecordCount;
                ++FActiveRecord;
            }
        }
        FCurrentRecord = 0;
    } else {
        CursorPosChanged();
    }
    return ok;
}

int TDataSet::GetNextRecords() {
    int n = 0;
    while (FRecordCount < FBufferCount && GetNextRecord()) ++n;
    return n;
}

int TDataSet::GetPriorRecords() {
    int n = 0;
    while (FRecordCount < FBufferCount && GetPriorRecord()) ++n;
    return n;
}

// ---- navigation ----

void TDataSet::First() { MoveToEnd(false); }

void TDataSet::Last() { MoveToEnd(true); }

void TDataSet::MoveToEnd(bool last) {
    CheckBrowseMode();
    DoBeforeScroll();
    ClearBuffers();
    // the end flag, the change and AfterScroll come even when the fetch fails
    auto finish = [&] {
        (last ? FEOF : FBOF) = true;
        DataEvent(deDataSetChange, 0);
        DoAfterScroll();
    };
    try {
        if (last) {
            InternalLast();
            GetPriorRecords();
        } else {
            InternalFirst();
            GetNextRecords();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    int moved = 0;
    DoBeforeScroll();
    if ((distance > 0 && !FEOF) || (distance < 0 && !FBOF)) {
        int shifted = 0;
        auto finish = [&] {
            DataEvent(deDataSetScroll, shifted);
            DoAfterScroll();
        };
        try {
            if (distance > 0) {
                FBOF = false;
                while (distance > 0) {
                    if (FActiveRecord < FRecordCount - 1) {
                        ++FActiveRecord;
                    } else {
                        bool growing = FRecordCount < FBufferCount;
                        if (!GetNextRecord()) {
                            FEOF = true;
                            break;
                        }
                        if (growing) ++FActiveRecord; else --shifted;
                    }
                    --distance;
                    ++moved;
                }
            } else {
                FEOF = false;
                while (distance < 0) {
                    if (FActiveRecord > 0) {
                        --FActiveRecord;
                    } else {
                        bool growing = FRecordCount < FBufferCount;
                        if (!GetPriorRecord()) {
                            FBOF = true;
                            break;
                        }
                        // the new row landed at 0; a growing ring pushed the active index up by one
                        if (growing) --FActiveRecord; else ++shifted;
                    }
                    ++distance;
                    --moved;
                }
            }
        } catch (...) {
            finish();
            throw;
        }
        finish();
    }
    return moved;
}

void TDataSet::Resync(TResyncMode mode) {
    if (FBuffers.empty()) return;   // closed: nothing buffered to bring up to date
    TRecordBuffer spare = FBuffers[static_cast<std::size_t>(FRecordCount)];
    if (mode & rmExact) {
        CursorPosChanged();
        if (GetRecord(spare, gmCurrent, true) != grOK) DatabaseError(SRecordNotFound, FName);
    } else if (GetRecord(spare, gmCurrent, false) != grOK && GetRecord(spare, gmNext, false) != grOK &&
               GetRecord(spare, gmPrior, false) != grOK) {
        ClearBuffers();
        DataEvent(deDataSetChange, 0);
        return;
    }
    int above = (mode & rmCenter) ? (FBufferCount - 1) / 2 : FActiveRecord;
    MoveBuffer(FRecordCount, 0);
    ActivateBuffers();
    try {
        while (above > 0 && GetPriorRecord()) --above;
        GetNextRecords();
        GetPriorRecords();
    } catch (...) {
        DataEvent(deDataSetChange, 0);
        throw;
    }
    DataEvent(deDataSetChange, 0);
}

void TDataSet::Refresh() {
    CheckBrowseMode();
    DoBeforeRefresh();
    UpdateCursorPos();
    InternalRefresh();
    Resync(0);
    DoAfterRefresh();
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    DataEvent(deCheckBrowseMode, 0);
    switch (FState) {
    case dsEdit: case dsInsert:
        UpdateRecord();
        if (FModified) Post(); else Cancel();
        break;
    case dsSetKey: Post(); break;
    default: break;
    }
}

// ---- editing ----

void TDataSet::InitRecord(TRecordBuffer buffer) {
    InternalInitRecord(buffer);
    ClearCalcFields(buffer);
    SetBookmarkFlag(buffer, bfInserted);
}

void TDataSet::BeginInsertAppend() {
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeInsert();
    DoBeforeScroll();
}

void TDataSet::EndInsertAppend() {
    SetState(dsInsert);
    try {
        DoOnNewRecord();
    } catch (...) {
        UpdateCursorPos();
        FreeFieldBuffers();
        SetState(dsBrowse);
        Resync(0);
        throw;
    }
    FModified = false;
    DataEvent(deDataSetChange, 0);
    DoAfterInsert();
    DoAfterScroll();
}

void TDataSet::Insert() {
    BeginInsertAppend();
    TBookmark oldCurrent = GetBookmark();
    MoveBuffer(FRecordCount, FActiveRecord);
    TRecordBuffer buffer = ActiveBuffer();
    InitRecord(buffer);
    CursorPosChanged();
    if (FRecordCount == 0) {
        SetBookmarkFlag(buffer, bfBOF);
    } else {
        FBOF = false;
        if (!oldCurrent.empty()) SetBookmarkData(buffer, oldCurrent.data());
    }
    if (FRecordCount < FBufferCount) ++FRecordCount;
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Append() {
    BeginInsertAppend();
    ClearBuffers();
    TRecordBuffer buffer = FBuffers[0];
    InitRecord(buffer);
    SetBookmarkFlag(buffer, bfEOF);
    FRecordCount = 1;
    FBOF = false;
    GetPriorRecords();
    InternalInsert();
    EndInsertAppend();
}

void TDataSet::Edit() {
    if (FState == dsEdit || FState == dsInsert) return;
    if (FRecordCount == 0) {
        Insert();
        return;
    }
    CheckBrowseMode();
    CheckCanModify();
    DoBeforeEdit();
    if (!CheckOperation(&TDataSet::InternalEdit, OnEditError)) return;
    GetCalcFields(ActiveBuffer());
    SetState(dsEdit);
    DataEvent(deRecordChange, 0);
    DoAfterEdit();
}

void TDataSet::UpdateRecord() {
    if (!IsEditMode(FState)) DatabaseError(SNotEditing, FName);
    DataEvent(deUpdateRecord, 0);
}

void TDataSet::InternalPost() {
    for (TField* f : FFields) {
        if (f->Required() && !f->ReadOnly() && f->FieldKind() == fkData && f->DataType() != ftAutoInc && f->IsNull())
            DatabaseErrorFmt(SFieldRequired, {f->DisplayName()});
    }
}

void TDataSet::Post() {
    UpdateRecord();
    if (FState != dsEdit && FState != dsInsert) return;
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    if (!CheckOperation(&TDataSet::InternalPost, OnPostError)) return;
    FreeFieldBuffers();
    SetState(dsBrowse);
    Resync(0);
    DoAfterPost();
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeCancel();
    bool scrolls = FState == dsInsert;
    if (scrolls) DoBeforeScroll();
    UpdateCursorPos();
    InternalCancel();
    FreeFieldBuffers();
    SetState(dsBrowse);
    Resync(0);
    DoAfterCancel();
    if (scrolls) DoAfterScroll();
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert || FState == dsSetKey) {
        Cancel();
        return;
    }
    CheckCanModify();
    if (FRecordCount == 0) DatabaseError(SDataSetEmpty, FName);
    DataEvent(deCheckBrowseMode, 0);
    DoBeforeDelete();
    DoBeforeScroll();
    if (!CheckOperation(&TDataSet::InternalDelete, OnDeleteError)) return;
    FreeFieldBuffers();
    SetState(dsBrowse);
    Resync(0);
    DoAfterDelete();
    DoAfterScroll();
}

bool TDataSet::CheckOperation(void (TDataSet::*operation)(), const TDataSetErrorEvent& errorEvent) {
    for (;;) {
        try {
            UpdateCursorPos();
            (this->*operation)();
            return true;
        } catch (EDatabaseError& e) {
            TDataAction action = daFail;
            if (errorEvent) errorEvent(this, e, action);
            if (action == daFail) throw;
            if (action == daAbort) return false;
        }
    }
}

void TDataSet::SetFields(std::initializer_list<Variant> values) {
    if (static_cast<int>(values.size()) > FieldCount()) DatabaseError(STooManyValues, FName);
    int i = 0;
    for (const Variant& v : values) {
        TField* f = FFields[static_cast<std::size_t>(i++)];
        if (v.IsNull() || v.IsEmpty()) f->Clear(); else f->SetAsVariant(v);
    }
}

void TDataSet::AddRecordOperation() { InternalAddRecord(ActiveBuffer(), FAddAppend); }

void TDataSet::AddRecord(std::initializer_list<Variant> values, bool append) {
    if (static_cast<int>(values.size()) > FieldCount()) DatabaseError(STooManyValues, FName);
    if (append) Append(); else Insert();
    SetFields(values);
    UpdateRecord();
    DataEvent(deCheckBrowseMode, 0);
    DoBeforePost();
    FAddAppend = append;
    if (!CheckOperation(&TDataSet::AddRecordOperation, OnPostError)) return;
    FreeFieldBuffers();
    SetState(dsBrowse);
    Resync(0);
    DoAfterPost();
}

void TDataSet::AppendRecord(std::initializer_list<Variant> values) { AddRecord(values, true); }
void TDataSet::InsertRecord(std::initializer_list<Variant> values) { AddRecord(values, false); }

void TDataSet::ClearFields() {
    if (!IsEditMode(FState)) DatabaseError(SNotEditing, FName);
    DataEvent(deCheckBrowseMode, 0);
    FreeFieldBuffers();
    InternalInitRecord(ActiveBuffer());
    if (FState != dsSetKey) GetCalcFields(ActiveBuffer());
    DataEvent(deRecordChange, 0);
}

void TDataSet::FreeFieldBuffers() {
    for (TField* f : FFields) f->FreeBuffers();
}

// ---- bookmarks ----

bool TDataSet::BookmarkAvailable() const {
    return (FState == dsBrowse || FState == dsEdit || FState == dsInsert) && !IsEmpty() &&
           const_cast<TDataSet*>(this)->GetBookmarkFlag(ActiveBuffer()) == bfCurrent;
}

TBookmark TDataSet::GetBookmark() const {
    TBookmark r;
    if (BookmarkAvailable() && FBookmarkSize > 0) {
        r.resize(static_cast<std::size_t>(FBookmarkSize));
        const_cast<TDataSet*>(this)->GetBookmarkData(ActiveBuffer(), r.data());
    }
    return r;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
    if (bookmark.empty()) return;
    CheckBrowseMode();
    DoBeforeScroll();
    InternalGotoBookmark(bookmark.data());
    Resync(rmExact | rmCenter);
    DoAfterScroll();
}

// ---- calculated fields ----

void TDataSet::GetCalcFields(TRecordBuffer buffer) {
    if (FCalcFieldsSize > 0 || FInternalCalcFields) CalculateFields(buffer);
}

void TDataSet::CalculateFields(TRecordBuffer buffer) {
    FCalcBuffer = buffer;
    if (FState == dsInternalCalc) return;
    TDataSetState old = FState;
    FState = dsCalcFields;
    try {
        ClearCalcFields(FCalcBuffer);
        for (TField* f : FFields) {
            if (f->FieldKind() != fkLookup || !f->LookupDataSet() || !f->LookupDataSet()->Active()) continue;
            f->SetAsVariant(f->LookupDataSet()->Lookup(f->LookupKeyFields, FieldValues(f->KeyFields), f->LookupResultField));
        }
        DoOnCalcFields();
    } catch (...) {
        FState = old;
        throw;
    }
    FState = old;
}

// ---- field values ----

bool TDataSet::GetFieldData(TField* field, void* buffer, bool nativeFormat) {
    TFieldType t = field->DataType();
    if (nativeFormat || (t != ftDate && t != ftTime && t != ftDateTime)) return GetFieldData(field, buffer);
    if (!buffer) return GetFieldData(field, nullptr);
    unsigned char native[8] = {};
    if (!GetFieldData(field, native)) return false;
    TDateTime value = 0;
    if (t == ftDate) {
        std::int32_t day;
        std::memcpy(&day, native, 4);
        value = TimeStampToDateTime(TTimeStamp{0, day});
    } else if (t == ftTime) {
        std::int32_t ms;
        std::memcpy(&ms, native, 4);
        value = static_cast<double>(ms) / MSecsPerDay;
    } else {
        double ms;
        std::memcpy(&ms, native, 8);
        value = TimeStampToDateTime(MSecsToTimeStamp(ms));
    }
    std::memcpy(buffer, &value, sizeof value);
    return true;
}

void TDataSet::SetFieldData(TField* field, const void* buffer, bool nativeFormat) {
    // The checks every storage needs, before the value reaches it.
    if (!IsWriteMode(FState)) DatabaseError(SNotEditing, FName);
    if (field->ReadOnly() && field->FieldKind() == fkData && (FState == dsEdit || FState == dsInsert))
        DatabaseErrorFmt(SFieldReadOnly, {field->DisplayName()});
    TFieldType t = field->DataType();
    bool converts = !nativeFormat && (t == ftDate || t == ftTime || t == ftDateTime);
    if (FState == dsEdit || FState == dsInsert || FState == dsNewValue)
        field->Validate(buffer, converts ? int(sizeof(TDateTime)) : field->DataSize());
    if (nativeFormat || !buffer || (t != ftDate && t != ftTime && t != ftDateTime)) {
        SetFieldData(field, buffer);
        return;
    }
    TDateTime value;
    std::memcpy(&value, buffer, sizeof value);
    TTimeStamp stamp = DateTimeToTimeStamp(value);
    unsigned char native[8] = {};
    if (t == ftDate) {
        std::int32_t day = stamp.Date;
        std::memcpy(native, &day, 4);
    } else if (t == ftTime) {
        std::int32_t ms = stamp.Time;
        std::memcpy(native, &ms, 4);
    } else {
        double ms = TimeStampToMSecs(stamp);
        std::memcpy(native, &ms, 8);
    }
    SetFieldData(field, native);
}

// ---- fields ----

TField* TDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount()) DatabaseError(SFieldIndexError, FName);
    return FFields[static_cast<std::size_t>(index)];
}

TField* TDataSet::FindField(const String& fieldName) const {
    for (TField* f : FFields)
        if (AnsiCompareText(f->FieldName(), fieldName) == 0) return f;
    return nullptr;
}

TField* TDataSet::FieldByName(const String& fieldName) const {
    TField* f = FindField(fieldName);
    if (!f) DatabaseErrorFmt(SFieldNotFound, {fieldName}, FName);
    return f;
}

void TDataSet::GetFieldList(std::vector<TField*>& list, const String& fieldNames) const {
    std::size_t pos = 0;
    while (pos < fieldNames.size()) {
        String name = ExtractFieldName(fieldNames, pos);
        if (!name.empty()) list.push_back(FieldByName(name));
    }
}

void TDataSet::GetFieldNames(std::vector<String>& list) const {
    for (TField* f : FFields) list.push_back(f->FieldName());
}

Variant TDataSet::FieldValues(const String& fieldNames) const {
    std::vector<TField*> fields;
    GetFieldList(fields, fieldNames);
    if (fields.size() == 1) return fields[0]->AsVariant();
    std::vector<Variant> values;
    for (TField* f : fields) values.push_back(f->AsVariant());
    return Variant::ArrayOf(std::move(values));
}

void TDataSet::SetFieldValues(const String& fieldNames, const Variant& value) {
    std::vector<TField*> fields;
    GetFieldList(fields, fieldNames);
    if (fields.size() == 1 && !value.IsArray()) {
        fields[0]->SetAsVariant(value);
        return;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->SetAsVariant(value[static_cast<int>(i)]);
}

void TDataSet::AddField(TField* field) {
    FFields.push_back(field);
    field->FDataSet = this;
    FieldListNotification(field, true);
}

void TDataSet::RemoveField(TField* field) {
    auto it = std::find(FFields.begin(), FFields.end(), field);
    if (it == FFields.end()) return;
    FFields.erase(it);
    field->FDataSet = nullptr;
    FieldListNotification(field, false);
}

TFieldClass TDataSet::GetFieldClass(TFieldType fieldType) {
    switch (fieldType) {
    case ftString: return &NewField<TStringField>;
    case ftSmallint: return &NewField<TSmallintField>;
    case ftInteger: return &NewField<TIntegerField>;
    case ftWord: return &NewField<TWordField>;
    case ftAutoInc: return &NewField<TAutoIncField>;
    case ftBoolean: return &NewField<TBooleanField>;
    case ftFloat: return &NewField<TFloatField>;
    case ftCurrency: return &NewField<TCurrencyField>;
    case ftBCD: return &NewField<TBCDField>;
    case ftDate: return &NewField<TDateField>;
    case ftTime: return &NewField<TTimeField>;
    case ftDateTime: return &NewField<TDateTimeField>;
    case ftBlob: return &NewField<TBlobField>;
    case ftMemo: return &NewField<TMemoField>;
    case ftGraphic: return &NewField<TGraphicField>;
    case ftFmtMemo: return [] { TField* f = new TMemoField(); static_cast<TBlobField*>(f)->SetBlobType(ftFmtMemo); return f; };
    case ftParadoxOle: return [] { TField* f = new TBlobField(); static_cast<TBlobField*>(f)->SetBlobType(ftParadoxOle); return f; };
    case ftDBaseOle: return [] { TField* f = new TBlobField(); static_cast<TBlobField*>(f)->SetBlobType(ftDBaseOle); return f; };
    case ftTypedBinary: return [] { TField* f = new TBlobField(); static_cast<TBlobField*>(f)->SetBlobType(ftTypedBinary); return f; };
    default: return nullptr;
    }
}

void TDataSet::CreateFields() {
    for (int i = 0; i < FFieldDefs.Count(); ++i) {
        TFieldDef* def = FFieldDefs.Items(i);
        if (def->DataType != ftUnknown && !(def->Attributes & faHiddenCol)) def->CreateField();
    }
}

void TDataSet::DestroyFields() {
    std::vector<TField*> fields;
    fields.swap(FFields);
    for (TField* f : fields) {
        f->FDataSet = nullptr;
        FieldListNotification(f, false);
        delete f;
    }
}

void TDataSet::BindFields(bool binding) {
    FCalcFieldsSize = 0;
    FBlobFieldCount = 0;
    FInternalCalcFields = false;
    for (TField* f : FFields) {
        if (!binding) continue;
        if (f->FieldKind() == fkCalculated || f->FieldKind() == fkLookup) {
            f->FFieldNo = -1;
            f->FOffset = FCalcFieldsSize;
            FCalcFieldsSize += f->DataSize() + 1;
            continue;
        }
        int index = FFieldDefs.IndexOf(f->FieldName());
        if (index < 0) DatabaseErrorFmt(SFieldNotFound, {f->DisplayName()}, FName);
        TFieldDef* def = FFieldDefs.Items(index);
        if (f->FieldKind() == fkInternalCalc) FInternalCalcFields = true;
        bool compatible = def->DataType == f->DataType() ||
                          (f->IsBlob() && def->DataType >= ftBlob && def->DataType <= ftTypedBinary);
        if (!compatible)
            DatabaseErrorFmt(SFieldTypeMismatch, {f->DisplayName(), FieldTypeName(f->DataType()), FieldTypeName(def->DataType)}, FName);
        f->FFieldNo = def->FieldNo;
        if (f->IsBlob()) {
            f->FSize = def->Size;
            f->FOffset = FBlobFieldCount++;
        }
    }
}

void TDataSet::InitFieldDefs() {
    InternalInitFieldDefs();
}

void TDataSet::InitFieldDefsFromFields() {
    if (FFieldDefs.Count() != 0) return;
    for (TField* f : FFields) {
        if (f->FieldKind() != fkData && f->FieldKind() != fkInternalCalc) continue;
        TFieldDef* def = FFieldDefs.Add(f->FieldName(), f->DataType(), f->Size(), f->Required());
        def->InternalCalcField = f->FieldKind() == fkInternalCalc;
        if (f->ReadOnly()) def->Attributes |= faReadonly;
    }
}
