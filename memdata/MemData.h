#pragma once
// TMemData: a data set that holds all its records in memory, column by column, with a hidden
// RecId field that gives each record a lasting identity (its bookmark), one sort field, a
// filter through OnFilterRecord, and loading and saving as delimited text.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>
#include "MemFields.h"
#include "platform/db/DB.h"

enum TMemSortOption : unsigned { soDesc = 1, soCaseInsensitive = 2 };
using TMemSortOptions = unsigned;   // a set of TMemSortOption

class TMemBlobStream;

class TMemData : public TDataSet {
public:
    explicit TMemData(const String& name = String());
    ~TMemData() override;

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    const String& SortedField() const { return FSortedField; }
    void SetSortedField(const String& value);        // re-sorts on a change
    TMemSortOptions SortOptions() const { return FSortOptions; }
    void SetSortOptions(TMemSortOptions value);      // re-sorts on a change
    TIntegerField* RecIdField() const { return FRecIdField; }
    TMemFields& MemFields() { return *FFields; }
    bool Loading() const { return FLoading; }

    // Separates the values of a line in the delimited files.
    char TextDelimiter = '\t';

    virtual void SortRecords();
    virtual void RebuildFilterList();
    virtual int FindRecordNo(const String& fieldName, const Variant& value);
    virtual bool IsSupportedFieldType(TFieldType fieldType);

    // A header line of field names, then one line per record (CR LF, code page 1256).
    virtual void SaveToDelimitedFile(const String& fileName);
    // Replaces the records with those of the file; a file without lines changes nothing, and a
    // file that fails part way (a value its field cannot take) leaves the records as they were.
    virtual void LoadFromDelimitedFile(const String& fileName);

    bool Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options) override;
    Variant Lookup(const String& keyFields, const Variant& keyValues, const String& resultFields) override;
    void SetOnFilterRecord(const TFilterRecordEvent& value) override;
    void SetRecNo(int value) override;
    bool BookmarkValid(const TBookmark& bookmark) override;
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) override;

    using TDataSet::GetFieldData;
    using TDataSet::SetFieldData;
    bool GetFieldData(TField* field, void* buffer) override;
    void SetFieldData(TField* field, const void* buffer) override;
    std::unique_ptr<TBlobStream> CreateBlobStream(TField* field, TBlobStreamMode mode) override;
    void CloseBlob(TField* field) override;

protected:
    friend class TMemBlobStream;

    void FieldListNotification(TField* field, bool added) override;
    void ClearCalcFields(TRecordBuffer buffer) override;
    void DoAfterCancel() override;
    void DoAfterClose() override;
    void DoAfterInsert() override;
    void DoAfterOpen() override;
    void DoAfterPost() override;
    void DoBeforeClose() override;
    void DoBeforeInsert() override;
    void DoBeforeOpen() override;
    void DoBeforePost() override;
    void DoOnNewRecord() override;
    bool GetCanModify() override;
    int GetRecordCount() override;
    int GetRecNo() override;
    void InternalRefresh() override;
    TRecordBuffer AllocRecordBuffer() override;
    void FreeRecordBuffer(TRecordBuffer& buffer) override;
    void GetBookmarkData(TRecordBuffer buffer, void* data) override;
    TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override;
    TGetResult GetRecord(TRecordBuffer buffer, TGetMode getMode, bool doCheck) override;
    int GetRecordSize() override { return FRecordSize; }
    void InternalAddRecord(TRecordBuffer buffer, bool append) override;
    void InternalClose() override;
    void InternalDelete() override;
    void InternalFirst() override;
    void InternalGotoBookmark(const void* bookmark) override;
    void InternalInitFieldDefs() override;
    void InternalInitRecord(TRecordBuffer buffer) override;
    void InternalLast() override;
    void InternalOpen() override;
    void InternalPost() override;
    void InternalSetToRecord(TRecordBuffer buffer) override;
    bool IsCursorOpen() override { return FIsOpen; }
    void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) override;
    void SetBookmarkData(TRecordBuffer buffer, const void* data) override;

    // Takes a posted record out of the visible records when OnFilterRecord declines it.
    virtual void FilterPostedRecord();

private:
    using TBlobArray = std::vector<String>;
    struct TStore;                      // the records, taken aside while a text load runs
    class TLoadingScope;

    int RecCount() const { return static_cast<int>(FRecIdList.size()); }
    int VisibleCount() const { return FFilterActive ? static_cast<int>(FFilterList.size()) : RecCount(); }
    int VisiblePosition(int visibleIndex) const;   // record position of a visible index
    int PositionOfRecId(std::int32_t recId);       // -1 when not held
    int FilterIndexOf(int entry) const;            // index of a 1-based position in FilterList, or -1
    bool HasFilter() const { return static_cast<bool>(OnFilterRecord()); }
    TRecordBuffer BufferForState();
    String* BlobSlots(TRecordBuffer buffer) const;
    int ClampedPosition(int position) const;
    const TBlobArray* StoredBlobs() const;          // of the current record, none when it has none
    void StoreBlobs(TRecordBuffer buffer, int position);
    void FetchBlobs(TRecordBuffer buffer, int position);
    void FixAutoIncs(TRecordBuffer buffer);
    void AddStoredRecord(TRecordBuffer buffer, int position);
    void EnterFilterList(int position);
    void PlacePostedRecord();
    void MoveInFilterList(int from, int to);
    void ExchangeRecords(int a, int b);
    void SortRange(TMemField* column, int l, int r);
    TMemField* SortedColumn();
    int SearchSorted(TMemField* column, const char* key);
    bool Matches(TMemField* column, int position, const char* key, const String& keyText, TLocateOptions options);
    void Found(int position, int visibleIndex);
    TStore TakeStore();
    void PutStore(TStore& store);
    void LoadLines(const TStringList& lines);

    std::unique_ptr<TMemFields> FFields;
    int FRecordBufferSize = 0;
    int FRecordSize = 0;
    int FBlobOffset = 0;                // where the blob slots start in a record buffer
    int FBlobCount = 0;
    int FCurRec = -1;
    int FFilterRec = -1;
    std::vector<std::int32_t> FRecIdList;
    std::vector<std::unique_ptr<TBlobArray>> FBlobList;
    std::vector<int> FFilterList;       // 1-based positions of the accepted records, ascending
    std::int32_t FLastRecId = 0;
    bool FReadOnly = false;
    TIntegerField* FRecIdField = nullptr;
    TMemSortOptions FSortOptions = 0;
    String FSortedField;
    bool FLoading = false;
    bool FFilterActive = false;
    int FLookupRec = -1;
    bool FIsOpen = false;
    // RecId -> position, rebuilt when records moved since it was last built
    std::unordered_map<std::int32_t, int> FRecIdIndex;
    bool FRecIdIndexValid = false;
};
