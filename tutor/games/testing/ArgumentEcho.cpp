// Stands in for a game in the games-menu tests: writes the arguments it was started with, one
// a line in UTF-8, to arguments.txt beside itself, and ends.
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <string>

int main() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    std::string text;
    for (int i = 1; i < count; ++i) {
        char line[4 * MAX_PATH];
        int bytes = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, line, sizeof line, nullptr, nullptr);
        if (bytes > 0) text.append(line, bytes - 1);
        text += "\n";
    }
    // written under another name first, so that the test never reads half a file
    std::wstring part = folder + L"arguments.part", done = folder + L"arguments.txt";
    if (FILE* f = _wfopen(part.c_str(), L"wb")) {
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        MoveFileW(part.c_str(), done.c_str());
    }
    LocalFree(argv);
    return 0;
}
