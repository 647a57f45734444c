#include "platform/ui/StringGrid.h"

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner) {
    FCells.assign(RowCount(), std::vector<Cell>(ColCount()));
}

TStringGrid::Cell& TStringGrid::At(int col, int row) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
    return FCells[row][col];
}

String TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return String();
    return FCells[row][col].Text;
}

void TStringGrid::SetCells(int col, int row, const String& value) {
    Cell& cell = At(col, row);
    if (cell.Text == value) return;
    cell.Text = value;
    InvalidateCell(col, row);
    // a text set by the program replaces what the editor shows; one typed there is already in it
    if (!FSettingEditText && col == Col() && row == Row()) InvalidateEditor();
}

TObject* TStringGrid::Objects(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return nullptr;
    return FCells[row][col].Object;
}

void TStringGrid::SetObjects(int col, int row, TObject* value) { At(col, row).Object = value; }

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) {
        const String& text = FCells[row][col].Text;
        int x = rect.Left + 2;
        if (UseRightToLeftAlignment()) x = rect.Right - 2 - Canvas()->TextWidth(text);
        Canvas()->TextRect(rect, x, rect.Top + 2, text);
    }
    TCustomGrid::DrawCell(col, row, rect, state);
}

String TStringGrid::GetEditText(int col, int row) {
    String value = Cells(col, row);
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TStringGrid::SetEditText(int col, int row, const String& value) {
    FSettingEditText = true;
    try {
        SetCells(col, row, value);
    } catch (...) {
        FSettingEditText = false;
        throw;
    }
    FSettingEditText = false;
    TCustomGrid::SetEditText(col, row, value);
}

void TStringGrid::ColumnMoved(int fromIndex, int toIndex) {
    for (auto& line : FCells) {
        Cell moved = line[fromIndex];
        line.erase(line.begin() + fromIndex);
        line.insert(line.begin() + toIndex, moved);
    }
    TCustomGrid::ColumnMoved(fromIndex, toIndex);
}

void TStringGrid::RowMoved(int fromIndex, int toIndex) {
    std::vector<Cell> moved = std::move(FCells[fromIndex]);
    FCells.erase(FCells.begin() + fromIndex);
    FCells.insert(FCells.begin() + toIndex, std::move(moved));
    TCustomGrid::RowMoved(fromIndex, toIndex);
}

void TStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
    FCells.resize(RowCount());
    for (auto& line : FCells) line.resize(ColCount());
    TCustomGrid::SizeChanged(oldColCount, oldRowCount);
}
