#include <vector>
#include "platform/ui/testing/GridFixture.h"

using CustomGridTest = GridFixture;

TEST_F(CustomGridTest, CellsLieWhereTheWidthsAndLinesPutThemAndMirrorRightToLeft) {
    struct Case { int col, row; TRect ltr, rtl; };
    // the client is 300 wide: a right-to-left cell spans 300 - right .. 300 - left
    for (Case c : {Case{0, 0, Rect(0, 0, 30, 20), Rect(270, 0, 300, 20)},
                   Case{1, 0, Rect(31, 0, 81, 20), Rect(219, 0, 269, 20)},
                   Case{2, 1, Rect(82, 21, 122, 41), Rect(178, 21, 218, 41)},
                   Case{4, 4, Rect(184, 84, 248, 104), Rect(52, 84, 116, 104)}}) {
        Grid->SetBiDiMode(bdLeftToRight);
        EXPECT_EQ(Grid->CellRect(c.col, c.row), c.ltr) << c.col << "," << c.row;
        Grid->SetBiDiMode(bdRightToLeft);
        EXPECT_EQ(Grid->CellRect(c.col, c.row), c.rtl) << c.col << "," << c.row;
    }
    struct Hit { int x, y, col, row; bool rtl; };
    for (Hit h : {Hit{29, 5, 0, 0, false}, Hit{30, 20, 0, 0, false},   // a line belongs to the cell before it
                  Hit{31, 21, 1, 1, false}, Hit{260, 5, -1, -1, false}, Hit{10, 150, -1, -1, false},
                  Hit{299, 5, 0, 0, true}, Hit{269, 5, 0, 0, true}, Hit{268, 5, 1, 0, true}, Hit{40, 5, -1, -1, true}}) {
        Grid->SetBiDiMode(h.rtl ? bdRightToLeft : bdLeftToRight);
        int col = 0, row = 0;
        Grid->MouseToCell(h.x, h.y, col, row);
        EXPECT_EQ(col, h.col) << h.x << "," << h.y;
        EXPECT_EQ(row, h.row) << h.x << "," << h.y;
    }
    Grid->SetBiDiMode(bdLeftToRight);
    Grid->SetRowCount(30);
    Grid->SetTopRow(3);                 // rows 1 and 2 scroll out; the fixed row stays
    EXPECT_TRUE(Grid->CellRect(1, 1).IsEmpty());
    EXPECT_EQ(Grid->CellRect(1, 3), Rect(31, 21, 81, 41));
    EXPECT_EQ(Grid->CellRect(1, 0), Rect(31, 0, 81, 20));
    EXPECT_EQ(Grid->BoxRect(1, 0, 2, 4), Rect(31, 0, 122, 62));
}

TEST_F(CustomGridTest, SizesCountsAndTheCurrentCellStayConsistent) {
    Grid->SetDefaultColWidth(40);                  // every column takes the new default
    EXPECT_EQ(Grid->ColWidths(3), 40);
    EXPECT_EQ(Grid->ColWidths(9), 40);             // out of range reads the default
    EXPECT_THROW(Grid->SetColWidths(5, 10), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetFixedRows(6), EInvalidGridOperation);
    EXPECT_THROW(Grid->SetRow(0), EInvalidGridOperation);   // fixed rows are never current
    EXPECT_THROW(Grid->SetCol(5), EInvalidGridOperation);

    Grid->SetRowCount(10);
    Grid->SetRow(8);
    Grid->SetRowCount(4);                          // the current row follows the grid in
    EXPECT_EQ(Grid->Row(), 3);
    Grid->SetRowCount(1);                          // only the header: it stays fixed
    EXPECT_EQ(Grid->FixedRows(), 1);
    Grid->SetRowCount(3);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    Grid->SetRowCount(0);
    EXPECT_EQ(Grid->FixedRows(), 0);
}

TEST_F(CustomGridTest, KeysMoveTheCurrentCellAndScrollItIntoView) {
    Grid->SetScrollBars(ssVertical);
    Grid->SetRowCount(50);
    Grid->SetFocus();
    Application->ProcessMessages();
    ASSERT_EQ(GetFocus(), Grid->Handle());
    // 200 pixels show the fixed row and 8 rows of 21; the last 8 rows start at row 42
    EXPECT_EQ(Grid->VisibleRowCount(), 8);
    struct Step { WORD key; TShiftState shift; int col, row, top; };
    for (Step s : {Step{VK_DOWN, 0, 1, 2, 1}, Step{VK_RIGHT, 0, 2, 2, 1}, Step{VK_END, 0, 4, 2, 1},
                   Step{VK_HOME, 0, 1, 2, 1}, Step{VK_NEXT, 0, 1, 10, 9}, Step{VK_PRIOR, 0, 1, 2, 1},
                   Step{VK_END, ssCtrl, 4, 49, 42}, Step{VK_UP, 0, 4, 48, 42}, Step{VK_HOME, ssCtrl, 1, 1, 1},
                   Step{VK_UP, 0, 1, 1, 1}, Step{VK_LEFT, 0, 1, 1, 1}}) {
        Press(s.key, s.shift);
        EXPECT_EQ(Grid->Col(), s.col) << s.key << " " << s.shift;
        EXPECT_EQ(Grid->Row(), s.row) << s.key << " " << s.shift;
        EXPECT_EQ(Grid->TopRow(), s.top) << s.key << " " << s.shift;
    }
    Press(VK_DOWN, ssShift);
    Press(VK_DOWN, ssShift);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 1, 3}));
    Press(VK_RIGHT);                                  // a plain move drops the range
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 2, 3}));

    Grid->SetBiDiMode(bdRightToLeft);                 // left goes on to the next column
    Press(VK_LEFT);
    EXPECT_EQ(Grid->Col(), 3);
    Grid->SetBiDiMode(bdLeftToRight);

    Grid->SetOptions(Grid->Options() | goTabs);
    Grid->SetCol(4);
    Press(VK_TAB);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 4);
    Press(VK_TAB, ssShift);
    EXPECT_EQ(Grid->Col(), 4);
    EXPECT_EQ(Grid->Row(), 3);

    Grid->OnSelectCell = [](TObject*, int, int row, bool& canSelect) { canSelect = row != 4; };
    Press(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 3);
    Grid->OnSelectCell = nullptr;

    Grid->SetOptions(Grid->Options() | goRowSelect);  // whole rows; left and right scroll instead
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 3, 4, 3}));
    Grid->SetColCount(12);
    Press(VK_RIGHT);
    EXPECT_EQ(Grid->LeftCol(), 2);
    EXPECT_EQ(Grid->Col(), 4);
}

TEST_F(CustomGridTest, MouseSelectsSizesAndMovesColumns) {
    for (int c = 1; c < 5; ++c) Grid->SetCells(c, 0, String(1, static_cast<char>('A' + c - 1)));
    ClickCell(100, 70);                               // cell (2, 3)
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    ClickCell(150, 5);                                // a fixed cell selects nothing
    EXPECT_EQ(Grid->Row(), 3);
    ClickCell(130, 100, MK_SHIFT);                    // Shift extends to (3, 4)
    EXPECT_EQ(Grid->Selection(), (TGridRect{2, 3, 3, 4}));
    Mouse(WM_LBUTTONDOWN, 40, 30, MK_LBUTTON);        // dragging from (1, 1) to (3, 2)
    Mouse(WM_MOUSEMOVE, 90, 35, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 125, 50, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 125, 50);
    EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 3, 2}));

    Grid->SetOptions(Grid->Options() | goColSizing);  // the line after column 1 dragged 20 right
    Mouse(WM_LBUTTONDOWN, 81, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 101, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 101, 10);
    EXPECT_EQ(Grid->ColWidths(1), 70);
    EXPECT_EQ(Grid->Row(), 2);                        // sizing selects nothing

    Grid->SetOptions(Grid->Options() | goColMoving);  // column "A" dragged onto "C"
    std::vector<int> moved;
    Grid->OnColumnMoved = [&](TObject*, int from, int to) { moved = {from, to}; };
    Grid->SetColWidths(1, 50);
    Mouse(WM_LBUTTONDOWN, 50, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 150, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 150, 10);
    EXPECT_EQ(moved, (std::vector<int>{1, 3}));
    EXPECT_EQ(Grid->Cells(1, 0), "B");
    EXPECT_EQ(Grid->Cells(3, 0), "A");
    EXPECT_EQ(Grid->ColWidths(3), 50);                // the width travels with its column
    EXPECT_EQ(Grid->ColWidths(1), 40);
}

TEST_F(CustomGridTest, ScrollBarShowsOnlyWhatIsOutOfViewAndScrollsTheRows) {
    Grid->SetScrollBars(ssVertical);
    auto barShown = [&] { return (GetWindowLongW(Grid->Handle(), GWL_STYLE) & WS_VSCROLL) != 0; };
    Grid->SetRowCount(5);
    EXPECT_FALSE(barShown());
    int changes = 0;
    Grid->OnTopLeftChanged = [&](TObject*) { ++changes; };
    Grid->SetRowCount(50);
    ASSERT_TRUE(barShown());
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Grid->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPage, 8u);
    EXPECT_EQ(si.nMax - static_cast<int>(si.nPage) + 1, 41);   // the last position shows row 42 first
    struct Case { int code; int top; };
    for (Case c : {Case{SB_LINEDOWN, 2}, Case{SB_PAGEDOWN, 10}, Case{SB_BOTTOM, 42}, Case{SB_LINEDOWN, 42},
                   Case{SB_PAGEUP, 34}, Case{SB_TOP, 1}}) {
        SendMessageW(Grid->Handle(), WM_VSCROLL, c.code, 0);
        EXPECT_EQ(Grid->TopRow(), c.top) << c.code;
    }
    EXPECT_EQ(changes, 5);
    Grid->SetTopRow(30);
    GetScrollInfo(Grid->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, 29);
    Grid->SetTopRow(100);                             // no further than the last page
    EXPECT_EQ(Grid->TopRow(), 42);
    Grid->SetRowCount(6);
    EXPECT_EQ(Grid->TopRow(), 1);
    EXPECT_FALSE(barShown());

    // right to left, the horizontal bar starts at the right: its left arrow shows later columns
    Grid->SetScrollBars(ssHorizontal);
    Grid->SetBiDiMode(bdRightToLeft);
    Grid->SetColCount(12);
    GetScrollInfo(Grid->Handle(), SB_HORZ, &si);
    EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
    SendMessageW(Grid->Handle(), WM_HSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(Grid->LeftCol(), 2);
    GetScrollInfo(Grid->Handle(), SB_HORZ, &si);
    EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage));
}

TEST_F(CustomGridTest, PaintsFixedCellsLinesSelectionAndMirrorsRightToLeft) {
    TBitmap shot;
    auto pixel = [&](int x, int y) { return ColorToRGB(shot.Canvas()->Pixels(x, y)); };
    const auto face = ColorToRGB(clBtnFace), white = ColorToRGB(clWhite), highlight = ColorToRGB(clHighlight);
    PaintInto(shot);
    EXPECT_EQ(pixel(15, 10), face);                  // fixed cell (0, 0)
    EXPECT_EQ(pixel(50, 30), highlight);             // the current cell of an unfocused grid is selected
    EXPECT_EQ(pixel(100, 50), white);                // cell (2, 2)
    EXPECT_EQ(pixel(81, 50), ColorToRGB(clSilver));  // line between scrollable cells
    EXPECT_EQ(pixel(30, 50), ColorToRGB(clBlack));   // line of the fixed column
    EXPECT_EQ(pixel(280, 50), white);                // beyond the last column
    EXPECT_EQ(pixel(100, 150), white);               // below the last row

    Grid->SetOptions(Grid->Options() | goRowSelect);
    PaintInto(shot);
    EXPECT_EQ(pixel(200, 30), highlight);            // the whole row
    Grid->SetOptions(Grid->Options() & ~(goVertLine | goRowSelect));
    PaintInto(shot);
    EXPECT_EQ(pixel(81, 50), white);                 // no line: column 2 starts one pixel earlier
    EXPECT_EQ(Grid->CellRect(2, 2).Left, 80);

    Grid->SetBiDiMode(bdRightToLeft);
    PaintInto(shot);
    EXPECT_EQ(pixel(285, 10), face);                 // column 0 at the right edge
    EXPECT_EQ(pixel(240, 30), highlight);            // current cell (1, 1)
    EXPECT_EQ(pixel(20, 50), white);
}

TEST_F(CustomGridTest, OwnDrawingGetsEveryCellInViewWithItsState) {
    struct Drawn { int col, row; TRect rect; TGridDrawState state; };
    std::vector<Drawn> drawn;
    Grid->SetDefaultDrawing(false);
    Grid->SetRowCount(3);
    Grid->SetColCount(3);
    Grid->OnDrawCell = [&](TObject* sender, int col, int row, const TRect& rect, TGridDrawState state) {
        EXPECT_EQ(sender, Grid);
        drawn.push_back({col, row, rect, state});
    };
    TBitmap shot;
    PaintInto(shot);
    ASSERT_EQ(drawn.size(), 9u);
    for (const Drawn& d : drawn) {
        EXPECT_EQ(d.rect, Grid->CellRect(d.col, d.row));
        TGridDrawState expected = d.col == 0 || d.row == 0 ? gdFixed : d.col == 1 && d.row == 1 ? gdSelected : 0;
        EXPECT_EQ(d.state, expected) << d.col << "," << d.row;
    }
    Grid->SetFocus();
    Application->ProcessMessages();
    drawn.clear();
    PaintInto(shot);
    EXPECT_EQ(drawn[4].state, gdSelected | gdFocused);
}
