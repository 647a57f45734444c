// TMemData: the sort order, the filter list, Locate and Lookup.
#include <algorithm>
#include <cstring>
#include "MemData.h"
#include "MemDataStore.h"
#include "MemValues.h"

void TMemData::SetSortedField(const String& value) {
    if (value == FSortedField) return;
    FSortedField = value;
    SortRecords();
}

void TMemData::SetSortOptions(TMemSortOptions value) {
    if (value == FSortOptions) return;
    FSortOptions = value;
    SortRecords();
}

TMemField* TMemData::SortedColumn() {
    if (FSortedField.empty()) return nullptr;
    TField* field = FindField(FSortedField);
    return field ? FFields->ColumnOf(field) : nullptr;
}

void TMemData::ExchangeRecords(int a, int b) {
    FFields->ExchangeRecords(a, b);
    std::swap(FRecIdList[static_cast<std::size_t>(a)], FRecIdList[static_cast<std::size_t>(b)]);
    if (!FBlobList.empty()) std::swap(FBlobList[static_cast<std::size_t>(a)], FBlobList[static_cast<std::size_t>(b)]);
    FRecIdIndexValid = false;
}

// Quicksort on the value at the middle; a value equal to the pivot sorts before it when it lies
// below the pivot's starting place and after it when above, which keeps runs of equals balanced.
void TMemData::SortRange(TMemField* column, int l, int r) {
    int d = (FSortOptions & soDesc) ? -1 : 1;
    bool folded = (FSortOptions & soCaseInsensitive) != 0;
    std::vector<char> pivot(static_cast<std::size_t>(column->DataSize));
    while (l < r) {
        int m = l + (r - l) / 2;
        std::memcpy(pivot.data(), column->ValueData(m), pivot.size());
        auto order = [&](int at) {   // <0: sorts before the pivot, >0: after it
            int c = CompareStored(column->DataType, column->ValueData(at), pivot.data(), folded) * d;
            return c != 0 ? c : at < m ? -1 : at > m ? 1 : 0;
        };
        int i = l, j = r;
        do {
            while (i < r && order(i) < 0) ++i;
            while (j > l && order(j) > 0) --j;
            if (i <= j) {
                if (i != j) ExchangeRecords(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        // the smaller side recursively, the larger in this loop, so the depth stays logarithmic
        if (j - l < r - i) {
            if (l < j) SortRange(column, l, j);
            l = i;
        } else {
            if (i < r) SortRange(column, i, r);
            r = j;
        }
    }
}

void TMemData::SortRecords() {
    if (FLoading || !FIsOpen) return;
    TMemField* column = SortedColumn();
    if (!column) return;
    if (RecCount() > 1) SortRange(column, 0, RecCount() - 1);
    RebuildFilterList();
    if (!FFilterActive && Active()) {
        if (FCurRec >= 0 && FCurRec < RecCount()) SetRecNo(FCurRec + 1);
        else Resync(0);
    }
}

void TMemData::EnterFilterList(int position) {
    auto it = std::upper_bound(FFilterList.begin(), FFilterList.end(), position);
    it = FFilterList.insert(it, position + 1);
    FFilterRec = static_cast<int>(it - FFilterList.begin());
    for (++it; it != FFilterList.end(); ++it) ++*it;
}

// The posted record at 'from' now stands at 'to': the records passed over moved one place.
void TMemData::MoveInFilterList(int from, int to) {
    int oldEntry = from + 1, newEntry = to + 1;
    auto it = std::lower_bound(FFilterList.begin(), FFilterList.end(), oldEntry);
    bool listed = it != FFilterList.end() && *it == oldEntry;
    if (listed) FFilterList.erase(it);
    for (int& e : FFilterList) {
        if (to > from && e > oldEntry && e <= newEntry) --e;
        else if (to < from && e >= newEntry && e < oldEntry) ++e;
    }
    if (listed) {
        auto at = FFilterList.insert(std::lower_bound(FFilterList.begin(), FFilterList.end(), newEntry), newEntry);
        FFilterRec = static_cast<int>(at - FFilterList.begin());
    }
}

// Equal values never move a record, so one posted among equals stays where it was inserted.
void TMemData::PlacePostedRecord() {
    if (FLoading || RecCount() < 2) return;
    TMemField* column = SortedColumn();
    if (!column || FCurRec < 0 || FCurRec >= RecCount()) return;
    int d = (FSortOptions & soDesc) ? -1 : 1;
    bool folded = (FSortOptions & soCaseInsensitive) != 0;
    int c = FCurRec, last = RecCount() - 1;
    auto compare = [&](int at) { return CompareStored(column->DataType, column->ValueData(c), column->ValueData(at), folded); };
    int target = c;
    if (c > 0 && compare(c - 1) == -d) {
        int k = c - 1;
        while (k >= 0 && compare(k) == -d) --k;
        target = k + 1;
    } else if (c < last && compare(c + 1) == d) {
        int k = c + 1;
        while (k <= last && compare(k) == d) ++k;
        target = k - 1;
    }
    if (target == c) return;
    FFields->MoveRecord(c, target);
    auto moveIn = [&](auto& list) {
        if (c < target) std::rotate(list.begin() + c, list.begin() + c + 1, list.begin() + target + 1);
        else std::rotate(list.begin() + target, list.begin() + c, list.begin() + c + 1);
    };
    moveIn(FRecIdList);
    if (!FBlobList.empty()) moveIn(FBlobList);
    FRecIdIndexValid = false;
    FCurRec = target;
    if (HasFilter()) MoveInFilterList(c, target);
}

// The entry is looked up by the record's position, so a stale FilterRec cannot take another
// record's entry away.
void TMemData::FilterPostedRecord() {
    if (!HasFilter()) return;
    bool accept = true;
    OnFilterRecord()(this, accept);
    if (accept) return;
    int index = FilterIndexOf(FCurRec + 1);
    if (index < 0) return;
    FFilterList.erase(FFilterList.begin() + index);
    FFilterRec = index;
    FFilterActive = true;
}

void TMemData::SetOnFilterRecord(const TFilterRecordEvent& value) {
    TDataSet::SetOnFilterRecord(value);
    RebuildFilterList();
}

void TMemData::RebuildFilterList() {
    FFilterList.clear();
    FFilterActive = false;
    if (!HasFilter() || !Active()) return;
    bool disabled = ControlsDisabled();
    if (!disabled) DisableControls();
    try {
        First();
        for (int number = 1; !Eof(); ++number) {
            bool accept = true;
            OnFilterRecord()(this, accept);
            if (accept) FFilterList.push_back(number);
            Next();
        }
        FFilterActive = static_cast<int>(FFilterList.size()) != RecCount();
        if (FFilterActive) {
            if (!FFilterList.empty()) SetRecNo(1);
            Resync(0);
        } else {
            First();
        }
    } catch (...) {
        if (!disabled) EnableControls();
        throw;
    }
    if (!disabled) EnableControls();
}

// ---- searching ----

void TMemData::Found(int position, int visibleIndex) {
    if (FLookupRec == -1) SetRecNo(visibleIndex + 1);
    else FLookupRec = position;
}

int TMemData::SearchSorted(TMemField* column, const char* key) {
    int n = RecCount();
    if (n == 0) return -1;
    int d = (FSortOptions & soDesc) ? -1 : 1;
    bool folded = (FSortOptions & soCaseInsensitive) != 0;
    auto compare = [&](int at) { return CompareStored(column->DataType, key, column->ValueData(at), folded); };
    int last = n - 1;
    if (compare(0) * d < 0) return -1;      // before the first value in the sort direction
    if (compare(last) * d > 0) return last;   // after the last
    int lo = 0, hi = last, p = -1;
    do {
        if (hi - lo == 1) {   // two left, one of them already compared: take the other
            if (p == lo) lo = hi;
            else if (p == hi) hi = lo;
        }
        p = lo + (hi - lo) / 2;
        int c = compare(p);
        if (c == 0) break;
        if (c * d > 0) lo = p; else hi = p;
    } while (lo != hi);
    if (compare(p) != 0 && p < last && compare(p) > 0) ++p;
    return p;
}

bool TMemData::Matches(TMemField* column, int position, const char* key, const String& keyText, TLocateOptions options) {
    const char* stored = column->ValueData(position);
    bool folded = (FSortOptions & soCaseInsensitive) != 0;
    if (options == 0 || column->DataType != ftString)
        return CompareStored(column->DataType, stored, key, folded) == 0;
    bool noCase = (options & loCaseInsensitive) != 0;
    std::size_t n = std::strlen(stored), k = keyText.size();
    if (n == k) return CompareTexts(stored, keyText.c_str(), n, noCase) == 0;
    if (k < n && (options & loPartialKey)) return CompareTexts(stored, keyText.c_str(), k, noCase) == 0;
    return false;
}

bool TMemData::Locate(const String& keyFields, const Variant& keyValues, TLocateOptions options) {
    if (TField* field = FindField(keyFields)) {
        CheckBrowseMode();
        CursorPosChanged();
        TMemField* column = FFields->ColumnOf(field);
        if (!column) return false;
        int visible = VisibleCount();
        if (keyValues.IsNull()) {
            for (int i = 0; i < visible; ++i)
                if (!column->HasValue(VisiblePosition(i))) {
                    Found(VisiblePosition(i), i);
                    return true;
                }
            return false;
        }
        String keyText = column->DataType == ftString ? keyValues.AsString() : String();
        if (column->DataType == ftString && static_cast<int>(keyText.size()) >= column->DataSize) return false;
        std::vector<char> key(static_cast<std::size_t>(column->DataSize), '\0');
        if (!VariantToStored(column->DataType, column->DataSize, keyValues, key.data())) return false;
        if (!FFilterActive && SortedColumn() == column) {
            int p = SearchSorted(column, key.data());
            if (p < 0) return false;
            Found(p, p);
            if (options != 0) return true;
            Variant there = column->HasValue(p) ? StoredToVariant(column->DataType, column->ValueData(p)) : Null();
            return VarCompareValue(there, keyValues) == vrEqual;
        }
        for (int i = 0; i < visible; ++i) {
            int p = VisiblePosition(i);
            if (Matches(column, p, key.data(), keyText, options)) {
                Found(p, i);
                return true;
            }
        }
        return false;
    }
    if (!keyValues.IsArray()) return false;
    CheckBrowseMode();
    CursorPosChanged();
    std::vector<TField*> fields;
    GetFieldList(fields, keyFields);
    if (fields.empty() || static_cast<int>(fields.size()) != keyValues.Count()) return false;
    struct Key {
        TMemField* column;
        std::vector<char> data;
        String text;
        bool null;
    };
    std::vector<Key> keys;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        TMemField* column = FFields->ColumnOf(fields[i]);
        const Variant& value = keyValues[static_cast<int>(i)];
        if (!column) return false;
        Key k{column, std::vector<char>(static_cast<std::size_t>(column->DataSize), '\0'), String(), value.IsNull()};
        if (!k.null) {
            if (column->DataType == ftString) {
                k.text = value.AsString();
                if (static_cast<int>(k.text.size()) >= column->DataSize) return false;
            }
            if (!VariantToStored(column->DataType, column->DataSize, value, k.data.data())) return false;
        }
        keys.push_back(std::move(k));
    }
    int visible = VisibleCount();
    for (int i = 0; i < visible; ++i) {
        int p = VisiblePosition(i);
        bool all = true;
        for (Key& k : keys) {
            bool match = k.null ? !k.column->HasValue(p) : Matches(k.column, p, k.data.data(), k.text, options);
            if (!match) {
                all = false;
                break;
            }
        }
        if (all) {
            Found(p, i);
            return true;
        }
    }
    return false;
}

Variant TMemData::Lookup(const String& keyFields, const Variant& keyValues, const String& resultFields) {
    TField* resultField = FindField(resultFields);
    Variant result = resultField && resultField->DataType() == ftString ? Variant(String()) : Variant(false);
    if (!resultField) return result;
    struct Reset {
        int& rec;
        ~Reset() { rec = -1; }
    } reset{FLookupRec};
    FLookupRec = -100;
    if (!Locate(keyFields, keyValues, 0)) return result;
    TMemField* column = FFields->ColumnOf(resultField);
    if (!column || FLookupRec < 0 || FLookupRec >= RecCount()) return result;
    if (!column->HasValue(FLookupRec)) return Null();
    return StoredToVariant(column->DataType, column->ValueData(FLookupRec));
}
