#pragma once
// TStringGrid: a grid whose cells hold text and an object pointer each (not owned). The cells
// travel with their columns and rows when these move; cells beyond a smaller grid are dropped.
#include "platform/ui/CustomGrid.h"

class TStringGrid : public TCustomGrid {
public:
    explicit TStringGrid(TComponent* owner);

    String Cells(int col, int row) const;                   // empty outside the grid
    void SetCells(int col, int row, const String& value);  // EInvalidGridOperation outside the grid
    TObject* Objects(int col, int row) const;
    void SetObjects(int col, int row, TObject* value);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    String GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const String& value) override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    struct Cell {
        String Text;
        TObject* Object = nullptr;
    };
    Cell& At(int col, int row);

    std::vector<std::vector<Cell>> FCells;   // by row, then column
    bool FSettingEditText = false;
};
