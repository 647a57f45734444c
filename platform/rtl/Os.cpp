#include "Os.h"
#include <windows.h>

namespace os {

bool FileExists(const String& name) {
    DWORD a = GetFileAttributesW(ToWide(name).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const String& name) {
    DWORD a = GetFileAttributesW(ToWide(name).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const String& name) { return DeleteFileW(ToWide(name).c_str()) != 0; }

bool MoveReplace(const String& from, const String& to) {
    return MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RenameFile(const String& from, const String& to) {
    return MoveFileW(ToWide(from).c_str(), ToWide(to).c_str()) != 0;
}

bool MakeDirectory(const String& name) { return CreateDirectoryW(ToWide(name).c_str(), nullptr) != 0; }
bool RemoveDirectoryAt(const String& name) { return RemoveDirectoryW(ToWide(name).c_str()) != 0; }

String CurrentDirectory() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryW(MAX_PATH, buf);
    return FromWide(std::wstring_view(buf, n));
}

String TempDirectory() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH, buf);
    return FromWide(std::wstring_view(buf, n));
}

std::uint32_t TickCount() { return ::GetTickCount(); }
void SleepMs(std::uint32_t ms) { ::Sleep(ms); }

}  // namespace os
