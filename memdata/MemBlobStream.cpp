#include "MemBlobStream.h"
#include <algorithm>
#include <cstring>
#include "MemData.h"
#include "platform/db/DBConsts.h"

TMemBlobStream::TMemBlobStream(TField* field, TBlobStreamMode mode)
    : FField(field), FDataSet(static_cast<TMemData*>(field->DataSet())), FMode(mode) {
    if (!field->IsBlob() || !FDataSet || field->Offset() >= FDataSet->FBlobCount) return;
    FBuffer = FDataSet->BufferForState();
    if (!FBuffer) return;
    if (mode == bmRead) {
        FCached = FBuffer == FDataSet->ActiveBuffer();
    } else {
        if (field->ReadOnly()) DatabaseErrorFmt(DBConsts::SFieldReadOnly, {field->DisplayName()});
        if (FDataSet->State() != dsEdit && FDataSet->State() != dsInsert)
            DatabaseError(DBConsts::SNotEditing, FDataSet->Name());
        FCached = true;
    }
    FOpened = true;
    if (mode == bmWrite) Truncate();
}

TMemBlobStream::~TMemBlobStream() {
    if (!FModified) return;
    if (FOpened) static_cast<TBlobField*>(FField)->SetModified(true);
    try {
        FDataSet->DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(FField));
    } catch (...) {
        // a field's change handler must not escape a destructor
    }
}

String* TMemBlobStream::Slot() const { return &FDataSet->BlobSlots(FBuffer)[FField->Offset()]; }

const String& TMemBlobStream::Value() const {
    static const String empty;
    if (!FOpened) return empty;
    if (FCached) return *Slot();
    const std::vector<String>* stored = FDataSet->StoredBlobs();
    return stored ? (*stored)[static_cast<std::size_t>(FField->Offset())] : empty;
}

int TMemBlobStream::Read(void* buffer, int count) {
    const String& value = Value();
    int n = std::min(count, static_cast<int>(value.size()) - FPosition);
    if (n < 1) return 0;
    std::memcpy(buffer, value.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

int TMemBlobStream::Write(const void* buffer, int count) {
    if (!FOpened || !FCached || count < 0) return 0;
    String value = *Slot();
    if (static_cast<int>(value.size()) < FPosition + count) value.resize(static_cast<std::size_t>(FPosition + count));
    if (count > 0) std::memcpy(value.data() + FPosition, buffer, static_cast<std::size_t>(count));
    if (FBuffer == FDataSet->ActiveBuffer() && FDataSet->State() != dsFilter) *Slot() = std::move(value);
    FPosition += count;
    FModified = true;
    return count;
}

int TMemBlobStream::Seek(int offset, int origin) {
    switch (origin) {
    case 0: FPosition = offset; break;
    case 1: FPosition += offset; break;
    case 2: FPosition = Size() + offset; break;
    default: break;
    }
    return FPosition;
}

int TMemBlobStream::Size() { return static_cast<int>(Value().size()); }

void TMemBlobStream::Truncate() {
    if (!FOpened) return;
    Slot()->clear();
    FModified = true;
}
