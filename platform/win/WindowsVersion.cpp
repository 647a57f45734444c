#include "platform/win/WindowsVersion.h"

namespace {

TVersionSource& Source() {
    static TVersionSource source;
    return source;
}

bool SystemVersion(OSVERSIONINFOA& record) {
    return GetVersionExA(&record) != FALSE;
}

}  // namespace

TOSVersion QueryWindowsVersion() {
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    OSVERSIONINFOA record = {};
    record.dwOSVersionInfoSize = sizeof(record);
    const bool ok = Source() ? Source()(record) : SystemVersion(record);
    TOSVersion v;
    if (!ok) return v;
    v.ok = true;
    v.platformId = record.dwPlatformId;
    v.major = record.dwMajorVersion;
    v.minor = record.dwMinorVersion;
    return v;
}

void SetVersionSource(TVersionSource source) { Source() = std::move(source); }
