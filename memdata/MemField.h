#pragma once
#include <cstdint>
#include <vector>
#include "MemFieldRec.h"
#include "platform/db/Field.h"
#include "platform/rtl/Classes.h"

class TMemData;
class TMemFields;

// One column of the in-memory table: the stored values of one field, one per record, in
// record order.
class TMemField : public TCollectionItem {
public:
    explicit TMemField(TCollection* collection) : TCollectionItem(collection) {}

    // Takes the field, its type and size, and one null value for each record the table already
    // holds, so that a column bound to an open table is as long as the others.
    virtual void BindField(TField* field);

    char* ValueData(int index) { return Values[static_cast<std::size_t>(index)].Data(); }
    const char* ValueData(int index) const { return Values[static_cast<std::size_t>(index)].Data(); }
    bool HasValue(int index) const { return Values[static_cast<std::size_t>(index)].HasValue; }
    void SetHasValue(int index, bool value) { Values[static_cast<std::size_t>(index)].HasValue = value; }
    TMemData* DataSet() const;

    TField* Field = nullptr;
    std::vector<TMemFieldRec> Values;
    TFieldType DataType = ftUnknown;
    int DataSize = 0;
    std::int32_t MaxIncValue = 0;
    // Where the column's slot (has-value byte, then DataSize bytes) lies in a record buffer;
    // -1 for a column bound after the buffers were laid out.
    int Offset = -1;
};
