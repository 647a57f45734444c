#include "controls/CoolMemo.h"
#include "controls/testing/CoolFixture.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct CoolMemoTest : CoolFixture {
    TCoolMemo* Memo = nullptr;

    void SetUp() override {
        CoolFixture::SetUp();
        Memo = Place<TCoolMemo>(10, 10, 200, 150);
    }

    TPoint PosOf(int index) {
        LRESULT p = SendMessageW(Memo->Handle(), EM_POSFROMCHAR, index, 0);
        return Point(static_cast<short>(LOWORD(p)), static_cast<short>(HIWORD(p)));
    }
    void Mouse(UINT msg, TPoint p, WPARAM buttons) {
        SendMessageW(Memo->Handle(), msg, buttons, MAKELPARAM(p.X, p.Y));
    }
};

}  // namespace

// The caption bar: none at first; then its own colours and its own text, not the memo's, two
// pixels in; the small caption and the tool window; a new caption text shows in the frame.
TEST_F(CoolMemoTest, TheCaptionBarShowsItsOwnTextInItsOwnColours) {
    EXPECT_EQ(GetWindowLongW(Memo->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    Memo->SetText("WWWWWWWWWWWWWWWWWWWW");
    Memo->SetCaption("ii");
    Memo->SetOptions(0);
    EXPECT_EQ(GetWindowLongW(Memo->Handle(), GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    int height = GetSystemMetrics(SM_CYCAPTION);
    auto shot = Capture(true);
    EXPECT_EQ(At(*shot, 150, frame + 3), RGBOf(clActiveCaption));
    Memo->SetCaptionColor(clRed);
    Memo->SetCaptionTextColor(clWhite);
    shot = Capture(true);
    TRect bar = Rect(frame, frame, shot->Width() - frame, frame + height - 1);
    EXPECT_EQ(At(*shot, 150, bar.Top + 2), clRed);
    EXPECT_EQ(At(*shot, 150, bar.Bottom - 1), clRed);
    EXPECT_EQ(Count(*shot, Rect(bar.Left, bar.Top, bar.Left + 2, bar.Bottom), clWhite), 0);
    EXPECT_GT(Count(*shot, Rect(bar.Left + 2, bar.Top, bar.Left + 12, bar.Bottom), clWhite), 3);   // "ii"
    EXPECT_EQ(Count(*shot, Rect(bar.Left + 20, bar.Top, bar.Right, bar.Bottom), clWhite), 0);

    Memo->SetText("changed");           // the memo's text never shows in the caption
    Memo->SetCaption("WWWWWWWWWW");
    Application->ProcessMessages();
    shot = Snapshot(true);
    EXPECT_GT(Count(*shot, Rect(bar.Left + 20, bar.Top, bar.Right, bar.Bottom), clWhite), 20);
    EXPECT_EQ(Memo->Text(), "changed");

    Memo->SetOptions(ocSmallCaption);
    EXPECT_NE(GetWindowLongW(Memo->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    shot = Capture(true);
    int small = GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(At(*shot, 190, frame + small - 2), clRed);
    EXPECT_NE(At(*shot, 190, frame + small + 2), clRed);
    EXPECT_EQ(Memo->Caption(), "WWWWWWWWWW");
}

// With a caption bar the memo selects with the mouse itself: from the anchor to the mouse on
// either side of it, and at the right characters past the 65,535th.
TEST_F(CoolMemoTest, MouseSelectionFollowsTheAnchorPastSixtyFourK) {
    String text;
    for (int i = 0; i < 1700; ++i) text += "line " + IntToStr(i) + " of the long text, which goes on\r\n";
    ASSERT_GT(text.size(), 70000u);
    Memo->SetText(text);
    Memo->SetOptions(0);
    Memo->SetFocus();
    EXPECT_EQ(Memo->SelLength(), 0);
    for (int anchor : {40, 70000}) {
        SendMessageW(Memo->Handle(), EM_SETSEL, anchor, anchor);
        SendMessageW(Memo->Handle(), EM_SCROLLCARET, 0, 0);
        Mouse(WM_LBUTTONDOWN, PosOf(anchor), MK_LBUTTON);
        EXPECT_EQ(Memo->SelStart(), anchor);
        // the window's own dragging needs the capture: without it the memo's own selection shows
        ReleaseCapture();
        Mouse(WM_MOUSEMOVE, PosOf(anchor - 5), MK_LBUTTON);
        EXPECT_EQ(Memo->SelStart(), anchor - 5) << anchor;
        EXPECT_EQ(Memo->SelLength(), 5) << anchor;
        Mouse(WM_MOUSEMOVE, PosOf(anchor + 7), MK_LBUTTON);
        EXPECT_EQ(Memo->SelStart(), anchor) << anchor;
        EXPECT_EQ(Memo->SelLength(), 7) << anchor;
        Mouse(WM_MOUSEMOVE, PosOf(anchor + 9), 0);      // no button: nothing
        EXPECT_EQ(Memo->SelLength(), 7) << anchor;
        Mouse(WM_LBUTTONUP, PosOf(anchor + 7), 0);
    }
    EXPECT_EQ(Memo->CharFromPos(PosOf(70001)), 70001);
}

// With the flat border, Page Up on the first line and Page Down on the last do nothing; the
// keys work in between.
TEST_F(CoolMemoTest, PageKeysStopAtTheEndsWithTheFlatBorder) {
    for (int i = 0; i < 40; ++i) Memo->Lines()->Add("line " + IntToStr(i));
    HWND h = Memo->Handle();
    auto page = [&](WORD key) {
        SendMessageW(h, WM_KEYDOWN, key, 1);
        SendMessageW(h, WM_KEYUP, key, 0xC0000001);
    };
    auto caretLine = [&] { return static_cast<int>(SendMessageW(h, EM_LINEFROMCHAR, -1, 0)); };
    auto caretTo = [&](int line) {
        LRESULT at = SendMessageW(h, EM_LINEINDEX, line, 0);
        SendMessageW(h, EM_SETSEL, at, at);
        SendMessageW(h, EM_SCROLLCARET, 0, 0);
    };
    Memo->SetFocus();
    for (TCoolOptions options : {TCoolOptions(ocNoCaption), ocNoCaption | ocFlatBorder}) {
        bool flat = options & ocFlatBorder;
        Memo->SetOptions(options);
        h = Memo->Handle();
        caretTo(0);
        caretTo(3);
        page(VK_PRIOR);
        EXPECT_EQ(caretLine(), flat ? 3 : 0) << flat;
        page(VK_NEXT);
        EXPECT_GT(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << flat;
        int last = static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0)) - 1;
        caretTo(last);
        caretTo(last - 2);
        page(VK_NEXT);
        EXPECT_EQ(caretLine(), flat ? last - 2 : last) << flat;
    }
}

// The wallpaper lies still behind the text while it scrolls.
TEST_F(CoolMemoTest, TheWallpaperStaysWhileTheTextScrolls) {
    TBitmap wall;
    Pattern(&wall, 20, 7);
    Memo->SetWallpaper(&wall);
    Memo->SetOptions(ocNoCaption | ocPaintWallpaper | ocTileWallpaper);
    Memo->Font()->SetColor(clBlue);
    for (int i = 0; i < 40; ++i) Memo->Lines()->Add("x");
    SendMessageW(Memo->Handle(), WM_VSCROLL, SB_TOP, 0);
    Capture();
    for (int i = 0; i < 3; ++i) SendMessageW(Memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(Memo->Handle());
    ASSERT_EQ(SendMessageW(Memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    auto shot = Snapshot();
    for (int y : {5, 30, 50, 77, 99})
        EXPECT_EQ(At(*shot, 120, y), PatternAt(120 % 20, y % 7)) << y;
}
