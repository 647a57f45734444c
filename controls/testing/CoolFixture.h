#pragma once
// A skinned control on a shown form, with what its tests read back: the painted pixels of its
// window, an item drawn into a bitmap with a state of the test's choosing, and keys sent as the
// system sends them. Subject is the control that Capture, Snapshot and Key act on.
#include <algorithm>
#include <memory>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/ui/testing/ShownForm.h"

struct CoolFixture : ShownFormFixture {
    TWinControl* Subject = nullptr;

    // A new control of type T on the form, made the subject.
    template <class T>
    T* Place(int left, int top, int width, int height) {
        auto* control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(left, top, width, height);
        Subject = control;
        return control;
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
    static TColor At(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }

    // The client area (or the whole window with frame) as painted now.
    using Picture = std::unique_ptr<TBitmap>;
    Picture Capture(bool frame = false) {
        RedrawWindow(Subject->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        Application->ProcessMessages();
        return Snapshot(frame);
    }
    // As painted now, without asking for a repaint.
    Picture Snapshot(bool frame = false) { return SnapshotOf(Subject->Handle(), frame); }
    static Picture SnapshotOf(TWinControl* control, bool frame = false) { return SnapshotOf(control->Handle(), frame); }
    static Picture SnapshotOf(HWND h, bool frame = false) {
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

    // An item of the subject drawn by the subject into a bitmap as large as its client area and
    // the item together, in the state the system would give.
    Picture DrawItemIn(UINT ctlType, int index, const TRect& rect, UINT itemState, TColor around) {
        TRect client = Subject->ClientRect();
        auto picture = std::make_unique<TBitmap>();
        TBitmap& b = *picture;
        Solid(&b, around, std::max(client.Width(), rect.Right), std::max(client.Height(), rect.Bottom));
        // a message sent lets go of every unlocked bitmap's DC: lock first, then take it
        b.Canvas()->Lock();
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ctlType;
        dis.CtlID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(Subject->Handle()));
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = itemState;
        dis.hwndItem = Subject->Handle();
        dis.rcItem = rect;
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

    // A key pressed and let go, with Ctrl held or not.
    void Key(WORD key, bool ctrl = false) {
        BYTE state[256];
        GetKeyboardState(state);
        BYTE saved = state[VK_CONTROL];
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Subject->Handle(), WM_KEYDOWN, key, 1);
        SendMessageW(Subject->Handle(), WM_KEYUP, key, 0xC0000001);
        state[VK_CONTROL] = saved;
        SetKeyboardState(state);
    }

    // The next dialogs are closed with button (IDOK, IDCANCEL) as soon as they show.
    static void CloseDialogsWith(int button) {
        Application->DialogHook = [button](TCommonDialog* dialog) {
            PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        };
    }

    // The next colour dialogs answer color, as if the user typed it in and pressed OK.
    static void ChooseInColorDialog(TColor color) {
        Application->DialogHook = [color](TCommonDialog* dialog) {
            HWND h = dialog->Handle();
            SetDlgItemInt(h, 706, GetRValue(color), FALSE);
            SetDlgItemInt(h, 707, GetGValue(color), FALSE);
            SetDlgItemInt(h, 708, GetBValue(color), FALSE);
            PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        };
    }

    // cycle(look) makes a control in one of the looks, uses it and frees it; after a first round
    // of every look, many more rounds leave no window and no GDI object behind.
    template <class F>
    static void ExpectNoGrowthOver(int looks, F cycle) {
        for (int look = 0; look < looks; ++look) cycle(look);
        ResourceCounts before = ResourceCounts::Take();
        for (int i = 0; i < LeakCycles(); ++i) cycle(i % looks);
        ExpectNoResourceGrowth(before, ResourceCounts::Take());
    }
};
