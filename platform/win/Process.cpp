#include "platform/win/Process.h"
#include <windows.h>

unsigned WinExecCommand(const String& commandLine, int show) {
    // CreateProcessW may write into the command line.
    std::wstring line = ToWide(commandLine);
    if (line.empty()) return ERROR_FILE_NOT_FOUND;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        return error < 32 ? error : ERROR_BAD_FORMAT;
    }
    // WinExec returns once the program waits for its first input, or after 30 seconds; a
    // console program returns at once.
    WaitForInputIdle(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 33;
}
