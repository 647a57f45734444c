#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "platform/ui/MessageBox.h"

// Test processes that run side by side on one display each take a desktop of their own, so that
// each has its own foreground and active window: one test's form never takes the activation that
// another waits for.
static void UseOwnDesktop() {
    if (!GetEnvironmentVariableW(L"TAPWISE_OWN_DESKTOP", nullptr, 0)) return;
    std::wstring name = L"tapwise-test-" + std::to_wstring(GetCurrentProcessId());
    HDESK desktop = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop || !SetThreadDesktop(desktop)) {
        std::fprintf(stderr, "no desktop of its own (%lu): runs on the shared one\n", GetLastError());
    }
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    UseOwnDesktop();
    // no test may wait for a person: message boxes are written to the log and answered OK
    SetPlatformMessageBox([](const String& text, const String& caption, UINT) {
        std::fprintf(stderr, "[message box] %s: %s\n", caption.c_str(), text.c_str());
        return IDOK;
    });
    return RUN_ALL_TESTS();
}
