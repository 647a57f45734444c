#pragma once
// The users' names in the user list's order, with the list box's items, selection and clearing.
// It stands in for the users form's list box until the list box control builds in this tree.
#include "platform/rtl/Classes.h"

class TUserNames {
public:
    TStrings* Items() { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value) { FItemIndex = value >= 0 && value < FItems.Count() ? value : -1; }
    void Clear() {
        FItems.Clear();
        FItemIndex = -1;
    }

private:
    TStringList FItems;
    int FItemIndex = -1;
};
