#pragma once
// A string grid on a shown form, with the keys, clicks and paints a user's actions produce.
#include <windows.h>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/StringGrid.h"
#include "platform/ui/testing/ShownForm.h"

// Reaches the grid's protected operations, as a descendant does.
class TTestGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    using TCustomGrid::MoveColumn;
    using TCustomGrid::MoveRow;
    using TCustomGrid::BoxRect;
};

// The keys, clicks and paints a user's actions produce on a grid (Target).
struct GridActions {
    TCustomGrid* Target = nullptr;

    // The window a user's keys reach: the editor while it is shown, else the grid. Test programs
    // share one display, and another's window may take the focus away: the keys go to their window
    // all the same, and it gets the focus back first, as a user's click would give it.
    HWND KeyTarget() {
        TInplaceEdit* editor = Target->InplaceEditor();
        HWND target = editor && editor->Visible() ? editor->Handle() : Target->Handle();
        if (GetFocus() != target) ::SetFocus(target);
        return target;
    }
    // A key as the keyboard delivers it, through the application's loop, with Shift or Ctrl held.
    void Press(WORD key, TShiftState shift = 0) {
        BYTE state[256] = {};
        if (shift & ssShift) state[VK_SHIFT] = 0x80;
        if (shift & ssCtrl) state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        HWND target = KeyTarget();
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        Application->ProcessMessages();
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
    // Characters go to the window that has the focus when each one arrives.
    void Type(const wchar_t* text) {
        for (const wchar_t* c = text; *c; ++c) {
            PostMessageW(KeyTarget(), WM_CHAR, *c, 1);
            Application->ProcessMessages();
        }
    }
    // Mouse messages on the grid, in its client coordinates.
    void Mouse(UINT msg, int x, int y, UINT keys = 0) {
        SendMessageW(Target->Handle(), msg, keys, MAKELPARAM(x, y));
    }
    void ClickCell(int x, int y, UINT keys = 0) {
        Mouse(WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y, keys);
    }
    // The grid's client area painted into a bitmap.
    void PaintInto(TBitmap& shot) {
        TRect r = Target->ClientRect();
        shot.SetSize(r.Width(), r.Height());
        Target->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    }
};

struct GridFixture : ShownFormFixture, GridActions {
    TTestGrid* Grid = nullptr;

    // 5 columns of 30, 50, 40, 60 and 64 pixels, rows of 20, lines of 1, one fixed row and column,
    // no border: cell (c, r) starts where the widths and lines before it end.
    void SetUp() override {
        ShownFormFixture::SetUp();
        Grid = new TTestGrid(Form);
        Target = Grid;
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(ssNone);
        Grid->SetBounds(0, 0, 300, 200);
        Grid->SetDefaultRowHeight(20);
        int widths[] = {30, 50, 40, 60, 64};
        for (int i = 0; i < 5; ++i) Grid->SetColWidths(i, widths[i]);
        Grid->SetColor(clWhite);
        Grid->SetFixedColor(clBtnFace);
        Application->ProcessMessages();
    }
};
