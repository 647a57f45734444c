#include "platform/ui/Edit.h"
#include "platform/ui/testing/ShownForm.h"

using EditTest = ShownFormFixture;

namespace {
void Type(HWND h, const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) SendMessageW(h, WM_CHAR, *p, 1);
}
}  // namespace

TEST_F(EditTest, OnChangeFiresOnEveryTextChangeAndMaxLengthHoldsForTyping) {
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    std::vector<String> seen;
    edit->OnChange = [&](TObject* s) { seen.push_back(static_cast<TEdit*>(s)->Text()); };
    edit->SetText("ab");                        // no window yet
    edit->SetMaxLength(4);
    HWND h = edit->Handle();
    EXPECT_EQ(seen, std::vector<String>{"ab"});  // making the window is no change
    edit->SetSelStart(2);
    Type(h, L"cdef");
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_EQ(seen.back(), "abcd");
    EXPECT_EQ(seen.size(), 3u);
    edit->SetText("abcd");                      // the same text: nothing happens
    EXPECT_EQ(seen.size(), 3u);
    edit->SetText("x");
    EXPECT_EQ(seen.back(), "x");

    edit->SetMaxLength(0);
    edit->SetSelStart(1);
    Type(h, L"yz12345");
    EXPECT_EQ(edit->Text(), "xyz12345");
}

TEST_F(EditTest, SelectionReadOnlyAndCharCaseGoThroughTheWindow) {
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetText("سلام world"_a);
    edit->SetSelStart(1);
    edit->SetSelLength(3);
    EXPECT_EQ(edit->SelText(), "لام"_a);
    edit->SetSelText("X");
    EXPECT_EQ(edit->Text(), "سX world"_a);
    edit->SelectAll();
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 8);

    edit->SetReadOnly(true);
    Type(edit->Handle(), L"q");
    EXPECT_EQ(edit->Text(), "سX world"_a);
    edit->SetReadOnly(false);
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->Text(), "سX WORLD"_a);
    edit->SetSelStart(100);
    Type(edit->Handle(), L"k");
    EXPECT_EQ(edit->Text(), "سX WORLDK"_a);
}
