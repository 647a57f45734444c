#pragma once
// The few system calls of the runtime library, in one place (Os.cpp).
#include <cstdint>
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
std::uint32_t TickCount();
void SleepMs(std::uint32_t ms);
}  // namespace os
