#include "controls/CoolStringGrid.h"
#include <algorithm>
#include "controls/CoolText.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Alignment.h"

// ---- TCellWrapper

TCellWrapper::TCellWrapper(int col, int row, TCoolStringGrid* grid)
    : Font(std::make_unique<TFont>()), Col(col), Row(row) {
    Font->Assign(grid->Font());
    bool fixed = grid->IsFixedCell(col, row);
    Color = fixed ? grid->FixedColor() : grid->Color();
    Alignment = fixed ? grid->FixedTextAlign() : grid->TextAlign();
}

// ---- TAlignInplaceEdit

TAlignInplaceEdit::TAlignInplaceEdit(TComponent* owner) : TInplaceEdit(owner) {}

TAlignInplaceEdit::~TAlignInplaceEdit() = default;

TCoolStringGrid* TAlignInplaceEdit::CoolGrid() const { return dynamic_cast<TCoolStringGrid*>(Grid()); }

TBitmap* TAlignInplaceEdit::EditorBitmap() {
    if (!FEditorBitmap) FEditorBitmap = std::make_unique<TBitmap>();
    return FEditorBitmap.get();
}

void TAlignInplaceEdit::CreateParams(TCreateParams& p) {
    TInplaceEdit::CreateParams(p);
    if (TCoolStringGrid* grid = CoolGrid())
        p.Style = (p.Style & ~(ES_CENTER | ES_RIGHT)) | EditAlignStyle(grid->TextAlign(), UseRightToLeftAlignment());
}

bool TAlignInplaceEdit::ShowsBackground() {
    TCoolStringGrid* grid = CoolGrid();
    if (!grid) return false;
    TCoolOptions options = grid->ExOptions();
    return (options & ocPaintTransparently) || ((options & ocPaintWallpaper) && FEditorBitmap && !FEditorBitmap->Empty());
}

void TAlignInplaceEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        TInplaceEdit::WndProc(m);
        TCoolStringGrid* grid = CoolGrid();
        if (!grid || !ShowsBackground()) return;
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        if (grid->ExOptions() & ocPaintTransparently) {
            PaintParentBackground(this, dc);
        } else {
            TBitmap* b = FEditorBitmap.get();
            StretchBitmap(dc, b, ClientRect(), Rect(0, 0, b->Width(), b->Height()), SRCCOPY);
        }
        return;
    }
    case CN_CTLCOLOREDIT:
        TInplaceEdit::WndProc(m);
        if (!ShowsBackground()) return;
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        // the edit window fills its background with this brush as it paints
        m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
    case WM_CHAR: case WM_KEYDOWN: case WM_LBUTTONDOWN: case WM_MOUSEMOVE: case WM_SETTEXT:
        TInplaceEdit::WndProc(m);
        TextMayHaveScrolled();
        return;
    default:
        TInplaceEdit::WndProc(m);
    }
}

// Text scrolled sideways takes its background with it: that is painted again. The window is
// asked after its keys and clicks, never while it paints (an edit asked then loses the text it
// is painting, under Wine).
void TAlignInplaceEdit::TextMayHaveScrolled() {
    if (!HandleAllocated() || !ShowsBackground()) return;
    int offset = static_cast<short>(LOWORD(SendMessageW(Handle(), EM_POSFROMCHAR, 0, 0)));
    if (offset == FTextOffset) return;
    FTextOffset = offset;
    Invalidate();
}

// ---- TCoolStringGrid

TCoolStringGrid::TCoolStringGrid(TComponent* owner)
    : TStringGrid(owner), TCoolSkin(this, ocNoCaption, true, fbGrid) {
    ControlStyle = (ControlStyle | csSetCaption) & ~csOpaque;
}

TCoolStringGrid::~TCoolStringGrid() = default;

void TCoolStringGrid::Notification(TComponent* component, TOperation operation) {
    TStringGrid::Notification(component, operation);
    SkinNotification(component, operation);
}

void TCoolStringGrid::CreateParams(TCreateParams& p) {
    TStringGrid::CreateParams(p);
    CaptionParams(p);
}

void TCoolStringGrid::SetTextAlign(TAlignment value) {
    if (value == FTextAlign) return;
    FTextAlign = value;
    Invalidate();
    // the editor takes the alignment in its window's style
    if (TInplaceEdit* editor = InplaceEditor(); editor && editor->HandleAllocated()) editor->RecreateWnd();
}

// ---- cell settings

TCellWrapper* TCoolStringGrid::FindWrapper(int col, int row) const {
    for (const auto& w : FWrappers)
        if (w->Col == col && w->Row == row) return w.get();
    return nullptr;
}

TCellWrapper* TCoolStringGrid::CellWrapper(int col, int row) {
    if (TCellWrapper* w = FindWrapper(col, row)) return w;
    FWrappers.push_back(std::make_unique<TCellWrapper>(col, row, this));
    return FWrappers.back().get();
}

TColor TCoolStringGrid::CellColor(int col, int row) const {
    if (TCellWrapper* w = FindWrapper(col, row)) return w->Color;
    return IsFixedCell(col, row) ? FixedColor() : Color();
}

bool TCoolStringGrid::CellReadOnly(int col, int row) const {
    TCellWrapper* w = FindWrapper(col, row);
    return w && w->ReadOnly;
}

bool TCoolStringGrid::CellShowWallpaper(int col, int row) const {
    TCellWrapper* w = FindWrapper(col, row);
    return !w || w->ShowWallpaper;
}

// Cells beyond a smaller grid are gone, and so are their settings: a cell that comes back is new.
void TCoolStringGrid::SizeChanged(int oldColCount, int oldRowCount) {
    std::erase_if(FWrappers, [&](const auto& w) { return w->Col >= ColCount() || w->Row >= RowCount(); });
    TStringGrid::SizeChanged(oldColCount, oldRowCount);
}

// The settings travel with their cells: the moved column (or row) takes its new index, those
// between close up behind it.
void TCoolStringGrid::Renumber(int TCellWrapper::*index, int fromIndex, int toIndex) {
    for (auto& w : FWrappers) {
        int& i = (*w).*index;
        if (i == fromIndex) i = toIndex;
        else if (fromIndex < i && i <= toIndex) --i;
        else if (toIndex <= i && i < fromIndex) ++i;
    }
}

void TCoolStringGrid::ColumnMoved(int fromIndex, int toIndex) {
    Renumber(&TCellWrapper::Col, fromIndex, toIndex);
    TStringGrid::ColumnMoved(fromIndex, toIndex);
}

void TCoolStringGrid::RowMoved(int fromIndex, int toIndex) {
    Renumber(&TCellWrapper::Row, fromIndex, toIndex);
    TStringGrid::RowMoved(fromIndex, toIndex);
}

// ---- drawing

void TCoolStringGrid::PaintCellBackground(HDC dc, int col, int row, const TRect& rect, bool selected, bool fixed) {
    TCoolOptions options = ExOptions();
    bool tile = options & ocTileWallpaper;
    bool drawn = false;
    if (selected) {
        drawn = ((options & ocInvertWallpaperAsSelect) && PaintWallpaper(dc, wkBackground, rect, tile, NOTSRCCOPY)) ||
                ((options & ocPaintSelWallpaper) && PaintWallpaper(dc, wkSelected, rect, true, SRCCOPY));
    } else if (!fixed && (options & ocPaintTransparently)) {
        PaintParentBackgroundRect(this, dc, rect);
        drawn = true;
    } else if (!fixed && (options & ocPaintWallpaper) && CellShowWallpaper(col, row)) {
        drawn = PaintWallpaper(dc, wkBackground, rect, tile, SRCCOPY);
    }
    if (!drawn) Canvas()->FillRect(rect);
}

// The text wraps in the cell, two pixels in from its left and top; the column and the row grow
// to what it needs, measured in the very rectangle it is drawn in.
void TCoolStringGrid::DrawCellText(HDC dc, int col, int row, const TRect& rect, UINT format) {
    WideString text = ToWide(Cells(col, row));
    TScopedSelect font(dc, Canvas()->Font()->Handle());
    RECT needed{0, 0, std::max(0, ColWidths(col) - 2), 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
    int width = needed.right - needed.left + 2, height = needed.bottom - needed.top + 4;
    if (ColWidths(col) < width) SetColWidths(col, width);
    if (RowHeights(row) < height) SetRowHeights(row, height);

    TRect area = rect;
    AdjustRect(area, 2, 2, 0, 0);
    SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(Canvas()->Font()->Color()));
        RECT r = area;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    } else {
        DrawShadowText(dc, area, 2, Cells(col, row), format, clBtnShadow, clBtnHighlight, 1);
    }
}

void TCoolStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    bool fixed = state == gdFixed;
    TAlignment alignment = fixed ? FFixedTextAlign : FTextAlign;
    if (TCellWrapper* w = FindWrapper(col, row)) {
        canvas->Brush()->SetColor(w->Color);
        canvas->SetFont(w->Font.get());
        alignment = w->Alignment;
    }
    UINT format = DT_WORDBREAK | AlignmentFlag(alignment, UseRightToLeftAlignment()) |
                  (UseRightToLeftReading() ? DT_RTLREADING : 0);
    bool selected = state == gdSelected ||
                    (state == (gdSelected | gdFocused) && (Options() & (goDrawFocusSelected | goRowSelect)));
    if (selected) {
        canvas->Font()->SetColor(clHighlightText);
        canvas->Brush()->SetColor(FSelColor);
    }
    PaintCellBackground(dc, col, row, rect, selected, fixed);
    if (!fixed) {
        RECT bevel = rect;
        DrawEdge(dc, &bevel, BevelEdgeFlags(FInnerCellsBevel, FOuterCellsBevel), BF_RECT);
    }
    DrawCellText(dc, col, row, rect, format);
    canvas->SetFont(Font());
    TCustomGrid::DrawCell(col, row, rect, state);
}

// Over all the cells: the parent's background or the wallpaper, on the platform's erase.
void TCoolStringGrid::EraseBackground(TMessage& m, const std::function<void(TMessage&)>& inherited) {
    inherited(m);
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    TRect box = BoxRect(0, 0, ColCount() - 1, RowCount() - 1);
    if (ExOptions() & ocPaintTransparently) PaintParentBackgroundRect(this, dc, box);
    else if (ExOptions() & ocPaintWallpaper) PaintWallpaper(dc, wkBackground, box, ExOptions() & ocTileWallpaper, SRCCOPY);
}

// A picture that lies still under the client area is painted whole again when the cells move.
void TCoolStringGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    TCoolOptions options = ExOptions();
    if (((options & ocPaintWallpaper) && !(options & ocTileWallpaper) && HasWallpaper()) ||
        (options & ocPaintTransparently))
        if (HandleAllocated()) InvalidateControlRect(Handle(), nullptr, false);
}

// ---- editing

TInplaceEdit* TCoolStringGrid::CreateEditor() { return new TAlignInplaceEdit(this); }

bool TCoolStringGrid::CellEditable() {
    return !(CellReadOnly(Col(), Row()) && (Options() & (goEditing | goAlwaysShowEditor)));
}

bool TCoolStringGrid::CanEditShow() { return TStringGrid::CanEditShow() && CellEditable(); }

String TCoolStringGrid::GetEditText(int col, int row) {
    String text = TStringGrid::GetEditText(col, row);
    FEditStartText = text;
    if (auto* editor = dynamic_cast<TAlignInplaceEdit*>(InplaceEditor())) {
        editor->FTextOffset = 0;
        editor->SetColor(CellColor(col, row));
        editor->Font()->Assign(CellFont(col, row));
        FillEditorBitmap(editor, col, row);
    }
    return text;
}

// The editor's background is the cell's, drawn as the cell draws it: a tiled pattern starts at
// the cell's corner, a picture drawn once shows the part that lies under the cell.
void TCoolStringGrid::FillEditorBitmap(TAlignInplaceEdit* editor, int col, int row) {
    TBitmap* b = editor->EditorBitmap();
    TRect cell = CellRect(col, row);
    if (!CellShowWallpaper(col, row) || !(ExOptions() & ocPaintWallpaper) || !HasWallpaper() || cell.IsEmpty()) {
        b->SetSize(0, 0);
        return;
    }
    b->SetPixelFormat(pf24bit);
    b->SetSize(cell.Width(), cell.Height());
    HDC dc = b->Canvas()->Handle();
    TScopedDCState state(dc);
    SetWindowOrgEx(dc, cell.Left, cell.Top, nullptr);
    PaintWallpaper(dc, wkBackground, cell, ExOptions() & ocTileWallpaper, SRCCOPY);
}

void TCoolStringGrid::SetEditText(int col, int row, const String& value) {
    TStringGrid::SetEditText(col, row, value);
    // one report at a time, read after the key or click that ended the edit
    if (Cells(col, row) != FEditStartText && !FEndEditingPosted && HandleAllocated()) {
        FEndEditingPosted = true;
        PostMessageW(Handle(), CG_ENDCELLEDITING, static_cast<WPARAM>(col), static_cast<LPARAM>(row));
    }
}

// The column and row keep the size they have (a width the user dragged too) unless the handler
// gives them another; the cell's drawing then grows them to fit the new text.
void TCoolStringGrid::EndCellEditing(int col, int row) {
    FEndEditingPosted = false;
    if (EditorMode() || col >= ColCount() || row >= RowCount()) return;
    int width = ColWidths(col), height = RowHeights(row);
    if (OnEndCellEditing) OnEndCellEditing(this, col, row, width, height);
    SetColWidths(col, width);
    SetRowHeights(row, height);
}

// ---- messages

void TCoolStringGrid::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TStringGrid::WndProc(message); };
    switch (m.Msg) {
    case WM_PAINT:
        inherited(m);
        FlatBorderAfterPaint();
        if (OnPaint) OnPaint(this);
        return;
    case WM_ERASEBKGND:
        EraseBackground(m, inherited);
        return;
    case CM_ENABLEDCHANGED:
        inherited(m);
        Invalidate();
        return;
    case CG_ENDCELLEDITING:
        EndCellEditing(static_cast<int>(m.WParam), static_cast<int>(m.LParam));
        return;
    default:
        break;
    }
    if (!SkinMessage(m, inherited)) inherited(m);
}
