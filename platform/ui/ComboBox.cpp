#include "platform/ui/ComboBox.h"
#include <algorithm>

namespace {

LRESULT Send(TCustomComboBox* box, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageW(box->Handle(), msg, w, l);
}

}  // namespace

// ---- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TItemStrings>(static_cast<TItemWindow*>(this), ComboBoxMessages)), FCanvas(std::make_unique<TControlCanvas>(this)) {
    ControlStyle = csDoubleClicks;
    FWidth = 145;
    FHeight = 21;
    SetTabStop(true);
    SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() {
    FDestroying = true;
    FCanvas->FreeHandle();
    DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"COMBOBOX");
    p.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    switch (FStyle) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
    }
    if (FSorted) p.Style |= CBS_SORT;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
    // the window's height is the closed box and its open list together
    if (FStyle != csSimple) p.Height = FHeight + FItemHeight * FDropDownCount + 2;
}

void TCustomComboBox::CreateWnd() {
    String text = FText;
    TWinControl::CreateWnd();
    if (FMaxLength > 0) Send(this, CB_LIMITTEXT, FMaxLength);
    if (FStyle == csOwnerDrawFixed) {
        Send(this, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), FItemHeight);
        Send(this, CB_SETITEMHEIGHT, 0, FItemHeight);
    }
    bool restoring = FSaved.Pending();
    FSaved.Restore(*FItems, *this);
    if (restoring && (FStyle == csDropDown || FStyle == csSimple)) SetText(text);
    UpdateBounds();
}

void TCustomComboBox::DestroyWnd() {
    FCanvas->FreeHandle();
    if (!FDestroying) FSaved.Save(*FItems, *this);
    TWinControl::DestroyWnd();
}

LRESULT TCustomComboBox::GetItemData(int index) { return Send(this, CB_GETITEMDATA, index); }
void TCustomComboBox::SetItemData(int index, LRESULT data) { Send(this, CB_SETITEMDATA, index, data); }
void TCustomComboBox::ResetContent() {
    Send(this, CB_RESETCONTENT);
    Send(this, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}
void TCustomComboBox::DeleteString(int index) { Send(this, CB_DELETESTRING, index); }

int TCustomComboBox::ItemIndex() { return static_cast<int>(Send(this, CB_GETCURSEL)); }

void TCustomComboBox::SetItemIndex(int value) {
    if (ItemIndex() != value) Send(this, CB_SETCURSEL, value);
}

int TCustomComboBox::ItemHeight() {
    if (!IsOwnerDrawn() && HandleAllocated()) return static_cast<int>(Send(this, CB_GETITEMHEIGHT, 0));
    return FItemHeight;
}

void TCustomComboBox::SetItemHeight(int value) {
    if (value <= 0 || value == FItemHeight) return;
    FItemHeight = value;
    RecreateWnd();
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
}

bool TCustomComboBox::DroppedDown() { return Send(this, CB_GETDROPPEDSTATE) != 0; }
void TCustomComboBox::SetDroppedDown(bool value) { Send(this, CB_SHOWDROPDOWN, value); }

void TCustomComboBox::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value) {
    if (value < 0 || value == FMaxLength) return;
    FMaxLength = value;
    if (HandleAllocated()) Send(this, CB_LIMITTEXT, value);
}

// The open list shows DropDownCount items at most, one at least.
void TCustomComboBox::AdjustDropDown() {
    int count = std::clamp(FItems->Count(), 1, FDropDownCount);
    RECT r;
    GetWindowRect(FHandle, &r);
    SetWindowPos(FHandle, nullptr, 0, 0, r.right - r.left, ItemHeight() * count + (r.bottom - r.top) + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas->FillRect(rect);
    if (index < FItems->Count()) DrawItemText(*FCanvas, rect, FItems->Strings(index), UseRightToLeftAlignment());
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::CNCommand(TWMCommand& m) {
    switch (m.NotifyCode) {
    case CBN_DROPDOWN:
        DropDown();
        AdjustDropDown();
        break;
    case CBN_CLOSEUP: CloseUp(); break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_SELCHANGE: {
        // the edit part shows the new item before the handlers read Text
        int index = ItemIndex();
        if (index >= 0) SendMessageW(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(FItems->Strings(index)).c_str()));
        Click();
        Select();
        break;
    }
    default: break;
    }
}

void TCustomComboBox::CNDrawItem(TWMDrawItem& m) {
    DrawOwnerItem(*FCanvas, *this, *m.DrawItemStruct,
                  [this](int index, const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
    m.Message.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TWMMeasureItem& m) {
    MeasureOwnerItem(*m.MeasureItemStruct, FItemHeight, FStyle == csOwnerDrawVariable,
                     [this](int index, int& height) { MeasureItem(index, height); });
    m.Message.Result = TRUE;
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND: { TWMCommand c(m); CNCommand(c); return; }
    case CN_DRAWITEM: { TWMDrawItem d(m); CNDrawItem(d); return; }
    case CN_MEASUREITEM: { TWMMeasureItem s(m); CNMeasureItem(s); return; }
    default: break;
    }
    TWinControl::WndProc(m);
}
