#include "platform/ui/Edit.h"
#include <algorithm>
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/TextShaping.h"
#include "platform/rtl/SysUtils.h"

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    ControlStyle = csClickEvents | csSetCaption | csDoubleClicks | csFixedHeight;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 25);
    AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"EDIT");
    p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) p.Style |= ES_READONLY;
    if (FCharCase == ecUpperCase) p.Style |= ES_UPPERCASE;
    if (FCharCase == ecLowerCase) p.Style |= ES_LOWERCASE;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    if (UseRightToLeftAlignment()) p.Style |= ES_RIGHT;
    p.Caption = ShapeableText(p.Caption);
}

void TCustomEdit::CreateWnd() {
    FCreating = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        FCreating = false;
        throw;
    }
    FCreating = false;
    FChangedText = Text();
    SendMessageW(FHandle, EM_SETLIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::DestroyWnd() {
    FModified = Modified();
    TWinControl::DestroyWnd();
}

void TCustomEdit::SetReadOnly(bool value) {
    if (value == FReadOnly) return;
    FReadOnly = value;
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    value = std::max(0, value);
    if (value == FMaxLength) return;
    FMaxLength = value;
    if (HandleAllocated()) SendMessageW(FHandle, EM_SETLIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) ControlStyle |= csFixedHeight; else ControlStyle &= ~csFixedHeight;
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    AdjustHeight();
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (value == FCharCase) return;
    FCharCase = value;
    // the system converts the text when the style changes only on creation; convert it here
    if (value == ecUpperCase) SetText(AnsiUpperCase(Text()));
    if (value == ecLowerCase) SetText(AnsiLowerCase(Text()));
    RecreateWnd();
}

bool TCustomEdit::Modified() const {
    if (FHandle) return SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
    return FModified;
}

void TCustomEdit::SetModified(bool value) {
    FModified = value;
    if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, value, 0);
}

// One line of the font plus the border's and the edit's margins.
void TCustomEdit::AdjustHeight() {
    if (!FAutoSize) return;
    int extra = FBorderStyle == bsSingle ? GetSystemMetrics(SM_CYEDGE) * 2 + 4 : 2;
    SetHeight(FontLineHeight(Font()->Handle()) + extra);
}

int TCustomEdit::SelStart() {
    DWORD start = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int value) { SendMessageW(Handle(), EM_SETSEL, value, value); }
void TCustomEdit::SetSelLength(int value) {
    int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, start, start + value);
}
void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

String TCustomEdit::SelText() {
    int start = SelStart(), length = SelLength();
    // the window's positions answer in the layer's characters, one a code-page-1256 byte
    return Text().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TCustomEdit::SetSelText(const String& value) {
    WideString w = ToWide(value);
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()));
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == EN_CHANGE && !FCreating) {
            // Wine reports EN_CHANGE also for a key the length limit refused
            String now = Text();
            if (now == FChangedText) return;
            FChangedText = now;
            Change();
        }
        return;
    case WM_SETFOCUS:
        TWinControl::WndProc(m);
        if (FAutoSelect && !(GetKeyState(VK_LBUTTON) & 0x8000)) SendMessageW(FHandle, EM_SETSEL, 0, -1);
        return;
    case CM_TEXTCHANGED:
        TWinControl::WndProc(m);
        // no EN_CHANGE comes without a window, nor from a multi-line edit when its text is set
        if (!FHandle || (GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE)) {
            FChangedText = Text();
            Change();
        }
        return;
    case CM_FONTCHANGED: case CM_PARENTFONTCHANGED:
        TWinControl::WndProc(m);
        AdjustHeight();
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}
