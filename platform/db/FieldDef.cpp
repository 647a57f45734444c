#include "FieldDef.h"
#include "DBConsts.h"
#include "DataSet.h"

TFieldDef::TFieldDef(TFieldDefs* owner, const String& name, TFieldType dataType, int size, bool required, int fieldNo)
    : Name(name), DataType(dataType), Size(size), FieldNo(fieldNo), FOwner(owner) {
    SetRequired(required);
}

TField* TFieldDef::CreateField() {
    TDataSet* dataSet = FOwner->DataSet();
    TFieldClass make = dataSet->GetFieldClass(DataType);
    if (!make) DatabaseErrorFmt(DBConsts::SUnknownFieldType, {Name}, dataSet->Name());
    TField* field = make();
    try {
        // a definition without a size keeps the field's default (20 characters, 4 decimals)
        if (Size > 0 && (field->DataType() == ftString || field->IsBlob() || DataType == ftBCD)) field->SetSize(Size);
        field->SetFieldName(Name);
        field->SetRequired(Required());
        field->SetReadOnly((Attributes & faReadonly) != 0);
        if (InternalCalcField) field->SetFieldKind(fkInternalCalc);
        field->SetDataSet(dataSet);
    } catch (...) {
        delete field;
        throw;
    }
    return field;
}

TFieldDef* TFieldDefs::Add(const String& name, TFieldType dataType, int size, bool required) {
    if (IndexOf(name) >= 0) DatabaseErrorFmt(DBConsts::SDuplicateFieldName, {name}, FDataSet ? FDataSet->Name() : String());
    FItems.push_back(std::make_unique<TFieldDef>(this, name, dataType, size, required, Count() + 1));
    return FItems.back().get();
}

void TFieldDefs::Clear() { FItems.clear(); }

TFieldDef* TFieldDefs::Items(int index) const {
    if (index < 0 || index >= Count()) DatabaseError(DBConsts::SFieldIndexError);
    return FItems[static_cast<std::size_t>(index)].get();
}

int TFieldDefs::IndexOf(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiCompareText(FItems[static_cast<std::size_t>(i)]->Name, name) == 0) return i;
    return -1;
}

TFieldDef* TFieldDefs::Find(const String& name) const {
    int i = IndexOf(name);
    if (i < 0) DatabaseErrorFmt(DBConsts::SFieldNotFound, {name}, FDataSet ? FDataSet->Name() : String());
    return Items(i);
}

void TFieldDefs::Update() {
    if (FDataSet) FDataSet->InitFieldDefs();
}
