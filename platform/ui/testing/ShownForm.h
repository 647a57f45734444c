#pragma once
// A borderless form shown off the desktop's corner for the standard-control tests, freed after.
#include <gtest/gtest.h>
#include "platform/ui/Application.h"

struct ShownFormFixture : ::testing::Test {
    TForm* Form = nullptr;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 320, 240);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->ModalHook = nullptr;
        Application->DialogHook = nullptr;
        Form->Free();
        Application->ProcessMessages();
    }
    // A hidden borderless form for ShowModal; the test frees it.
    TForm* NewDialog() {
        auto* dialog = new TForm(nullptr);
        dialog->SetBorderStyle(bsNone);
        dialog->SetBounds(60, 60, 200, 100);
        return dialog;
    }
    // A left click at a point of the form's client area, as the mouse delivers it.
    void ClickAt(int x, int y) {
        HWND h = Form->Handle();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};
