#include "platform/ui/TControl.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TWinControl.h"

namespace {
TControl* CaptureControl = nullptr;
}

TControl* GetCaptureControl() { return CaptureControl; }
void SetCaptureControl(TControl* control) {
    CaptureControl = nullptr;
    if (!control) { ReleaseCapture(); return; }
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        SetCapture(w->Handle());
    } else if (control->Parent()) {
        SetCapture(control->Parent()->Handle());
    } else {
        return;
    }
    CaptureControl = control;
}

HCURSOR CursorHandle(TCursor cursor) {
    const wchar_t* id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return LoadCursorW(nullptr, id);
}

TShiftState KeysToShiftState(UINT keys) {
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (keyData & 0x20000000) s |= ssAlt;
    return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont->OnChange = [this](TObject* s) { FontChanged(s); };
}

TControl::~TControl() {
    Destroying();
    if (CaptureControl == this) { CaptureControl = nullptr; ReleaseCapture(); }
    if (Application) Application->ControlDestroyed(this);
    if (Screen) Screen->ControlDestroyed(this);
    SetParent(nullptr);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool resized = width != FWidth || height != FHeight;
    InvalidateControl(true);
    FLeft = left; FTop = top; FWidth = width; FHeight = height;
    InvalidateControl(true);
    if (FParent) FParent->Realign();
    if (resized) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientSize(int width, int height) {
    TRect c = ClientRect();
    SetBounds(FLeft, FTop, FWidth + width - c.Width(), FHeight + height - c.Height());
}

TPoint TControl::ClientOrigin() {
    if (!FParent) return Point(FLeft, FTop);
    TPoint p = FParent->ClientOrigin();
    return Point(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint p) {
    TPoint o = ClientOrigin();
    return Point(p.X + o.X, p.Y + o.Y);
}

TPoint TControl::ScreenToClient(TPoint p) {
    TPoint o = ClientOrigin();
    return Point(p.X - o.X, p.Y - o.Y);
}

void TControl::SetParent(TWinControl* value) {
    if (value == FParent) return;
    if (value == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (value) value->InsertControl(this);
}

void TControl::SetVisible(bool value) {
    if (value == FVisible) return;
    InvalidateControl(true);
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value);
}

void TControl::Show() {
    if (FParent) FParent->ShowControl(this);
    SetVisible(true);
}

bool TControl::IsShowing() const { return FVisible && FParent && FParent->IsShowing(); }

void TControl::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

// Text lives in the window when there is one, else in the object; both answer WM_GETTEXT.
String TControl::Text() const {
    auto* self = const_cast<TControl*>(this);
    int len = static_cast<int>(self->Perform(WM_GETTEXTLENGTH));
    if (len <= 0) return String();
    WideString buf(len + 1, L'\0');
    int got = static_cast<int>(self->Perform(WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data())));
    buf.resize(got < 0 ? 0 : got);
    return FromWide(buf);
}

void TControl::SetText(const String& value) {
    if (Text() == value) return;
    WideString w = ToWide(value);
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const String& value) {
    String old = Name();
    bool changeText = (ControlStyle & csSetCaption) && !(ComponentState() & csLoading) && Text() == old;
    TComponent::SetName(value);
    if (changeText) SetText(value);
}

void TControl::SetShowHint(bool value) {
    if (value == FShowHint && !FParentShowHint) return;
    FShowHint = value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (value == FParentShowHint) return;
    FParentShowHint = value;
    if (value && FParent) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::FontChanged(TObject*) {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value && FParent) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value && FParent) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
    if (value == FBiDiMode) return;
    FBiDiMode = value;
    FParentBiDiMode = false;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
    if (value == FParentBiDiMode) return;
    FParentBiDiMode = value;
    if (value && FParent) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign) return;
    FAlign = value;
    FAnchors = akLeft | akTop;
    if (FParent) FParent->Realign();
}

void TControl::SetCursor(TCursor value) {
    if (value == FCursor) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

bool TControl::MouseCapture() const { return CaptureControl == this; }
void TControl::SetMouseCapture(bool value) {
    if (value == MouseCapture()) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::InvalidateControl(bool erase) {
    if (!FParent || !FParent->HandleAllocated() || !FVisible || FIsWindowed) return;
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, erase && !(ControlStyle & csOpaque) && !(FParent->ControlStyle & csOpaque));
}

void TControl::Invalidate() { InvalidateControl(true); }
void TControl::Update() { if (FParent) FParent->Update(); }
void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() { if (FParent) FParent->SetChildOrder(this, true); }
void TControl::SendToBack() { if (FParent) FParent->SetChildOrder(this, false); }

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: {
        bool dbl = message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK;
        TMouseButton button = (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) ? mbLeft
                            : (message.Msg == WM_RBUTTONDOWN || message.Msg == WM_RBUTTONDBLCLK) ? mbRight : mbMiddle;
        // without csDoubleClicks a double-click is a second button-down
        if (dbl && !(ControlStyle & csDoubleClicks)) { message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; dbl = false; }
        if (button == mbLeft) ControlState |= csLButtonDown;
        TWMMouse m(message);
        WMButtonDown(m, button, dbl);
        return;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
        TMouseButton button = message.Msg == WM_LBUTTONUP ? mbLeft : message.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
        TWMMouse m(message);
        WMButtonUp(m, button);
        if (button == mbLeft) ControlState &= ~csLButtonDown;
        return;
    }
    case WM_MOUSEMOVE: { TWMMouse m(message); WMMouseMove(m); return; }
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); return;
    case CM_COLORCHANGED: CMColorChanged(message); return;
    case CM_FONTCHANGED: CMFontChanged(message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(message); return;
    case CM_PARENTBIDIMODECHANGED: CMParentBiDiModeChanged(message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(message); return;
    case CM_HITTEST: message.Result = HTCLIENT; return;
    default: break;
    }
    DefaultHandler(message);
}

// Without a window, the text messages are answered from the stored text.
void TControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(ToWide(FText).size()); break;
    case WM_GETTEXT: {
        WideString w = ToWide(FText);
        auto* buf = reinterpret_cast<wchar_t*>(message.LParam);
        std::size_t cap = message.WParam;
        if (!buf || cap == 0) { message.Result = 0; break; }
        std::size_t n = std::min(cap - 1, w.size());
        w.copy(buf, n);
        buf[n] = L'\0';
        message.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_SETTEXT:
        FText = message.LParam ? FromWide(reinterpret_cast<const wchar_t*>(message.LParam)) : String();
        message.Result = TRUE;
        break;
    default: break;
    }
}

void TControl::WMButtonDown(TWMMouse& m, TMouseButton button, bool doubleClick) {
    DefaultHandler(m.Message);   // a system control handles the press first
    if ((ControlStyle & csCaptureMouse) && button == mbLeft) SetMouseCapture(true);
    if ((ControlStyle & csClickEvents) && button == mbLeft) ControlState |= csClicked;
    TShiftState shift = KeysToShiftState(m.Keys);
    if (doubleClick) {
        if (button == mbLeft) DblClick();
        shift |= ssDouble;
    }
    MouseDown(button, shift, m.XPos, m.YPos);
}

void TControl::WMButtonUp(TWMMouse& m, TMouseButton button) {
    DefaultHandler(m.Message);
    if (button == mbLeft) {
        if (ControlStyle & csCaptureMouse) SetMouseCapture(false);
        if (ControlState & csClicked) {
            ControlState &= ~csClicked;
            if (ClientRect().Contains(Point(m.XPos, m.YPos))) Click();
        }
    }
    MouseUp(button, KeysToShiftState(m.Keys), m.XPos, m.YPos);
}

void TControl::WMMouseMove(TWMMouse& m) {
    DefaultHandler(m.Message);
    MouseMove(KeysToShiftState(m.Keys), m.XPos, m.YPos);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::Click() { if (OnClick) OnClick(this); }
void TControl::DblClick() { if (OnDblClick) OnDblClick(this); }
void TControl::Resize() { if (OnResize) OnResize(this); }

void TControl::CMEnabledChanged(TMessage& m) { Invalidate(); DefaultHandler(m); }
void TControl::CMVisibleChanged(TMessage& m) {
    if (FParent) FParent->Realign();
    InvalidateControl(true);
    DefaultHandler(m);
}
void TControl::CMColorChanged(TMessage& m) { Invalidate(); DefaultHandler(m); }
void TControl::CMFontChanged(TMessage& m) { Invalidate(); DefaultHandler(m); }

void TControl::CMParentColorChanged(TMessage& m) {
    if (FParentColor) {
        TColor c = m.WParam ? static_cast<TColor>(m.LParam) : (FParent ? FParent->Color() : FColor);
        SetColor(c);
        FParentColor = true;
    }
}

void TControl::CMParentFontChanged(TMessage& m) {
    if (FParentFont) {
        TFont* f = m.WParam ? reinterpret_cast<TFont*>(m.LParam) : (FParent ? FParent->Font() : nullptr);
        if (f) FFont->Assign(f);
        FParentFont = true;
    }
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
    if (FParentBiDiMode && FParent) {
        SetBiDiMode(FParent->BiDiMode());
        FParentBiDiMode = true;
    }
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (FParentShowHint && FParent) {
        FShowHint = FParent->ShowHint();
        FParentShowHint = true;
    }
}
