#include "Classes.h"
#include <algorithm>
#include "Streams.h"

namespace {
const char* const kIndexError = "List index out of bounds (%d)";
const char* const kSortedListError = "Operation not allowed on sorted string list";
const char* const kDuplicateString = "String list does not allow duplicates";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Exception-safe pairing of BeginUpdate and EndUpdate.
template <class T>
class UpdateScope {
public:
    explicit UpdateScope(T& target) : FTarget(target) { FTarget.BeginUpdate(); }
    ~UpdateScope() { FTarget.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;
private:
    T& FTarget;
};
}  // namespace

// ---- TList

void TList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format(kIndexError, {index}));
}

int TList::Add(void* item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) throw EListError(Format(kIndexError, {index}));
    FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) { return Remove(item) >= 0 ? item : nullptr; }

int TList::IndexOf(void* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TList::Clear() {
    FItems.clear();
    FItems.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    std::swap(FItems[index1], FItems[index2]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(newIndex);
    void* item = Items(curIndex);
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, item);
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void TList::Sort(const TListSortCompare& compare) {
    // a merge sort stays within the list even when compare is not consistent
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::SetCount(int value) {
    if (value < 0) throw EListError(Format("List count out of bounds (%d)", {value}));
    FItems.resize(std::size_t(value), nullptr);
}

void* TList::Items(int index) const {
    CheckIndex(index);
    return FItems[index];
}

void TList::Put(int index, void* item) {
    CheckIndex(index);
    FItems[index] = item;
}

// ---- TStrings

void TStrings::Error(const String& pattern, int data) { throw EStringListError(Format(pattern, {data})); }

int TStrings::Add(const String& s) {
    int index = GetCount();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
    int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings) {
    UpdateScope<TStrings> scope(*this);
    for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObjectAt(i));
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    UpdateScope<TStrings> scope(*this);
    Clear();
    FDelimiter = source.FDelimiter;
    FQuoteChar = source.FQuoteChar;
    AddStrings(source);
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2) {
    UpdateScope<TStrings> scope(*this);
    String s = Get(index1);
    TObject* o = GetObjectAt(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObjectAt(index2));
    Put(index2, s);
    PutObject(index2, o);
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    UpdateScope<TStrings> scope(*this);
    String s = Get(curIndex);
    TObject* o = GetObjectAt(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, o);
}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const String& name) const {
    for (int i = 0; i < GetCount(); ++i) {
        String s = Get(i);
        std::size_t p = s.find('=');
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObjectAt(i) == object) return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const {
    if (GetCount() != other.GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Put(int index, const String& s) {
    UpdateScope<TStrings> scope(*this);
    TObject* o = GetObjectAt(index);
    Delete(index);
    InsertObject(index, s, o);
}

void TStrings::PutObject(int, TObject*) {}

TObject* TStrings::GetObjectAt(int) const { return nullptr; }

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const String& s1, const String& s2) const { return AnsiCompareText(s1, s2); }

String TStrings::Names(int index) const {
    String s = Get(index);
    std::size_t p = s.find('=');
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& name) const {
    int i = IndexOfName(name);
    if (i < 0) return String();
    String s = Get(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const String& name, const String& value) {
    int i = IndexOfName(name);
    if (!value.empty()) {
        if (i < 0) Add(name + "=" + value);
        else Put(i, name + "=" + value);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::GetTextStr() const {
    String text;
    for (int i = 0; i < GetCount(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetTextStr(const String& text) {
    UpdateScope<TStrings> scope(*this);
    Clear();
    std::size_t i = 0, n = text.size();
    while (i < n) {
        std::size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
        Add(text.substr(start, i - start));
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
    }
}

String TStrings::DelimitedWith(char delimiter, char quote) const {
    int count = GetCount();
    if (count == 1 && Get(0).empty()) return String(2, quote);
    String result;
    for (int i = 0; i < count; ++i) {
        String s = Get(i);
        bool needsQuotes = std::any_of(s.begin(), s.end(),
                                       [&](char c) { return IsBlank(c) || c == quote || c == delimiter; });
        if (needsQuotes) {
            String q(1, quote);
            for (char c : s) {
                q += c;
                if (c == quote) q += c;
            }
            s = q + quote;
        }
        if (i > 0) result += delimiter;
        result += s;
    }
    return result;
}

void TStrings::SetDelimitedWith(const String& text, char delimiter, char quote) {
    UpdateScope<TStrings> scope(*this);
    Clear();
    std::size_t p = 0, n = text.size();
    auto skipBlanks = [&] { while (p < n && IsBlank(text[p])) ++p; };
    skipBlanks();
    while (p < n) {
        String s;
        if (text[p] == quote) {
            ++p;
            while (p < n) {
                if (text[p] == quote) {
                    ++p;
                    if (p >= n || text[p] != quote) break;   // a doubled quote stands for one
                }
                s += text[p++];
            }
        } else {
            std::size_t start = p;
            while (p < n && !IsBlank(text[p]) && text[p] != delimiter) ++p;
            s = text.substr(start, p - start);
        }
        Add(s);
        skipBlanks();
        if (p < n && text[p] == delimiter) {
            if (p + 1 == n) Add(String());
            ++p;
            skipBlanks();
        }
    }
}

String TStrings::CommaText() const { return DelimitedWith(',', '"'); }
void TStrings::SetCommaText(const String& text) { SetDelimitedWith(text, ',', '"'); }
String TStrings::DelimitedText() const { return DelimitedWith(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(const String& text) { SetDelimitedWith(text, FDelimiter, FQuoteChar); }

void TStrings::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::LoadFromStream(TStream& stream) {
    UpdateScope<TStrings> scope(*this);
    std::int64_t size = stream.Size() - stream.Position();
    String bytes(std::size_t(std::max<std::int64_t>(size, 0)), '\0');
    stream.ReadBuffer(bytes.data(), int(bytes.size()));
    SetTextStr(bytes);
}

void TStrings::SaveToFile(const String& fileName) {
    ReplaceFileContent(fileName, [this](TStream& stream) { SaveToStream(stream); });
}

void TStrings::SaveToStream(TStream& stream) const {
    String text = GetTextStr();
    stream.WriteBuffer(text.data(), int(text.size()));
}

// ---- TStringList

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) Error(kIndexError, index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

int TStringList::CompareStrings(const String& s1, const String& s2) const {
    return FCaseSensitive ? AnsiCompareStr(s1, s2) : AnsiCompareText(s1, s2);
}

int TStringList::Add(const String& s) { return AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object) {
    int index = GetCount();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) Error(kDuplicateString, 0);
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
    Changing();
    FList.insert(FList.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Insert(int index, const String& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, TObject* object) {
    if (FSorted) Error(kSortedListError, 0);
    if (index < 0 || index > GetCount()) Error(kIndexError, index);
    InsertItem(index, s, object);
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    FList.shrink_to_fit();
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[index1], FList[index2]);
    Changed();
}

int TStringList::IndexOf(const String& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

String TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[index].text;
}

TObject* TStringList::GetObjectAt(int index) const {
    CheckIndex(index);
    return FList[index].object;
}

void TStringList::Put(int index, const String& s) {
    if (FSorted) Error(kSortedListError, 0);
    CheckIndex(index);
    Changing();
    FList[index].text = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    FList[index].object = object;
    Changed();
}

bool TStringList::Find(const String& s, int& index) const {
    bool found = false;
    int l = 0, h = GetCount() - 1;
    while (l <= h) {
        int i = (l + h) / 2;
        int c = CompareStrings(FList[i].text, s);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept) l = i;
            }
        }
    }
    index = l;
    return found;
}

void TStringList::QuickSort(int l, int r, const TStringListSortCompare& compare) {
    // the class library's quick sort, with bounds kept even for an inconsistent compare
    while (l < r) {
        int i = l, j = r, p = (l + r) / 2;
        do {
            while (i < r && compare(this, i, p) < 0) ++i;
            while (j > l && compare(this, j, p) > 0) --j;
            if (i <= j) {
                std::swap(FList[i], FList[j]);
                if (p == i) p = j;
                else if (p == j) p = i;
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) QuickSort(l, j, compare);
        l = i;
    }
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) { return list->CompareStrings(list->FList[a].text, list->FList[b].text); });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (GetCount() < 2) return;
    Changing();
    QuickSort(0, GetCount() - 1, compare);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (FSorted == value) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (FCaseSensitive == value) return;
    FCaseSensitive = value;
    if (FSorted) Sort();   // Find relies on the order of the new comparison
}

// ---- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* value) {
    if (FCollection == value) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const { return FCollection ? FCollection->FItems.IndexOf(const_cast<TCollectionItem*>(this)) : -1; }

void TCollectionItem::SetIndex(int value) {
    int current = Index();
    if (current < 0 || current == value) return;
    FCollection->FItems.Move(current, value);
    Changed(true);
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// ---- TCollection

TCollection::TCollection(TItemFactory itemFactory, TObject* owner)
    : FItemFactory(std::move(itemFactory)), FOwner(owner) {}

TCollection::~TCollection() {
    FUpdateCount = 1;   // no Update calls while the items go
    Clear();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FItemFactory(this);
    if (item->Collection() != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
    if (Count() == 0) return;
    BeginUpdate();
    while (Count() > 0) delete Items(Count() - 1);
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->ID() == id) return Items(i);
    return nullptr;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.Add(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    FItems.Remove(item);
    item->FCollection = nullptr;
    Changed();
}
