#include "platform/ui/ItemStrings.h"

const TItemMessages ListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_ADDSTRING, LB_INSERTSTRING,
                                    LB_FINDSTRINGEXACT, LB_GETITEMDATA, LB_SETITEMDATA, LB_DELETESTRING,
                                    LB_RESETCONTENT, LB_ERR};
const TItemMessages ComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING, CB_INSERTSTRING,
                                     CB_FINDSTRINGEXACT, CB_GETITEMDATA, CB_SETITEMDATA, CB_DELETESTRING,
                                     CB_RESETCONTENT, CB_ERR};

LRESULT TItemStrings::Send(UINT msg, WPARAM w, LPARAM l) const { return SendMessageW(FOwner->ItemHandle(), msg, w, l); }

void TItemStrings::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
}

int TItemStrings::GetCount() const { return static_cast<int>(Send(FMsg.Count)); }

String TItemStrings::Get(int index) const {
    LRESULT len = Send(FMsg.TextLength, index);
    if (len == FMsg.Error) Error("List index out of bounds (%d)", index);
    WideString text(static_cast<std::size_t>(len) + 1, L'\0');
    LRESULT got = Send(FMsg.Text, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
    return FromWide(text);
}

TObject* TItemStrings::GetObjectAt(int index) const {
    CheckIndex(index);
    return reinterpret_cast<TObject*>(FOwner->GetItemData(index));
}

void TItemStrings::PutObject(int index, TObject* object) {
    CheckIndex(index);
    FOwner->SetItemData(index, reinterpret_cast<LRESULT>(object));
}

int TItemStrings::Add(const String& s) {
    WideString w = ToWide(s);
    LRESULT index = Send(FMsg.Add, 0, reinterpret_cast<LPARAM>(w.c_str()));
    if (index < 0) throw EOutOfResources("Cannot add an item to the list");
    return static_cast<int>(index);
}

void TItemStrings::Insert(int index, const String& s) {
    if (index < 0 || index > GetCount()) Error("List index out of bounds (%d)", index);
    WideString w = ToWide(s);
    if (Send(FMsg.Insert, index, reinterpret_cast<LPARAM>(w.c_str())) < 0)
        throw EOutOfResources("Cannot insert an item into the list");
}

void TItemStrings::Delete(int index) {
    CheckIndex(index);
    FOwner->DeleteString(index);
}

void TItemStrings::Put(int index, const String& s) {
    CheckIndex(index);
    int selected = FOwner->ItemIndex();
    LRESULT data = FOwner->GetItemData(index);
    FOwner->DeleteString(index);
    Insert(index, s);
    FOwner->SetItemData(index, data);
    FOwner->SetItemIndex(selected);
}

void TItemStrings::Clear() { FOwner->ResetContent(); }

int TItemStrings::IndexOf(const String& s) const {
    WideString w = ToWide(s);
    LRESULT found = Send(FMsg.FindExact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(w.c_str()));
    return found == FMsg.Error ? -1 : static_cast<int>(found);
}

void TItemStrings::SetUpdateState(bool updating) {
    Send(WM_SETREDRAW, !updating);
    if (!updating) FOwner->InvalidateItems();
}

void TSavedItems::Save(TItemStrings& items, TItemWindow& box) {
    int count = items.Count();
    FItems.clear();
    FItems.reserve(count);
    for (int i = 0; i < count; ++i) FItems.push_back({items.Strings(i), box.GetItemData(i)});
    FItemIndex = box.ItemIndex();
    FSaved = true;
}

void TSavedItems::Restore(TItemStrings& items, TItemWindow& box) {
    if (!FSaved) return;
    int selected = -1;
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        int index = items.Add(FItems[i].Text);
        box.SetItemData(index, FItems[i].Data);
        if (static_cast<int>(i) == FItemIndex) selected = index;
        else if (selected >= 0 && index <= selected) ++selected;
    }
    FItems.clear();
    FSaved = false;
    box.SetItemIndex(selected);
}
