#include "platform/ui/Memo.h"
#include "platform/ui/testing/ShownForm.h"

using MemoTest = ShownFormFixture;

TEST_F(MemoTest, LinesRoundTripArabicThroughTheWindow) {
    auto* memo = new TMemo(Form);
    memo->SetParent(Form);
    memo->SetWordWrap(false);
    memo->Lines()->Add("مرحبا بكم"_a);
    memo->Lines()->Add("");
    memo->Lines()->Add("ءآأؤإئ end"_a);
    // the window holds the lines as UTF-16
    HWND h = memo->Handle();
    wchar_t buf[64]{};
    GetWindowTextW(h, buf, 64);
    EXPECT_EQ(std::wstring(buf), L"\u0645\u0631\u062D\u0628\u0627 \u0628\u0643\u0645\r\n\r\n\u0621\u0622\u0623\u0624\u0625\u0626 end\r\n");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(0), "مرحبا بكم"_a);
    EXPECT_EQ(memo->Lines()->Strings(1), "");
    EXPECT_EQ(memo->Lines()->Strings(2), "ءآأؤإئ end"_a);

    memo->Lines()->Put(1, "وسط"_a);
    memo->Lines()->Delete(0);
    memo->Lines()->Insert(0, "أول"_a);
    EXPECT_EQ(memo->Text(), "أول\r\nوسط\r\nءآأؤإئ end\r\n"_a);

    // a last line without a line break counts, and one added after it gets its own line
    memo->SetText("a\r\nb");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Add("c");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(MemoTest, LinesOfAMemoWithoutParentLiveInItsText) {
    auto* memo = new TMemo(nullptr);
    memo->Lines()->SetText("one\r\ntwo");
    memo->Lines()->Add("ثلاثة"_a);
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(2), "ثلاثة"_a);
    // the lines go with the memo into its window
    memo->SetParent(Form);
    EXPECT_EQ(memo->Lines()->Strings(1), "two");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    memo->Free();
}

TEST_F(MemoTest, ReturnsAndTabsAreTypedOnlyWhenWanted) {
    auto* memo = new TMemo(Form);
    memo->SetParent(Form);
    HWND h = memo->Handle();
    SendMessageW(h, WM_CHAR, 'a', 1);
    SendMessageW(h, WM_CHAR, '\r', 1);
    SendMessageW(h, WM_CHAR, '\t', 1);
    EXPECT_EQ(memo->Text(), "a\r\n");
    memo->SetWantReturns(false);
    memo->SetWantTabs(true);
    SendMessageW(h, WM_CHAR, '\r', 1);
    SendMessageW(h, WM_CHAR, '\t', 1);
    EXPECT_EQ(memo->Text(), "a\r\n\t");
    EXPECT_TRUE(SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
}
