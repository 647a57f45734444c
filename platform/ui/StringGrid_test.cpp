#include <vector>
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/testing/GridFixture.h"
#include "platform/ui/testing/ResourceCounts.h"

using StringGridTest = GridFixture;

TEST_F(StringGridTest, CellsHoldTextAndObjectsAndTravelWithTheirRowsAndColumns) {
    TObject marker;
    Grid->SetCells(2, 3, "نص"_a);
    Grid->SetObjects(2, 3, &marker);
    EXPECT_EQ(Grid->Cells(2, 3), "نص"_a);
    EXPECT_EQ(Grid->Objects(2, 3), &marker);
    EXPECT_EQ(Grid->Cells(9, 9), "");                    // reading outside the grid is harmless
    EXPECT_THROW(Grid->SetCells(5, 0, "x"), EInvalidGridOperation);

    Grid->MoveRow(3, 1);
    EXPECT_EQ(Grid->Cells(2, 1), "نص"_a);
    Grid->MoveColumn(2, 4);
    EXPECT_EQ(Grid->Cells(4, 1), "نص"_a);
    EXPECT_EQ(Grid->Objects(4, 1), &marker);

    Grid->SetRowCount(2);                                // row 1 stays
    EXPECT_EQ(Grid->Cells(4, 1), "نص"_a);
    Grid->SetColCount(4);                                // column 4 goes, and does not come back
    Grid->SetColCount(5);
    EXPECT_EQ(Grid->Cells(4, 1), "");
    EXPECT_EQ(Grid->Objects(4, 1), nullptr);
}

TEST_F(StringGridTest, TextStandsAtTheLeadingEdgeOfItsCell) {
    Grid->SetRowCount(3);
    Grid->Font()->SetColor(clBlack);
    Grid->SetCells(4, 2, "WWW");
    TBitmap shot;
    auto inkIn = [&](int left, int right) {   // dark pixels of cell (4, 2) between two x positions
        TRect cell = Grid->CellRect(4, 2);
        int n = 0;
        for (int x = left; x < right; ++x)
            for (int y = cell.Top; y < cell.Bottom; ++y)
                if (ColorToRGB(shot.Canvas()->Pixels(x, y)) == 0) ++n;
        return n;
    };
    PaintInto(shot);
    TRect cell = Grid->CellRect(4, 2);
    EXPECT_EQ(inkIn(cell.Left, cell.Left + 2), 0);       // a margin of two pixels
    EXPECT_GT(inkIn(cell.Left + 2, cell.Left + 22), 0);
    EXPECT_EQ(inkIn(cell.Right - 20, cell.Right), 0);
    Grid->SetBiDiMode(bdRightToLeft);
    PaintInto(shot);
    cell = Grid->CellRect(4, 2);
    EXPECT_GT(inkIn(cell.Right - 22, cell.Right - 2), 0);
    EXPECT_EQ(inkIn(cell.Right - 2, cell.Right), 0);
    EXPECT_EQ(inkIn(cell.Left, cell.Left + 20), 0);
}

TEST_F(StringGridTest, TheInPlaceEditorEditsTheCurrentCell) {
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetCells(1, 1, "old");
    Grid->SetCells(1, 2, "below");
    std::vector<String> set;
    Grid->OnSetEditText = [&](TObject*, int col, int row, const String& value) {
        EXPECT_EQ(col, 1);
        set.push_back(value);
    };
    Grid->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(Grid->InplaceEditor(), nullptr);           // made on first use

    Type(L"ab");                                          // typing replaces the cell's text
    TInplaceEdit* editor = Grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->BoundsRect(), Grid->CellRect(1, 1));
    EXPECT_EQ(GetFocus(), editor->Handle());
    EXPECT_EQ(Grid->Cells(1, 1), "ab");                  // every change reaches the cell
    EXPECT_EQ(set, (std::vector<String>{"a", "ab"}));

    Press(VK_RETURN);                                     // Enter closes the editor
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(GetFocus(), Grid->Handle());
    EXPECT_EQ(Grid->Cells(1, 1), "ab");

    Press(VK_F2);                                         // F2: the caret after the text
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->SelStart(), 2);
    EXPECT_EQ(editor->SelLength(), 0);
    Type(L"c");
    EXPECT_EQ(Grid->Cells(1, 1), "abc");
    Press(VK_ESCAPE);                                     // Escape gives the cell its text back
    EXPECT_EQ(Grid->Cells(1, 1), "ab");
    EXPECT_FALSE(editor->Visible());

    Press(VK_RETURN);                                     // Enter opens it with the text selected
    EXPECT_EQ(editor->SelLength(), 2);
    Press(VK_DOWN);                                       // the editor follows the current cell
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(editor->Text(), "below");
    EXPECT_EQ(editor->BoundsRect(), Grid->CellRect(1, 2));
    Grid->SetCells(1, 2, "set by the program");           // the editor shows what the program sets
    EXPECT_EQ(editor->Text(), "set by the program");
    Press(VK_RETURN);

    Grid->SetOptions(Grid->Options() | goRowSelect);      // whole rows cannot be edited
    Type(L"x");
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(Grid->Cells(1, 2), "set by the program");

    Grid->SetOptions((Grid->Options() & ~goRowSelect) | goAlwaysShowEditor);
    Application->ProcessMessages();
    EXPECT_TRUE(editor->Visible());                       // always there, and Enter keeps it
    Press(VK_RETURN);
    EXPECT_TRUE(editor->Visible());
    EXPECT_TRUE(Grid->EditorMode());
}

TEST_F(StringGridTest, ClickingTheCurrentCellStartsEditing) {
    Grid->SetOptions(Grid->Options() | goEditing);
    Grid->SetCells(2, 2, "x");
    ClickCell(100, 50);                                   // the first click chooses the cell
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_FALSE(Grid->EditorMode());
    ClickCell(100, 50);                                   // the second edits it
    ASSERT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "x");
    ClickCell(50, 30);                                    // another cell: the editor goes along
    EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(1, 1));
}

// Grids made, filled, edited, painted and freed many times leave no window and no GDI object.
TEST_F(StringGridTest, FreeingReleasesWindowsAndGdiObjects) {
    auto cycle = [&] {
        auto* grid = new TStringGrid(Form);
        grid->SetParent(Form);
        grid->SetBounds(0, 0, 200, 150);
        grid->SetRowCount(30);
        grid->SetOptions(grid->Options() | goEditing | goAlwaysShowEditor);
        grid->SetCells(1, 1, "نص"_a);
        grid->SetFocus();
        grid->SetRow(20);
        Form->Repaint();
        grid->Free();
    };
    for (int i = 0; i < 20; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
