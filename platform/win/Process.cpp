#include "platform/win/Process.h"
#include <windows.h>

namespace {
TProcessStarter ProcessStarter;
}

void SetProcessStarter(TProcessStarter starter) { ProcessStarter = std::move(starter); }

String QuoteCommandArgument(const String& argument) {
    String quoted = "\"";
    int backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // backslashes before a quote are doubled, and the quote is escaped
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');   // and before the closing quote
    return quoted + "\"";
}

unsigned WinExecCommand(const String& commandLine, int show) {
    if (ProcessStarter) return ProcessStarter(commandLine, show);
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
