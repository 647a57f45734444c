#pragma once
// TCoolStringGrid: a string grid that draws every cell itself over a wallpaper or its parent's
// background, with settings of a cell's own (font, colour, alignment, read-only, wallpaper),
// text that wraps in its cell while columns and rows grow to fit it, an in-place editor aligned
// as the grid aligns its cells and showing the cell's background behind the text, a report
// when an edit changed a cell, and the caption bar and flat border of the skinned controls.
#include <memory>
#include <vector>
#include "controls/CoolSkin.h"
#include "platform/ui/ControlEnums.h"
#include "platform/ui/Grids.h"

class TCoolStringGrid;

// The settings a cell has of its own; the grid makes one the first time they are asked for.
struct TCellWrapper {
    TCellWrapper(int col, int row, TCoolStringGrid* grid);
    std::unique_ptr<TFont> Font;
    TColor Color;
    int Col, Row;               // follow the cell when its column or row moves
    bool ReadOnly = false;
    bool ShowWallpaper = true;  // the grid's wallpaper behind the cell and behind its editor
    TAlignment Alignment;
};

// The report of an edit that changed a cell; the handler may change the width its column and
// the height its row then take.
using TEndCellEditingEvent = std::function<void(TObject* sender, int col, int row, int& cellWidth, int& cellHeight)>;

// The grid posts it to itself when an edit changed a cell (column in wParam, row in lParam).
constexpr UINT CG_ENDCELLEDITING = WM_USER + 404;

// The grid's in-place editor: its text aligned as the grid aligns its cells, over the cell's
// own background.
class TAlignInplaceEdit : public TInplaceEdit {
public:
    explicit TAlignInplaceEdit(TComponent* owner);
    ~TAlignInplaceEdit() override;

    // The cell's background as the grid draws it, made on first use; empty for none.
    TBitmap* EditorBitmap();

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    friend class TCoolStringGrid;
    TCoolStringGrid* CoolGrid() const;
    bool ShowsBackground();
    void TextMayHaveScrolled();

    std::unique_ptr<TBitmap> FEditorBitmap;
    int FTextOffset = 0;        // where the first character stood when last asked
};

class TCoolStringGrid : public TStringGrid, public TCoolSkin {
public:
    explicit TCoolStringGrid(TComponent* owner);
    ~TCoolStringGrid() override;

    // Options are the grid's; the skin's are ExOptions.
    using TStringGrid::Options;
    using TStringGrid::SetOptions;
    TCoolOptions ExOptions() const { return TCoolSkin::Options(); }
    void SetExOptions(TCoolOptions value) { TCoolSkin::SetOptions(value); }

    TColor SelColor() const { return FSelColor; }
    void SetSelColor(TColor value) { Store(FSelColor, value); }
    // Of the scrollable cells and the editor, and of the fixed cells.
    TAlignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(TAlignment value);
    TAlignment FixedTextAlign() const { return FFixedTextAlign; }
    void SetFixedTextAlign(TAlignment value) { Store(FFixedTextAlign, value); }
    // The bevel around every scrollable cell.
    TBevelCut InnerCellsBevel() const { return FInnerCellsBevel; }
    void SetInnerCellsBevel(TBevelCut value) { Store(FInnerCellsBevel, value); }
    TBevelCut OuterCellsBevel() const { return FOuterCellsBevel; }
    void SetOuterCellsBevel(TBevelCut value) { Store(FOuterCellsBevel, value); }
    // The current cell may show the editor: it is not read-only.
    bool CellEditable();

    // A cell's own settings, made on first request; the caller sets its fields.
    TCellWrapper* CellWrapper(int col, int row);
    bool HasCellWrapper(int col, int row) const { return FindWrapper(col, row) != nullptr; }
    TColor CellColor(int col, int row) const;
    TFont* CellFont(int col, int row) { return CellWrapper(col, row)->Font.get(); }
    bool CellReadOnly(int col, int row) const;
    bool CellShowWallpaper(int col, int row) const;
    TAlignment CellAlignment(int col, int row) { return CellWrapper(col, row)->Alignment; }
    bool IsFixedCell(int col, int row) const { return col < FixedCols() || row < FixedRows(); }

    TNotifyEvent OnPaint;
    TEndCellEditingEvent OnEndCellEditing;

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    TInplaceEdit* CreateEditor() override;
    bool CanEditShow() override;
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    String GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const String& value) override;
    void ColumnMoved(int fromIndex, int toIndex) override;
    void RowMoved(int fromIndex, int toIndex) override;
    void TopLeftChanged() override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    template <class T>
    void Store(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    TCellWrapper* FindWrapper(int col, int row) const;
    void Renumber(int TCellWrapper::*index, int fromIndex, int toIndex);
    void PaintCellBackground(HDC dc, int col, int row, const TRect& rect, bool selected, bool fixed);
    void DrawCellText(HDC dc, int col, int row, const TRect& rect, UINT format);
    void FillEditorBitmap(TAlignInplaceEdit* editor, int col, int row);
    void EraseBackground(TMessage& message, const std::function<void(TMessage&)>& inherited);
    void EndCellEditing(int col, int row);

    TColor FSelColor = clHighlight;
    TAlignment FTextAlign = taLeftJustify;
    TAlignment FFixedTextAlign = taLeftJustify;
    TBevelCut FInnerCellsBevel = bvNone, FOuterCellsBevel = bvNone;
    std::vector<std::unique_ptr<TCellWrapper>> FWrappers;   // in the order they were made
    String FEditStartText;
    bool FEndEditingPosted = false;
};
