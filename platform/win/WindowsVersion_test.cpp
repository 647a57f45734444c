#include "platform/win/WindowsVersion.h"
#include <gtest/gtest.h>

namespace {

struct SourceGuard {
    ~SourceGuard() { SetVersionSource(nullptr); }
};

TEST(WindowsVersion, TheSystemAnswersAnNtVersion) {
    const TOSVersion v = QueryWindowsVersion();
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.platformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(v.major, 5u);
}

TEST(WindowsVersion, TheRecordHasTheShortSizeAndItsFieldsComeBack) {
    SourceGuard guard;
    DWORD sizeSeen = 0;
    SetVersionSource([&](OSVERSIONINFOA& r) {
        sizeSeen = r.dwOSVersionInfoSize;
        r.dwPlatformId = 1;
        r.dwMajorVersion = 4;
        r.dwMinorVersion = 90;
        return true;
    });
    const TOSVersion v = QueryWindowsVersion();
    EXPECT_EQ(sizeSeen, 148u);
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.platformId, 1u);
    EXPECT_EQ(v.major, 4u);
    EXPECT_EQ(v.minor, 90u);

    SetVersionSource([](OSVERSIONINFOA& r) {
        r.dwMajorVersion = 6;
        return false;
    });
    const TOSVersion failed = QueryWindowsVersion();
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.major, 0u);   // nothing of a failed query is taken
}

}  // namespace
