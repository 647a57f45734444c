#include "platform/win/Process.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <vector>
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Os.h"
#include "platform/testing/TestSupport.h"

namespace {

TEST(Process, MissingProgramGivesTheSystemsReason) {
    testing_support::TempFolder dir;
    const unsigned result = WinExecCommand(dir.File("Games\\Words\\Words.exe") + " C:\\App", SW_SHOW);
    EXPECT_FALSE(WinExecSucceeded(result));
    EXPECT_TRUE(result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND) << result;
    EXPECT_FALSE(WinExecSucceeded(WinExecCommand("", SW_SHOW)));
}

// The games lie under a folder that may hold a blank, and their command line is not quoted:
// the system still finds the program, and the started program runs on its own.
TEST(Process, StartsAProgramInAFolderWithABlankWithoutWaitingForIt) {
    testing_support::TempFolder dir;
    const String folder = dir.File("with blank");
    ASSERT_TRUE(os::MakeDirectory(folder));
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(CopyFileW((std::wstring(system) + L"\\cmd.exe").c_str(), ToWide(folder + "\\cmd.exe").c_str(), TRUE));

    HANDLE change = FindFirstChangeNotificationW(ToWide(dir.Path()).c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
    ASSERT_NE(change, INVALID_HANDLE_VALUE);
    const unsigned result = WinExecCommand(folder + "\\cmd.exe /c mkdir " + dir.File("started"), SW_HIDE);
    EXPECT_TRUE(WinExecSucceeded(result)) << result;
    // The program's work is seen through the folder's change notification, not by polling.
    while (!os::DirectoryExists(dir.File("started")) && WaitForSingleObject(change, 10000) == WAIT_OBJECT_0)
        FindNextChangeNotification(change);
    FindCloseChangeNotification(change);
    EXPECT_TRUE(os::DirectoryExists(dir.File("started")));
}

TEST(Process, AQuotedArgumentComesBackWhole) {
    const String arguments[] = {"C:\\Program Files\\Tapwise", "C:\\", "", "say \"hi\"", "a\\\"b", "tab\there",
                                "C:\\دروس الطباعة"_a};
    for (const String& argument : arguments) {
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(ToWide("prog.exe " + QuoteCommandArgument(argument)).c_str(), &count);
        ASSERT_NE(argv, nullptr);
        EXPECT_EQ(count, 2) << argument;
        if (count == 2) EXPECT_EQ(FromWide(argv[1]), argument);
        LocalFree(argv);
    }
}

TEST(Process, ATestStarterSeesTheCommandLines) {
    std::vector<String> started;
    SetProcessStarter([&](const String& line, int show) {
        started.push_back(line + " " + IntToStr(show));
        return 33u;
    });
    EXPECT_TRUE(WinExecSucceeded(WinExecCommand("C:\\nowhere\\Game.exe C:\\App", SW_SHOW)));
    SetProcessStarter({});
    EXPECT_EQ(started, std::vector<String>{"C:\\nowhere\\Game.exe C:\\App " + IntToStr(SW_SHOW)});
}

}  // namespace
