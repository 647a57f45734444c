#pragma once
// The few system calls of the runtime library, in one place (Os.cpp).
#include <cstdint>
#include <vector>
#include "String.h"

namespace os {
bool FileExists(const String& name);
bool DirectoryExists(const String& name);
bool RemoveFile(const String& name);
bool MoveReplace(const String& from, const String& to);   // atomic replace where the system can
bool RenameFile(const String& from, const String& to);
bool MakeDirectory(const String& name);
bool RemoveDirectoryAt(const String& name);
String CurrentDirectory();
String TempDirectory();
String WindowsDirectory();
std::uint32_t TickCount();
// The command line split as the C runtime splits it; the first is the program's full path.
std::vector<String> ProgramArguments();
void SleepMs(std::uint32_t ms);

// Files by handle, for the streams. A failed call returns InvalidFile or -1 and leaves the
// system's error code for LastError.
using FileHandle = std::intptr_t;
constexpr FileHandle InvalidFile = -1;
enum FileShare : unsigned { shareNone = 0, shareRead = 1, shareWrite = 2 };
FileHandle FileOpen(const String& name, bool read, bool write, unsigned share);
FileHandle FileCreate(const String& name, unsigned share);   // truncates an existing file
int FileRead(FileHandle h, void* buffer, int count);          // -1 on failure
int FileWrite(FileHandle h, const void* buffer, int count);
std::int64_t FileSeek(FileHandle h, std::int64_t offset, int origin);   // 0 begin, 1 current, 2 end
bool FileTruncate(FileHandle h);                              // the end moves to the position
bool FileFlush(FileHandle h);
void FileClose(FileHandle h);
unsigned LastError();
String SystemErrorText(unsigned code);                        // the system's message, one line

// Entries of a folder that match a pattern ("C:\\A\\*.*"), one at a time. A failed or finished
// search returns InvalidFind / false and leaves the system's error code for LastError.
struct FindEntry {
    String Name;
    unsigned Attributes = 0;      // the system's FILE_ATTRIBUTE_ bits
    std::int64_t Size = 0;
};
using FindHandle = std::intptr_t;
constexpr FindHandle InvalidFind = -1;
FindHandle FindFirstEntry(const String& pattern, FindEntry& entry);
bool FindNextEntry(FindHandle h, FindEntry& entry);
void FindCloseEntry(FindHandle h);
}  // namespace os
