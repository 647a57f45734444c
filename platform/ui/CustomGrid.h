#pragma once
// TCustomGrid: rows and columns of cells drawn by the grid itself, with fixed rows and columns
// that do not scroll, a current cell and a selection, scroll bars, keyboard and mouse navigation,
// column and row sizing and moving, and an in-place editor for the current cell. What the cells
// hold is left to descendants (TStringGrid); they draw a cell in DrawCell.
// Under right-to-left alignment the grid is mirrored: column 0 stands at the right edge and every
// rectangle and mouse position the grid reports is in the mirrored (visual) coordinates.
#include <vector>
#include "platform/ui/ControlEnums.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TCustomControl.h"

class TInplaceEdit;

struct TGridCoord {
    int X = 0, Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    bool operator==(const TGridRect&) const = default;
};

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

using TGridOptions = unsigned;
constexpr TGridOptions goFixedVertLine = 1 << 0, goFixedHorzLine = 1 << 1, goVertLine = 1 << 2, goHorzLine = 1 << 3,
                       goRangeSelect = 1 << 4, goDrawFocusSelected = 1 << 5, goRowSizing = 1 << 6,
                       goColSizing = 1 << 7, goRowMoving = 1 << 8, goColMoving = 1 << 9, goEditing = 1 << 10,
                       goTabs = 1 << 11, goRowSelect = 1 << 12, goAlwaysShowEditor = 1 << 13,
                       goThumbTracking = 1 << 14;

enum class TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
using enum TGridState;

class EInvalidGridOperation : public Exception { using Exception::Exception; };

using TDrawCellEvent = std::function<void(TObject* sender, int col, int row, const TRect& rect, TGridDrawState state)>;
using TSelectCellEvent = std::function<void(TObject* sender, int col, int row, bool& canSelect)>;
using TGetEditEvent = std::function<void(TObject* sender, int col, int row, String& value)>;
using TSetEditEvent = std::function<void(TObject* sender, int col, int row, const String& value)>;
using TMovedEvent = std::function<void(TObject* sender, int fromIndex, int toIndex)>;

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;

    int ColCount() const { return static_cast<int>(FColWidths.size()); }
    void SetColCount(int value);          // at least FixedCols
    int RowCount() const { return static_cast<int>(FRowHeights.size()); }
    void SetRowCount(int value);          // at least FixedRows
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int value);         // EInvalidGridOperation above ColCount
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int value);         // EInvalidGridOperation above RowCount
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int value);   // every column takes it
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int value);  // every row takes it
    int ColWidths(int index) const;
    void SetColWidths(int index, int value);
    int RowHeights(int index) const;
    void SetRowHeights(int index, int value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);

    // The current cell; a cell outside the scrollable cells raises EInvalidGridOperation. With no
    // scrollable row or column (a grid of its header only) there is no current cell to show.
    int Col() const { return FCurrent.X; }
    void SetCol(int value) { FocusCell(value, FCurrent.Y, true); }
    int Row() const { return FCurrent.Y; }
    void SetRow(int value) { FocusCell(FCurrent.X, value, true); }
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int value) { MoveTopLeft(value, FTopLeft.Y); }
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int value) { MoveTopLeft(FTopLeft.X, value); }
    int VisibleColCount();                // scrollable columns fully in view
    int VisibleRowCount();
    int GridWidth();                      // the width of the cells in view, lines included
    int GridHeight();

    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

    TRect CellRect(int col, int row);     // empty for a cell out of view
    void MouseToCell(int x, int y, int& col, int& row);   // -1 where no cell is
    TGridCoord MouseCoord(int x, int y);

    void WndProc(TMessage& message) override;

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TMovedEvent OnColumnMoved;
    TMovedEvent OnRowMoved;

protected:
    friend class TInplaceEdit;

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    virtual String GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const String& value);
    virtual int GetEditLimit() { return 0; }
    virtual void ColumnMoved(int fromIndex, int toIndex);
    virtual void RowMoved(int fromIndex, int toIndex);
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int oldColCount, int oldRowCount) {}

    void MoveColumn(int fromIndex, int toIndex);
    void MoveRow(int fromIndex, int toIndex);
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(char ch);
    void InvalidateEditor();              // the editor takes its cell's text afresh
    void InvalidateCell(int col, int row);
    void InvalidateCol(int col);
    void InvalidateRow(int row);
    void InvalidateGrid() { Invalidate(); }
    TRect BoxRect(int left, int top, int right, int bottom);
    bool IsActiveControl();               // the grid or its editor has the focus
    TGridState GridState() const { return FGridState; }

    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // One direction of the grid: column widths across, row heights down, in left-to-right
    // coordinates of the client area.
    struct Axis {
        const std::vector<int>* Sizes;
        int Fixed, First, Line, Extent;
        int Count() const { return static_cast<int>(Sizes->size()); }
        int Size(int i) const { return (*Sizes)[i]; }
        int FixedBoundary() const;
        int Start(int index) const;       // -1 when the cell is out of view
        int CellAt(int pos) const;        // -1 past the cells
        int LastFullyVisible() const;     // First - 1 when none fits
        int Boundary() const;             // end of the last cell in view, its line included
        int MaxFirst() const;             // the scroll position that shows the last cell at the end
        int FirstToShowLast(int index) const;
    };
    Axis Horz();
    Axis Vert();
    TRect VisualRect(int left, int top, int right, int bottom);
    int LogicalX(int x);
    void ChangeSize(int colCount, int rowCount);
    void FocusCell(int col, int row, bool moveAnchor);
    void MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void MoveTopLeft(int left, int top);
    void ClampInView(TGridCoord cell);
    void ClampPositions();
    void SizesChanged();
    void SelectionMoved();
    void UpdateScrollBars();
    void ScrollMessage(int bar, int code);
    void UpdateEdit();
    void UpdateText();
    void HideEdit();
    void RestoreEditText();
    void DrawLines(TCanvas* canvas);
    bool SizingAt(int x, int y, TGridState& state, int& index);
    void Moving(int x, int y);

    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TColor FFixedColor = clBtnFace;
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;

    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    TGridState FGridState = gsNormal;
    int FSizingIndex = -1;                // column or row being sized or moved
    int FSizingOffset = 0;
    int FMoveTarget = -1;
    bool FUpdatingScrollBars = false;

    TInplaceEdit* FInplaceEdit = nullptr;
    bool FEditorMode = false;
    TGridCoord FInplaceCell{-1, -1};      // the cell the editor holds
    String FEditStartText;
};
