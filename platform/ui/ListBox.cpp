#include "platform/ui/ListBox.h"
#include "platform/graphics/GdiObject.h"

namespace {

LRESULT Send(TCustomListBox* box, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageW(box->Handle(), msg, w, l);
}

}  // namespace

// ---- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TItemStrings>(static_cast<TItemWindow*>(this), ListBoxMessages)), FCanvas(std::make_unique<TControlCanvas>(this)) {
    ControlStyle = csDoubleClicks | csOpaque;
    FWidth = 121;
    FHeight = 97;
    SetTabStop(true);
    SetParentColor(false);
}

TCustomListBox::~TCustomListBox() {
    FDestroying = true;
    FCanvas->FreeHandle();
    DestroyHandle();
}

void TCustomListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"LISTBOX");
    p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    // the system's list leaves its text on the left whatever the alignment asked: a right-aligned
    // list of text draws its items itself
    if (FStyle == lbOwnerDrawFixed || (FStyle == lbStandard && UseRightToLeftAlignment())) p.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
    if (FSorted) p.Style |= LBS_SORT;
    if (FMultiSelect) p.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) p.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (!FIntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
    if (FTabWidth != 0) p.Style |= LBS_USETABSTOPS;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (FTabWidth != 0) Send(this, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&FTabWidth));
    if (FColumns > 0) Send(this, LB_SETCOLUMNWIDTH, std::max(1, FWidth / FColumns));
    if (FStyle == lbOwnerDrawFixed) Send(this, LB_SETITEMHEIGHT, 0, FItemHeight);
    FSaved.Restore(*FItems, *this);
    if (FSaveTopIndex > 0) Send(this, LB_SETTOPINDEX, FSaveTopIndex);
    FSaveTopIndex = 0;
}

void TCustomListBox::DestroyWnd() {
    FCanvas->FreeHandle();
    if (!FDestroying) {
        FSaved.Save(*FItems, *this);
        FSaveTopIndex = TopIndex();
    }
    TWinControl::DestroyWnd();
}

LRESULT TCustomListBox::GetItemData(int index) { return Send(this, LB_GETITEMDATA, index); }
void TCustomListBox::SetItemData(int index, LRESULT data) { Send(this, LB_SETITEMDATA, index, data); }
void TCustomListBox::ResetContent() { Send(this, LB_RESETCONTENT); }
void TCustomListBox::DeleteString(int index) { Send(this, LB_DELETESTRING, index); }

int TCustomListBox::ItemIndex() {
    return static_cast<int>(Send(this, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int value) {
    if (ItemIndex() == value) return;
    if (FMultiSelect) Send(this, LB_SETCARETINDEX, value);
    else Send(this, LB_SETCURSEL, value);
}

int TCustomListBox::ItemHeight() {
    if (FStyle == lbStandard && HandleAllocated()) return static_cast<int>(Send(this, LB_GETITEMHEIGHT));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || value == FItemHeight) return;
    FItemHeight = value;
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (value == FStyle) return;
    FStyle = value;
    RecreateWnd();
}

int TCustomListBox::TopIndex() { return static_cast<int>(Send(this, LB_GETTOPINDEX)); }
void TCustomListBox::SetTopIndex(int value) { Send(this, LB_SETTOPINDEX, value); }

TRect TCustomListBox::ItemRect(int index) {
    int count = FItems->Count();
    RECT r{};
    if (index >= 0 && index < count) {
        Send(this, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return TRect::From(r);
    }
    if (index == count) {
        // where the next item would go
        if (count == 0) return Rect(0, 0, ClientWidth(), ItemHeight());
        Send(this, LB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&r));
        TRect last = TRect::From(r);
        return Rect(last.Left, last.Bottom, last.Right, last.Bottom + last.Height());
    }
    return TRect{};
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
    if (ClientRect().Contains(pos)) {
        int count = FItems->Count();
        for (int i = std::max(0, TopIndex()); i < count; ++i) {
            RECT r{};
            Send(this, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            if (TRect::From(r).Contains(pos)) return i;
        }
        if (!existing) return count;
    }
    return -1;
}

void TCustomListBox::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == FMultiSelect) return;
    FMultiSelect = value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value) {
    if (value == FExtendedSelect) return;
    FExtendedSelect = value;
    RecreateWnd();
}

bool TCustomListBox::Selected(int index) {
    LRESULT r = Send(this, LB_GETSEL, index);
    if (r == LB_ERR) FItems->Strings(index);   // raises the index error
    return r > 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= FItems->Count()) FItems->Strings(index);
    if (FMultiSelect) Send(this, LB_SETSEL, value, index);
    else if (value) SetItemIndex(index);
    else if (ItemIndex() == index) SetItemIndex(-1);
}

int TCustomListBox::SelCount() { return static_cast<int>(Send(this, LB_GETSELCOUNT)); }

void TCustomListBox::SetColumns(int value) {
    if (value < 0 || value == FColumns) return;
    bool styleChanges = (value == 0) != (FColumns == 0);
    FColumns = value;
    if (styleChanges) RecreateWnd();
    else if (HandleAllocated()) Send(this, LB_SETCOLUMNWIDTH, std::max(1, FWidth / FColumns));
}

void TCustomListBox::SetIntegralHeight(bool value) {
    if (value == FIntegralHeight) return;
    FIntegralHeight = value;
    RecreateWnd();
}

void TCustomListBox::SetTabWidth(int value) {
    if (value < 0 || value == FTabWidth) return;
    FTabWidth = value;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas->FillRect(rect);
    if (index < FItems->Count()) DrawItemText(*FCanvas, rect, FItems->Strings(index), UseRightToLeftAlignment());
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

// A list of text is as high as the system's list makes it: a line of its font.
int TCustomListBox::TextItemHeight() {
    return FontLineHeight(Font()->Handle());
}

void TCustomListBox::CNCommand(TWMCommand& m) {
    if (m.NotifyCode == LBN_SELCHANGE) {
        Changed();
        Click();
    }
}

void TCustomListBox::CNDrawItem(TWMDrawItem& m) {
    DrawOwnerItem(*FCanvas, *this, *m.DrawItemStruct,
                  [this](int index, const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
    m.Message.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TWMMeasureItem& m) {
    MeasureOwnerItem(*m.MeasureItemStruct, FStyle == lbStandard ? TextItemHeight() : FItemHeight, FStyle == lbOwnerDrawVariable,
                     [this](int index, int& height) { MeasureItem(index, height); });
    m.Message.Result = TRUE;
}

void TCustomListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND: { TWMCommand c(m); CNCommand(c); return; }
    case CN_DRAWITEM: { TWMDrawItem d(m); CNDrawItem(d); return; }
    case CN_MEASUREITEM: { TWMMeasureItem s(m); CNMeasureItem(s); return; }
    default: break;
    }
    TWinControl::WndProc(m);
}
