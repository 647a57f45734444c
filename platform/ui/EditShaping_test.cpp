// Under Wine, an edit window that shows a lam-alef carrying a mark, or a mark at the start of a
// line, brings the process down unless the layer keeps the window's text safe; these tests would
// end in that fault without it.
#include <functional>
#include "platform/ui/Edit.h"
#include "platform/ui/Memo.h"
#include "platform/ui/testing/ShownForm.h"
#include "platform/win/Clipboard.h"

using EditShapingTest = ShownFormFixture;

namespace {

void Type(HWND h, const String& keys) {
    for (char c : keys) {
        const WideString w = ToWide(String(1, c));
        SendMessageW(h, WM_CHAR, w[0], 1);
    }
}

void Key(HWND h, WORD key) {
    SendMessageW(h, WM_KEYDOWN, key, 1);
    SendMessageW(h, WM_KEYUP, key, 1);
}

void Paint(TWinControl* control) {
    RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Application->ProcessMessages();
}

}  // namespace

TEST_F(EditShapingTest, LamAlefWithAMarkIsShownAndReadBackAsWritten) {
    const String words[] = {"أولاً"_a, "لاً"_a, "السلاّم عليكم"_a, "لإٍ لأُ لآَ"_a, "ألاً\r\nكلاَّ"_a, "ًّنا ُ\r\nِلاًx"_a};
    const std::function<TCustomEdit*(TForm*)> makers[] = {
        [](TForm* f) { return new TEdit(f); },
        [](TForm* f) { return new TMemo(f); },
    };
    for (const auto& make : makers)
        for (const String& word : words)
            for (bool windowFirst : {false, true}) {
                SCOPED_TRACE(testing::Message() << "word " << &word - words << (windowFirst ? " set on the window" : " set before it"));
                TCustomEdit* edit = make(Form);
                edit->SetBounds(10, 10, 280, 60);
                if (windowFirst) edit->SetParent(Form);
                edit->SetText(word);
                edit->SetParent(Form);
                Paint(edit);
                EXPECT_EQ(edit->Text(), word);
                EXPECT_EQ(SendMessageW(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(word.size()));
                const int inner = static_cast<int>(word.size()) - 2;
                edit->SetSelStart(1);
                edit->SetSelLength(inner);
                EXPECT_EQ(edit->SelStart(), 1);
                EXPECT_EQ(edit->SelLength(), inner);
                EXPECT_EQ(edit->SelText(), word.substr(1, static_cast<std::size_t>(inner)));
                edit->SelectAll();
                EXPECT_EQ(edit->SelLength(), static_cast<int>(word.size()));
                edit->Free();
            }
}

// Each step acts on the window as a user would and leaves the text and the caret as the layer
// counts them.
TEST_F(EditShapingTest, KeysCutsAndPastesThatJoinAMarkToALamAlefKeepTheWindowSafe) {
    auto* edit = new TMemo(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 280, 120);
    HWND h = edit->Handle();
    SetFocus(h);
    struct Step {
        const char* what;
        std::function<void()> act;
        String text;
        int caret;
    };
    const Step steps[] = {
        {"typed word", [&] { Type(h, "أولاً"_a); }, "أولاً"_a, 5},
        {"backspace takes the mark", [&] { Type(h, "\b"); }, "أولا"_a, 4},
        {"the mark again", [&] { Type(h, "ً"_a); }, "أولاً"_a, 5},
        {"a letter before the mark", [&] { edit->SetSelStart(4); Type(h, "ب"_a); }, "أولابً"_a, 5},
        {"backspace joins the mark to the ligature", [&] { Type(h, "\b"); }, "أولاً"_a, 4},
        {"delete takes the mark", [&] { Key(h, VK_DELETE); }, "أولا"_a, 4},
        {"a mark typed between alef and a letter", [&] { Type(h, "ن"_a); edit->SetSelStart(4); Type(h, "ٌ"_a); }, "أولاٌن"_a, 5},
        {"a line broken before the mark", [&] { edit->SetSelStart(4); Type(h, "\r"); }, "أولا\r\nٌن"_a, 6},
        {"the break deleted", [&] { Type(h, "\b"); }, "أولاٌن"_a, 4},
        {"a selection replaced", [&] { edit->SetSelStart(2); edit->SetSelLength(4); edit->SetSelText("لاَ"_a); }, "أولاَ"_a, 5},
        {"the limit counts the layer's characters", [&] { edit->SetMaxLength(7); edit->SetSelStart(0); Type(h, "لاًلاً"_a); }, "لاأولاَ"_a, 2},
        {"cut", [&] { edit->SetMaxLength(0); edit->SelectAll(); SendMessageW(h, WM_CUT, 0, 0); }, "", 0},
        {"pasted back", [&] { Type(h, "xy"); edit->SetSelStart(1); SendMessageW(h, WM_PASTE, 0, 0); }, "xلاأولاَy"_a, 8},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        Paint(edit);
        EXPECT_EQ(edit->Text(), step.text);
        EXPECT_EQ(edit->SelStart(), step.caret);
        EXPECT_EQ(edit->SelLength(), 0);
    }
    EXPECT_EQ(FromWide(ClipboardText(h)), "لاأولاَ"_a);   // what was cut, as the layer wrote it
}

TEST_F(EditShapingTest, MemoLinesAndPositionsCountTheLayersCharacters) {
    auto* memo = new TMemo(Form);
    memo->SetParent(Form);
    memo->SetBounds(10, 10, 280, 120);
    memo->SetWordWrap(false);
    memo->Lines()->SetText("لاً لاً\r\nولاٌ"_a);
    TStrings* lines = memo->Lines();
    ASSERT_EQ(lines->Count(), 2);
    EXPECT_EQ((*lines)[0], "لاً لاً"_a);
    EXPECT_EQ((*lines)[1], "ولاٌ"_a);
    HWND h = memo->Handle();
    EXPECT_EQ(SendMessageW(h, EM_LINEINDEX, 1, 0), 9);
    EXPECT_EQ(SendMessageW(h, EM_LINELENGTH, 9, 0), 4);
    EXPECT_EQ(SendMessageW(h, EM_LINEFROMCHAR, 8, 0), 0);
    EXPECT_EQ(SendMessageW(h, EM_LINEFROMCHAR, 9, 0), 1);
    memo->SetSelStart(13);
    EXPECT_EQ(memo->CaretPos().X, 4);
    EXPECT_EQ(memo->CaretPos().Y, 1);

    lines->Put(0, "كلاّ"_a);
    lines->Insert(1, "لأً"_a);
    lines->Add("إلاّ"_a);
    Paint(memo);
    EXPECT_EQ(memo->Text(), "كلاّ\r\nلأً\r\nولاٌ\r\nإلاّ"_a);
    lines->Delete(2);
    EXPECT_EQ((*lines)[2], "إلاّ"_a);
    EXPECT_EQ(SendMessageW(h, EM_LINEINDEX, 2, 0), 11);
}
