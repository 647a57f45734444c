#include "TestSupport.h"
#include <algorithm>
#include "platform/rtl/Os.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

namespace testing_support {

String SourcePath(const String& relative) {
    String path = IncludeTrailingPathDelimiter(GetCurrentDir()) + relative;
#ifndef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');   // the native build: for the standard streams
#endif
    return path;
}

namespace {
constexpr unsigned Directory = 0x10;   // the finder's attribute bit of a folder

// Calls visit(name, isFolder) for each entry of the folder but "." and "..".
template <class Visit>
void ForEachEntry(const String& folder, Visit visit) {
    os::FindEntry entry;
    os::FindHandle h = os::FindFirstEntry(folder + "\\*", entry);
    if (h == os::InvalidFind) return;
    do {
        if (entry.Name != "." && entry.Name != "..") visit(entry.Name, (entry.Attributes & Directory) != 0);
    } while (os::FindNextEntry(h, entry));
    os::FindCloseEntry(h);
}

void RemoveTree(const String& folder) {
    ForEachEntry(folder, [&](const String& name, bool isFolder) {
        if (isFolder) RemoveTree(folder + "\\" + name);
        else os::RemoveFile(folder + "\\" + name);
    });
    os::RemoveDirectoryAt(folder);
}
}  // namespace

void CopyTree(const String& from, const String& to) {
    os::MakeDirectory(to);
    ForEachEntry(from, [&](const String& name, bool isFolder) {
        if (isFolder) CopyTree(from + "\\" + name, to + "\\" + name);
        else WriteFileBytes(to + "\\" + name, ReadFileBytes(from + "\\" + name));
    });
}

TempFolder::TempFolder() {
    static unsigned counter = os::TickCount();
    // the folder is made by this process alone: a name another test process took is passed by
    do FPath = GetTempDirectory() + "tapwise-test-" + IntToStr(int(++counter & 0x7FFFFFFF));
    while (!os::MakeDirectory(FPath));
}

TempFolder::~TempFolder() { RemoveTree(FPath); }

void TempFolder::Write(const String& name, const std::string& bytes) const { WriteFileBytes(File(name), bytes); }
std::string TempFolder::Read(const String& name) const { return ReadFileBytes(File(name)); }

void WriteFileBytes(const String& path, const std::string& bytes) {
    ForceDirectories(ExtractFileDir(path));
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), int(bytes.size()));
}

std::string ReadFileBytes(const String& path) {
    try {
        TFileStream f(path, fmOpenRead | fmShareDenyNone);
        std::string bytes(std::size_t(f.Size()), '\0');
        f.ReadBuffer(bytes.data(), int(bytes.size()));
        return bytes;
    } catch (const EStreamError&) {
        return std::string();   // a missing file reads as empty
    }
}

}  // namespace testing_support
