#pragma once
// A skinned list on a shown form, with what its tests read back: the painted pixels of the
// window, an item drawn into a bitmap with a state of the test's choosing, and clicks and keys
// sent as the system sends them.
#include <algorithm>
#include <memory>
#include "controls/CoolListBox.h"
#include "platform/ui/testing/ShownForm.h"

struct CoolListFixture : ShownFormFixture {
    TCoolListBox* Box = nullptr;

    void SetUp() override {
        ShownFormFixture::SetUp();
        Box = new TCoolListBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 160, 120);
    }

    static void Solid(TBitmap* b, TColor color, int width = 8, int height = 8) {
        b->SetPixelFormat(pf24bit);
        b->SetSize(width, height);
        b->Canvas()->Brush()->SetColor(color);
        b->Canvas()->FillRect(Rect(0, 0, width, height));
    }

    // Every pixel tells where it lies: red = x * 8, green = y * 8.
    static void Pattern(TBitmap* b, int width, int height) {
        b->SetPixelFormat(pf24bit);
        b->SetSize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) b->Canvas()->SetPixels(x, y, PatternAt(x, y));
    }
    static TColor PatternAt(int x, int y) { return static_cast<TColor>(RGB(x * 8, y * 8, 0)); }

    static TColor RGBOf(TColor c) { return static_cast<TColor>(ColorToRGB(c)); }

    // The client area (or the whole window with frame) as painted now.
    using Picture = std::unique_ptr<TBitmap>;
    Picture Capture(bool frame = false) {
        RedrawWindow(Box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Application->ProcessMessages();
        return Snapshot(frame);
    }
    // As painted now, without asking for a repaint.
    Picture Snapshot(bool frame = false) { return SnapshotOf(Box, frame); }
    static Picture SnapshotOf(TWinControl* control, bool frame = false) {
        HWND h = control->Handle();
        RECT r;
        if (frame) {
            GetWindowRect(h, &r);
            OffsetRect(&r, -r.left, -r.top);
        } else {
            GetClientRect(h, &r);
        }
        auto b = std::make_unique<TBitmap>();
        b->SetPixelFormat(pf24bit);
        b->SetSize(r.right, r.bottom);
        HDC dc = frame ? GetWindowDC(h) : GetDC(h);
        BitBlt(b->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(h, dc);
        return b;
    }

    // Item index drawn into a bitmap of the client's size, in the state the system would give.
    Picture DrawItemWith(int index, UINT itemState, TColor around = clFuchsia) {
        TRect client = Box->ClientRect();
        auto picture = std::make_unique<TBitmap>();
        TBitmap& b = *picture;
        Solid(&b, around, client.Width(), client.Height());
        // a message sent lets go of every unlocked bitmap's DC: lock first, then take it
        b.Canvas()->Lock();
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.CtlID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(Box->Handle()));
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = itemState;
        dis.hwndItem = Box->Handle();
        dis.rcItem = Box->ItemRect(index);
        dis.hDC = b.Canvas()->Handle();
        SendMessageW(Form->Handle(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        b.Canvas()->Unlock();
        return picture;
    }

    static int Count(TBitmap& b, const TRect& r, TColor color) {
        int n = 0;
        for (int y = std::max(0, r.Top); y < std::min(b.Height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(b.Width(), r.Right); ++x) n += b.Canvas()->Pixels(x, y) == color;
        return n;
    }

    void ClickItemAt(int x, int y) {
        HWND h = Box->Handle();
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Key(WORD key, bool ctrl = false) {
        BYTE state[256];
        GetKeyboardState(state);
        BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Box->Handle(), WM_KEYDOWN, key, 1);
        SendMessageW(Box->Handle(), WM_KEYUP, key, 0xC0000001);
        state[VK_CONTROL] = saved;
        SetKeyboardState(state);
    }
};
