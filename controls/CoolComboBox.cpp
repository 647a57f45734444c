#include "controls/CoolComboBox.h"
#include "platform/ui/Forms.h"

TCoolComboBox::TCoolComboBox(TComponent* owner)
    : TCoolItemsBox(owner, ComboBoxMessages, CB_SETHORIZONTALEXTENT, ocBevelOnlyIfSel, false, fbPlain),
      FListBoxWidth(Width()) {
    SetStyle(csOwnerDrawVariable);
}

TCoolComboBox::~TCoolComboBox() { FList.Detach(); }

void TCoolComboBox::SetListBoxWidth(int value) {
    FListBoxWidth = value == 0 ? Width() : value;
    FListBoxWidthSet = true;
}

void TCoolComboBox::SetBounds(int left, int top, int width, int height) {
    TCustomComboBox::SetBounds(left, top, width, height);
    if (!FListBoxWidthSet) FListBoxWidth = Width();
}

void TCoolComboBox::CreateParams(TCreateParams& p) {
    TCustomComboBox::CreateParams(p);
    p.Style |= WS_HSCROLL;
}

// The list goes with the box's window: it must not keep calling into a box that is gone.
void TCoolComboBox::DestroyWnd() {
    ListClosed();
    TCoolItemsBox::DestroyWnd();
}

void TCoolComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (FListRect == TRect()) FListRect = ClientRect();
    if ((state & odSelected) && !DrawnSelected(state)) {
        // an edit part shown unselected is not left with the highlight text colour
        Canvas()->Font()->SetColor(Font()->Color());
        Canvas()->Brush()->SetColor(Color());
    }
    DrawBoxItem(OnDrawItem, index, rect, state, FListRect);
}

// The edit part shows its item selected only while the box has the focus.
bool TCoolComboBox::DrawnSelected(TOwnerDrawState state) const {
    if ((state & odComboBoxEdit) && !(state & odFocused)) return false;
    return TCoolItems::DrawnSelected(state);
}

void TCoolComboBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomComboBox::KeyDown(key, shift);
    if (key == VK_RETURN && shift == ssCtrl && ExecuteModeDialog()) Change();
}

// The check box of the edit part, and of the item in the open list.
void TCoolComboBox::InvalidateCheckArea(int index) {
    TRect edit = ClientRect();
    AdjustRect(edit, 2, 2, 0, -2);
    edit.Right = edit.Left + ItemHeight();
    InvalidateControlRect(Handle(), &edit, false);
    RECT item;
    if (FListHandle && SendMessageW(FListHandle, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        TRect strip = TRect::From(item);
        strip.Right = strip.Left + ItemHeight() + 2;
        InvalidateControlRect(FListHandle, &strip, false);
    }
}

// The first colour question of the open list: the list is placed, its wallpaper anchored,
// and its messages watched until it closes.
void TCoolComboBox::ListShown(HWND list) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (list == FListHandle || !GetComboBoxInfo(Handle(), &info) || list != info.hwndList) return;
    FListHandle = list;
    RECT r;
    GetWindowRect(list, &r);
    int width = r.right - r.left;
    if (FListBoxWidth != Width() && width != FListBoxWidth) {
        int left = FAlignment == paRight    ? r.right - FListBoxWidth
                   : FAlignment == paCenter ? r.left + width / 2 - FListBoxWidth / 2
                                            : r.left;
        MoveWindow(list, left, r.top, FListBoxWidth, r.bottom - r.top, TRUE);
        GetWindowRect(list, &r);
    }
    MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&r), 2);
    FListRect = TRect::From(r);
    if (GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) {
        // the pattern covers the whole width the items scroll over
        int low = 0, high = 0;
        GetScrollRange(list, SB_HORZ, &low, &high);
        FListRect.Left = low;
        FListRect.Right = high;
    }
    if (!FList.Attached())
        FList.Attach(list, [this](HWND h, UINT msg, WPARAM w, LPARAM l) { return ListWndProc(h, msg, w, l); });
}

void TCoolComboBox::ListClosed() {
    FList.Detach();
    FListHandle = nullptr;
}

LRESULT TCoolComboBox::ListWndProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        try {
            Perform(CB_GETTOPINDEX);
        } catch (...) {
            HandleControlException(this);
        }
    }
    return TWindowSubclass::Next(list, msg, wParam, lParam);
}

void TCoolComboBox::AfterMessage(const TMessage& m) {
    if (m.Msg == WM_CTLCOLORLISTBOX) ListShown(reinterpret_cast<HWND>(m.LParam));
    if (m.Msg == WM_KEYDOWN && m.WParam == VK_SPACE && CheckMode() && ItemIndex() >= 0) ToggleChecked(ItemIndex());
}

void TCoolComboBox::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TCustomComboBox::WndProc(message); };
    switch (m.Msg) {
    case WM_PAINT:
        inherited(m);
        FlatBorderAfterPaint();
        return;
    case CB_GETTOPINDEX:
        inherited(m);
        if (FListHandle) TopIndexAnswered(static_cast<int>(m.Result), FListHandle, &FListRect);
        return;
    case CN_COMMAND:
        if (HIWORD(m.WParam) == CBN_CLOSEUP) ListClosed();
        break;
    default:
        break;
    }
    if (!ItemsMessage(m, inherited)) inherited(m);
    try {
        AfterMessage(m);
    } catch (...) {
        HandleControlException(this);
    }
}
