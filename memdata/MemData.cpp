#include "MemData.h"
#include <algorithm>
#include <cstring>
#include <new>
#include "MemBlobStream.h"
#include "MemDataStore.h"
#include "MemValues.h"
#include "platform/db/DBConsts.h"

using namespace DBConsts;

namespace {

// Messages of this data set.
constexpr const char* SUnsupportedFieldType = "Unsupported field type: %s";
constexpr const char* SBookmarkNotFound = "Bookmark not found";
constexpr const char* SNoRecords = "No Records";

std::int32_t ReadRecId(const void* p) {
    std::int32_t id;
    std::memcpy(&id, p, 4);
    return id;
}

}  // namespace

TMemData::TMemData(const String& name) : FFields(std::make_unique<TMemFields>(this)) {
    SetName(name);
    FRecIdField = new TIntegerField();
    FRecIdField->SetFieldName("RecId");
    FRecIdField->SetName(name + "RecId");
    FRecIdField->SetCalculated(true);
    FRecIdField->SetVisible(false);
    FRecIdField->SetDataSet(this);
}

TMemData::~TMemData() {
    CloseForDestroy();
    FBlobList.clear();
    FRecIdList.clear();
    FFilterList.clear();
    FFields.reset();
}

// ---- fields and columns ----

bool TMemData::IsSupportedFieldType(TFieldType fieldType) {
    return (fieldType >= ftString && fieldType <= ftDateTime) || (fieldType >= ftAutoInc && fieldType <= ftTypedBinary);
}

void TMemData::FieldListNotification(TField* field, bool added) {
    if (!Active() || FLoading || IsDestroying()) return;
    if (added) {
        if (!field->IsBlob()) FFields->AddField(field);
    } else {
        FFields->RemoveField(field);
    }
}

void TMemData::InternalInitFieldDefs() {
    FieldDefs().Clear();
    for (int i = 0; i < FieldCount(); ++i) {
        TField* f = Fields(i);
        if (f->Calculated() || f->Lookup()) continue;
        FieldDefs().Add(f->FieldName(), f->DataType(), f->Size(), f->Required());
    }
}

int TMemData::FindRecordNo(const String& fieldName, const Variant& value) {
    // The value's stored form comes from the same conversion Locate uses, so the search needs
    // neither edit mode nor a writable data set.
    TField* field = FindField(fieldName);
    if (!field) return -1;
    TMemField* column = FFields->ColumnOf(field);
    if (!column) return -1;
    std::vector<char> key(static_cast<std::size_t>(column->DataSize), '\0');
    if (value.IsNull() || value.IsEmpty()) {
        for (int i = 0; i < RecCount(); ++i)
            if (!column->HasValue(i)) return i + 1;
        return -1;
    }
    if (!VariantToStored(column->DataType, column->DataSize, value, key.data())) return -1;
    bool folded = (FSortOptions & soCaseInsensitive) != 0;
    for (int i = 0; i < RecCount(); ++i)
        if (CompareStored(column->DataType, column->ValueData(i), key.data(), folded) == 0) return i + 1;
    return -1;
}

// ---- opening and closing ----

void TMemData::InternalOpen() {
    for (int i = 0; i < FieldCount(); ++i)
        if (!IsSupportedFieldType(Fields(i)->DataType()))
            DatabaseError(Format(SUnsupportedFieldType, {Fields(i)->FieldName()}));
    FLastRecId = 0;
    FCurRec = -1;
    FFilterRec = -1;
    FFilterActive = false;
    FFilterList.clear();
    FBlobList.clear();
    FRecIdIndexValid = false;
    InternalInitFieldDefs();
    if (DefaultFields()) CreateFields();
    FFields->Clear();
    for (int i = 0; i < FieldCount(); ++i)
        if (!Fields(i)->IsBlob()) FFields->Add(Fields(i));
    BindFields(true);
    int records = FFields->RecordCount();
    FRecIdList.resize(static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i) FRecIdList[static_cast<std::size_t>(i)] = i + 1;
    FLastRecId = records;
    FRecordSize = FFields->Layout();
    FRecordBufferSize = FRecordSize + 5;
    FBlobCount = BlobFieldCount();
    FBlobOffset = (FRecordBufferSize + int(alignof(String)) - 1) / int(alignof(String)) * int(alignof(String));
    SetBookmarkSize(4);
    FIsOpen = true;
    SortRecords();
}

void TMemData::InternalClose() {
    if (IsDestroying()) return;
    FFields->Clear();
    FRecIdList.clear();
    FFilterList.clear();
    FBlobList.clear();
    FRecIdIndex.clear();
    FRecIdIndexValid = false;
    BindFields(false);
    if (DefaultFields()) DestroyFields();
    FLastRecId = 0;
    FCurRec = -1;
    FFilterRec = -1;
    FFilterActive = false;
    FIsOpen = false;
}

// ---- record buffers ----

TRecordBuffer TMemData::AllocRecordBuffer() {
    std::size_t size = static_cast<std::size_t>(FBlobOffset) + sizeof(String) * static_cast<std::size_t>(FBlobCount);
    char* buffer = static_cast<char*>(::operator new(size));
    std::memset(buffer, 0, static_cast<std::size_t>(FRecordBufferSize));
    String* slots = reinterpret_cast<String*>(buffer + FBlobOffset);
    for (int i = 0; i < FBlobCount; ++i) new (slots + i) String();
    return buffer;
}

void TMemData::FreeRecordBuffer(TRecordBuffer& buffer) {
    if (!buffer) return;
    String* slots = BlobSlots(buffer);
    for (int i = 0; i < FBlobCount; ++i) slots[i].~String();
    ::operator delete(buffer);
    buffer = nullptr;
}

String* TMemData::BlobSlots(TRecordBuffer buffer) const {
    return std::launder(reinterpret_cast<String*>(buffer + FBlobOffset));
}

void TMemData::InternalInitRecord(TRecordBuffer buffer) {
    std::memset(buffer, 0, static_cast<std::size_t>(FRecordBufferSize));
    String* slots = BlobSlots(buffer);
    for (int i = 0; i < FBlobCount; ++i) slots[i].clear();
}

void TMemData::ClearCalcFields(TRecordBuffer buffer) {
    if (FFields->Count() < 2 || State() == dsCalcFields) return;
    for (int i = 1; i < FFields->Count(); ++i) {
        TMemField* c = FFields->Items(i);
        if (c->Field->Calculated() && c->Offset >= 0)
            std::memset(buffer + c->Offset, 0, static_cast<std::size_t>(c->DataSize) + 1);
    }
}

void TMemData::GetBookmarkData(TRecordBuffer buffer, void* data) { std::memcpy(data, buffer + FRecordSize, 4); }
void TMemData::SetBookmarkData(TRecordBuffer buffer, const void* data) { std::memcpy(buffer + FRecordSize, data, 4); }

TBookmarkFlag TMemData::GetBookmarkFlag(TRecordBuffer buffer) {
    return static_cast<TBookmarkFlag>(buffer[FRecordSize + 4]);
}

void TMemData::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) {
    buffer[FRecordSize + 4] = static_cast<char>(value);
}

// ---- navigation ----

int TMemData::VisiblePosition(int visibleIndex) const {
    return FFilterActive ? FFilterList[static_cast<std::size_t>(visibleIndex)] - 1 : visibleIndex;
}

int TMemData::FilterIndexOf(int entry) const {
    auto it = std::lower_bound(FFilterList.begin(), FFilterList.end(), entry);
    return it != FFilterList.end() && *it == entry ? static_cast<int>(it - FFilterList.begin()) : -1;
}

int TMemData::PositionOfRecId(std::int32_t recId) {
    if (!FRecIdIndexValid) {
        FRecIdIndex.clear();
        FRecIdIndex.reserve(FRecIdList.size());
        for (int i = 0; i < RecCount(); ++i) FRecIdIndex[FRecIdList[static_cast<std::size_t>(i)]] = i;
        FRecIdIndexValid = true;
    }
    auto it = FRecIdIndex.find(recId);
    return it == FRecIdIndex.end() ? -1 : it->second;
}

void TMemData::InternalFirst() {
    FCurRec = -1;
    FFilterRec = -1;
}

void TMemData::InternalLast() {
    if (FFilterActive) FFilterRec = static_cast<int>(FFilterList.size());
    FCurRec = RecCount();
}

TGetResult TMemData::GetRecord(TRecordBuffer buffer, TGetMode getMode, bool doCheck) {
    if (RecCount() == 0) return grEOF;
    TGetResult result = grOK;
    int& cursor = FFilterActive ? FFilterRec : FCurRec;
    int count = VisibleCount();
    switch (getMode) {
    case gmCurrent:
        if (cursor < 0 || cursor >= count) result = grError;
        break;
    case gmNext:
        if (cursor < count - 1) ++cursor; else result = grEOF;
        break;
    case gmPrior:
        if (cursor > 0) --cursor; else result = grBOF;
        break;
    }
    if (FFilterActive) FCurRec = result == grOK ? FFilterList[static_cast<std::size_t>(FFilterRec)] - 1 : -1;
    if (result == grOK) {
        FFields->CopyRecord(buffer, FCurRec);
        SetBookmarkFlag(buffer, bfCurrent);
        std::int32_t id = FRecIdList[static_cast<std::size_t>(FCurRec)];
        SetBookmarkData(buffer, &id);
        if (FBlobCount > 0) FetchBlobs(buffer, FCurRec);
    } else if (result == grError && doCheck) {
        DatabaseError(SNoRecords);
    }
    return result;
}

int TMemData::GetRecordCount() { return VisibleCount(); }

int TMemData::GetRecNo() {
    UpdateCursorPos();
    if (FCurRec == -1 && VisibleCount() > 0) return 1;
    return (FFilterActive ? FFilterRec : FCurRec) + 1;
}

void TMemData::SetRecNo(int value) {
    if (Active()) CheckBrowseMode();
    if (value < 1 || value > VisibleCount()) return;
    DoBeforeScroll();
    if (FFilterActive) {
        FFilterRec = value - 1;
        FCurRec = FFilterList[static_cast<std::size_t>(FFilterRec)] - 1;
    } else {
        FCurRec = value - 1;
    }
    Resync(rmCenter);
    DoAfterScroll();
}

// ---- bookmarks ----

void TMemData::InternalGotoBookmark(const void* bookmark) {
    int position = PositionOfRecId(ReadRecId(bookmark));
    if (position < 0) DatabaseError(SBookmarkNotFound);
    if (FFilterActive) {
        int index = FilterIndexOf(position + 1);
        if (index >= 0) {
            FFilterRec = index;
            FCurRec = position;
        }
    } else {
        FCurRec = position;
    }
}

void TMemData::InternalSetToRecord(TRecordBuffer buffer) { InternalGotoBookmark(buffer + FRecordSize); }

bool TMemData::BookmarkValid(const TBookmark& bookmark) {
    if (bookmark.size() != 4) return false;
    int position = PositionOfRecId(ReadRecId(bookmark.data()));
    if (position < 0 || position >= RecCount()) return false;
    return !FFilterActive || FilterIndexOf(position + 1) >= 0;
}

int TMemData::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
    if (a.empty() && b.empty()) return 0;
    if (a.empty()) return 1;
    if (b.empty()) return -1;
    std::int32_t x = ReadRecId(a.data()), y = ReadRecId(b.data());
    if (x == y) return 0;
    return PositionOfRecId(x) > PositionOfRecId(y) ? 1 : -1;
}

// ---- field values ----

TRecordBuffer TMemData::BufferForState() {
    switch (State()) {
    case dsBrowse: return IsEmpty() ? nullptr : ActiveBuffer();
    case dsEdit: case dsInsert: return ActiveBuffer();
    case dsCalcFields: return CalcBuffer();
    default: return nullptr;
    }
}

bool TMemData::GetFieldData(TField* field, void* buffer) {
    TRecordBuffer record = BufferForState();
    if (!record) return false;
    if (field->IsBlob()) return field->Offset() < FBlobCount && !BlobSlots(record)[field->Offset()].empty();
    return FFields->ReadField(record, field, buffer);
}

void TMemData::SetFieldData(TField* field, const void* buffer) {
    if (!IsWriteMode(State())) DatabaseError(SNotEditing, Name());
    FFields->WriteField(ActiveBuffer(), field, buffer);
    if (State() != dsCalcFields && State() != dsFilter && State() != dsNewValue)
        DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(field));
}

// ---- blobs ----

int TMemData::ClampedPosition(int position) const {
    return std::clamp(position, 0, std::max(RecCount() - 1, 0));
}

const TMemData::TBlobArray* TMemData::StoredBlobs() const {
    if (FBlobList.empty()) return nullptr;
    int position = FFilterActive && FFilterRec >= 0 && FFilterRec < int(FFilterList.size())
                       ? FFilterList[static_cast<std::size_t>(FFilterRec)] - 1
                       : FCurRec;
    return FBlobList[static_cast<std::size_t>(ClampedPosition(position))].get();
}

void TMemData::StoreBlobs(TRecordBuffer buffer, int position) {
    if (FBlobList.empty()) return;
    auto& entry = FBlobList[static_cast<std::size_t>(ClampedPosition(position))];
    if (!entry) entry = std::make_unique<TBlobArray>(static_cast<std::size_t>(FBlobCount));
    String* slots = BlobSlots(buffer);
    for (int i = 0; i < FBlobCount; ++i) (*entry)[static_cast<std::size_t>(i)] = slots[i];
}

void TMemData::FetchBlobs(TRecordBuffer buffer, int position) {
    String* slots = BlobSlots(buffer);
    const TBlobArray* stored = FBlobList.empty() ? nullptr : FBlobList[static_cast<std::size_t>(position)].get();
    for (int i = 0; i < FBlobCount; ++i) slots[i] = stored ? (*stored)[static_cast<std::size_t>(i)] : String();
}

std::unique_ptr<TBlobStream> TMemData::CreateBlobStream(TField* field, TBlobStreamMode mode) {
    return std::make_unique<TMemBlobStream>(field, mode);
}

void TMemData::CloseBlob(TField* field) {
    TRecordBuffer buffer = ActiveBuffer();
    if (!buffer || !field->IsBlob() || field->Offset() >= FBlobCount) return;
    String& slot = BlobSlots(buffer)[field->Offset()];
    const TBlobArray* stored = State() == dsEdit && FCurRec >= 0 && FCurRec < RecCount() ? StoredBlobs() : nullptr;
    if (State() == dsEdit && stored) slot = (*stored)[static_cast<std::size_t>(field->Offset())];
    else slot.clear();
}

// ---- editing ----

bool TMemData::GetCanModify() { return !FReadOnly || FLoading; }

void TMemData::DoOnNewRecord() {
    FRecIdField->SetAsInteger(FLastRecId + 1);
    if (!FLoading) TDataSet::DoOnNewRecord();
}

void TMemData::FixAutoIncs(TRecordBuffer buffer) {
    for (int i = 1; i < FFields->Count(); ++i) {
        TMemField* c = FFields->Items(i);
        if (c->DataType != ftAutoInc || c->Offset < 0) continue;
        std::int32_t value;
        if (buffer[c->Offset]) {
            std::memcpy(&value, buffer + c->Offset + 1, 4);
            if (value > c->MaxIncValue) c->MaxIncValue = value;
        } else {
            value = ++c->MaxIncValue;
            buffer[c->Offset] = 1;
            std::memcpy(buffer + c->Offset + 1, &value, 4);
        }
    }
}

// One road for every new record: values, RecId and blob entry at the same position.
void TMemData::AddStoredRecord(TRecordBuffer buffer, int position) {
    position = std::clamp(position, 0, RecCount());
    bool atEnd = position == RecCount();
    std::int32_t id = ++FLastRecId;
    TMemField* idColumn = FFields->Count() > 0 ? FFields->Items(0) : nullptr;
    if (idColumn && idColumn->Offset >= 0) {
        buffer[idColumn->Offset] = 1;
        std::memcpy(buffer + idColumn->Offset + 1, &id, 4);
    }
    FFields->InsertRecord(buffer, position, atEnd);
    FRecIdList.insert(FRecIdList.begin() + position, id);
    if (FRecIdIndexValid && atEnd) FRecIdIndex[id] = position;
    else FRecIdIndexValid = false;
    if (FBlobCount > 0) FBlobList.insert(FBlobList.begin() + position, nullptr);
    FCurRec = position;
    if (HasFilter()) EnterFilterList(position);
    if (FBlobCount > 0) StoreBlobs(buffer, position);
}

void TMemData::InternalPost() {
    TDataSet::InternalPost();
    TRecordBuffer buffer = ActiveBuffer();
    FixAutoIncs(buffer);
    if (State() == dsInsert) {
        AddStoredRecord(buffer, FCurRec);
    } else {
        FFields->StoreRecord(buffer, FCurRec);
        if (FBlobCount > 0) StoreBlobs(buffer, FCurRec);
    }
    PlacePostedRecord();
    FilterPostedRecord();
}

// InsertRecord puts its record where Insert would, AppendRecord at the end; either way the
// record then takes its sorted place and meets the filter, as a posted one does.
void TMemData::InternalAddRecord(TRecordBuffer buffer, bool append) {
    if (append) InternalLast();
    FixAutoIncs(buffer);
    AddStoredRecord(buffer, append ? RecCount() : std::max(FCurRec, 0));
    PlacePostedRecord();
    FilterPostedRecord();
}

void TMemData::InternalDelete() {
    int position = FCurRec;
    if (position < 0 || position >= RecCount()) return;
    FFields->DeleteRecord(position);
    FRecIdList.erase(FRecIdList.begin() + position);
    FRecIdIndexValid = false;
    if (!FBlobList.empty()) FBlobList.erase(FBlobList.begin() + position);
    if (HasFilter()) {
        auto it = std::lower_bound(FFilterList.begin(), FFilterList.end(), position + 1);
        if (it != FFilterList.end() && *it == position + 1) {
            if (FFilterActive) FFilterRec = static_cast<int>(it - FFilterList.begin());
            it = FFilterList.erase(it);
        }
        for (; it != FFilterList.end(); ++it) --*it;
    }
    if (FFilterActive) {
        if (FFilterRec == static_cast<int>(FFilterList.size())) --FFilterRec;
        FCurRec = FFilterRec >= 0 ? FFilterList[static_cast<std::size_t>(FFilterRec)] - 1 : -1;
    } else if (FCurRec == RecCount()) {
        --FCurRec;
    }
}

void TMemData::InternalRefresh() {
    if (!OnCalcFields || RecCount() == 0) return;
    bool hasCalc = false;
    for (int i = 0; i < FieldCount(); ++i)
        if (Fields(i) != FRecIdField && Fields(i)->Calculated()) hasCalc = true;
    if (!hasCalc) return;
    TLoadingScope loading(*this);
    int recNo = RecNo();
    DisableControls();
    try {
        for (int i = 1; i <= RecordCount(); ++i) {
            SetRecNo(i);
            Edit();
            DoOnCalcFields();
            Post();
        }
        SetRecNo(recNo);
    } catch (...) {
        EnableControls();
        throw;
    }
    EnableControls();
}

// ---- events, silent while a text load runs ----

void TMemData::DoAfterCancel() { if (!FLoading) TDataSet::DoAfterCancel(); }
void TMemData::DoAfterClose() { if (!FLoading) TDataSet::DoAfterClose(); }
void TMemData::DoAfterInsert() { if (!FLoading) TDataSet::DoAfterInsert(); }
void TMemData::DoAfterOpen() { if (!FLoading) TDataSet::DoAfterOpen(); }
void TMemData::DoAfterPost() { if (!FLoading) TDataSet::DoAfterPost(); }
void TMemData::DoBeforeClose() { if (!FLoading) TDataSet::DoBeforeClose(); }
void TMemData::DoBeforeInsert() { if (!FLoading) TDataSet::DoBeforeInsert(); }
void TMemData::DoBeforeOpen() { if (!FLoading) TDataSet::DoBeforeOpen(); }
void TMemData::DoBeforePost() { if (!FLoading) TDataSet::DoBeforePost(); }
