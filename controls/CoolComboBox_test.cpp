#include "controls/CoolComboBox.h"
#include "controls/testing/CoolFixture.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct CoolComboBoxTest : CoolFixture {
    TCoolComboBox* Box = nullptr;

    void SetUp() override {
        CoolFixture::SetUp();
        Box = Place<TCoolComboBox>(10, 10, 145, 21);
    }
    void TearDown() override {
        if (Box && Box->HandleAllocated() && Box->DroppedDown()) Box->SetDroppedDown(false);
        CoolFixture::TearDown();
    }

    HWND List() {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Box->Handle(), &info);
        return info.hwndList;
    }
    // Opens the list and lets it paint, as a click on the arrow does.
    HWND Open() {
        Box->SetDroppedDown(true);
        UpdateWindow(List());
        Application->ProcessMessages();
        return List();
    }
    TRect ScreenRectOf(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return TRect::From(r);
    }
    Picture DrawItemWith(int index, UINT itemState, const TRect& rect) {
        return DrawItemIn(ODT_COMBOBOX, index, rect, itemState, clFuchsia);
    }
};

}  // namespace

// An item of the open list and of the edit part: selected ones take the selection colour, the
// edit part only while the box has the focus, and only list items carry the bevel.
TEST_F(CoolComboBoxTest, ItemsAreSelectedInTheListAndInTheFocusedEditPart) {
    Box->SetColor(clYellow);
    Box->SetSelColor(clRed);
    Box->SetBevelOuter(bvRaised);
    Box->Items()->Add("first");
    TRect r = Rect(0, 0, 120, Box->ItemHeight());
    int mid = r.Height() / 2;
    struct { UINT state; TColor fill; bool bevel; } cases[] = {
        {ODS_SELECTED, clRed, true},
        {ODS_SELECTED | ODS_FOCUS, clRed, true},
        {ODS_SELECTED | ODS_NOACCEL, clRed, true},
        {ODS_SELECTED | ODS_FOCUS | ODS_COMBOBOXEDIT, clRed, false},
        {ODS_SELECTED | ODS_COMBOBOXEDIT, clYellow, false},
        {ODS_COMBOBOXEDIT, clYellow, false},
        {0, clYellow, false},
    };
    for (auto& c : cases) {
        auto item = DrawItemWith(0, c.state, r);
        EXPECT_EQ(At(*item, r.Right - 5, mid), c.fill) << std::hex << c.state;
        EXPECT_EQ(At(*item, r.Left, mid), c.bevel ? RGBOf(cl3DLight) : c.fill) << std::hex << c.state;
        TColor text = c.fill == clRed ? RGBOf(clHighlightText) : RGBOf(clWindowText);
        EXPECT_GT(Count(*item, r, text), 5) << std::hex << c.state;
    }
}

// The open list takes ListBoxWidth, placed left, right or centred under the box; its window
// procedure is watched while it is open and given back when it closes.
TEST_F(CoolComboBoxTest, TheOpenListTakesItsWidthAndPlace) {
    for (int i = 0; i < 5; ++i) Box->Items()->Add("item " + IntToStr(i));
    EXPECT_EQ(Box->ListBoxWidth(), 145);
    HWND list = List();
    LONG_PTR own = GetWindowLongPtrW(list, GWLP_WNDPROC);
    Open();
    TRect plain = ScreenRectOf(list);
    EXPECT_EQ(Box->ListHandle(), list);
    Box->SetDroppedDown(false);
    Application->ProcessMessages();
    EXPECT_EQ(Box->ListHandle(), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), own);

    Box->SetListBoxWidth(300);
    struct { TPopupAlignment alignment; int left; } places[] = {
        {paLeft, plain.Left}, {paRight, plain.Right - 300}, {paCenter, plain.Left + plain.Width() / 2 - 150}};
    for (auto& p : places) {
        Box->SetAlignment(p.alignment);
        Open();
        TRect r = ScreenRectOf(list);
        EXPECT_EQ(r.Left, p.left) << static_cast<int>(p.alignment);
        EXPECT_EQ(r.Width(), 300) << static_cast<int>(p.alignment);
        EXPECT_EQ(r.Top, plain.Top);
        EXPECT_EQ(r.Height(), plain.Height());
        EXPECT_NE(GetWindowLongPtrW(list, GWLP_WNDPROC), own);
        Box->SetDroppedDown(false);
        Application->ProcessMessages();
        EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), own);
    }
}

// The list's wallpaper lies still while its items scroll over it.
TEST_F(CoolComboBoxTest, TheListWallpaperStaysWhileItemsScroll) {
    TBitmap wall;
    Pattern(&wall, 20, 7);
    Box->SetWallpaper(&wall);
    Box->SetOptions(ocPaintWallpaper | ocTileWallpaper);
    for (int i = 0; i < 30; ++i) Box->Items()->Add("item " + IntToStr(i));
    HWND list = Open();
    TRect anchor = Box->ListRect();
    for (int i = 0; i < 3; ++i) SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(list);
    ASSERT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 3);
    auto shot = SnapshotOf(list);
    for (int y : {5, 30, 50, 77, 99})
        EXPECT_EQ(At(*shot, 70, y), PatternAt((70 - anchor.Left) % 20, (y - anchor.Top) % 7)) << y;
}

// A box freed, or made again, while its list is open leaves no list calling into it.
TEST_F(CoolComboBoxTest, ABoxGoingWhileItsListIsOpenLeavesTheListAlone) {
    int reported = 0;
    auto saved = Application->OnException;
    Application->OnException = [&](TObject*, const std::exception&) { ++reported; };
    for (int i = 0; i < 3; ++i) Box->Items()->Add("item " + IntToStr(i));
    HWND list = Open();
    ASSERT_EQ(Box->ListHandle(), list);
    Box->RecreateWnd();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(Box->ListHandle(), nullptr);
    EXPECT_EQ(Box->Items()->Count(), 3);
    list = Open();
    ASSERT_EQ(Box->ListHandle(), list);
    Box->Free();
    Box = nullptr;
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(reported, 0);
    Application->OnException = saved;
}

// The list modes through the box: the colour follows the selection by value and by key, a
// colour chosen in the dialog is added; a font chosen in the font mode's dialog is a change.
TEST_F(CoolComboBoxTest, TheColourAndFontModesWorkThroughTheBox) {
    Box->SetExtendedStyle(ctColorControl);
    ASSERT_EQ(Box->Items()->Count(), 16);
    Box->SetSelectedColor(clRed);
    EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "Red");
    Key(VK_DOWN);                 // the user moves on to the next colour
    EXPECT_EQ(Box->SelectedColor(), clLime);
    int changes = 0;
    Box->OnChange = [&](TObject*) { ++changes; };
    ChooseInColorDialog(0x123456);
    Key(VK_RETURN, true);
    EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "$00123456");
    EXPECT_EQ(Box->SelectedColor(), 0x123456);
    EXPECT_EQ(changes, 0);
    Box->SetTrueType(true);
    EXPECT_EQ(Box->Items()->Count(), 0);

    Box->SetExtendedStyle(ctFontControl);
    int tahoma = Box->Items()->IndexOf("Tahoma");
    ASSERT_GE(tahoma, 0);
    Box->SetItemIndex(tahoma);
    CloseDialogsWith(IDOK);
    Key(VK_RETURN, true);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Box->ItemIndex(), tahoma);
}

// Check mode: Space toggles the selected item; a state set by code shows at once, in the edit
// part and in the open list; states survive a new window.
TEST_F(CoolComboBoxTest, CheckStatesToggleAndShowAtOnce) {
    for (const char* s : {"a", "b", "c"}) Box->Items()->Add(s);
    Box->SetExtendedStyle(ctCheckControl);
    Box->SetItemIndex(1);
    auto ticks = [&](TBitmap& b, int top) { return Count(b, Rect(4, top + 3, 4 + 14, top + 13), clBlack); };
    auto shot = Capture();
    int unticked = ticks(*shot, 3);
    Box->SetChecked(1, true);
    UpdateWindow(Box->Handle());
    shot = Snapshot();
    EXPECT_GT(ticks(*shot, 3), unticked + 5);
    Key(VK_SPACE);
    EXPECT_FALSE(Box->Checked(1));
    UpdateWindow(Box->Handle());
    EXPECT_EQ(ticks(*Snapshot(), 3), unticked);
    Key(VK_SPACE);
    EXPECT_TRUE(Box->Checked(1));

    HWND list = Open();
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    int listUnticked = ticks(*SnapshotOf(list), item.top);
    Key(VK_SPACE);
    EXPECT_FALSE(Box->Checked(1));
    UpdateWindow(list);
    EXPECT_LT(ticks(*SnapshotOf(list), item.top), listUnticked - 5);
    Box->SetDroppedDown(false);

    Box->SetChecked(0, true);
    Box->SetChecked(2, true);
    Box->RecreateWnd();
    EXPECT_EQ((std::vector<bool>{Box->Checked(0), Box->Checked(1), Box->Checked(2)}),
              (std::vector<bool>{true, false, true}));
}

// The list's horizontal extent: a text wider than the list sets it to that text's width plus
// the picture's place; narrower texts leave it; emptying the list gives 0.
TEST_F(CoolComboBoxTest, TheListExtentFollowsTextsWiderThanTheList) {
    auto extent = [&] { return static_cast<int>(SendMessageW(Box->Handle(), CB_GETHORIZONTALEXTENT, 0, 0)); };
    const String wide = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    Box->Items()->Add("narrow");
    EXPECT_EQ(extent(), 0);
    Box->Items()->Add(wide);
    EXPECT_EQ(extent(), Box->ItemWidth(wide));
    EXPECT_GT(Box->ItemWidth(wide), Box->ListBoxWidth());
    Box->Canvas()->SetFont(Box->Font());
    EXPECT_EQ(Box->ItemWidth(wide), Box->Canvas()->TextWidth(wide) + 25);
    Box->SetListBoxWidth(Box->ItemWidth(wide) + 100);
    Box->Items()->Add(wide + "WW");
    EXPECT_EQ(extent(), Box->ItemWidth(wide));
    Box->Items()->Clear();
    EXPECT_EQ(extent(), 0);
    EXPECT_EQ(Box->HorizontalExtent(), 0);

    // the list follows the box's width until it is given one of its own
    TCoolComboBox other(nullptr);
    other.SetBounds(0, 0, 200, 21);
    EXPECT_EQ(other.ListBoxWidth(), 200);
    other.SetListBoxWidth(0);
    other.SetWidth(250);
    EXPECT_EQ(other.ListBoxWidth(), 200);
}

// Boxes made, filled, opened, painted in every look and freed leave no window and no GDI object.
TEST_F(CoolComboBoxTest, FreeingReleasesWindowsAndGdiObjects) {
    auto* images = new TCoolImages(Form);
    Pattern(images->Bitmaps()->Add()->Bitmap(), 20, 10);
    TBitmap glyph;
    Pattern(&glyph, 32, 16);
    auto cycle = [&](int look) {
        auto* box = new TCoolComboBox(Form);
        box->SetParent(Form);
        box->SetBounds(10, 10, 150, 21);
        box->SetCoolImages(images);
        box->SetidWallpaper(0);
        box->SetGlyph(&glyph);
        TCoolOptions looks[] = {ocPaintWallpaper | ocTileWallpaper | ocFlatBorder, ocPaintTransparently,
                                ocInvertWallpaperAsSelect | ocPaintWallpaper};
        box->SetOptions(looks[look]);
        box->SetExtendedCheck(look == 1);
        for (int i = 0; i < 12; ++i) box->Items()->Add("item " + IntToStr(i));
        if (look == 1) box->SetExtendedStyle(ctColorControl);
        box->SetListBoxWidth(look == 2 ? 250 : 0);
        box->SetChecked(0, look == 1);
        box->SetItemIndex(1);
        box->SetEnabled(look != 2);
        box->SetDroppedDown(true);
        RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Application->ProcessMessages();
        box->Free();
    };
    ExpectNoGrowthOver(3, cycle);
}
