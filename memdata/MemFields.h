#pragma once
#include "MemField.h"
#include "platform/rtl/Classes.h"

class TMemData;

// The columns of one in-memory table. Column 0 is the table's hidden RecId field. The packed
// record buffer holds, for each column with a slot, a has-value byte and DataSize bytes.
class TMemFields : public TCollection {
public:
    explicit TMemFields(TMemData* dataSet);

    TMemField* Add(TField* field);
    TMemField* Items(int index) const { return static_cast<TMemField*>(TCollection::Items(index)); }
    TMemField* ColumnOf(const TField* field) const;
    void AddField(TField* field);       // unless it has a column
    void RemoveField(TField* field);
    int RecordCount() const;             // values in column 0
    TMemData* DataSet() const { return FDataSet; }

    // Gives every column its slot in a record buffer; the size of the field area.
    int Layout();
    void CopyRecord(char* buffer, int index) const;
    void StoreRecord(const char* buffer, int index);     // -1 does nothing
    bool ReadField(const char* buffer, const TField* field, void* dest) const;
    void WriteField(char* buffer, const TField* field, const void* source);
    void InsertRecord(const char* buffer, int index, bool append);   // index -1 counts as 0
    void DeleteRecord(int index);
    void ExchangeRecords(int a, int b);
    void MoveRecord(int from, int to);
    void ClearRecords();

private:
    TMemData* FDataSet;
};
