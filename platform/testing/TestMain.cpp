#include <gtest/gtest.h>
#include <cstdio>
#include "platform/ui/MessageBox.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // no test may wait for a person: message boxes are written to the log and answered OK
    SetPlatformMessageBox([](const String& text, const String& caption, UINT) {
        std::fprintf(stderr, "[message box] %s: %s\n", caption.c_str(), text.c_str());
        return IDOK;
    });
    return RUN_ALL_TESTS();
}
