#pragma once
// The file-system calls of the HTML view's page and media files.
#include <string>
#include "platform/rtl/String.h"

// The Windows directory as the system reports it (at most MAX_PATH characters).
String WindowsDirectory();
// Writes the bytes to a new file of that name; false when it cannot be created or written.
bool WriteFileBytes(const String& name, const std::string& bytes);
