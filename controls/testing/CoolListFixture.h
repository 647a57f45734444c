#pragma once
// A skinned list box on a shown form, with its items drawn and clicked as the system does.
#include "controls/CoolListBox.h"
#include "controls/testing/CoolFixture.h"

struct CoolListFixture : CoolFixture {
    TCoolListBox* Box = nullptr;

    void SetUp() override {
        CoolFixture::SetUp();
        Box = Place<TCoolListBox>(10, 10, 160, 120);
    }

    // Item index drawn into a bitmap of the client's size, in the state the system would give.
    Picture DrawItemWith(int index, UINT itemState, TColor around = clFuchsia) {
        return DrawItemIn(ODT_LISTBOX, index, Box->ItemRect(index), itemState, around);
    }

    void ClickItemAt(int x, int y) {
        HWND h = Box->Handle();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};
