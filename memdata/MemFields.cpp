#include "MemFields.h"
#include <algorithm>
#include <utility>
#include "MemData.h"

TMemFields::TMemFields(TMemData* dataSet)
    : TCollection([](TCollection* c) { return new TMemField(c); }), FDataSet(dataSet) {}

TMemField* TMemFields::Add(TField* field) {
    TMemField* column = static_cast<TMemField*>(TCollection::Add());
    column->BindField(field);
    return column;
}

TMemField* TMemFields::ColumnOf(const TField* field) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Field == field) return Items(i);
    return nullptr;
}

void TMemFields::AddField(TField* field) {
    if (!ColumnOf(field)) Add(field);
}

void TMemFields::RemoveField(TField* field) {
    if (TMemField* column = ColumnOf(field)) delete column;
}

int TMemFields::RecordCount() const {
    return Count() == 0 ? 0 : static_cast<int>(Items(0)->Values.size());
}

int TMemFields::Layout() {
    int offset = 0;
    for (int i = 0; i < Count(); ++i) {
        Items(i)->Offset = offset;
        offset += Items(i)->DataSize + 1;
    }
    return offset;
}

void TMemFields::CopyRecord(char* buffer, int index) const {
    for (int i = 0; i < Count(); ++i) {
        const TMemField* c = Items(i);
        if (c->Offset < 0) continue;
        const TMemFieldRec& v = c->Values[static_cast<std::size_t>(index)];
        buffer[c->Offset] = v.HasValue ? 1 : 0;
        std::memcpy(buffer + c->Offset + 1, v.Data(), static_cast<std::size_t>(c->DataSize));
    }
}

void TMemFields::StoreRecord(const char* buffer, int index) {
    if (index == -1) return;
    for (int i = 0; i < Count(); ++i) {
        TMemField* c = Items(i);
        if (c->Offset < 0) continue;
        TMemFieldRec& v = c->Values[static_cast<std::size_t>(index)];
        v.HasValue = buffer[c->Offset] != 0;
        std::memcpy(v.Data(), buffer + c->Offset + 1, static_cast<std::size_t>(c->DataSize));
    }
}

bool TMemFields::ReadField(const char* buffer, const TField* field, void* dest) const {
    const TMemField* c = ColumnOf(field);
    if (!c || c->Offset < 0) return false;
    if (dest) std::memcpy(dest, buffer + c->Offset + 1, static_cast<std::size_t>(c->DataSize));
    return buffer[c->Offset] != 0;
}

void TMemFields::WriteField(char* buffer, const TField* field, const void* source) {
    if (FDataSet->State() == dsCalcFields && (field->Calculated() || field->Lookup())) return;
    const TMemField* c = ColumnOf(field);
    if (!c || c->Offset < 0) return;
    if (source) {
        buffer[c->Offset] = 1;
        std::memcpy(buffer + c->Offset + 1, source, static_cast<std::size_t>(c->DataSize));
    } else {
        buffer[c->Offset] = 0;
    }
}

void TMemFields::InsertRecord(const char* buffer, int index, bool append) {
    if (index < 0) index = 0;
    for (int i = 0; i < Count(); ++i) {
        TMemField* c = Items(i);
        bool has = c->Offset >= 0 && buffer[c->Offset] != 0;
        TMemFieldRec v(has ? buffer + c->Offset + 1 : nullptr, c->DataSize);
        if (append) c->Values.push_back(std::move(v));
        else c->Values.insert(c->Values.begin() + index, std::move(v));
    }
}

void TMemFields::DeleteRecord(int index) {
    for (int i = 0; i < Count(); ++i) Items(i)->Values.erase(Items(i)->Values.begin() + index);
}

void TMemFields::ExchangeRecords(int a, int b) {
    for (int i = 0; i < Count(); ++i)
        std::swap(Items(i)->Values[static_cast<std::size_t>(a)], Items(i)->Values[static_cast<std::size_t>(b)]);
}

void TMemFields::MoveRecord(int from, int to) {
    for (int i = 0; i < Count(); ++i) {
        auto& v = Items(i)->Values;
        if (from < to) std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
        else std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
    }
}

void TMemFields::ClearRecords() {
    for (int i = 0; i < Count(); ++i) Items(i)->Values.clear();
}
