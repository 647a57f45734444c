#include "platform/ui/HintWindow.h"
#include <algorithm>
#include "platform/ui/Alignment.h"
#include "platform/ui/NonClientMetrics.h"

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
    SetColor(clInfoBk);
    TGdiObject<HFONT> status = CreateStatusFont();
    Font()->SetHandle(status.Get());
    // the system's status font is small (8 points under Wine), too small for Arabic letters
    if (Font()->Size() < SmallestPointSize) Font()->SetSize(SmallestPointSize);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.WndParent = nullptr;
    p.WindowClass.style |= CS_SAVEBITS;
    p.WinClassName = L"Tapwise.HintWindow";
}

UINT THintWindow::TextFormat() const {
    return DT_WORDBREAK | DT_NOPREFIX | (FRightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
}

TRect THintWindow::CalcHintRect(int maxWidth, const String& hint, bool rightToLeft) {
    FRightToLeft = rightToLeft;
    const int frame = 2 * (Margin + GetSystemMetrics(SM_CXBORDER));
    RECT text{0, 0, std::max(1, maxWidth - frame), 0};
    TWindowDCBorrow screen(nullptr);
    DrawControlText(screen.Get(), Font(), hint, text, TextFormat() | DT_CALCRECT);
    return Rect(0, 0, text.right + frame, text.bottom + 2 * (Margin + GetSystemMetrics(SM_CYBORDER)));
}

void THintWindow::ActivateHint(TRect rect, const String& hint, bool rightToLeft) {
    FRightToLeft = rightToLeft;
    SetCaption(hint);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromPoint({rect.Left, rect.Top}, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = rect.Width(), height = rect.Height();
    const int left = std::max<int>(work.left, std::min<int>(rect.Left, work.right - width));
    const int top = std::max<int>(work.top, std::min<int>(rect.Top, work.bottom - height));
    SetBounds(left, top, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::Hide() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(client);
    RECT text{client.Left + Margin, client.Top + Margin, client.Right - Margin, client.Bottom - Margin};
    DrawControlText(c->Handle(), Font(), Text(), text, TextFormat());
}

void THintWindow::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(m);
}
