#include "controls/CoolListBox.h"
#include "controls/testing/CoolListFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"

namespace {

// A 16 x 16 picture: a square of color on fuchsia, the colour drawn transparent.
void Glyph(TBitmap* b, int frames, const TColor* colors) {
    CoolListFixture::Solid(b, clFuchsia, 16 * frames, 16);
    for (int f = 0; f < frames; ++f) {
        b->Canvas()->Brush()->SetColor(colors[f]);
        b->Canvas()->FillRect(Rect(f * 16 + 2, 2, f * 16 + 14, 14));
    }
}

}  // namespace

using CoolListBoxTest = CoolListFixture;

// A selected item: the selection colour, its font's colour, and the bevel; a state that adds a
// keyboard cue is still selected, one that adds "disabled" is drawn as not selected.
TEST_F(CoolListBoxTest, SelectedItemsTakeTheSelectionColourFontAndBevel) {
    Box->SetColor(clYellow);
    Box->SetSelColor(clRed);
    Box->SetBevelOuter(bvRaised);
    Box->Items()->Add("first");
    Box->Items()->Add("second");
    TRect r = Box->ItemRect(0);
    int mid = r.Top + r.Height() / 2;

    for (UINT state : {UINT(ODS_SELECTED), UINT(ODS_SELECTED | ODS_NOACCEL | ODS_NOFOCUSRECT)}) {
        auto item = DrawItemWith(0, state);
        EXPECT_EQ(At(*item, r.Right - 5, mid), clRed) << state;
        EXPECT_EQ(At(*item, r.Left, mid), RGBOf(cl3DLight)) << state;            // the raised bevel
        EXPECT_EQ(At(*item, r.Right - 1, mid), RGBOf(cl3DDkShadow)) << state;
        EXPECT_GT(Count(*item, r, RGBOf(clHighlightText)), 5) << state;           // the text
        EXPECT_EQ(At(*item, r.Right - 5, r.Bottom + 2), clFuchsia) << state;     // only the item
    }
    auto plain = DrawItemWith(0, 0);
    EXPECT_EQ(At(*plain, r.Right - 5, mid), clYellow);
    EXPECT_EQ(At(*plain, r.Left, mid), clYellow);                                 // bevel only if selected
    EXPECT_GT(Count(*plain, r, RGBOf(clWindowText)), 5);
    auto disabled = DrawItemWith(0, ODS_SELECTED | ODS_DISABLED);
    EXPECT_EQ(At(*disabled, r.Right - 5, mid), clYellow);
    EXPECT_EQ(At(*disabled, r.Left, mid), clYellow);
    EXPECT_GT(Count(*disabled, r, RGBOf(clHighlightText)), 5);   // the colour the platform gave it

    Box->SetOptions(ocNoCaption);
    plain = DrawItemWith(0, 0);
    EXPECT_EQ(At(*plain, r.Left, mid), RGBOf(cl3DLight));
    Box->SetBevelInner(bvLowered);
    Box->SetBevelOuter(bvLowered);
    plain = DrawItemWith(0, 0);
    EXPECT_EQ(At(*plain, r.Left, mid), RGBOf(clBtnShadow));
    EXPECT_EQ(At(*plain, r.Right - 1, mid), RGBOf(clBtnHighlight));
}

// Where the picture, the highlight, the text and the bevel of an item go.
TEST_F(CoolListBoxTest, PictureHighlightAndBevelFollowTheLayout) {
    TColor green = clGreen;
    TBitmap glyph;
    Glyph(&glyph, 1, &green);
    Box->SetGlyph(&glyph);
    Box->SetColor(clYellow);
    Box->SetSelColor(clRed);
    Box->Items()->Add("x");
    TRect r = Box->ItemRect(0);
    auto item = DrawItemWith(0, 0);
    EXPECT_EQ(At(*item, 2 + 8, r.Top + 8), clGreen);     // at Left + 2, centred
    EXPECT_EQ(At(*item, 2 + 1, r.Top + 8), clYellow);    // its fuchsia back is transparent

    // the highlight leaves the picture's place: it starts at Left + ItemHeight
    Box->SetOptions(ocNoHighlightImage | ocNoCaption);
    item = DrawItemWith(0, ODS_SELECTED);
    EXPECT_EQ(At(*item, 1, r.Top + 8), clFuchsia);
    EXPECT_EQ(At(*item, 10, r.Top + 8), clGreen);
    EXPECT_EQ(At(*item, 16, r.Top + 8), clRed);
    EXPECT_EQ(At(*item, 15, r.Top + 8), clGreen);

    // the text starts at Left + 16 + 4; the bevel frames the picture or the text
    Box->SetOptions(ocNoCaption);
    Box->SetBevelOuter(bvRaised);
    struct { TBevelStyleEx style; int light; int dark; } bevels[] = {
        {bsBevelBoth, 0, r.Right - 1}, {bsBevelOnlyImage, 0, 15}, {bsBevelOnlyText, 16, r.Right - 1},
    };
    for (auto& b : bevels) {
        Box->SetBevelStyle(b.style);
        item = DrawItemWith(0, 0);
        EXPECT_EQ(At(*item, b.light, r.Top + 8), RGBOf(cl3DLight)) << static_cast<int>(b.style);
        EXPECT_EQ(At(*item, b.dark, r.Top + 8), RGBOf(cl3DDkShadow)) << static_cast<int>(b.style);
    }

    // no image: the text starts near the edge
    Box->SetOptions(ocNoCaption | ocNoImageAttached);
    Box->SetBevelOuter(bvNone);
    item = DrawItemWith(0, 0);
    EXPECT_EQ(At(*item, 10, r.Top + 8), clYellow);
    EXPECT_GT(Count(*item, Rect(2, r.Top, 8, r.Bottom), RGBOf(clWindowText)), 0);
    EXPECT_EQ(Count(*item, Rect(0, r.Top, 2, r.Bottom), RGBOf(clWindowText)), 0);
}

// A strip of two frames shows the second when disabled, as it is; a single frame is embossed.
TEST_F(CoolListBoxTest, DisabledGlyphsShowTheirOwnFrameOrAnEmbossedOne) {
    const TColor frames[2] = {clRed, clBlue};
    TBitmap strip;
    Glyph(&strip, 2, frames);
    Box->SetGlyph(&strip);
    Box->SetColor(clYellow);
    Box->Items()->Add("x");
    EXPECT_EQ(At(*DrawItemWith(0, 0), 10, 8), clRed);
    Box->SetEnabled(false);
    EXPECT_EQ(At(*DrawItemWith(0, 0), 10, 8), clBlue);

    const TColor black = clBlack;
    TBitmap single;
    Glyph(&single, 1, &black);
    Box->SetGlyph(&single);
    auto item = DrawItemWith(0, 0);
    EXPECT_EQ(At(*item, 2 + 2, 2), RGBOf(clBtnShadow));
    EXPECT_EQ(Count(*item, Box->ItemRect(0), clBlack), 0);
}

// Tiled and once-only wallpapers lie at the client area's origin, under the items and below
// them, with the list empty too; the selection takes its own wallpaper or the inverted one.
TEST_F(CoolListBoxTest, WallpapersStayAnchoredToTheClientArea) {
    TBitmap wall;
    Pattern(&wall, 20, 10);
    Box->SetWallpaper(&wall);
    Box->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocNoCaption);
    for (const char* s : {"a", "b", "c"}) Box->Items()->Add(s);
    auto shot = Capture();
    for (TPoint p : {Point(60, 3), Point(97, 21), Point(130, 40), Point(41, 70), Point(150, 99)})
        EXPECT_EQ(At(*shot, p.X, p.Y), PatternAt(p.X % 20, p.Y % 10)) << p.X << "," << p.Y;

    Box->SetOptions(ocPaintWallpaper | ocNoCaption);
    shot = Capture();
    for (TPoint p : {Point(15, 3), Point(19, 9), Point(12, 5)})
        EXPECT_EQ(At(*shot, p.X, p.Y), PatternAt(p.X, p.Y)) << p.X << "," << p.Y;

    Box->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocNoCaption);
    Box->Items()->Clear();
    shot = Capture();
    EXPECT_EQ(At(*shot, 53, 57), PatternAt(13, 7));

    for (const char* s : {"a", "b", "c"}) Box->Items()->Add(s);
    TBitmap sel;
    Solid(&sel, clLime, 7, 7);
    Box->SetSelWallpaper(&sel);
    Box->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocPaintSelWallpaper | ocNoCaption);
    Box->SetItemIndex(1);
    shot = Capture();
    EXPECT_EQ(At(*shot, 81, 21), clLime);
    EXPECT_EQ(At(*shot, 81, 5), PatternAt(1, 5));
    Box->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocInvertWallpaperAsSelect | ocNoCaption);
    shot = Capture();
    EXPECT_EQ(At(*shot, 81, 21), static_cast<TColor>(~static_cast<COLORREF>(PatternAt(1, 1)) & 0xFFFFFF));

    // see-through: the form's colour behind items and below them
    Form->SetColor(clLime);
    Box->SetOptions(ocPaintTransparently | ocNoCaption);
    Box->SetItemIndex(-1);
    shot = Capture();
    EXPECT_EQ(At(*shot, 81, 5), clLime);
    EXPECT_EQ(At(*shot, 81, 90), clLime);
}

// Options: of wallpaper and see-through, the one added last wins; the caption lives in the
// window's style.
TEST_F(CoolListBoxTest, OptionsKeepWallpaperAndTransparencyApartAndShapeTheWindow) {
    struct { TCoolOptions from, to, result; } cases[] = {
        {ocPaintWallpaper, ocPaintWallpaper | ocPaintTransparently, ocPaintTransparently},
        {ocPaintTransparently, ocPaintWallpaper | ocPaintTransparently, ocPaintWallpaper},
        {0, ocPaintWallpaper | ocPaintTransparently, ocPaintWallpaper | ocPaintTransparently},
    };
    for (auto& c : cases) {
        Box->SetOptions(c.from | ocNoCaption);
        Box->SetOptions(c.to | ocNoCaption);
        EXPECT_EQ(Box->Options(), c.result | ocNoCaption);
    }
    EXPECT_EQ(TCoolListBox(nullptr).Options(), ocBevelOnlyIfSel | ocNoCaption);
    Box->Items()->Add("kept");
    Box->SetOptions(ocSmallCaption);
    EXPECT_EQ(GetWindowLongW(Box->Handle(), GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_NE(GetWindowLongW(Box->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(Box->Items()->Strings(0), "kept");
    Box->SetOptions(ocNoCaption);
    EXPECT_EQ(GetWindowLongW(Box->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(GetWindowLongW(Box->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

// The caption bar: the window's own with the default colours, else its colour or wallpaper and
// the text; a caption that may not drag the control answers "nowhere".
TEST_F(CoolListBoxTest, TheCaptionBarTakesItsColoursWallpaperAndText) {
    Box->SetOptions(0);
    Box->SetCaption("Users");
    int frame = GetSystemMetrics(SM_CXDLGFRAME);
    int captionHeight = GetSystemMetrics(SM_CYCAPTION);
    auto shot = Capture(true);
    EXPECT_NE(At(*shot, 120, frame + 4), clRed);

    Box->SetCaptionColor(clRed);
    Box->SetCaptionTextColor(clWhite);
    shot = Capture(true);
    TRect caption = Rect(frame, frame, shot->Width() - frame, frame + captionHeight - 1);
    EXPECT_EQ(At(*shot, 120, frame + 4), clRed);
    EXPECT_EQ(At(*shot, 120, caption.Bottom - 1), clRed);
    EXPECT_GT(Count(*shot, Rect(frame, frame, 60, caption.Bottom), clWhite), 10);   // "Users"
    EXPECT_NE(At(*shot, 120, caption.Bottom + 3), clRed);

    TBitmap wall;
    Solid(&wall, clLime);
    Box->SetCaptionWallpaper(&wall);
    Box->SetOptions(ocPaintCaptionWallpaper);
    shot = Capture(true);
    EXPECT_EQ(At(*shot, 120, frame + 4), clLime);

    Box->SetOptions(ocSmallCaption);
    shot = Capture(true);
    int small = GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(At(*shot, 120, frame + small - 3), clRed);
    EXPECT_NE(At(*shot, 120, frame + small + 3), clRed);

    RECT w;
    GetWindowRect(Box->Handle(), &w);
    LPARAM onCaption = MAKELPARAM(w.left + 100, w.top + frame + 3);
    EXPECT_EQ(SendMessageW(Box->Handle(), WM_NCHITTEST, 0, onCaption), HTCAPTION);
    Box->SetOptions(ocSmallCaption | ocNoDragUsingCaption);
    EXPECT_EQ(SendMessageW(Box->Handle(), WM_NCHITTEST, 0, onCaption), HTNOWHERE);
    EXPECT_EQ(SendMessageW(Box->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption), 0);
}

// The flat border: two rings of the face colour, the outer one sunken while the list has the
// focus, and a ring of the window colour inside.
TEST_F(CoolListBoxTest, TheFlatBorderIsSunkenWhileFocused) {
    auto* other = new TCoolListBox(Form);
    other->SetParent(Form);
    other->SetBounds(200, 10, 60, 60);
    Box->SetOptions(ocFlatBorder | ocNoCaption);
    Box->Items()->Add("x");
    other->SetFocus();
    auto shot = Capture(true);
    EXPECT_EQ(At(*shot, 0, 30), RGBOf(clBtnFace));
    EXPECT_EQ(At(*shot, 1, 30), RGBOf(clBtnFace));
    EXPECT_EQ(At(*shot, 2, 30), RGBOf(clWindow));
    Box->SetFocus();
    shot = Capture(true);
    EXPECT_EQ(At(*shot, 0, 30), RGBOf(clBtnShadow));
    EXPECT_EQ(At(*shot, shot->Width() - 1, 30), RGBOf(clBtnHighlight));

    // entering with the mouse lights it only while no skinned control has the focus
    int entered = 0, left = 0;
    Box->OnMouseEnter = [&](TObject* s) { EXPECT_EQ(s, Box); ++entered; };
    Box->OnMouseLeave = [&](TObject*) { ++left; };
    other->SetFocus();
    Capture(true);
    Box->Perform(CM_MOUSEENTER);
    EXPECT_EQ(At(*Snapshot(true), 0, 30), RGBOf(clBtnFace));
    Box->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    // with both scroll bars the window-coloured ring lies one pixel further out, by the bars
    for (int i = 0; i < 30; ++i) Box->Items()->Add(String(40, 'W'));
    shot = Capture(true);
    LONG style = GetWindowLongW(Box->Handle(), GWL_STYLE);
    ASSERT_TRUE((style & WS_VSCROLL) && (style & WS_HSCROLL));
    int w = shot->Width(), h = shot->Height();
    EXPECT_EQ(At(*shot, 1, 30), RGBOf(clWindow));
    EXPECT_EQ(At(*shot, w - 3, 30), RGBOf(clWindow));
    EXPECT_EQ(At(*shot, 30, h - 3), RGBOf(clWindow));
    EXPECT_EQ(At(*shot, w - 2, 30), RGBOf(clBtnFace));
}

// The selection font follows the parent's font, in the selection text colour, until it is set.
TEST_F(CoolListBoxTest, TheSelectionFontFollowsTheParentsUntilSet) {
    EXPECT_TRUE(IsCoolControl(Box));
    EXPECT_FALSE(IsCoolControl(Form));
    EXPECT_FALSE(IsCoolControl(nullptr));
    Form->Font()->SetName("Tahoma");
    Form->Font()->SetHeight(-15);
    EXPECT_EQ(Box->Font()->Name(), "Tahoma");
    EXPECT_EQ(Box->SelFont()->Name(), "Tahoma");
    EXPECT_EQ(Box->SelFont()->Height(), -15);
    EXPECT_EQ(Box->SelFont()->Color(), clHighlightText);
    EXPECT_TRUE(Box->ParentFont());
    TFont bold;
    bold.SetName("Arial");
    Box->SetSelFont(&bold);
    EXPECT_FALSE(Box->ParentFont());
    Form->Font()->SetName("Courier New");
    EXPECT_EQ(Box->SelFont()->Name(), "Arial");
}

// The horizontal extent follows the widest text: a narrow one changes nothing, a wide one
// widens it, and deleting the widest shrinks it to the next one measured, not to the longest.
TEST_F(CoolListBoxTest, TheHorizontalExtentFollowsTheWidestText) {
    auto extent = [&] { return static_cast<int>(SendMessageW(Box->Handle(), LB_GETHORIZONTALEXTENT, 0, 0)); };
    auto width = [&](const String& s) {
        Box->Canvas()->SetFont(Box->SelFont());
        int a = Box->Canvas()->TextWidth(s);
        Box->Canvas()->SetFont(Box->Font());
        return std::max(a, Box->Canvas()->TextWidth(s));
    };
    const String wide = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", widish = "WWWWWWWWWWWWWWWWWWWWWW",
                 longest = "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii";
    Box->Items()->Add("narrow");
    EXPECT_EQ(extent(), 0);
    Box->Items()->Add(wide);
    EXPECT_EQ(extent(), width(wide) + 25);
    Box->Items()->Add(widish);
    Box->Items()->Add(longest);
    ASSERT_GT(longest.size(), widish.size());
    ASSERT_GT(width(widish), width(longest));
    Box->Items()->Delete(1);
    EXPECT_EQ(extent(), width(widish) + 25);
    Box->Items()->Clear();
    EXPECT_EQ(extent(), 0);
    Box->SetOptions(ocNoCaption | ocNoImageAttached);
    Box->Items()->Add(wide);
    EXPECT_EQ(extent(), width(wide) + 5);
    Box->Items()->Clear();
    Box->SetExtendedCheck(true);
    Box->SetOptions(ocNoCaption);
    Box->Items()->Add(wide);
    EXPECT_EQ(extent(), width(wide) + 45);
}

// Each list keeps its own last top index: two lists scrolled to the same line both repaint
// whole, so neither wallpaper moves with the items.
TEST_F(CoolListBoxTest, ScrolledListsRepaintTheirWallpaperWhole) {
    TBitmap wall;
    Pattern(&wall, 20, 7);
    auto* second = new TCoolListBox(Form);
    second->SetParent(Form);
    second->SetBounds(180, 10, 120, 120);
    for (TCoolListBox* list : {Box, second}) {
        list->SetWallpaper(&wall);
        list->SetOptions(ocPaintWallpaper | ocTileWallpaper | ocNoCaption);
        for (int i = 0; i < 30; ++i) list->Items()->Add("item " + IntToStr(i));
        RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    for (TCoolListBox* list : {Box, second}) {
        for (int i = 0; i < 3; ++i) SendMessageW(list->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        UpdateWindow(list->Handle());
        ASSERT_EQ(list->TopIndex(), 3);
    }
    for (TCoolListBox* list : {Box, second}) {
        auto shot = SnapshotOf(list);
        for (int y : {5, 30, 50, 77, 99})
            EXPECT_EQ(At(*shot, 70, y), PatternAt(70 % 20, y % 7)) << (list == second ? "second " : "first ") << y;
    }
}

// The selection follows the mouse with HotTray; an item-drawing handler replaces the own drawing.
TEST_F(CoolListBoxTest, HotTrayAndTheDrawingEvent) {
    for (const char* s : {"a", "b", "c"}) Box->Items()->Add(s);
    TRect third = Box->ItemRect(2);
    SendMessageW(Box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, third.Top + 3));
    EXPECT_EQ(Box->ItemIndex(), -1);
    Box->SetHotTray(true);
    SendMessageW(Box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, third.Top + 3));
    EXPECT_EQ(Box->ItemIndex(), 2);

    int drawn = 0;
    Box->OnDrawItem = [&](TWinControl* c, int index, const TRect&, TOwnerDrawState) {
        EXPECT_EQ(c, Box);
        EXPECT_EQ(index, 1);
        ++drawn;
    };
    Box->SetColor(clYellow);
    auto item = DrawItemWith(1, 0);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(At(*item, 100, Box->ItemRect(1).Top + 8), clFuchsia);
}

// Lists made, filled, painted in every look and freed leave no window and no GDI object behind.
TEST_F(CoolListBoxTest, FreeingReleasesWindowsAndGdiObjects) {
    auto* images = new TCoolImages(Form);
    Pattern(images->Bitmaps()->Add()->Bitmap(), 20, 10);
    TBitmap glyph;
    Pattern(&glyph, 32, 16);
    testing_support::TempFolder folder;
    folder.Write("a.txt", "a");
    CreateDir(folder.File("sub"));
    auto cycle = [&](int look) {
        auto* list = new TCoolListBox(Form);
        list->SetParent(Form);
        list->SetBounds(10, 10, 150, 100);
        list->SetCoolImages(images);
        list->SetidWallpaper(0);
        list->SetGlyph(&glyph);
        list->SetCaptionColor(clRed);
        TCoolOptions looks[] = {ocPaintWallpaper | ocTileWallpaper | ocFlatBorder, ocPaintTransparently | ocSmallCaption,
                                ocInvertWallpaperAsSelect | ocPaintWallpaper | ocPaintCaptionWallpaper};
        list->SetOptions(looks[look]);
        list->SetExtendedCheck(look == 1);
        for (int i = 0; i < 12; ++i) list->Items()->Add("item " + IntToStr(i));
        if (look == 1) list->SetExtendedStyle(ctColorControl);
        if (look == 2) {
            list->SetFolderName(folder.Path());
            list->SetExtendedStyle(ctFolderControl);
        }
        list->SetChecked(0, look == 1);
        list->SetItemIndex(1);
        list->SetEnabled(look != 2);
        RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        list->Free();
    };
    ExpectNoGrowthOver(3, cycle);
}
