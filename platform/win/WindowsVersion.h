#pragma once
// The system's version record, as the version query of the system's ANSI interface gives it.
#include <windows.h>
#include <functional>

struct TOSVersion {
    bool ok = false;
    DWORD platformId = 0, major = 0, minor = 0;
};

// GetVersionExA with a record whose size field is 148 (the record without the service-pack
// fields); ok is false when the query fails.
TOSVersion QueryWindowsVersion();

// Tests put their own record in place of the system's. The source gets the record with only
// its size field set; an empty source restores the system's query.
using TVersionSource = std::function<bool(OSVERSIONINFOA& record)>;
void SetVersionSource(TVersionSource source);
