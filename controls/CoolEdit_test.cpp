#include "controls/CoolEdit.h"
#include "controls/CoolMemo.h"
#include "controls/testing/CoolFixture.h"

namespace {

struct CoolEditTest : CoolFixture {
    TCoolEdit* Edit = nullptr;

    void SetUp() override {
        CoolFixture::SetUp();
        Edit = Place<TCoolEdit>(10, 10, 160, 24);
        Edit->Font()->SetColor(clBlue);
    }

    // The columns holding text pixels (the text is blue, a colour no wallpaper here holds),
    // first and last; -1 when there are none.
    static std::pair<int, int> TextColumns(TBitmap& b) {
        int first = -1, last = -1;
        for (int x = 0; x < b.Width(); ++x)
            if (Count(b, Rect(x, 0, x + 1, b.Height()), clBlue) > 0) {
                if (first < 0) first = x;
                last = x;
            }
        return {first, last};
    }

    void Type(const String& text) {
        for (char c : text) SendMessageW(Edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Application->ProcessMessages();
    }

    static void PutOnClipboard(const wchar_t* text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(data), text, bytes);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    }
};

}  // namespace

// The text stands over the wallpaper, the parent's background or the window colour, aligned
// to the left, the right or the middle.
TEST_F(CoolEditTest, TextStandsOverTheBackgroundAlignedAsSet) {
    TBitmap wall;
    Pattern(&wall, 20, 10);
    Edit->SetWallpaper(&wall);
    Edit->SetOptions(ocPaintWallpaper | ocTileWallpaper);
    Edit->SetText("WWW");
    int width = Edit->ClientRect().Width();
    // where the text's middle lies, give or take: at the left margin, the right one, the middle
    struct { TAlignment align; int middle; int slack; } cases[] = {
        {taLeftJustify, 0, 8}, {taRightJustify, width, 8}, {taCenter, width / 2, 2}};
    for (auto& c : cases) {
        Edit->SetTextAlign(c.align);
        auto shot = Capture();
        auto [first, last] = TextColumns(*shot);
        ASSERT_GE(first, 0) << static_cast<int>(c.align);
        int half = (last - first) / 2;
        EXPECT_LE(std::abs((first + last) / 2 - c.middle), half + c.slack) << static_cast<int>(c.align);
        if (c.align == taCenter) EXPECT_LE(std::abs((first + last) / 2 - c.middle), c.slack);
        int free = c.align == taLeftJustify ? width - 5 : 3;
        EXPECT_EQ(At(*shot, free, 4), PatternAt(free % 20, 4)) << static_cast<int>(c.align);
    }
    EXPECT_EQ(Edit->Text(), "WWW");

    Form->SetColor(clLime);
    Edit->SetOptions(ocPaintTransparently);
    EXPECT_EQ(Edit->Options(), ocPaintTransparently);
    EXPECT_EQ(At(*Capture(), 3, 4), clLime);
    Edit->SetOptions(0);
    EXPECT_EQ(At(*Capture(), 3, 4), RGBOf(clWindow));
}

// Typing and deleting over a wallpaper leaves no traces, and a flat border lying in the client
// area stays around the text, lit while the edit has the focus.
TEST_F(CoolEditTest, TypingOverTheWallpaperLeavesNoTraces) {
    TBitmap wall;
    Pattern(&wall, 20, 10);
    Edit->SetWallpaper(&wall);
    Edit->SetBorderStyle(bsNone);
    Edit->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocFlatBorder);
    Edit->SetFocus();
    Capture();
    Type("WWWWWW");
    auto typed = Snapshot();
    auto [first, last] = TextColumns(*typed);
    ASSERT_GT(last, first);
    Type("\b\b\b\b\b");
    EXPECT_EQ(Edit->Text(), "W");
    auto shot = Snapshot();
    int mid = shot->Height() / 2;
    EXPECT_EQ(Count(*shot, Rect((first + last) / 2, 0, last + 1, shot->Height()), clBlue), 0);
    EXPECT_EQ(At(*shot, last - 2, 4), PatternAt((last - 2) % 20, 4));
    EXPECT_EQ(At(*shot, 0, mid), RGBOf(Edit->Focused() ? clBtnShadow : clBtnFace));
    EXPECT_EQ(At(*shot, 1, mid), RGBOf(clBtnFace));
    EXPECT_EQ(At(*shot, 2, mid), RGBOf(clWindow));
}

// Enter, Ctrl+Enter and Shift+Enter add no line; pasted lines, by message, by Ctrl+V or by
// Shift+Insert, come in as one.
TEST_F(CoolEditTest, EnterAndPastedLineBreaksKeepOneLine) {
    // a key as the keyboard sends it, with Ctrl or Shift held
    auto press = [&](WORD key, wchar_t ch, int held) {
        BYTE keys[256];
        GetKeyboardState(keys);
        if (held) keys[held] = 0x80;
        SetKeyboardState(keys);
        SendMessageW(Edit->Handle(), WM_KEYDOWN, key, 1);
        if (ch) SendMessageW(Edit->Handle(), WM_CHAR, ch, 1);
        SendMessageW(Edit->Handle(), WM_KEYUP, key, 0xC0000001);
        if (held) keys[held] = 0;
        SetKeyboardState(keys);
    };
    Edit->SetFocus();
    Edit->SetText("ab");
    Edit->SetSelStart(1);
    press(VK_RETURN, L'\r', 0);
    press(VK_RETURN, L'\n', VK_CONTROL);
    press(VK_RETURN, L'\r', VK_SHIFT);
    EXPECT_EQ(Edit->Text(), "ab");
    press('X', L'x', 0);
    EXPECT_EQ(Edit->Text(), "axb");

    PutOnClipboard(L"one\r\ntwo\n");
    struct { const char* how; std::function<void()> paste; } pastes[] = {
        {"message", [&] { SendMessageW(Edit->Handle(), WM_PASTE, 0, 0); }},
        {"Ctrl+V", [&] { press('V', 0x16, VK_CONTROL); }},
        {"Shift+Insert", [&] { press(VK_INSERT, 0, VK_SHIFT); }},
    };
    for (auto& p : pastes) {
        Edit->SetText("ab");
        Edit->SetSelStart(1);
        p.paste();
        EXPECT_EQ(Edit->Text(), "aonetwob") << p.how;
        EXPECT_EQ(SendMessageW(Edit->Handle(), EM_GETLINECOUNT, 0, 0), 1) << p.how;
    }
    Edit->SetReadOnly(true);
    SendMessageW(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), "aonetwob");
}

// Edits and memos made, painted in every look and freed leave no window and no GDI object.
TEST_F(CoolEditTest, FreeingReleasesWindowsAndGdiObjects) {
    auto* images = new TCoolImages(Form);
    Pattern(images->Bitmaps()->Add()->Bitmap(), 20, 10);
    ExpectNoGrowthOver(4, [&](int look) {
        TCustomEdit* edit = look < 2 ? static_cast<TCustomEdit*>(new TCoolEdit(Form)) : new TCoolMemo(Form);
        auto* skin = dynamic_cast<TCoolText*>(edit);
        edit->SetParent(Form);
        edit->SetBounds(10, 10, 150, 60);
        skin->SetCoolImages(images);
        skin->SetidWallpaper(0);
        skin->SetTextAlign(look % 2 ? taCenter : taRightJustify);
        skin->SetOptions(look % 2 ? ocPaintTransparently | ocFlatBorder : ocPaintWallpaper | ocSmallCaption);
        skin->SetCaptionColor(clRed);
        edit->SetText("some text");
        edit->SetFocus();
        SendMessageW(edit->Handle(), WM_CHAR, 'x', 1);
        RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Application->ProcessMessages();
        edit->Free();
    });
}
