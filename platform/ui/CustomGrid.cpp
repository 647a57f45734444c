#include "platform/ui/CustomGrid.h"
#include <algorithm>
#include "platform/ui/Forms.h"
#include "platform/ui/InplaceEdit.h"

namespace {

// How near a column's or row's dividing line the mouse starts sizing it.
constexpr int SizingMargin = 3;

[[noreturn]] void IndexOutOfRange() { throw EInvalidGridOperation("Grid index out of range"); }

// Moves the size of a column or row to its new place; the others close up behind it.
bool MoveSize(std::vector<int>& sizes, int fromIndex, int toIndex) {
    int count = static_cast<int>(sizes.size());
    if (fromIndex < 0 || fromIndex >= count || toIndex < 0 || toIndex >= count) IndexOutOfRange();
    if (fromIndex == toIndex) return false;
    int size = sizes[fromIndex];
    sizes.erase(sizes.begin() + fromIndex);
    sizes.insert(sizes.begin() + toIndex, size);
    return true;
}

}  // namespace

int TCustomGrid::Axis::FixedBoundary() const {
    int p = 0;
    for (int i = 0; i < Fixed; ++i) p += Size(i) + Line;
    return p;
}

int TCustomGrid::Axis::Start(int index) const {
    if (index < 0 || index >= Count() || (index >= Fixed && index < First)) return -1;
    int p = 0;
    if (index < Fixed) {
        for (int i = 0; i < index; ++i) p += Size(i) + Line;
    } else {
        p = FixedBoundary();
        for (int i = First; i < index && p < Extent; ++i) p += Size(i) + Line;
    }
    return p < Extent ? p : -1;
}

int TCustomGrid::Axis::CellAt(int pos) const {
    if (pos < 0) return -1;
    int p = 0;
    for (int i = 0; i < Fixed; ++i) {
        p += Size(i) + Line;
        if (pos < p) return i;
    }
    for (int i = First; i < Count() && p < Extent; ++i) {
        p += Size(i) + Line;
        if (pos < p) return i;
    }
    return -1;
}

int TCustomGrid::Axis::LastFullyVisible() const {
    int p = FixedBoundary(), last = First - 1;
    for (int i = First; i < Count(); ++i) {
        if (p + Size(i) > Extent) break;
        last = i;
        p += Size(i) + Line;
    }
    return last;
}

int TCustomGrid::Axis::Boundary() const {
    int p = 0;
    for (int i = 0; i < Fixed && p < Extent; ++i) p += Size(i) + Line;
    for (int i = First; i < Count() && p < Extent; ++i) p += Size(i) + Line;
    return std::min(p, Extent);
}

int TCustomGrid::Axis::FirstToShowLast(int index) const {
    int available = Extent - FixedBoundary(), total = 0, first = index;
    for (int i = index; i >= Fixed; --i) {
        total += Size(i);
        if (total > available) break;
        first = i;
        total += Line;
    }
    return std::max(first, Fixed);
}

int TCustomGrid::Axis::MaxFirst() const {
    return Count() > Fixed ? FirstToShowLast(Count() - 1) : Fixed;
}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
    ControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    FColWidths.assign(5, FDefaultColWidth);
    FRowHeights.assign(5, FDefaultRowHeight);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
    Destroying();
    FInplaceEdit = nullptr;   // owned, freed with the grid's other components
}

TCustomGrid::Axis TCustomGrid::Horz() {
    return Axis{&FColWidths, FFixedCols, FTopLeft.X, (FOptions & goVertLine) ? FGridLineWidth : 0, ClientWidth()};
}

TCustomGrid::Axis TCustomGrid::Vert() {
    return Axis{&FRowHeights, FFixedRows, FTopLeft.Y, (FOptions & goHorzLine) ? FGridLineWidth : 0, ClientHeight()};
}

TRect TCustomGrid::VisualRect(int left, int top, int right, int bottom) {
    if (!UseRightToLeftAlignment()) return Rect(left, top, right, bottom);
    int w = ClientWidth();
    return Rect(w - right, top, w - left, bottom);
}

int TCustomGrid::LogicalX(int x) { return UseRightToLeftAlignment() ? ClientWidth() - 1 - x : x; }

void TCustomGrid::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style |= WS_TABSTOP;   // the scroll bars come with the first cells out of view
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    p.WinClassName = L"Tapwise.Grid";
}

void TCustomGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

// ---- size and look

void TCustomGrid::ChangeSize(int colCount, int rowCount) {
    int oldCols = ColCount(), oldRows = RowCount();
    if (colCount == oldCols && rowCount == oldRows) return;
    bool editing = FInplaceEdit && FInplaceCell.X >= 0;
    if (editing) HideEdit();   // the text goes to its cell while the cell still exists
    FColWidths.resize(colCount, FDefaultColWidth);
    FRowHeights.resize(rowCount, FDefaultRowHeight);
    ClampPositions();
    SizeChanged(oldCols, oldRows);
    UpdateScrollBars();
    Invalidate();
    if (editing) UpdateEdit();
}

void TCustomGrid::SetColCount(int value) {
    value = std::max(0, value);
    if (value < FFixedCols) FFixedCols = value;
    ChangeSize(value, RowCount());
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(0, value);
    if (value < FFixedRows) FFixedRows = value;
    ChangeSize(ColCount(), value);
}

void TCustomGrid::SetFixedCols(int value) {
    if (value < 0) IndexOutOfRange();
    if (value > ColCount()) throw EInvalidGridOperation("Fixed column count must not exceed column count");
    if (value == FFixedCols) return;
    HideEdit();
    FFixedCols = value;
    FTopLeft.X = FCurrent.X = FAnchor.X = value;
    ClampPositions();
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int value) {
    if (value < 0) IndexOutOfRange();
    if (value > RowCount()) throw EInvalidGridOperation("Fixed row count must not exceed row count");
    if (value == FFixedRows) return;
    HideEdit();
    FFixedRows = value;
    FTopLeft.Y = FCurrent.Y = FAnchor.Y = value;
    ClampPositions();
    UpdateScrollBars();
    Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    value = std::max(0, value);
    FDefaultColWidth = value;
    std::fill(FColWidths.begin(), FColWidths.end(), value);
    ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int value) {
    value = std::max(0, value);
    FDefaultRowHeight = value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), value);
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int index) const {
    return index >= 0 && index < ColCount() ? FColWidths[index] : FDefaultColWidth;
}

void TCustomGrid::SetColWidths(int index, int value) {
    if (index < 0 || index >= ColCount()) IndexOutOfRange();
    value = std::max(0, value);
    if (FColWidths[index] == value) return;
    FColWidths[index] = value;
    ColWidthsChanged();
}

int TCustomGrid::RowHeights(int index) const {
    return index >= 0 && index < RowCount() ? FRowHeights[index] : FDefaultRowHeight;
}

void TCustomGrid::SetRowHeights(int index, int value) {
    if (index < 0 || index >= RowCount()) IndexOutOfRange();
    value = std::max(0, value);
    if (FRowHeights[index] == value) return;
    FRowHeights[index] = value;
    RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() { SizesChanged(); }
void TCustomGrid::RowHeightsChanged() { SizesChanged(); }

void TCustomGrid::SizesChanged() {
    ClampPositions();
    UpdateScrollBars();
    if (FInplaceEdit && FInplaceCell.X >= 0) FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int value) {
    value = std::max(0, value);
    if (value == FGridLineWidth) return;
    FGridLineWidth = value;
    ColWidthsChanged();
}

void TCustomGrid::SetFixedColor(TColor value) {
    if (value == FFixedColor) return;
    FFixedColor = value;
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions value) {
    if (value == FOptions) return;
    FOptions = value;
    if ((value & (goEditing | goRowSelect)) != goEditing) HideEditor();
    else if (value & goAlwaysShowEditor) FEditorMode = true;
    ClampPositions();
    UpdateScrollBars();
    UpdateEdit();
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars) return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool value) {
    if (value == FDefaultDrawing) return;
    FDefaultDrawing = value;
    Invalidate();
}

int TCustomGrid::VisibleColCount() { Axis h = Horz(); return std::max(0, h.LastFullyVisible() - h.First + 1); }
int TCustomGrid::VisibleRowCount() { Axis v = Vert(); return std::max(0, v.LastFullyVisible() - v.First + 1); }
int TCustomGrid::GridWidth() { return Horz().Boundary(); }
int TCustomGrid::GridHeight() { return Vert().Boundary(); }

// ---- geometry

TRect TCustomGrid::CellRect(int col, int row) { return BoxRect(col, row, col, row); }

TRect TCustomGrid::BoxRect(int left, int top, int right, int bottom) {
    auto span = [](const Axis& a, int from, int to, int& start, int& end) {
        start = -1;
        for (int i = std::max(0, from); i <= to && i < a.Count(); ++i) {
            int s = a.Start(i);
            if (s < 0) continue;
            if (start < 0) start = s;
            end = s + a.Size(i);
        }
        return start >= 0;
    };
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    if (!span(Horz(), std::min(left, right), std::max(left, right), x1, x2) ||
        !span(Vert(), std::min(top, bottom), std::max(top, bottom), y1, y2))
        return TRect{};
    return VisualRect(x1, y1, x2, y2);
}

void TCustomGrid::MouseToCell(int x, int y, int& col, int& row) {
    TGridCoord c = MouseCoord(x, y);
    col = c.X;
    row = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) {
    TGridCoord c{Horz().CellAt(LogicalX(x)), Vert().CellAt(y)};
    if (c.X < 0 || c.Y < 0) return TGridCoord{-1, -1};
    return c;
}

// ---- current cell, selection and scrolling

TGridRect TCustomGrid::Selection() const {
    TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y),
                std::max(FAnchor.X, FCurrent.X), std::max(FAnchor.Y, FCurrent.Y)};
    if (FOptions & goRowSelect) {
        r.Left = FFixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& value) {
    auto inRange = [&](int col, int row) {
        return col >= FFixedCols && col < ColCount() && row >= FFixedRows && row < RowCount();
    };
    if (!inRange(value.Left, value.Top) || !inRange(value.Right, value.Bottom)) IndexOutOfRange();
    FAnchor = TGridCoord{value.Left, value.Top};
    FCurrent = TGridCoord{value.Right, value.Bottom};
    ClampInView(FCurrent);
    SelectionMoved();
}

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor) {
    MoveCurrent(col, row, moveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
    if (col < FFixedCols || col >= ColCount() || row < FFixedRows || row >= RowCount()) IndexOutOfRange();
    if (!SelectCell(col, row)) return;
    TGridCoord cell{col, row};
    bool moved = !(cell == FCurrent);
    if (moved) HideEdit();
    FCurrent = cell;
    if (moveAnchor || !(FOptions & goRangeSelect)) FAnchor = cell;
    if (show) ClampInView(cell);
    SelectionMoved();
}

void TCustomGrid::SelectionMoved() { Invalidate(); }

void TCustomGrid::ClampInView(TGridCoord cell) {
    if (cell.X < FFixedCols || cell.Y < FFixedRows) return;
    Axis h = Horz(), v = Vert();
    int left = FTopLeft.X, top = FTopLeft.Y;
    if (cell.X < left) left = cell.X;
    else if (cell.X > h.LastFullyVisible()) left = h.FirstToShowLast(cell.X);
    if (cell.Y < top) top = cell.Y;
    else if (cell.Y > v.LastFullyVisible()) top = v.FirstToShowLast(cell.Y);
    MoveTopLeft(left, top);
}

void TCustomGrid::MoveTopLeft(int left, int top) {
    left = std::clamp(left, FFixedCols, std::max(FFixedCols, Horz().MaxFirst()));
    top = std::clamp(top, FFixedRows, std::max(FFixedRows, Vert().MaxFirst()));
    if (left == FTopLeft.X && top == FTopLeft.Y) return;
    FTopLeft = TGridCoord{left, top};
    UpdateScrollBars();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::ClampPositions() {
    auto clampIndex = [](int v, int fixed, int count) { return count > fixed ? std::clamp(v, fixed, count - 1) : fixed; };
    FCurrent = TGridCoord{clampIndex(FCurrent.X, FFixedCols, ColCount()), clampIndex(FCurrent.Y, FFixedRows, RowCount())};
    FAnchor = TGridCoord{clampIndex(FAnchor.X, FFixedCols, ColCount()), clampIndex(FAnchor.Y, FFixedRows, RowCount())};
    FTopLeft = TGridCoord{std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, Horz().MaxFirst())),
                          std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, Vert().MaxFirst()))};
}

void TCustomGrid::TopLeftChanged() {
    if (FInplaceEdit && FInplaceCell.X >= 0) FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

bool TCustomGrid::SelectCell(int col, int row) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
    return canSelect;
}

// A bar is shown only while some cells lie out of view; its positions are the scroll positions
// past the fixed cells, its page the cells in view. The system redraws the frame at every change of
// a shown bar, so only real changes go to it.
void TCustomGrid::UpdateScrollBars() {
    if (!HandleAllocated() || FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    auto apply = [&](int bar, const Axis& a, bool wanted) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        int maxFirst = a.MaxFirst();
        if (wanted && maxFirst > a.Fixed) {
            int page = std::max(1, a.LastFullyVisible() - a.First + 1);
            si.nMax = maxFirst - a.Fixed + page - 1;
            si.nPage = static_cast<UINT>(page);
            si.nPos = a.First - a.Fixed;
            if (bar == SB_HORZ && UseRightToLeftAlignment()) si.nPos = maxFirst - a.First;   // the first columns at the right
        }
        bool shown = (GetWindowLongW(FHandle, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
        SCROLLINFO now{sizeof now, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        if (shown ? GetScrollInfo(FHandle, bar, &now) && now.nMin == si.nMin && now.nMax == si.nMax &&
                        now.nPage == si.nPage && now.nPos == si.nPos
                  : si.nMax == 0)
            return false;
        SetScrollInfo(FHandle, bar, &si, TRUE);
        return true;
    };
    // showing one bar narrows the client area, which may call for the other
    for (int round = 0; round < 2; ++round) {
        bool changed = apply(SB_VERT, Vert(), FScrollBars == ssVertical || FScrollBars == ssBoth);
        changed |= apply(SB_HORZ, Horz(), FScrollBars == ssHorizontal || FScrollBars == ssBoth);
        if (!changed) break;
    }
    FUpdatingScrollBars = false;
}

void TCustomGrid::ScrollMessage(int bar, int code) {
    bool vertical = bar == SB_VERT;
    Axis a = vertical ? Vert() : Horz();
    int first = a.First, page = std::max(1, a.LastFullyVisible() - a.First + 1);
    // a mirrored grid's horizontal bar runs from its right end
    bool mirrored = !vertical && UseRightToLeftAlignment();
    int forward = mirrored ? -1 : 1;
    switch (code) {
    case SB_LINEUP: first -= forward; break;
    case SB_LINEDOWN: first += forward; break;
    case SB_PAGEUP: first -= forward * page; break;
    case SB_PAGEDOWN: first += forward * page; break;
    case SB_TOP: first = mirrored ? a.MaxFirst() : a.Fixed; break;
    case SB_BOTTOM: first = mirrored ? a.Fixed : a.MaxFirst(); break;
    case SB_THUMBTRACK:
        if (!(FOptions & goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(FHandle, bar, &si);
        first = mirrored ? a.MaxFirst() - si.nTrackPos : a.Fixed + si.nTrackPos;
        break;
    }
    default: return;
    }
    if (vertical) MoveTopLeft(FTopLeft.X, first); else MoveTopLeft(first, FTopLeft.Y);
}

// ---- editing

bool TCustomGrid::IsActiveControl() {
    if (!HandleAllocated()) return false;
    for (HWND h = GetFocus(); h; h = GetParent(h))
        if (h == FHandle) return true;
    return false;
}

bool TCustomGrid::CanEditShow() {
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode && HandleAllocated() &&
           FCurrent.X < ColCount() && FCurrent.Y < RowCount() &&
           ((FOptions & goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

String TCustomGrid::GetEditText(int col, int row) {
    String value;
    if (OnGetEditText) OnGetEditText(this, col, row, value);
    return value;
}

void TCustomGrid::SetEditText(int col, int row, const String& value) {
    if (OnSetEditText) OnSetEditText(this, col, row, value);
}

void TCustomGrid::SetEditorMode(bool value) {
    if (!value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit && FInplaceCell.X >= 0) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::ShowEditorChar(char ch) {
    ShowEditor();
    if (!FInplaceEdit || FInplaceCell.X < 0) return;
    FInplaceEdit->SelectAll();
    FInplaceEdit->Perform(WM_CHAR, static_cast<unsigned char>(ch), 0);
}

// Puts the editor over the current cell, with that cell's text when it comes from another cell.
void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetParent(this);
    }
    if (!(FInplaceCell == FCurrent)) {
        FInplaceCell = FCurrent;
        FInplaceEdit->UpdateContents();
        FEditStartText = FInplaceEdit->Text();
    }
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    if (IsActiveControl() && !FInplaceEdit->Focused() && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor() {
    if (!FInplaceEdit || FInplaceCell.X < 0) return;
    FInplaceCell = TGridCoord{-1, -1};
    UpdateEdit();
}

void TCustomGrid::UpdateText() {
    if (FInplaceEdit && FInplaceCell.X >= 0) SetEditText(FInplaceCell.X, FInplaceCell.Y, FInplaceEdit->Text());
}

// The editor's text goes to its cell and the editor leaves the cell; the editing mode stays.
void TCustomGrid::HideEdit() {
    if (!FInplaceEdit || FInplaceCell.X < 0) return;
    UpdateText();
    FInplaceCell = TGridCoord{-1, -1};
    bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->Hide();
    if (hadFocus && CanFocus()) SetFocus();
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::RestoreEditText() {
    if (!FInplaceEdit || FInplaceCell.X < 0) return;
    FInplaceEdit->SetText(FEditStartText);
    UpdateText();
}

// ---- moving columns and rows

void TCustomGrid::MoveColumn(int fromIndex, int toIndex) {
    HideEdit();
    if (!MoveSize(FColWidths, fromIndex, toIndex)) return;
    ColumnMoved(fromIndex, toIndex);
    ColWidthsChanged();
}

void TCustomGrid::MoveRow(int fromIndex, int toIndex) {
    HideEdit();
    if (!MoveSize(FRowHeights, fromIndex, toIndex)) return;
    RowMoved(fromIndex, toIndex);
    RowHeightsChanged();
}

void TCustomGrid::ColumnMoved(int fromIndex, int toIndex) {
    if (OnColumnMoved) OnColumnMoved(this, fromIndex, toIndex);
}

void TCustomGrid::RowMoved(int fromIndex, int toIndex) {
    if (OnRowMoved) OnRowMoved(this, fromIndex, toIndex);
}

// ---- painting

void TCustomGrid::InvalidateCell(int col, int row) {
    if (!HandleAllocated()) return;
    RECT r = CellRect(col, row);
    InflateRect(&r, FGridLineWidth, FGridLineWidth);   // the focus frame and lines around it
    InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateCol(int col) {
    if (!HandleAllocated()) return;
    RECT r = BoxRect(col, 0, col, RowCount() - 1);
    InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateRow(int row) {
    if (!HandleAllocated()) return;
    RECT r = BoxRect(0, row, ColCount() - 1, row);
    InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

// The lines between cells: black between fixed cells, silver (gray on a silver grid) between the
// others, and the cells' own colour where a kind of line is switched off.
void TCustomGrid::DrawLines(TCanvas* canvas) {
    Axis h = Horz(), v = Vert();
    TColor lineColor = ColorToRGB(Color()) == ColorToRGB(clSilver) ? clGray : clSilver;
    int fixedX = std::min(h.FixedBoundary(), h.Extent), fixedY = std::min(v.FixedBoundary(), v.Extent);
    int gridX = h.Boundary(), gridY = v.Boundary();
    auto fill = [&](int l, int t, int r, int b, TColor c) {
        if (r <= l || b <= t) return;
        canvas->Brush()->SetColor(c);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(VisualRect(l, t, r, b));
    };
    auto eachLine = [](const Axis& a, auto draw) {
        auto one = [&](int i) {
            int s = a.Start(i);
            if (s >= 0 && a.Line > 0) draw(i, s + a.Size(i), s + a.Size(i) + a.Line);
        };
        for (int i = 0; i < a.Fixed; ++i) one(i);
        for (int i = a.First; i < a.Count() && a.Start(i) >= 0; ++i) one(i);
    };
    // lines between columns, in their fixed-row part and their scrollable-row part
    eachLine(h, [&](int col, int l, int r) {
        bool fixedCol = col < h.Fixed;
        fill(l, 0, r, fixedY, (FOptions & goFixedVertLine) ? clBlack : FFixedColor);
        fill(l, fixedY, r, gridY, fixedCol ? ((FOptions & goFixedVertLine) ? clBlack : FFixedColor)
                                           : ((FOptions & goVertLine) ? lineColor : Color()));
    });
    eachLine(v, [&](int row, int t, int b) {
        bool fixedRow = row < v.Fixed;
        fill(0, t, fixedX, b, (FOptions & goFixedHorzLine) ? clBlack : FFixedColor);
        fill(fixedX, t, gridX, b, fixedRow ? ((FOptions & goFixedHorzLine) ? clBlack : FFixedColor)
                                           : ((FOptions & goHorzLine) ? lineColor : Color()));
    });
}

void TCustomGrid::Paint() {
    TCanvas* canvas = Canvas();
    Axis h = Horz(), v = Vert();
    canvas->SetFont(Font());
    canvas->TextFlags = UseRightToLeftReading() ? ETO_RTLREADING : 0;
    TColor fontColor = Font()->Color();
    bool focused = IsActiveControl();
    TGridRect sel = Selection();
    bool hasCurrent = FCurrent.X < ColCount() && FCurrent.Y < RowCount();
    auto visible = [](const Axis& a) {
        std::vector<int> cells;
        for (int i = 0; i < a.Fixed; ++i)
            if (a.Start(i) >= 0) cells.push_back(i);
        for (int i = a.First; i < a.Count() && a.Start(i) >= 0; ++i) cells.push_back(i);
        return cells;
    };
    std::vector<int> cols = visible(h), rows = visible(v);
    TRect clip = canvas->ClipRect();
    DrawLines(canvas);
    for (int row : rows) {
        int y = v.Start(row);
        for (int col : cols) {
            int x = h.Start(col);
            TRect where = VisualRect(x, y, x + h.Size(col), y + v.Size(row));
            if (where.IsEmpty() || where.Right <= clip.Left || where.Left >= clip.Right ||
                where.Bottom <= clip.Top || where.Top >= clip.Bottom)
                continue;
            TGridDrawState state = 0;
            if (col < FFixedCols || row < FFixedRows) {
                state = gdFixed;
            } else {
                if (focused && hasCurrent && col == FCurrent.X && row == FCurrent.Y) state |= gdFocused;
                if (hasCurrent && sel.Contains(col, row)) state |= gdSelected;
            }
            bool highlighted = (state & gdSelected) &&
                               (!(state & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)));
            canvas->Brush()->SetStyle(bsSolid);
            if (state & gdFixed) {
                canvas->Brush()->SetColor(FFixedColor);
                canvas->Font()->SetColor(fontColor);
            } else if (highlighted) {
                canvas->Brush()->SetColor(clHighlight);
                canvas->Font()->SetColor(clHighlightText);
            } else {
                canvas->Brush()->SetColor(Color());
                canvas->Font()->SetColor(fontColor);
            }
            if (FDefaultDrawing) canvas->FillRect(where);
            DrawCell(col, row, where, state);
            if (FDefaultDrawing && (state & gdFixed) && (FOptions & goFixedVertLine) && (FOptions & goFixedHorzLine)) {
                RECT r = where;
                DrawEdge(canvas->Handle(), &r, BDR_RAISEDINNER, BF_RECT);
            }
            if (FDefaultDrawing && (state & gdFocused) && !(FOptions & goRowSelect) && !(FInplaceCell == FCurrent)) {
                canvas->Font()->SetColor(fontColor);
                canvas->DrawFocusRect(where);
            }
        }
    }
    // what lies beyond the cells takes the grid's colour
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    int gridX = h.Boundary(), gridY = v.Boundary();
    if (gridX < h.Extent) canvas->FillRect(VisualRect(gridX, 0, h.Extent, v.Extent));
    if (gridY < v.Extent) canvas->FillRect(VisualRect(0, gridY, gridX, v.Extent));
    if (FDefaultDrawing && focused && hasCurrent && (FOptions & goRowSelect)) {
        TRect row = BoxRect(FFixedCols, sel.Top, ColCount() - 1, sel.Bottom);
        if (!row.IsEmpty()) canvas->DrawFocusRect(row);
    }
}

// ---- keyboard and mouse

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    if (FCurrent.X >= ColCount() || FCurrent.Y >= RowCount()) return;
    WORD k = key;
    if (UseRightToLeftAlignment()) {
        if (k == VK_LEFT) k = VK_RIGHT;
        else if (k == VK_RIGHT) k = VK_LEFT;
    }
    bool ctrl = (shift & ssCtrl) != 0, rowSelect = (FOptions & goRowSelect) != 0;
    int col = FCurrent.X, row = FCurrent.Y;
    int page = std::max(1, VisibleRowCount());
    int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
    bool extend = (shift & ssShift) && (FOptions & goRangeSelect);
    switch (k) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT:
        if (rowSelect) { MoveTopLeft(FTopLeft.X - 1, FTopLeft.Y); key = 0; return; }
        --col;
        break;
    case VK_RIGHT:
        if (rowSelect) { MoveTopLeft(FTopLeft.X + 1, FTopLeft.Y); key = 0; return; }
        ++col;
        break;
    case VK_NEXT:
        MoveTopLeft(FTopLeft.X, FTopLeft.Y + page);
        row += page;
        break;
    case VK_PRIOR:
        MoveTopLeft(FTopLeft.X, FTopLeft.Y - page);
        row -= page;
        break;
    case VK_HOME:
        if (ctrl || rowSelect) row = FFixedRows;
        if (ctrl || !rowSelect) col = FFixedCols;
        break;
    case VK_END:
        if (ctrl || rowSelect) row = lastRow;
        if (ctrl || !rowSelect) col = lastCol;
        break;
    case VK_TAB:
        if (!(FOptions & goTabs) || (shift & ssAlt)) return;
        extend = false;
        if (shift & ssShift) {
            if (--col < FFixedCols) {
                if (row == FFixedRows) return;
                col = lastCol;
                --row;
            }
        } else if (++col > lastCol) {
            if (row == lastRow) return;
            col = FFixedCols;
            ++row;
        }
        break;
    case VK_F2:
        if ((FOptions & (goEditing | goRowSelect)) == goEditing) SetEditorMode(true);
        key = 0;
        return;
    default: return;
    }
    key = 0;
    col = std::clamp(col, FFixedCols, lastCol);
    row = std::clamp(row, FFixedRows, lastRow);
    if (col == FCurrent.X && row == FCurrent.Y) return;
    if (extend) {
        MoveCurrent(col, row, false, true);
        Click();
    } else {
        FocusCell(col, row, true);
    }
}

void TCustomGrid::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    if (key == 0 || (FOptions & (goEditing | goRowSelect)) != goEditing) return;
    if (key == '\r') {
        if (!(FOptions & goAlwaysShowEditor)) {
            if (FEditorMode) HideEditor(); else ShowEditor();
        }
        key = 0;
    } else if (static_cast<unsigned char>(key) >= ' ' && !FEditorMode) {
        ShowEditorChar(key);
        key = 0;
    }
}

bool TCustomGrid::SizingAt(int x, int y, TGridState& state, int& index) {
    Axis h = Horz(), v = Vert();
    int lx = LogicalX(x);
    auto nearLine = [](const Axis& a, int pos, int& found) {
        for (int i = 0; i < a.Count(); ++i) {
            int s = a.Start(i);
            if (s < 0) continue;
            int edge = s + a.Size(i);
            if (pos >= edge - SizingMargin && pos <= edge + a.Line + SizingMargin - 1) { found = i; return true; }
        }
        return false;
    };
    if ((FOptions & goColSizing) && y < v.FixedBoundary() && nearLine(h, lx, index)) { state = gsColSizing; return true; }
    if ((FOptions & goRowSizing) && lx < h.FixedBoundary() && nearLine(v, y, index)) { state = gsRowSizing; return true; }
    return false;
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!IsActiveControl() && CanFocus()) SetFocus();
    if (button == mbLeft && !(shift & ssDouble)) {
        TGridState sizing = gsNormal;
        int index = -1;
        TGridCoord cell = MouseCoord(x, y);
        if (SizingAt(x, y, sizing, index)) {
            FGridState = sizing;
            FSizingIndex = index;
            FSizingOffset = sizing == gsColSizing ? LogicalX(x) - ColWidths(index) : y - RowHeights(index);
            if (sizing == gsColSizing) FSizingOffset -= Horz().Start(index);
            else FSizingOffset -= Vert().Start(index);
        } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
            if (FOptions & goEditing) {
                if (cell == FCurrent && !(FOptions & goRowSelect)) ShowEditor();
                else FocusCell(cell.X, cell.Y, true);
            } else {
                FGridState = gsSelecting;
                if ((shift & ssShift) && (FOptions & goRangeSelect)) {
                    MoveCurrent(cell.X, cell.Y, false, true);
                    Click();
                } else {
                    FocusCell(cell.X, cell.Y, true);
                }
            }
        } else if ((FOptions & goColMoving) && cell.Y >= 0 && cell.Y < FFixedRows && cell.X >= FFixedCols) {
            FGridState = gsColMoving;
            FSizingIndex = FMoveTarget = cell.X;
        } else if ((FOptions & goRowMoving) && cell.X >= 0 && cell.X < FFixedCols && cell.Y >= FFixedRows) {
            FGridState = gsRowMoving;
            FSizingIndex = FMoveTarget = cell.Y;
        }
    } else if (button == mbLeft && (shift & ssDouble)) {
        TGridCoord cell = MouseCoord(x, y);
        if (cell == FCurrent && (FOptions & (goEditing | goRowSelect)) == goEditing) ShowEditor();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::Moving(int x, int y) {
    TGridCoord cell = MouseCoord(x, y);
    int target = FGridState == gsColMoving ? cell.X : cell.Y;
    int fixed = FGridState == gsColMoving ? FFixedCols : FFixedRows;
    if (target >= fixed) FMoveTarget = target;
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    switch (FGridState) {
    case gsSelecting: {
        // beyond an edge, the selection reaches the next cell there and the grid scrolls to it
        Axis h = Horz(), v = Vert();
        int lx = std::clamp(LogicalX(x), 0, std::max(0, h.Extent - 1));
        int col = h.CellAt(lx), row = v.CellAt(std::clamp(y, 0, std::max(0, v.Extent - 1)));
        if (LogicalX(x) >= h.Extent) col = h.LastFullyVisible() + 1;
        if (LogicalX(x) < h.FixedBoundary()) col = h.First - 1;
        if (y >= v.Extent) row = v.LastFullyVisible() + 1;
        if (y < v.FixedBoundary()) row = v.First - 1;
        if (col < 0) col = FCurrent.X;
        if (row < 0) row = FCurrent.Y;
        col = std::clamp(col, FFixedCols, ColCount() - 1);
        row = std::clamp(row, FFixedRows, RowCount() - 1);
        if (!(TGridCoord{col, row} == FCurrent)) MoveCurrent(col, row, !(FOptions & goRangeSelect), true);
        break;
    }
    case gsColSizing:
        SetColWidths(FSizingIndex, LogicalX(x) - Horz().Start(FSizingIndex) - FSizingOffset);
        break;
    case gsRowSizing:
        SetRowHeights(FSizingIndex, y - Vert().Start(FSizingIndex) - FSizingOffset);
        break;
    case gsColMoving: case gsRowMoving:
        Moving(x, y);
        break;
    default: {
        TGridState sizing = gsNormal;
        int index = -1;
        if (HandleAllocated() && SizingAt(x, y, sizing, index))
            ::SetCursor(CursorHandle(sizing == gsColSizing ? crSizeWE : crSizeNS));
        break;
    }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGridState state = FGridState;
    FGridState = gsNormal;
    if (state == gsColMoving || state == gsRowMoving) {
        Moving(x, y);
        if (FMoveTarget != FSizingIndex) {
            if (state == gsColMoving) MoveColumn(FSizingIndex, FMoveTarget);
            else MoveRow(FSizingIndex, FMoveTarget);
        }
    }
    FSizingIndex = FMoveTarget = -1;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FOptions & goTabs) m.Result |= DLGC_WANTTAB;
        if (FOptions & goEditing) m.Result |= DLGC_WANTALLKEYS;
        return;
    case WM_VSCROLL: ScrollMessage(SB_VERT, LOWORD(m.WParam)); return;
    case WM_HSCROLL: ScrollMessage(SB_HORZ, LOWORD(m.WParam)); return;
    case WM_MOUSEWHEEL: {
        int delta = static_cast<short>(HIWORD(m.WParam));
        int row = std::clamp(FCurrent.Y + (delta < 0 ? 1 : -1), FFixedRows, RowCount() - 1);
        if (FCurrent.Y < RowCount() && FCurrent.X < ColCount() && row != FCurrent.Y) FocusCell(FCurrent.X, row, true);
        return;
    }
    case WM_SIZE:
        TCustomControl::WndProc(m);
        SizesChanged();
        return;
    case WM_SETFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();
        if (!FInplaceEdit || !FInplaceEdit->HandleAllocated() || reinterpret_cast<HWND>(m.WParam) != FInplaceEdit->Handle())
            UpdateEdit();
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    case WM_CANCELMODE:
        FGridState = gsNormal;
        TCustomControl::WndProc(m);
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        Invalidate();
        return;
    case CM_BIDIMODECHANGED:
        TCustomControl::WndProc(m);
        UpdateEdit();
        return;
    default: break;
    }
    TCustomControl::WndProc(m);
}
