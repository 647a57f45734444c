#include "platform/ui/FileListBox.h"
#include <set>

namespace {

String FullFolderName(const String& name) {
    WideString w = ToWide(name.empty() ? String(".") : name);
    DWORD n = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (n == 0) return name;
    WideString full(n, L'\0');
    n = GetFullPathNameW(w.c_str(), n, full.data(), nullptr);
    full.resize(n);
    String result = FromWide(full);
    // a root keeps its separator, any other folder is named without one
    return result.size() > 3 ? ExcludeTrailingPathDelimiter(result) : result;
}

std::vector<String> SplitMask(const String& mask) {
    std::vector<String> parts;
    std::size_t start = 0;
    while (start <= mask.size()) {
        std::size_t end = mask.find(';', start);
        if (end == String::npos) end = mask.size();
        String part = Trim(mask.substr(start, end - start));
        if (!part.empty()) parts.push_back(part);
        start = end + 1;
    }
    if (parts.empty()) parts.push_back("*.*");
    return parts;
}

}  // namespace

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner), FDirectory(GetCurrentDir()) {
    SetSorted(true);
}

void TFileListBox::CreateWnd() {
    TCustomListBox::CreateWnd();
    // a recreated window got its items back already
    if (!FRead) ReadFileNames();
}

bool TFileListBox::Wanted(DWORD a) const {
    if (a & FILE_ATTRIBUTE_DIRECTORY) return (FFileType & ftDirectory) != 0;
    DWORD special = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    if ((FFileType & ftNormal) && !(a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) return true;
    return ((a & FILE_ATTRIBUTE_READONLY) && (FFileType & ftReadOnly)) ||
           ((a & FILE_ATTRIBUTE_HIDDEN) && (FFileType & ftHidden)) ||
           ((a & FILE_ATTRIBUTE_SYSTEM) && (FFileType & ftSystem)) ||
           ((a & FILE_ATTRIBUTE_ARCHIVE) && (FFileType & ftArchive));
}

void TFileListBox::ReadFileNames() {
    FRead = true;
    std::set<String> names;     // a file that several patterns match is listed once
    for (const String& pattern : SplitMask(FMask)) {
        WideString query = ToWide(IncludeTrailingPathDelimiter(FDirectory) + pattern);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(query.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            String name = FromWide(found.cFileName);
            if (name == "." || !Wanted(found.dwFileAttributes)) continue;
            names.insert((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "[" + name + "]" : name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    Items()->BeginUpdate();
    try {
        Items()->Clear();
        for (const String& name : names) Items()->Add(name);
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
}

void TFileListBox::SetMask(const String& value) {
    if (value == FMask) return;
    FMask = value;
    if (HandleAllocated()) ReadFileNames();
}

void TFileListBox::SetDirectory(const String& value) {
    String full = FullFolderName(value);
    if (full == FDirectory) return;
    FDirectory = full;
    if (HandleAllocated()) ReadFileNames();
}

void TFileListBox::SetFileType(TFileType value) {
    if (value == FFileType) return;
    FFileType = value;
    if (HandleAllocated()) ReadFileNames();
}

String TFileListBox::FileName() {
    int index = ItemIndex();
    if (index < 0) return String();
    return IncludeTrailingPathDelimiter(FDirectory) + Items()->Strings(index);
}

void TFileListBox::SetFileName(const String& value) {
    String folder = ExtractFilePath(value);
    if (!folder.empty()) SetDirectory(folder);
    SetItemIndex(Items()->IndexOf(ExtractFileName(value)));
}

void TFileListBox::Update() {
    if (HandleAllocated()) ReadFileNames();
    TCustomListBox::Update();
}

void TFileListBox::Click() {
    TCustomListBox::Click();
    if (OnChange) OnChange(this);
}
