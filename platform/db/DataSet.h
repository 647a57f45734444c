#pragma once
// TDataSet: the class library's buffered data set. It keeps a ring of record buffers, the
// state machine (browse, edit, insert, ...) and the events, and reaches the storage only through
// the protected virtual operations a descendant overrides, called in the library's order.
#include <memory>
#include <vector>
#include "BlobStream.h"
#include "DBTypes.h"
#include "DatabaseError.h"
#include "Field.h"
#include "FieldDef.h"

// Receives the data events that reach the controls (the data sources, later).
class TDataEventListener {
public:
    virtual ~TDataEventListener() = default;
    virtual void DataSetEvent(TDataSet* dataSet, TDataEvent event, std::intptr_t info) = 0;
};

using TFieldClass = TField* (*)();

class TDataSet {
public:
    TDataSet();
    // Deletes the fields it holds. A descendant's destructor calls CloseForDestroy() first, so
    // that the descendant's own operations close it.
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    const String& Name() const { return FName; }
    void SetName(const String& value) { FName = value; }

    // Opening and state
    bool Active() const { return FState != dsInactive && FState != dsOpening; }
    virtual void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }
    bool Modified() const { return FModified; }
    bool Bof() const { return FBOF; }
    bool Eof() const { return FEOF; }
    bool IsEmpty() const { return FActiveRecord >= FRecordCount; }
    bool CanModify() { return GetCanModify(); }
    void CheckActive() const;
    void CheckInactive() const;
    void CheckBrowseMode();

    // Navigation
    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    int MoveBy(int distance);
    int RecNo() { return GetRecNo(); }           // -1 unless the descendant numbers its records
    virtual void SetRecNo(int value) { (void)value; }
    int RecordCount() { return GetRecordCount(); }
    void Resync(TResyncMode mode);
    void Refresh();

    // Editing
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void AppendRecord(std::initializer_list<Variant> values);
    void InsertRecord(std::initializer_list<Variant> values);
    void SetFields(std::initializer_list<Variant> values);   // Null clears a field
    void ClearFields();
    void UpdateRecord();

    // Bookmarks
    bool BookmarkAvailable() const;
    TBookmark Bookmark() const { return GetBookmark(); }
    void SetBookmark(const TBookmark& value) { GotoBookmark(value); }
    TBookmark GetBookmark() const;               // empty when no record is current
    void GotoBookmark(const TBookmark& bookmark); // empty does nothing
    void FreeBookmark(TBookmark& bookmark) { bookmark.clear(); }
    virtual bool BookmarkValid(const TBookmark& bookmark) { (void)bookmark; return false; }
    virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b) { (void)a; (void)b; return 0; }

    // Controls
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return FDisableCount != 0; }
    virtual void DataEvent(TDataEvent event, std::intptr_t info);
    void AddDataEventListener(TDataEventListener* listener);
    void RemoveDataEventListener(TDataEventListener* listener);

    // Fields
    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField* Fields(int index) const;
    TField* FindField(const String& fieldName) const;    // names compare without case
    TField* FieldByName(const String& fieldName) const;  // raises "Field '%s' not found"
    // Fields named in a ";"-separated list, in the list's order.
    void GetFieldList(std::vector<TField*>& list, const String& fieldNames) const;
    void GetFieldNames(std::vector<String>& list) const;
    Variant FieldValues(const String& fieldNames) const;  // an array for several names
    void SetFieldValues(const String& fieldNames, const Variant& value);
    TFieldDefs& FieldDefs() { return FFieldDefs; }
    bool DefaultFields() const { return FDefaultFields; }
    int BlobFieldCount() const { return FBlobFieldCount; }
    int CalcFieldsSize() const { return FCalcFieldsSize; }
    bool AutoCalcFields = true;
    virtual TFieldClass GetFieldClass(TFieldType fieldType);

    // Field values, as the fields reach them. Descendants override the two-argument forms;
    // the three-argument forms convert dates and times between TDateTime and the native forms
    // (date: 32-bit day number of the time stamp, time: 32-bit milliseconds of the day,
    // date-time: double milliseconds of the time stamp). An override of the two-argument form
    // hides the other in the descendant; `using TDataSet::GetFieldData;` brings it back.
    virtual bool GetFieldData(TField* field, void* buffer) { (void)field; (void)buffer; return false; }
    virtual void SetFieldData(TField* field, const void* buffer) { (void)field; (void)buffer; }
    bool GetFieldData(TField* field, void* buffer, bool nativeFormat);
    void SetFieldData(TField* field, const void* buffer, bool nativeFormat);
    virtual std::unique_ptr<TBlobStream> CreateBlobStream(TField* field, TBlobStreamMode mode) {
        (void)field; (void)mode; return nullptr; }
    virtual void CloseBlob(TField* field) { (void)field; }

    // Searching
    virtual bool Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options) {
        (void)keyFields; (void)keyValues; (void)options; return false; }
    virtual Variant Lookup(const String& keyFields, const Variant& keyValues, const String& resultFields) {
        (void)keyFields; (void)keyValues; (void)resultFields; return Null(); }

    // Filtering: stored here, applied by the descendant's GetRecord.
    bool Filtered() const { return FFiltered; }
    virtual void SetFiltered(bool value) { FFiltered = value; }
    const String& Filter() const { return FFilterText; }
    virtual void SetFilterText(const String& value) { FFilterText = value; }
    TFilterOptions FilterOptions() const { return FFilterOptions; }
    virtual void SetFilterOptions(TFilterOptions value) { FFilterOptions = value; }
    const TFilterRecordEvent& OnFilterRecord() const { return FOnFilterRecord; }
    virtual void SetOnFilterRecord(const TFilterRecordEvent& value) { FOnFilterRecord = value; }

    // The ring's size (1 unless a data source asks for more).
    int BufferCount() const { return FBufferCount; }
    void SetBufferCount(int value);

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert,
        BeforeEdit, AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete,
        AfterDelete, BeforeScroll, AfterScroll, BeforeRefresh, AfterRefresh, OnCalcFields, OnNewRecord;
    TDataSetErrorEvent OnEditError, OnPostError, OnDeleteError;

protected:
    friend class TField;
    friend class TFieldDefs;

    // Record buffers
    virtual TRecordBuffer AllocRecordBuffer() = 0;
    virtual void FreeRecordBuffer(TRecordBuffer& buffer) = 0;
    virtual TGetResult GetRecord(TRecordBuffer buffer, TGetMode getMode, bool doCheck) = 0;
    virtual int GetRecordSize() { return 0; }
    virtual void InternalInitRecord(TRecordBuffer buffer) = 0;
    virtual void ClearCalcFields(TRecordBuffer buffer) { (void)buffer; }
    virtual void GetBookmarkData(TRecordBuffer buffer, void* data) = 0;
    virtual void SetBookmarkData(TRecordBuffer buffer, const void* data) = 0;
    virtual TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) = 0;
    virtual void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag value) = 0;

    // Cursor
    virtual void InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual bool IsCursorOpen() = 0;
    virtual void InternalInitFieldDefs() = 0;
    virtual void InternalFirst() = 0;
    virtual void InternalLast() = 0;
    virtual void InternalGotoBookmark(const void* bookmark) = 0;
    virtual void InternalSetToRecord(TRecordBuffer buffer) = 0;
    virtual void InternalRefresh() {}
    virtual void InternalHandleException() {}

    // Editing
    virtual void InternalAddRecord(TRecordBuffer buffer, bool append) = 0;
    virtual void InternalDelete() = 0;
    virtual void InternalPost();                  // checks the required fields
    virtual void InternalEdit() {}
    virtual void InternalInsert() {}
    virtual void InternalCancel() {}
    virtual bool GetCanModify() { return true; }

    // Numbering
    virtual int GetRecNo() { return -1; }
    virtual int GetRecordCount() { return -1; }

    // Events
    virtual void DoBeforeOpen() { Fire(BeforeOpen); }
    virtual void DoAfterOpen() { Fire(AfterOpen); }
    virtual void DoBeforeClose() { Fire(BeforeClose); }
    virtual void DoAfterClose() { Fire(AfterClose); }
    virtual void DoBeforeInsert() { Fire(BeforeInsert); }
    virtual void DoAfterInsert() { Fire(AfterInsert); }
    virtual void DoBeforeEdit() { Fire(BeforeEdit); }
    virtual void DoAfterEdit() { Fire(AfterEdit); }
    virtual void DoBeforePost() { Fire(BeforePost); }
    virtual void DoAfterPost() { Fire(AfterPost); }
    virtual void DoBeforeCancel() { Fire(BeforeCancel); }
    virtual void DoAfterCancel() { Fire(AfterCancel); }
    virtual void DoBeforeDelete() { Fire(BeforeDelete); }
    virtual void DoAfterDelete() { Fire(AfterDelete); }
    virtual void DoBeforeScroll() { Fire(BeforeScroll); }
    virtual void DoAfterScroll() { Fire(AfterScroll); }
    virtual void DoBeforeRefresh() { Fire(BeforeRefresh); }
    virtual void DoAfterRefresh() { Fire(AfterRefresh); }
    virtual void DoOnCalcFields() { Fire(OnCalcFields); }
    virtual void DoOnNewRecord() { Fire(OnNewRecord); }

    // Told when a field joins (added true) or leaves this data set.
    virtual void FieldListNotification(TField* field, bool added) { (void)field; (void)added; }

    // Machinery for descendants
    TRecordBuffer ActiveBuffer() const;          // none without buffers
    TRecordBuffer CalcBuffer() const { return FCalcBuffer; }
    int ActiveRecord() const { return FActiveRecord; }
    int CurrentRecord() const { return FCurrentRecord; }
    int BufferRecordCount() const { return FRecordCount; }   // valid buffers in the ring
    TRecordBuffer Buffers(int index) const { return FBuffers[static_cast<std::size_t>(index)]; }
    int BookmarkSize() const { return FBookmarkSize; }
    void SetBookmarkSize(int value) { FBookmarkSize = value; }
    void SetState(TDataSetState value);
    TDataSetState SetTempState(TDataSetState value);   // silent; returns the state to restore
    void RestoreState(TDataSetState value);
    void SetModified(bool value) { FModified = value; }
    void CursorPosChanged() { FCurrentRecord = -1; }
    void UpdateCursorPos();
    void SetCurrentRecord(int index);
    void InitRecord(TRecordBuffer buffer);
    void GetCalcFields(TRecordBuffer buffer);
    void CalculateFields(TRecordBuffer buffer);
    virtual void RefreshInternalCalcFields(TRecordBuffer buffer) { (void)buffer; }
    void CreateFields();
    void DestroyFields();
    void BindFields(bool binding);
    void InitFieldDefs();
    void InitFieldDefsFromFields();
    void FreeFieldBuffers();
    void CheckCanModify();
    bool IsDestroying() const { return FDestroying; }
    void CloseForDestroy();
    const String& ErrorPrefix() const { return FName; }

private:
    void Fire(const TDataSetNotifyEvent& event) { if (event) event(this); }
    void AddField(TField* field);
    void RemoveField(TField* field);
    void OpenCursor();
    void CloseCursor();
    void AllocateBuffers();
    void FreeBuffers();
    void ClearBuffers();
    void ActivateBuffers();
    void MoveBuffer(int from, int to);
    void MoveToEnd(bool last);
    bool GetNextRecord();
    bool GetPriorRecord();
    int GetNextRecords();
    int GetPriorRecords();
    void BeginInsertAppend();
    void EndInsertAppend();
    void AddRecord(std::initializer_list<Variant> values, bool append);
    // Runs an operation with the error event's retry, abort and fail; false after an abort.
    bool CheckOperation(void (TDataSet::*operation)(), const TDataSetErrorEvent& errorEvent);
    void AddRecordOperation();

    String FName;
    TDataSetState FState = dsInactive;
    std::vector<TRecordBuffer> FBuffers;    // FBufferCount + 1 when open; the last is the spare
    int FBufferCount = 1;
    int FRecordCount = 0;
    int FActiveRecord = 0;
    int FCurrentRecord = -1;
    TRecordBuffer FCalcBuffer = nullptr;
    int FBookmarkSize = 0;
    int FCalcFieldsSize = 0;
    int FBlobFieldCount = 0;
    bool FInternalCalcFields = false;
    bool FBOF = true;
    bool FEOF = true;
    bool FModified = false;
    bool FDefaultFields = false;
    bool FDestroying = false;
    bool FAddAppend = false;
    int FDisableCount = 0;
    TDataSetState FDisableState = dsInactive;
    TDataEvent FEnableEvent = deDataSetChange;
    std::vector<TField*> FFields;
    TFieldDefs FFieldDefs;
    std::vector<TDataEventListener*> FListeners;
    bool FFiltered = false;
    String FFilterText;
    TFilterOptions FFilterOptions = 0;
    TFilterRecordEvent FOnFilterRecord;
};
