#pragma once
// A plain-text rich edit on a hidden borderless form for the rich edit tests, freed after.
#include <gtest/gtest.h>
#include "platform/ui/Application.h"
#include "platform/ui/RichEdit.h"

struct RichEditFixture : ::testing::Test {
    TForm* Form = nullptr;
    TRichEdit* Edit = nullptr;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 400, 300);
        Edit = new TRichEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 360, 250);
        Edit->SetPlainText(true);
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }
    void Type(wchar_t c) { SendMessageW(Edit->Handle(), WM_CHAR, c, 0); }
};
