#include "platform/ui/InplaceEdit.h"
#include "platform/ui/CustomGrid.h"

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomEdit(owner) {
    SetAutoSize(false);
    SetAutoSelect(false);
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetParentColor(true);
    SetVisible(false);
}

// A multi-line edit lets the text keep the margins of the grid's own cell text (EM_SETRECTNP).
void TInplaceEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE;
    p.Style &= ~(WS_TABSTOP | ES_AUTOVSCROLL);
}

void TInplaceEdit::SetParent(TWinControl* value) {
    TCustomEdit::SetParent(value);
    FGrid = dynamic_cast<TCustomGrid*>(value);
}

void TInplaceEdit::Move(const TRect& rect) {
    if (rect.IsEmpty()) {
        Hide();
        return;
    }
    SetBoundsRect(rect);
    SetVisible(true);
    BoundsChanged();
}

void TInplaceEdit::Hide() { SetVisible(false); }

void TInplaceEdit::Deselect() {
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

bool TInplaceEdit::PosEqual(const TRect& rect) const { return BoundsRect() == rect; }

void TInplaceEdit::BoundsChanged() {
    if (!HandleAllocated()) return;
    RECT r{2, 2, Width() - 2, Height()};
    SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(FHandle, EM_SCROLLCARET, 0, 0);
}

void TInplaceEdit::UpdateContents() {
    if (!FGrid) return;
    FUpdating = true;
    try {
        SetMaxLength(FGrid->GetEditLimit());
        SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
    SelectAll();
}

void TInplaceEdit::Change() {
    TCustomEdit::Change();
    if (FGrid && !FUpdating) FGrid->UpdateText();
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
    if (!FGrid) {
        TCustomEdit::KeyDown(key, shift);
        return;
    }
    bool alwaysShown = (FGrid->Options() & goAlwaysShowEditor) != 0;
    auto toGrid = [&] {
        FGrid->KeyDown(key, shift);
        key = 0;
    };
    // the keys that leave the text at its start or end move to the neighbouring cell
    auto atEdge = [&](bool start) {
        if (!alwaysShown || SelLength() != 0) return false;
        int length = static_cast<int>(ToWide(Text()).size());
        return start ? SelStart() == 0 : SelStart() == length;
    };
    WORD leading = UseRightToLeftAlignment() ? VK_RIGHT : VK_LEFT;
    switch (key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
        toGrid();
        return;
    case VK_ESCAPE:
        FGrid->RestoreEditText();
        if (alwaysShown) SelectAll(); else FGrid->HideEditor();
        key = 0;
        return;
    case VK_TAB:
        if ((FGrid->Options() & goTabs) && !(shift & ssAlt)) { toGrid(); return; }
        break;
    case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
        if ((shift & ssCtrl) || atEdge(key == leading || key == VK_HOME)) { toGrid(); return; }
        break;
    case VK_F2:
        Deselect();
        key = 0;
        return;
    default: break;
    }
    if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, key, shift);
    if (key != 0) TCustomEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(char& key) {
    if (FGrid) {
        bool alwaysShown = (FGrid->Options() & goAlwaysShowEditor) != 0;
        FGrid->KeyPress(key);
        // a cell holds one line: the line keys and the keys the grid took type nothing
        if (key == '\r' && alwaysShown) SelectAll();
        if (key == '\r' || key == '\n' || key == '\t' || key == 27) key = 0;
    }
    if (key != 0) TCustomEdit::KeyPress(key);
}

void TInplaceEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL;
        if (FGrid && (FGrid->Options() & goTabs)) m.Result |= DLGC_WANTTAB;
        return;
    }
    TCustomEdit::WndProc(m);
}
