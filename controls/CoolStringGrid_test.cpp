#include "controls/CoolStringGrid.h"
#include "controls/testing/CoolFixture.h"
#include "platform/ui/testing/GridFixture.h"

namespace {

struct CoolStringGridTest : CoolFixture, GridActions {
    TCoolStringGrid* Grid = nullptr;

    // 5 x 5 cells of 64 x 24 with one fixed row and column, no border, no scroll bars.
    void SetUp() override {
        CoolFixture::SetUp();
        Form->SetBounds(20, 20, 400, 300);
        Grid = Place<TCoolStringGrid>(0, 0, 330, 200);
        Target = Grid;
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetColor(clWhite);
        Grid->Font()->SetColor(clBlue);
        Application->ProcessMessages();
    }

    // The grid's client area painted into a bitmap, whose DC stays while the messages that
    // painting sends come and go.
    Picture Painted() {
        auto shot = std::make_unique<TBitmap>();
        shot->SetPixelFormat(pf24bit);
        shot->Canvas()->Lock();
        PaintInto(*shot);
        shot->Canvas()->Unlock();
        return shot;
    }
    // Columns of a cell holding pixels of color, first and last; -1 when none.
    static std::pair<int, int> Columns(TBitmap& b, const TRect& cell, TColor color) {
        int first = -1, last = -1;
        for (int x = cell.Left; x < cell.Right; ++x)
            if (Count(b, Rect(x, cell.Top, x + 1, cell.Bottom), color) > 0) {
                if (first < 0) first = x;
                last = x;
            }
        return {first, last};
    }
    int TextWidth(const String& text) {
        Grid->Canvas()->SetFont(Grid->Font());
        return Grid->Canvas()->TextWidth(text);
    }
};

}  // namespace

// A cell's own colour, font and alignment; without its own, a scrollable cell takes the grid's
// colour and TextAlign, a fixed one the fixed colour and FixedTextAlign.
TEST_F(CoolStringGridTest, CellsTakeTheirOwnColourFontAndAlignment) {
    Grid->SetFixedColor(clSilver);
    Grid->SetFixedTextAlign(taCenter);
    Grid->SetTextAlign(taRightJustify);
    TCellWrapper* header = Grid->CellWrapper(2, 0);
    EXPECT_EQ(header->Color, clSilver);
    EXPECT_EQ(header->Alignment, taCenter);
    TCellWrapper* own = Grid->CellWrapper(1, 2);
    EXPECT_EQ(own->Color, clWhite);
    EXPECT_EQ(own->Alignment, taRightJustify);
    EXPECT_EQ(own->Font->Color(), clBlue);
    own->Color = clYellow;
    own->Alignment = taLeftJustify;
    own->Font->SetColor(clRed);
    EXPECT_EQ(Grid->CellColor(1, 2), clYellow);
    EXPECT_EQ(Grid->CellColor(3, 0), clSilver);
    EXPECT_EQ(Grid->CellColor(3, 3), clWhite);
    EXPECT_FALSE(Grid->HasCellWrapper(3, 3));

    for (auto [col, row] : {std::pair{1, 2}, std::pair{2, 1}, std::pair{2, 0}}) Grid->SetCells(col, row, "WW");
    auto shot = Painted();
    TRect mine = Grid->CellRect(1, 2), plain = Grid->CellRect(2, 1), fixed = Grid->CellRect(2, 0);
    EXPECT_EQ(At(*shot, mine.Right - 3, mine.Bottom - 3), clYellow);
    auto [l1, r1] = Columns(*shot, mine, clRed);             // its own font, at the left
    EXPECT_GE(l1, mine.Left + 2);
    EXPECT_LT(l1, mine.Left + 5);
    auto [l2, r2] = Columns(*shot, plain, clBlue);            // the grid's TextAlign
    EXPECT_GT(r2, plain.Right - 5);
    auto [l3, r3] = Columns(*shot, fixed, clBlue);            // centred in the cell's text area
    EXPECT_LE(std::abs((l3 + r3 + 1) - (fixed.Left + 2 + fixed.Right)), 3);
}

// Selected scrollable cells take SelColor and the bevel; fixed cells are never selected and
// have no bevel; a disabled grid embosses its text.
TEST_F(CoolStringGridTest, SelectionBevelsAndDisabledText) {
    Grid->SetOptions(Grid->Options() | goDrawFocusSelected);
    Grid->SetSelColor(clLime);
    Grid->SetOuterCellsBevel(bvRaised);
    Grid->SetSelection(TGridRect{1, 1, 2, 1});
    auto shot = Painted();
    TRect selected = Grid->CellRect(2, 1), plain = Grid->CellRect(2, 2), fixed = Grid->CellRect(0, 1);
    EXPECT_EQ(At(*shot, selected.Left + 10, selected.Top + 10), clLime);
    EXPECT_EQ(At(*shot, plain.Left + 10, plain.Top + 10), clWhite);
    EXPECT_EQ(At(*shot, plain.Left, plain.Top + 10), RGBOf(cl3DLight));
    EXPECT_EQ(At(*shot, plain.Right - 1, plain.Top + 10), RGBOf(cl3DDkShadow));
    EXPECT_NE(At(*shot, fixed.Left + 1, fixed.Top + 10), RGBOf(cl3DDkShadow));
    EXPECT_NE(At(*shot, fixed.Right - 1, fixed.Top + 10), RGBOf(cl3DDkShadow));

    Grid->SetOuterCellsBevel(bvNone);
    Grid->SetCells(2, 2, "WW");
    Grid->SetEnabled(false);
    shot = Painted();
    EXPECT_EQ(Count(*shot, plain, clBlue), 0);
    int text = Count(*shot, plain, RGBOf(clBtnShadow)), shadow = Count(*shot, plain, RGBOf(clBtnHighlight));
    EXPECT_GT(text, 5);
    EXPECT_GT(shadow, 5);
}

// The wallpaper: restarted at each cell when tiled, lying still under the client area when
// not, also after a scroll; a cell may go without it; the selection takes its own wallpaper or
// the inverted one; see-through cells show the parent.
TEST_F(CoolStringGridTest, WallpapersLieBehindTheCells) {
    TBitmap wall;
    Pattern(&wall, 20, 10);
    Grid->SetWallpaper(&wall);
    Grid->SetExOptions(ocNoCaption | ocPaintWallpaper | ocTileWallpaper);
    EXPECT_EQ(Grid->ExOptions(), ocNoCaption | ocPaintWallpaper | ocTileWallpaper);
    TRect cell = Grid->CellRect(2, 2);
    auto shot = Painted();
    EXPECT_EQ(At(*shot, cell.Left + 13, cell.Top + 7), PatternAt(13, 7));

    // a picture as large as the grid, whose pattern repeats every 32 pixels
    TBitmap large;
    Pattern(&large, 330, 200);
    Grid->SetWallpaper(&large);
    Grid->SetExOptions(ocNoCaption | ocPaintWallpaper);
    shot = Painted();
    EXPECT_EQ(At(*shot, cell.Left + 5, cell.Top + 5), PatternAt(cell.Left + 5, cell.Top + 5));
    Grid->CellWrapper(2, 2)->ShowWallpaper = false;
    EXPECT_EQ(At(*Painted(), cell.Left + 5, cell.Top + 5), clWhite);

    TBitmap sel;
    Solid(&sel, clLime, 5, 5);
    Grid->SetSelWallpaper(&sel);
    Grid->SetOptions(Grid->Options() | goDrawFocusSelected);
    Grid->SetExOptions(ocNoCaption | ocPaintWallpaper | ocPaintSelWallpaper);
    cell = Grid->CellRect(1, 1);        // the current cell
    EXPECT_EQ(At(*Painted(), cell.Left + 7, cell.Top + 7), clLime);
    Grid->SetExOptions(ocNoCaption | ocPaintWallpaper | ocInvertWallpaperAsSelect);
    EXPECT_EQ(At(*Painted(), cell.Left + 7, cell.Top + 7),
              static_cast<TColor>(~static_cast<COLORREF>(PatternAt(cell.Left + 7, cell.Top + 7)) & 0xFFFFFF));

    // scrolled: the picture under the client area stays where it was
    Grid->SetRowCount(30);
    Grid->SetExOptions(ocNoCaption | ocPaintWallpaper);
    Grid->SetTopRow(4);
    cell = Grid->CellRect(2, 4);
    Grid->Update();
    auto seen = Snapshot();
    EXPECT_EQ(At(*seen, cell.Left + 3, cell.Top + 3), PatternAt(cell.Left + 3, cell.Top + 3));

    Form->SetColor(clFuchsia);
    Grid->SetExOptions(ocNoCaption | ocPaintTransparently);
    EXPECT_EQ(At(*Painted(), cell.Left + 3, cell.Top + 3), clFuchsia);
}

// Text wraps in its cell and the row grows to the wrapped height + 4; a word wider than its
// column widens it. The text is measured in the rectangle it is drawn in, so a text that only
// fits without the left margin wraps, and its row has room for both lines.
TEST_F(CoolStringGridTest, WrappedTextRaisesTheRowAndALongWordWidensTheColumn) {
    int line = [&] {
        Grid->Canvas()->SetFont(Grid->Font());
        return Grid->Canvas()->TextHeight("W");
    }();
    const String words = "WW ii";
    Grid->SetColWidths(2, TextWidth(words) + 1);
    Grid->SetCells(2, 2, words);
    const String word = "WWWWWWWWWWWWWW";
    Grid->SetCells(3, 1, word);
    Painted();
    Painted();                                   // a second paint changes nothing more
    EXPECT_EQ(Grid->RowHeights(2), 2 * line + 4);
    EXPECT_EQ(Grid->ColWidths(3), TextWidth(word) + 2);
    EXPECT_EQ(Grid->RowHeights(1), 24);          // one line fits the row as it is
    auto shot = Painted();
    TRect cell = Grid->CellRect(2, 2);
    EXPECT_GT(Count(*shot, Rect(cell.Left, cell.Top + 2 + line, cell.Right, cell.Bottom), clBlue), 3);   // "ii"
}

// An edit that changed a cell is reported once, after the key that ended it: the handler sets
// the column's width and the row's height. Without a handler the sizes stay, a width the user
// dragged included; an edit that changed nothing, or one that never ends, reports nothing.
TEST_F(CoolStringGridTest, AnEditThatChangedACellIsReportedOnce) {
    Grid->SetOptions(Grid->Options() | goEditing | goColSizing);
    Grid->SetCells(1, 1, "old");
    std::vector<std::pair<int, int>> reports;
    Grid->OnEndCellEditing = [&](TObject* sender, int col, int row, int& width, int& height) {
        EXPECT_EQ(sender, Grid);
        reports.push_back({col, row});
        width = 90;
        height = 40;
    };
    Grid->SetFocus();
    Press(VK_F2);
    ASSERT_TRUE(Grid->EditorMode());
    Type(L"ab");
    EXPECT_TRUE(reports.empty());
    Press(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Cells(1, 1), "oldab");
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->RowHeights(1), 40);
    Press(VK_F2);
    Press(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(reports.size(), 1u);

    // the user drags the line after column 1 to widen it
    Grid->OnEndCellEditing = nullptr;
    TRect header = Grid->CellRect(1, 0);
    Mouse(WM_LBUTTONDOWN, header.Right, header.Top + 5, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, header.Right + 50, header.Top + 5, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, header.Right + 50, header.Top + 5);
    ASSERT_EQ(Grid->ColWidths(1), 140);
    Press(VK_F2);
    Type(L"c");
    Press(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Cells(1, 1), "oldabc");
    EXPECT_EQ(Grid->ColWidths(1), 140);
    EXPECT_EQ(Grid->RowHeights(1), 40);

    Grid->OnEndCellEditing = [&](TObject*, int col, int row, int&, int&) { reports.push_back({col, row}); };
    Grid->SetOptions(Grid->Options() | goAlwaysShowEditor);
    Type(L"d");
    Press(VK_DOWN);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Cells(1, 1), "d");          // the editor shows the text selected
    EXPECT_EQ(reports.size(), 1u);
}

// A read-only cell shows no editor while the others do; the editor aligns its text as the grid
// does, takes the cell's colour and font, and shows the cell's background as the cell shows it,
// with the text typed over it.
TEST_F(CoolStringGridTest, TheEditorIsAlignedAndShowsTheCellsBackground) {
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetTextAlign(taRightJustify);
    Grid->CellWrapper(1, 1)->ReadOnly = true;
    TCellWrapper* own = Grid->CellWrapper(2, 1);
    own->Color = clYellow;
    own->Font->SetColor(clRed);
    Grid->SetFocus();
    Press(VK_F2);
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
    EXPECT_FALSE(Grid->CellEditable());
    Press(VK_RIGHT);                      // still editing: the editor comes to the next cell
    EXPECT_TRUE(Grid->CellEditable());
    TInplaceEdit* editor = Grid->InplaceEditor();
    ASSERT_TRUE(editor && editor->Visible());
    EXPECT_NE(GetWindowLongW(editor->Handle(), GWL_STYLE) & ES_RIGHT, 0);
    EXPECT_EQ(editor->Color(), clYellow);
    EXPECT_EQ(editor->Font()->Color(), clRed);
    Press(VK_ESCAPE);

    TBitmap wall;
    Pattern(&wall, 330, 200);
    Grid->SetWallpaper(&wall);
    struct { TCoolOptions tile; const char* how; } looks[] = {{ocTileWallpaper, "tiled"}, {0, "once"}};
    for (auto& look : looks) {
        Grid->SetExOptions(ocNoCaption | ocPaintWallpaper | look.tile);
        Press(VK_RIGHT);
        Press(VK_F2);
        editor = Grid->InplaceEditor();
        ASSERT_TRUE(editor && editor->Visible()) << look.how;
        UpdateWindow(editor->Handle());
        auto shot = SnapshotOf(editor);
        TRect cell = Grid->CellRect(Grid->Col(), Grid->Row());
        for (TPoint p : {Point(3, 20), Point(40, 21)}) {
            TColor expected = look.tile ? PatternAt(p.X, p.Y) : PatternAt(cell.Left + p.X, cell.Top + p.Y);
            EXPECT_EQ(At(*shot, p.X, p.Y), expected) << look.how << " " << p.X;
        }
        Type(L"WW");                          // the text typed shows over the background
        UpdateWindow(editor->Handle());
        EXPECT_GT(Count(*SnapshotOf(editor), editor->ClientRect(), clBlue), 5) << look.how;
        Press(VK_ESCAPE);
    }
}

// Cell settings travel with their columns and rows, and go with the cells a smaller grid drops.
TEST_F(CoolStringGridTest, SettingsFollowMovedColumnsAndGoWithDroppedCells) {
    Grid->SetOptions(Grid->Options() | goColMoving | goRowMoving);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int col = 1; col <= 3; ++col) Grid->CellWrapper(col, 2)->Color = colours[col - 1];
    // a header cell dragged onto another, as the user moves a column or a row
    auto drag = [&](TGridCoord from, TGridCoord to) {
        TRect a = Grid->CellRect(from.X, from.Y), b = Grid->CellRect(to.X, to.Y);
        Mouse(WM_LBUTTONDOWN, a.Left + 5, a.Top + 5, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, b.Left + 5, b.Top + 5, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, b.Left + 5, b.Top + 5);
    };
    drag({1, 0}, {3, 0});
    EXPECT_EQ(Grid->CellColor(3, 2), clRed);
    EXPECT_EQ(Grid->CellColor(1, 2), clLime);
    EXPECT_EQ(Grid->CellColor(2, 2), clBlue);
    drag({0, 2}, {0, 1});
    EXPECT_EQ(Grid->CellColor(3, 1), clRed);
    EXPECT_EQ(Grid->CellColor(3, 2), clWhite);

    Grid->CellWrapper(2, 4)->ReadOnly = true;
    Grid->SetRowCount(3);
    Grid->SetRowCount(5);
    EXPECT_FALSE(Grid->HasCellWrapper(2, 4));
    EXPECT_FALSE(Grid->CellReadOnly(2, 4));
    EXPECT_EQ(Grid->CellColor(3, 1), clRed);
}

// The grid's options and the skin's are apart; the caption bar is the system's until its
// colours change, then the grid's own with its caption text.
TEST_F(CoolStringGridTest, TheCaptionBarAndTheTwoKindsOfOptions) {
    TGridOptions grid = Grid->Options();
    EXPECT_EQ(Grid->ExOptions(), ocNoCaption);
    EXPECT_EQ(GetWindowLongW(Grid->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    Grid->SetCaption("Results");
    Grid->SetExOptions(0);
    EXPECT_EQ(Grid->Options(), grid);
    EXPECT_EQ(GetWindowLongW(Grid->Handle(), GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    int frame = GetSystemMetrics(SM_CXDLGFRAME), height = GetSystemMetrics(SM_CYCAPTION);
    auto shot = Capture(true);
    EXPECT_NE(At(*shot, 200, frame + 3), clRed);
    Grid->SetCaptionColor(clRed);
    Grid->SetCaptionTextColor(clWhite);
    Application->ProcessMessages();
    shot = Snapshot(true);
    EXPECT_EQ(At(*shot, 200, frame + 3), clRed);
    EXPECT_GT(Count(*shot, Rect(frame, frame, 80, frame + height), clWhite), 10);
    EXPECT_TRUE(IsCoolControl(Grid));
}

// Grids made, edited, painted in every look and freed leave no window and no GDI object.
TEST_F(CoolStringGridTest, FreeingReleasesWindowsAndGdiObjects) {
    auto* images = new TCoolImages(Form);
    Pattern(images->Bitmaps()->Add()->Bitmap(), 20, 10);
    ExpectNoGrowthOver(3, [&](int look) {
        auto* grid = new TCoolStringGrid(Form);
        grid->SetParent(Form);
        grid->SetBounds(0, 0, 200, 150);
        grid->SetCoolImages(images);
        grid->SetidWallpaper(0);
        grid->SetidCaptionWallpaper(0);
        TCoolOptions looks[] = {ocPaintWallpaper | ocTileWallpaper | ocFlatBorder,
                                ocPaintTransparently | ocSmallCaption, ocPaintWallpaper | ocPaintCaptionWallpaper};
        grid->SetExOptions(looks[look]);
        grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
        grid->CellWrapper(1, 1)->Font->SetName("Tahoma");
        grid->SetCells(1, 1, "a longer text that wraps");
        grid->SetEnabled(look != 2);
        if (look != 2) grid->SetFocus();
        RedrawWindow(grid->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Application->ProcessMessages();
        grid->Free();
    });
}
