#include "TestSupport.h"
#include <windows.h>
#include <fstream>
#include <sstream>
#include "platform/rtl/SysUtils.h"

namespace testing_support {

String SourcePath(const String& relative) { return IncludeTrailingPathDelimiter(GetCurrentDir()) + relative; }

namespace {
void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..") continue;
            std::wstring full = dir + L"\\" + n;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}
}  // namespace

void CopyTree(const String& from, const String& to) {
    const std::wstring source = ToWide(from), target = ToWide(to);
    CreateDirectoryW(target.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((source + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) CopyTree(FromWide(source + L"\\" + n), FromWide(target + L"\\" + n));
        else CopyFileW((source + L"\\" + n).c_str(), (target + L"\\" + n).c_str(), FALSE);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

TempFolder::TempFolder() {
    static unsigned counter = 0;
    String base = GetTempDirectory() + "tapwise-test-" + IntToStr(GetCurrentProcessId()) + "-";
    do {
        FPath = base + IntToStr(++counter);
    } while (DirectoryExists(FPath));
    ForceDirectories(FPath);
}

TempFolder::~TempFolder() { RemoveTree(ToWide(FPath)); }

void TempFolder::Write(const String& name, const std::string& bytes) const {
    ForceDirectories(ExtractFileDir(File(name)));
    std::ofstream f(ToWide(File(name)).c_str(), std::ios::binary);
    f << bytes;
}

std::string TempFolder::Read(const String& name) const {
    std::ifstream f(ToWide(File(name)).c_str(), std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace testing_support
