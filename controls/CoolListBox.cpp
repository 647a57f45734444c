#include "controls/CoolListBox.h"
#include "platform/graphics/GdiObject.h"

TCoolListBox::TCoolListBox(TComponent* owner)
    : TCustomListBox(owner),
      TCoolItems(this, static_cast<TItemWindow*>(this), Items(), Canvas(), ListBoxMessages, LB_SETHORIZONTALEXTENT,
                 ocBevelOnlyIfSel | ocNoCaption, true, fbScrollBars) {
    SetStyle(lbOwnerDrawFixed);
    ControlStyle = (ControlStyle | csSetCaption) & ~csOpaque;
}


void TCoolListBox::Notification(TComponent* component, TOperation operation) {
    TCustomListBox::Notification(component, operation);
    ItemsNotification(component, operation);
}

void TCoolListBox::Loaded() {
    TCustomListBox::Loaded();
    if (FillsOnLoad()) FillList();
}

void TCoolListBox::CreateParams(TCreateParams& p) {
    TCustomListBox::CreateParams(p);
    CaptionParams(p);
    if (Columns() == 0) p.Style |= WS_HSCROLL;
}

void TCoolListBox::CreateWnd() {
    TCustomListBox::CreateWnd();
    ForgetCheckStates();
}

void TCoolListBox::DestroyWnd() {
    if (CheckMode() && Items()->Count() > 0) SaveCheckStates();
    TCustomListBox::DestroyWnd();
    FreeWrappers();
}

LRESULT TCoolListBox::GetItemData(int index) {
    return CheckMode() ? CheckItemData(index) : TCustomListBox::GetItemData(index);
}

void TCoolListBox::SetItemData(int index, LRESULT data) {
    if (CheckMode()) SetCheckItemData(index, data);
    else TCustomListBox::SetItemData(index, data);
}

void TCoolListBox::ResetContent() {
    if (CheckMode()) FreeWrappers();
    TCustomListBox::ResetContent();
}

void TCoolListBox::DeleteString(int index) {
    if (CheckMode()) FreeWrapper(index);
    TCustomListBox::DeleteString(index);
}

void TCoolListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (Options() & ocFlatBorder) DrawFlatBorder(nullptr, this, Focused());
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    PaintItem(index, rect, state, ClientRect());
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
    if (background && Items()->Count() == 0) {
        TWindowDCBorrow dc(Handle());
        if (Options() & ocPaintTransparently) PaintParentBackground(this, dc.Get());
        else PaintWallpaper(dc.Get(), wkBackground, ClientRect(), Options() & ocTileWallpaper, SRCCOPY);
    }
    FlatBorderAfterPaint();
}

void TCoolListBox::WMEraseBkgnd(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (Options() & ocPaintTransparently) {
        PaintParentBackground(this, dc);
        m.Result = 1;
    } else if ((Options() & ocPaintWallpaper) && Items()->Count() > 0 &&
               PaintWallpaper(dc, wkBackground, ClientRect(), Options() & ocTileWallpaper, SRCCOPY)) {
        m.Result = 1;
    } else {
        TCustomListBox::WndProc(m);
    }
}

void TCoolListBox::LBGetTopIndex(TMessage& m) {
    TCustomListBox::WndProc(m);
    int top = static_cast<int>(m.Result);
    if (top != FLastTopIndex && PaintsBackground()) {
        InvalidateControlRect(Handle(), nullptr, false);
        FLastTopIndex = top;
    }
}

void TCoolListBox::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TCustomListBox::WndProc(message); };
    switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return;
    case LB_GETTOPINDEX: LBGetTopIndex(m); return;
    case WM_SETTEXT:
        inherited(m);
        FrameChanged();   // the caption shows the text
        return;
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
    case CM_PARENTFONTCHANGED:
        inherited(m);
        ParentFontChanged(m);
        return;
    case CN_COMMAND:
        if (HIWORD(m.WParam) == LBN_SELCHANGE) SelectionChanged();
        inherited(m);
        return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        inherited(m);
        if (m.Result >= 0 && m.LParam) ItemAdded(FromWide(reinterpret_cast<const wchar_t*>(m.LParam)));
        return;
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        inherited(m);
        ItemsRemoved();
        return;
    default:
        break;
    }
    if (!SkinMessage(m, inherited)) inherited(m);
}
