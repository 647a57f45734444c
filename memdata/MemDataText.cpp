// TMemData: saving and loading delimited text files.
#include <vector>
#include "MemData.h"
#include "MemDataStore.h"

namespace {

// Values of one line. No quoting: a delimiter always separates. After each delimiter only the
// next 1000 characters are kept, and a trailing delimiter yields no empty last value.
std::vector<String> SplitLine(const String& line, char delimiter) {
    std::vector<String> pieces;
    String rest = line;
    while (!rest.empty()) {
        std::size_t at = rest.find(delimiter);
        if (at == String::npos) {
            pieces.push_back(rest);
            break;
        }
        pieces.push_back(rest.substr(0, at));
        rest = rest.substr(at + 1, 1000);
    }
    return pieces;
}

bool IsSaved(const TField* field) { return !field->Calculated() && !field->Lookup() && !field->IsBlob(); }

class TControlsScope {
public:
    explicit TControlsScope(TDataSet& data) : FData(data) { data.DisableControls(); }
    ~TControlsScope() { FData.EnableControls(); }
    TControlsScope(const TControlsScope&) = delete;
    TControlsScope& operator=(const TControlsScope&) = delete;
private:
    TDataSet& FData;
};

}  // namespace

void TMemData::SaveToDelimitedFile(const String& fileName) {
    if (!Active()) return;
    std::vector<TField*> fields;
    for (int i = 0; i < FieldCount(); ++i)
        if (IsSaved(Fields(i))) fields.push_back(Fields(i));
    TStringList lines;
    {
        TControlsScope controls(*this);
        TBookmark bookmark = GetBookmark();
        String header;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) header += TextDelimiter;
            header += fields[i]->FieldName();
        }
        lines.Add(header);
        First();
        while (!Eof()) {
            String line;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i > 0) line += TextDelimiter;
                line += fields[i]->Text();
            }
            lines.Add(line);
            Next();
        }
        if (!bookmark.empty()) GotoBookmark(bookmark);
    }
    lines.SaveToFile(fileName);
}

TMemData::TStore TMemData::TakeStore() {
    TStore store;
    for (int i = 0; i < FFields->Count(); ++i) {
        TMemField* column = FFields->Items(i);
        store.Values.push_back(std::move(column->Values));
        store.MaxIncValues.push_back(column->MaxIncValue);
        column->Values.clear();
        column->MaxIncValue = 0;
    }
    store.RecIdList.swap(FRecIdList);
    store.BlobList.swap(FBlobList);
    store.FilterList.swap(FFilterList);
    store.LastRecId = FLastRecId;
    store.CurRec = FCurRec;
    store.FilterRec = FFilterRec;
    store.FilterActive = FFilterActive;
    FRecIdList.clear();
    FBlobList.clear();
    FFilterList.clear();
    FLastRecId = 0;
    FCurRec = -1;
    FFilterRec = -1;
    FFilterActive = false;
    FRecIdIndexValid = false;
    return store;
}

void TMemData::PutStore(TStore& store) {
    for (int i = 0; i < FFields->Count() && i < static_cast<int>(store.Values.size()); ++i) {
        FFields->Items(i)->Values = std::move(store.Values[static_cast<std::size_t>(i)]);
        FFields->Items(i)->MaxIncValue = store.MaxIncValues[static_cast<std::size_t>(i)];
    }
    FRecIdList = std::move(store.RecIdList);
    FBlobList = std::move(store.BlobList);
    FFilterList = std::move(store.FilterList);
    FLastRecId = store.LastRecId;
    FCurRec = store.CurRec;
    FFilterRec = store.FilterRec;
    FFilterActive = store.FilterActive;
    FRecIdIndexValid = false;
}

void TMemData::LoadLines(const TStringList& lines) {
    std::vector<TField*> fields;
    for (const String& name : SplitLine(lines[0], TextDelimiter)) {
        TField* field = FindField(name);
        fields.push_back(field && IsSaved(field) ? field : nullptr);
    }
    for (int i = 1; i < lines.Count(); ++i) {
        Append();
        std::vector<String> pieces = SplitLine(lines[i], TextDelimiter);
        for (std::size_t j = 0; j < pieces.size() && j < fields.size(); ++j)
            if (fields[j] && !pieces[j].empty()) fields[j]->SetText(pieces[j]);
        Post();
    }
}

// The records are taken aside, not dropped, until the whole file has loaded: a file that fails
// part way (a value its field cannot convert) must not leave a half table that the program
// would then save over the user's file.
void TMemData::LoadFromDelimitedFile(const String& fileName) {
    TStringList lines;
    lines.LoadFromFile(fileName);
    if (lines.Count() == 0) return;
    TLoadingScope loading(*this);
    TControlsScope controls(*this);
    bool wasActive = Active();
    if (wasActive) Cancel();
    else Open();
    TStore old = TakeStore();
    try {
        First();
        LoadLines(lines);
    } catch (...) {
        Cancel();
        TakeStore();
        PutStore(old);
        loading.End();
        if (wasActive) Resync(0);
        else Close();
        throw;
    }
    loading.End();
    First();
    SortRecords();
}
