#include "WebFiles.h"
#include <windows.h>

String WindowsDirectory() {
    wchar_t path[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(path, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? FromWide(path) : String();
}

bool WriteFileBytes(const String& name, const std::string& bytes) {
    HANDLE h = CreateFileW(ToWide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}
