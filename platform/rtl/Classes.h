#pragma once
// The class library's lists: TList (pointers), TStrings and its storage TStringList, and
// TCollection with its items.
#include <functional>
#include <vector>
#include "String.h"
#include "SysUtils.h"
#include "TObject.h"

class TStream;

// Pointers, not owned. Index errors raise EListError "List index out of bounds (%d)".
class TList {
public:
    using TListSortCompare = std::function<int(void* item1, void* item2)>;

    TList() = default;
    virtual ~TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    int Remove(void* item);          // the index it had, -1 when absent
    void* Extract(void* item);       // removes it, returns it or nullptr
    int IndexOf(void* item) const;
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void Pack();                     // drops the nullptr entries
    void Sort(const TListSortCompare& compare);

    int Count() const { return int(FItems.size()); }
    void SetCount(int value);        // new entries are nullptr
    void* Items(int index) const;
    void* operator[](int index) const { return Items(index); }
    void Put(int index, void* item);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

private:
    void CheckIndex(int index) const;
    std::vector<void*> FItems;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

// Lines of text, each with an object pointer. The storage is left to descendants (TStringList
// here, a list box's items elsewhere), which implement the abstract operations.
class TStrings : public TObject {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* object);
    void Append(const String& s) { Add(s); }
    virtual void AddStrings(const TStrings& strings);
    virtual void Assign(const TStrings& source);
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Insert(int index, const String& s) = 0;
    virtual void InsertObject(int index, const String& s, TObject* object);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(const String& s) const;          // without regard to case unless told
    int IndexOfName(const String& name) const;
    int IndexOfObject(TObject* object) const;
    bool Equals(const TStrings& other) const;

    void BeginUpdate();
    void EndUpdate();

    int Count() const { return GetCount(); }
    String Strings(int index) const { return Get(index); }
    String operator[](int index) const { return Get(index); }
    virtual void Put(int index, const String& s);
    TObject* Objects(int index) const { return GetObjectAt(index); }
    virtual void PutObject(int index, TObject* object);

    // "name=value" lines
    String Names(int index) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);   // an empty value deletes the line

    // Every line followed by CR LF; setting splits at CR LF, LF or CR.
    String Text() const { return GetTextStr(); }
    void SetText(const String& text) { SetTextStr(text); }
    String CommaText() const;
    void SetCommaText(const String& text);
    String DelimitedText() const;
    void SetDelimitedText(const String& text);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char c) { FDelimiter = c; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char c) { FQuoteChar = c; }

    // The bytes of the file as they are (code page 1256); saving replaces the file only once the
    // new content is fully written (EFCreateError otherwise, the old file untouched).
    virtual void LoadFromFile(const String& fileName);     // EFOpenError when it cannot be read
    virtual void LoadFromStream(TStream& stream);          // from the position to the end
    virtual void SaveToFile(const String& fileName);
    virtual void SaveToStream(TStream& stream) const;

protected:
    virtual String Get(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObjectAt(int index) const;
    virtual String GetTextStr() const;
    virtual void SetTextStr(const String& text);
    // BeginUpdate's first and EndUpdate's last call
    virtual void SetUpdateState(bool updating);
    virtual int CompareStrings(const String& s1, const String& s2) const;
    int UpdateCount() const { return FUpdateCount; }
    [[noreturn]] static void Error(const String& pattern, int data);

private:
    String DelimitedWith(char delimiter, char quote) const;
    void SetDelimitedWith(const String& text, char delimiter, char quote);
    int FUpdateCount = 0;
    char FDelimiter = ',';
    char FQuoteChar = '"';
};

class TStringList : public TStrings {
public:
    using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

    TStringList() = default;
    ~TStringList() override;

    int Add(const String& s) override;
    int AddObject(const String& s, TObject* object) override;
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const String& s) override;
    void InsertObject(int index, const String& s, TObject* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const String& s) const override;
    void Put(int index, const String& s) override;
    void PutObject(int index, TObject* object) override;

    // Binary search of a sorted list: true when found; index is where s is or would go.
    virtual bool Find(const String& s, int& index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    String Get(int index) const override;
    int GetCount() const override { return int(FList.size()); }
    TObject* GetObjectAt(int index) const override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const String& s1, const String& s2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        String text;
        TObject* object = nullptr;
    };
    void InsertItem(int index, const String& s, TObject* object);
    void CheckIndex(int index) const;
    void QuickSort(int l, int r, const TStringListSortCompare& compare);

    std::vector<Item> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};

class TCollection;

// An item belongs to at most one collection; creating it with a collection adds it there and
// destroying it takes it out.
class TCollectionItem {
public:
    explicit TCollectionItem(TCollection* collection);
    virtual ~TCollectionItem();
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    virtual void SetCollection(TCollection* value);
    int ID() const { return FID; }
    int Index() const;
    virtual void SetIndex(int value);     // moves the item within its collection

protected:
    // Tells the collection: the whole collection when allItems, else only this item.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// Owns its items. The item class is given by the function that makes one for a collection.
class TCollection {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

    explicit TCollection(TItemFactory itemFactory, TObject* owner = nullptr);
    virtual ~TCollection();
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    virtual void BeginUpdate();
    virtual void EndUpdate();

    int Count() const { return FItems.Count(); }
    TCollectionItem* Items(int index) const { return static_cast<TCollectionItem*>(FItems.Items(index)); }
    TObject* Owner() const { return FOwner; }
    const TItemFactory& ItemFactory() const { return FItemFactory; }
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Called after a change outside BeginUpdate/EndUpdate: the changed item, or nullptr for the
    // whole collection (an item added, removed or moved, EndUpdate).
    virtual void Update(TCollectionItem* item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TItemFactory FItemFactory;
    TObject* FOwner;
    TList FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};
