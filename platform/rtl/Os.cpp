#include "Os.h"
#include <windows.h>
#include <shellapi.h>

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

String WindowsDirectory() {
    wchar_t buf[MAX_PATH + 1];
    UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
    return FromWide(std::wstring_view(buf, n));
}

std::uint32_t TickCount() { return ::GetTickCount(); }
void SleepMs(std::uint32_t ms) { ::Sleep(ms); }

std::vector<String> ProgramArguments() {
    std::vector<String> arguments;
    int count = 0;
    if (LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) arguments.push_back(FromWide(list[i]));
        LocalFree(list);
    }
    // the program itself by its full path, however it was started
    std::wstring module(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()))) == module.size())
        module.resize(module.size() * 2);
    if (arguments.empty()) arguments.emplace_back();
    arguments[0] = FromWide(std::wstring_view(module.data(), n));
    return arguments;
}

namespace {
DWORD ShareBits(unsigned share) {
    return ((share & shareRead) ? FILE_SHARE_READ : 0) | ((share & shareWrite) ? FILE_SHARE_WRITE : 0);
}
HANDLE H(FileHandle h) { return reinterpret_cast<HANDLE>(h); }
FileHandle Wrap(HANDLE h) { return h == INVALID_HANDLE_VALUE ? InvalidFile : reinterpret_cast<FileHandle>(h); }
}  // namespace

FileHandle FileOpen(const String& name, bool read, bool write, unsigned share) {
    DWORD access = (read ? GENERIC_READ : 0) | (write ? GENERIC_WRITE : 0);
    return Wrap(CreateFileW(ToWide(name).c_str(), access, ShareBits(share), nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileHandle FileCreate(const String& name, unsigned share) {
    return Wrap(CreateFileW(ToWide(name).c_str(), GENERIC_READ | GENERIC_WRITE, ShareBits(share), nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

int FileRead(FileHandle h, void* buffer, int count) {
    DWORD done = 0;
    if (count <= 0) return 0;
    return ReadFile(H(h), buffer, DWORD(count), &done, nullptr) ? int(done) : -1;
}

int FileWrite(FileHandle h, const void* buffer, int count) {
    DWORD done = 0;
    if (count <= 0) return 0;
    return WriteFile(H(h), buffer, DWORD(count), &done, nullptr) ? int(done) : -1;
}

std::int64_t FileSeek(FileHandle h, std::int64_t offset, int origin) {
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    DWORD method = origin == 1 ? FILE_CURRENT : origin == 2 ? FILE_END : FILE_BEGIN;
    return SetFilePointerEx(H(h), distance, &result, method) ? result.QuadPart : -1;
}

bool FileTruncate(FileHandle h) { return SetEndOfFile(H(h)) != 0; }
bool FileFlush(FileHandle h) { return FlushFileBuffers(H(h)) != 0; }
void FileClose(FileHandle h) { if (h != InvalidFile) CloseHandle(H(h)); }
unsigned LastError() { return GetLastError(); }

String SystemErrorText(unsigned code) {
    wchar_t buf[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                             buf, 512, nullptr);
    while (n > 0 && (buf[n - 1] == L'\r' || buf[n - 1] == L'\n' || buf[n - 1] == L' ')) --n;
    if (n == 0) return "System error " + std::to_string(code) + ".";
    return FromWide(std::wstring_view(buf, n));
}

namespace {
void Fill(const WIN32_FIND_DATAW& found, FindEntry& entry) {
    entry.Name = FromWide(found.cFileName);
    entry.Attributes = found.dwFileAttributes;
    entry.Size = (static_cast<std::int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}
}  // namespace

FindHandle FindFirstEntry(const String& pattern, FindEntry& entry) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(ToWide(pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return InvalidFind;
    Fill(found, entry);
    return reinterpret_cast<FindHandle>(h);
}

bool FindNextEntry(FindHandle h, FindEntry& entry) {
    WIN32_FIND_DATAW found;
    if (!FindNextFileW(reinterpret_cast<HANDLE>(h), &found)) return false;
    Fill(found, entry);
    return true;
}

void FindCloseEntry(FindHandle h) {
    if (h != InvalidFind) FindClose(reinterpret_cast<HANDLE>(h));
}

}  // namespace os
