#pragma once
// Field definitions: what the storage holds, from which default fields are made.
#include <memory>
#include <vector>
#include "DBTypes.h"

enum TFieldAttribute : unsigned { faHiddenCol = 1, faReadonly = 2, faRequired = 4, faLink = 8, faUnNamed = 16, faFixed = 32 };
using TFieldAttributes = unsigned;

class TFieldDefs;

class TFieldDef {
public:
    TFieldDef(TFieldDefs* owner, const String& name, TFieldType dataType, int size, bool required, int fieldNo);

    String Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    int Precision = 0;
    int FieldNo = 0;                 // 1-based
    TFieldAttributes Attributes = 0;
    bool InternalCalcField = false;

    bool Required() const { return (Attributes & faRequired) != 0; }
    void SetRequired(bool value) { Attributes = value ? Attributes | faRequired : Attributes & ~faRequired; }
    // Makes the field the default field class stands for, attached to the definitions' data set.
    TField* CreateField();
    TFieldDefs* Collection() const { return FOwner; }

private:
    TFieldDefs* FOwner;
};

class TFieldDefs {
public:
    explicit TFieldDefs(TDataSet* dataSet) : FDataSet(dataSet) {}

    TFieldDef* Add(const String& name, TFieldType dataType, int size = 0, bool required = false);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TFieldDef* Items(int index) const;
    TFieldDef* Find(const String& name) const;   // raises the field-not-found error
    int IndexOf(const String& name) const;       // without regard to case; -1 when absent
    // Asks the data set for its definitions (InitFieldDefs).
    void Update();
    TDataSet* DataSet() const { return FDataSet; }

private:
    TDataSet* FDataSet;
    std::vector<std::unique_ptr<TFieldDef>> FItems;
};
