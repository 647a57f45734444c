#pragma once
// Window messages as the controls see them. TMessage is what WndProc receives; the typed records
// unpack it once for a handler and write back what the handler may change (Store). Inside the
// layer WM_CHAR carries the code-page-1256 byte of the character, not UTF-16.
#include <windows.h>
#include <commctrl.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// The layer's own messages; both ranges lie above WM_APP, which system controls ignore.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;

// Notifications a parent reflects back to the child control they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// WM_KEYDOWN, WM_KEYUP, WM_CHAR (CharCode is the 1256 byte there), CN_KEYDOWN, CM_DIALOGKEY ...
struct TWMKey {
    explicit TWMKey(TMessage& m) : Message(m), Msg(m.Msg), CharCode(static_cast<WORD>(m.WParam)), KeyData(m.LParam) {}
    void Store() { Message.WParam = CharCode; }
    TMessage& Message;
    UINT Msg;
    WORD CharCode;
    LPARAM KeyData;
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;

// Mouse messages, coordinates in the receiver's client area.
struct TWMMouse {
    explicit TWMMouse(TMessage& m)
        : Message(m), Msg(m.Msg), Keys(static_cast<UINT>(m.WParam)),
          XPos(static_cast<short>(LOWORD(m.LParam))), YPos(static_cast<short>(HIWORD(m.LParam))) {}
    TMessage& Message;
    UINT Msg;
    UINT Keys;
    int XPos, YPos;
};

struct TWMPaint {
    explicit TWMPaint(TMessage& m) : Message(m), DC(reinterpret_cast<HDC>(m.WParam)) {}
    TMessage& Message;
    HDC DC;
};
using TWMEraseBkgnd = TWMPaint;

struct TWMCommand {
    explicit TWMCommand(TMessage& m)
        : Message(m), ItemID(LOWORD(m.WParam)), NotifyCode(HIWORD(m.WParam)), Ctl(reinterpret_cast<HWND>(m.LParam)) {}
    TMessage& Message;
    WORD ItemID;
    WORD NotifyCode;
    HWND Ctl;
};

struct TWMNotify {
    explicit TWMNotify(TMessage& m) : Message(m), IDCtrl(static_cast<int>(m.WParam)), NMHdr(reinterpret_cast<NMHDR*>(m.LParam)) {}
    TMessage& Message;
    int IDCtrl;
    NMHDR* NMHdr;
};

struct TWMDrawItem {
    explicit TWMDrawItem(TMessage& m) : Message(m), Ctl(static_cast<UINT>(m.WParam)), DrawItemStruct(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)) {}
    TMessage& Message;
    UINT Ctl;
    DRAWITEMSTRUCT* DrawItemStruct;
};

struct TWMMeasureItem {
    explicit TWMMeasureItem(TMessage& m) : Message(m), IDCtl(static_cast<UINT>(m.WParam)), MeasureItemStruct(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)) {}
    TMessage& Message;
    UINT IDCtl;
    MEASUREITEMSTRUCT* MeasureItemStruct;
};

struct TWMCtlColor {
    explicit TWMCtlColor(TMessage& m) : Message(m), ChildDC(reinterpret_cast<HDC>(m.WParam)), ChildWnd(reinterpret_cast<HWND>(m.LParam)) {}
    TMessage& Message;
    HDC ChildDC;
    HWND ChildWnd;
};

struct TWMSize {
    explicit TWMSize(TMessage& m) : Message(m), SizeType(static_cast<UINT>(m.WParam)), Width(LOWORD(m.LParam)), Height(HIWORD(m.LParam)) {}
    TMessage& Message;
    UINT SizeType;
    int Width, Height;
};

struct TWMTimer {
    explicit TWMTimer(TMessage& m) : Message(m), TimerID(m.WParam) {}
    TMessage& Message;
    WPARAM TimerID;
};

struct TWMActivate {
    explicit TWMActivate(TMessage& m) : Message(m), Active(LOWORD(m.WParam)), Minimized(HIWORD(m.WParam) != 0), ActiveWindow(reinterpret_cast<HWND>(m.LParam)) {}
    TMessage& Message;
    WORD Active;
    bool Minimized;
    HWND ActiveWindow;
};
