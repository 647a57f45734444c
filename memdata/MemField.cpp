#include "MemField.h"
#include "MemFields.h"

void TMemField::BindField(TField* field) {
    Field = field;
    DataType = field->DataType();
    DataSize = field->DataSize();
    Values.clear();
    MaxIncValue = 0;
    int records = static_cast<TMemFields*>(Collection())->RecordCount();
    Values.reserve(static_cast<std::size_t>(records));
    for (int i = 0; i < records; ++i) Values.emplace_back(nullptr, DataSize);
}

TMemData* TMemField::DataSet() const {
    return Collection() ? static_cast<TMemFields*>(Collection())->DataSet() : nullptr;
}
