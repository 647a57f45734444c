#include "controls/CoolListBox.h"
#include "platform/graphics/GdiObject.h"

TCoolListBox::TCoolListBox(TComponent* owner)
    : TCoolItemsBox(owner, ListBoxMessages, LB_SETHORIZONTALEXTENT, ocBevelOnlyIfSel | ocNoCaption, true, fbScrollBars) {
    SetStyle(lbOwnerDrawFixed);
    ControlStyle = (ControlStyle | csSetCaption) & ~csOpaque;
}

void TCoolListBox::CreateParams(TCreateParams& p) {
    TCustomListBox::CreateParams(p);
    CaptionParams(p);
    if (Columns() == 0) p.Style |= WS_HSCROLL;
}

void TCoolListBox::InvalidateCheckArea(int index) {
    TRect r = ItemRect(index);
    r.Right = r.Left + ItemHeight() + 2;
    InvalidateControlRect(Handle(), &r, true);
}

void TCoolListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    DrawBoxItem(OnDrawItem, index, rect, state, ClientRect());
}

void TCoolListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomListBox::MouseDown(button, shift, x, y);
    if (!CheckMode()) return;
    int index = ItemAtPos(Point(x, y), true);
    if (index < 0) return;
    TRect r = ItemRect(index);
    if (x >= r.Left && x < r.Left + ItemHeight() + 2) ToggleChecked(index);
}

void TCoolListBox::MouseMove(TShiftState shift, int x, int y) {
    TCustomListBox::MouseMove(shift, x, y);
    if (FHotTray) SetItemIndex(ItemAtPos(Point(x, y), false));
}

void TCoolListBox::KeyDown(WORD& key, TShiftState shift) {
    TCustomListBox::KeyDown(key, shift);
    if (key == VK_SPACE && CheckMode() && ItemIndex() >= 0) ToggleChecked(ItemIndex());
    if (key == VK_RETURN && shift == ssCtrl && ExecuteModeDialog()) Click();
}

void TCoolListBox::WMPaint(TMessage& m) {
    bool background = PaintsBackground();
    if (background) Perform(LB_GETTOPINDEX);
    TCustomListBox::WndProc(m);
    if (background && Items()->Count() == 0) PaintOwnBackground(TWindowDCBorrow(Handle()).Get());
    FlatBorderAfterPaint();
}

void TCoolListBox::LBGetTopIndex(TMessage& m) {
    TCustomListBox::WndProc(m);
    TopIndexAnswered(static_cast<int>(m.Result), Handle(), nullptr);
}

void TCoolListBox::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TCustomListBox::WndProc(message); };
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return;
    case LB_GETTOPINDEX: LBGetTopIndex(m); return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // an empty list shows its focus on the place of the first item
        SkinMessage(m, [this, inherited](TMessage& message) {
            inherited(message);
            if (Items()->Count() == 0) {
                RECT first = ItemRect(0);
                InvalidateRect(Handle(), &first, FALSE);
            }
        });
        return;
    default:
        break;
    }
    if (!ItemsMessage(m, inherited)) inherited(m);
}
