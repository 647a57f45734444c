#include "controls/CoolMemo.h"
#include <cstdint>

TCoolMemo::TCoolMemo(TComponent* owner) : TCustomMemo(owner), TCoolText(this, ocNoCaption, true, fbScrollBars) {
    // a memo keeps its selection when it takes the focus
    SetAutoSelect(false);
    FCaption = Name();
}

void TCoolMemo::SetCaption(const String& value) {
    if (value == FCaption) return;
    FCaption = value;
    RefreshCaption();
}

void TCoolMemo::Notification(TComponent* component, TOperation operation) {
    TCustomMemo::Notification(component, operation);
    SkinNotification(component, operation);
}

// The window's text is the memo's own: the system must never show it as a caption.
bool TCoolMemo::ShowsOwnCaption() const { return !(Options() & ocNoCaption); }

void TCoolMemo::CreateParams(TCreateParams& p) {
    TCustomMemo::CreateParams(p);
    AlignParams(p);
    CaptionParams(p);
}

void TCoolMemo::Change() {
    TextChanged();
    TCustomMemo::Change();
}

// The window answers in 16-bit words, which wrap past 65,535 characters (or lines): the line is
// found near the first visible one, then the character on it that the low word names; a line
// longer than that holds several, and the one nearest the point is taken.
int TCoolMemo::CharFromPos(TPoint point) {
    HWND h = Handle();
    LRESULT answer = SendMessageW(h, EM_CHARFROMPOS, 0, MAKELPARAM(point.X, point.Y));
    int first = static_cast<int>(SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0));
    int line = first + static_cast<std::int16_t>(static_cast<WORD>(HIWORD(answer) - first));
    int start = static_cast<int>(SendMessageW(h, EM_LINEINDEX, std::max(line, 0), 0));
    if (start < 0) return LOWORD(answer);
    int end = start + static_cast<int>(SendMessageW(h, EM_LINELENGTH, start, 0));
    int best = start + static_cast<WORD>(LOWORD(answer) - start);
    for (int candidate = best + 0x10000; candidate <= end; candidate += 0x10000) {
        auto x = [&](int index) {
            return static_cast<short>(LOWORD(SendMessageW(h, EM_POSFROMCHAR, index, 0)));
        };
        if (std::abs(x(candidate) - point.X) < std::abs(x(best) - point.X)) best = candidate;
    }
    return best;
}

// With a caption bar the memo selects with the mouse itself, from the character pressed on.
void TCoolMemo::MouseSelect(const TMessage& m) {
    TPoint point = Point(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
    if (m.Msg == WM_LBUTTONDOWN) {
        SetFocus();
        FSelAnchor = CharFromPos(point);
        SetSelStart(FSelAnchor);
        return;
    }
    if (!(m.WParam & MK_LBUTTON) || FSelAnchor < 0) return;
    int i = CharFromPos(point);
    SendMessageW(Handle(), EM_SETSEL, FSelAnchor, i);
}

void TCoolMemo::KeyDown(WORD& key, TShiftState shift) {
    TCustomMemo::KeyDown(key, shift);
    if (!(Options() & ocFlatBorder)) return;
    HWND h = Handle();
    if (key == VK_PRIOR && SendMessageW(h, EM_GETFIRSTVISIBLELINE, 0, 0) == 0) key = 0;
    if (key == VK_NEXT) {
        // nothing below the last line shown
        RECT r;
        SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        int bottom = CharFromPos(Point(r.left, r.bottom - 1));
        if (SendMessageW(h, EM_LINEFROMCHAR, bottom, 0) >= Lines()->Count() - 1) key = 0;
    }
}

void TCoolMemo::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TCustomMemo::WndProc(message); };
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_MOUSEMOVE) && !(Options() & ocNoCaption) && HandleAllocated())
        MouseSelect(m);
    if (!TextMessage(m, inherited)) inherited(m);
}
