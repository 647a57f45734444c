#include "platform/ui/TWinControl.h"
#include <algorithm>
#include <unordered_map>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiObject.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TCustomControl.h"
#include "platform/ui/TGraphicControl.h"

namespace {

thread_local TWinControl* CreationControl = nullptr;

// The control of each window of ours. A window property would do the same, but under Wine every
// property read is a round trip to the server, and this is read for every message.
std::unordered_map<HWND, TWinControl*>& WindowControls() {
    static std::unordered_map<HWND, TWinControl*> controls;
    return controls;
}

TWinControl* ControlOf(HWND window) {
    auto& controls = WindowControls();
    auto it = controls.find(window);
    return it == controls.end() ? nullptr : it->second;
}

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }
bool IsCharMessage(UINT msg) { return msg == WM_CHAR || msg == WM_SYSCHAR || msg == WM_DEADCHAR || msg == WM_SYSDEADCHAR; }

// Characters travel inside the layer as code-page-1256 bytes.
WPARAM CharToByte(WPARAM utf16) {
    wchar_t w = static_cast<wchar_t>(utf16);
    String s = FromWide(std::wstring_view(&w, 1));
    return s.empty() ? 0 : static_cast<unsigned char>(s[0]);
}
WPARAM ByteToChar(WPARAM byte) {
    char c = static_cast<char>(byte & 0xFF);
    WideString w = ToWide(std::string_view(&c, 1));
    return w.empty() ? 0 : static_cast<WPARAM>(w[0]);
}

}  // namespace

TWinControl* FindControl(HWND window) {
    return window ? ControlOf(window) : nullptr;
}

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = ControlOf(hwnd);
    if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
    TMessage m{msg, IsCharMessage(msg) ? CharToByte(wParam) : wParam, lParam, 0};
    if (msg == WM_NCDESTROY) {
        WNDPROC def = control->FDefWndProc;
        control->MainWndProc(m);
        WindowControls().erase(hwnd);
        if (control->FHandle == hwnd) control->FHandle = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(def ? def : DefWindowProcW));
        return m.Result;
    }
    control->MainWndProc(m);
    return m.Result;
}

// The first message of a new window ties it to the control being created.
LRESULT CALLBACK InitWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = CreationControl;
    if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
    CreationControl = nullptr;
    control->FHandle = hwnd;
    WindowControls()[hwnd] = control;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindowProc));
    return ControlWindowProc(hwnd, msg, wParam, lParam);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>()) {
    FIsWindowed = true;
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    if (FHandle) DestroyHandle();
    // children go with their parent, whoever owns them
    while (!FWinControls.empty() || !FControls.empty()) {
        TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
        RemoveControl(c);
        c->Free();
    }
    if (FParent) FParent->RemoveControl(this);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    int n = static_cast<int>(FControls.size());
    return index < n ? FControls[index] : FWinControls[index - n];
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) {
    auto hit = [&](TControl* c) {
        return c->Visible() && (c->Enabled() || allowDisabled) && c->BoundsRect().Contains(pos) &&
               c->Perform(CM_HITTEST, 0, MAKELPARAM(pos.X - c->Left(), pos.Y - c->Top())) != 0;
    };
    if (allowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(w);
        FTabList.push_back(w);
    } else {
        FControls.push_back(control);
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->FHandle) {
            if (FHandle) ::SetParent(w->FHandle, FHandle); else w->DestroyHandle();
        }
        w->UpdateControlState();
    } else {
        control->Invalidate();
    }
    Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->FIsWindowed) {
        auto* w = static_cast<TWinControl*>(control);
        if (TForm* form = GetParentForm(this)) form->DefocusControl(w, true);
        if (w->FHandle && !(ComponentState() & csDestroying)) w->DestroyHandle();
        w->FShowing = false;
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), w), FWinControls.end());
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
    } else {
        control->InvalidateControl(true);
        FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    }
    control->FParent = nullptr;
    if (!(ComponentState() & csDestroying)) Realign();
}

void TWinControl::ShowControl(TControl*) {
    if (FParent) FParent->ShowControl(this);
}

void TWinControl::SetChildOrder(TControl* control, bool toFront) {
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        auto& list = FWinControls;
        list.erase(std::remove(list.begin(), list.end(), w), list.end());
        if (toFront) list.push_back(w); else list.insert(list.begin(), w);
        if (w->FHandle) SetWindowPos(w->FHandle, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        auto& list = FControls;
        list.erase(std::remove(list.begin(), list.end(), control), list.end());
        if (toFront) list.push_back(control); else list.insert(list.begin(), control);
        control->Invalidate();
    }
}

void TWinControl::SetParent(TWinControl* value) {
    TControl::SetParent(value);
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = ToWide(FText);
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle & csAcceptsControls) {
        p.Style |= WS_CLIPCHILDREN;
        p.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (FTabStop) p.Style |= WS_TABSTOP;
    if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    if (UseRightToLeftAlignment()) p.ExStyle |= WS_EX_RIGHT;
    p.X = FLeft; p.Y = FTop; p.Width = FWidth; p.Height = FHeight;
    p.WndParent = FParent ? FParent->Handle() : nullptr;
    p.WindowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    p.WindowClass.lpfnWndProc = DefWindowProcW;
    p.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    p.WindowClass.hbrBackground = nullptr;
    p.WinClassName = L"Tapwise.Window";
}

void TWinControl::CreateSubClass(TCreateParams& p, const wchar_t* systemClassName) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, systemClassName, &wc) && !GetClassInfoW(GetModuleHandleW(nullptr), systemClassName, &wc))
        throw EOutOfResources("Window class " + FromWide(systemClassName) + " is not registered");
    // the copy keeps the system class's styles and extra bytes; its procedure is the default one
    wc.hInstance = nullptr;
    wc.lpszClassName = nullptr;
    wc.lpszMenuName = nullptr;
    p.WindowClass = wc;
    p.WinClassName = WideString(L"Tapwise.") + systemClassName;
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (!p.WndParent && (p.Style & WS_CHILD))
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = p.WindowClass.lpfnWndProc;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW existing{};
    if (!GetClassInfoW(instance, p.WinClassName.c_str(), &existing)) {
        WNDCLASSW wc = p.WindowClass;
        wc.lpfnWndProc = InitWindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = p.WinClassName.c_str();
        if (!RegisterClassW(&wc)) throw EOutOfResources("Cannot register window class");
    }
    CreationControl = this;
    CreateWindowHandle(p);
    CreationControl = nullptr;
    if (!FHandle) throw EOutOfResources("Error creating window");
    if (p.Style & WS_CHILD) SetWindowLongPtrW(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                    p.WndParent, nullptr, GetModuleHandleW(nullptr), p.Param);
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    ControlState |= csCreating;
    try {
        CreateWnd();
    } catch (...) {
        ControlState &= ~csCreating;
        throw;
    }
    ControlState &= ~csCreating;
    // keep the stacking order of the child list, whose last control lies on top: the window goes
    // just below the first later sibling that has one
    if (FParent) {
        auto& list = FParent->FWinControls;
        auto it = std::find(list.begin(), list.end(), this);
        HWND insertAfter = HWND_TOP;
        for (auto p = it == list.end() ? it : std::next(it); p != list.end(); ++p)
            if ((*p)->FHandle) {
                insertAfter = (*p)->FHandle;
                break;
            }
        SetWindowPos(FHandle, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    FLastClientWidth = -1;
    Realign();
}

void TWinControl::DestroyWnd() {
    FText = Text();   // the window's text lives on in the object
    HWND h = FHandle;
    DestroyWindow(h);
    FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    ControlState |= csDestroyingHandle;
    for (TWinControl* c : FWinControls) c->DestroyHandle();
    DestroyWnd();
    FShowing = false;
    ControlState &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
    if (!FHandle) return;
    bool focused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (focused && FHandle) ::SetFocus(FHandle);
}

// A visible control gets its window, and its visible children theirs, once its whole parent
// chain up to a form is showing; a child of a hidden form keeps Showing and is hidden with it.
void TWinControl::UpdateShowing() {
    bool show = FVisible && !(ComponentState() & csReading);
    if (show) {
        HandleNeeded();
        for (TWinControl* c : std::vector<TWinControl*>(FWinControls)) c->UpdateShowing();
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            FShowing = !show;
            throw;
        }
    }
}

void TWinControl::UpdateControlState() {
    TWinControl* top = this;
    while (top->FParent) {
        top = top->FParent;
        if (!top->FShowing) return;
    }
    if (dynamic_cast<TForm*>(top)) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    bool resized = width != FWidth || height != FHeight;
    FLeft = left; FTop = top; FWidth = width; FHeight = height;
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    }
    if (resized) Realign();
    if (FParent) FParent->Realign();
    if (resized) Resize();
}

// Reads the window's rectangle back, after the system or the user changed it.
void TWinControl::UpdateBounds() {
    if (!FHandle) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(FHandle);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        if (parent && (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) std::swap(r.left, r.right);
    }
    bool resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
    FLeft = r.left; FTop = r.top; FWidth = r.right - r.left; FHeight = r.bottom - r.top;
    if (resized) Realign();
}

TRect TWinControl::ClientRect() {
    if (!FHandle) return TControl::ClientRect();
    RECT r;
    GetClientRect(FHandle, &r);
    return TRect::From(r);
}

TPoint TWinControl::ClientOrigin() {
    POINT p{0, 0};
    ::ClientToScreen(Handle(), &p);
    return Point(p.x, p.y);
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, !(ControlStyle & csOpaque));
}
void TWinControl::Update() { if (FHandle) UpdateWindow(FHandle); }
void TWinControl::Repaint() { Invalidate(); Update(); }

void TWinControl::Realign() {
    if (FAlignLevel > 0 || (ComponentState() & csDestroying)) return;
    TRect r = ClientRect();
    if (FLastClientWidth >= 0 && (r.Width() != FLastClientWidth || r.Height() != FLastClientHeight))
        AnchorChildren(FLastClientWidth, FLastClientHeight);
    FLastClientWidth = r.Width();
    FLastClientHeight = r.Height();
    AlignControls(r);
}

// Children anchored right or bottom keep their distance to that side when the parent resizes.
void TWinControl::AnchorChildren(int oldWidth, int oldHeight) {
    TRect r = ClientRect();
    int dx = r.Width() - oldWidth, dy = r.Height() - oldHeight;
    ++FAlignLevel;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() != alNone) continue;
        TAnchors a = c->Anchors();
        int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
        if (a & akRight) { if (a & akLeft) width += dx; else left += dx; }
        if (a & akBottom) { if (a & akTop) height += dy; else top += dy; }
        if (left != c->Left() || top != c->Top() || width != c->Width() || height != c->Height())
            c->SetBounds(left, top, width, height);
    }
    --FAlignLevel;
}

void TWinControl::AlignControls(TRect& rect) {
    ++FAlignLevel;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->Align() != align || !c->Visible()) continue;
            switch (align) {
            case alTop: c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height()); rect.Top += c->Height(); break;
            case alBottom: c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height()); rect.Bottom -= c->Height(); break;
            case alLeft: c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height()); rect.Left += c->Width(); break;
            case alRight: c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height()); rect.Right -= c->Width(); break;
            case alClient: c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
            default: break;
            }
        }
    }
    --FAlignLevel;
}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    value = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
    if (value == FTabStop) return;
    FTabStop = value;
    if (FHandle) {
        LONG style = GetWindowLongW(FHandle, GWL_STYLE);
        SetWindowLongW(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

bool TWinControl::CanFocus() {
    TForm* form = GetParentForm(this);
    if (!form) return false;
    for (TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (c == form) break;
    }
    return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
    if (TForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (FHandle) {
        ::SetFocus(FHandle);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* c : FTabList) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return;
    int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start >= n) start = goForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[i];
        if ((!checkTabStop || c->TabStop()) && c->CanFocus() && c->Parent() && c->Parent()->FShowing) {
            c->SetFocus();
            return;
        }
    }
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = first ? std::find(FControls.begin(), FControls.end(), first) : FControls.begin();
    if (it == FControls.end()) it = FControls.begin();
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (!c->Visible() && !(c->ComponentState() & csDesigning)) continue;
        RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        TScopedDCState state(dc);
        POINT org;
        GetWindowOrgEx(dc, &org);
        SetWindowOrgEx(dc, org.x - c->Left(), org.y - c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintHandler(HDC dc) {
    int clip = SIMPLEREGION;
    {
        TScopedDCState state(dc);
        for (TControl* c : FControls)
            if (c->Visible() && (c->ControlStyle & csOpaque)) {
                clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
                if (clip == NULLREGION) break;
            }
        if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::WMPaint(TWMPaint& m) {
    if (!(ControlState & csCustomPaint) && FControls.empty()) {
        DefaultHandler(m.Message);
        return;
    }
    if (m.DC) {
        PaintHandler(m.DC);
    } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        PaintHandler(dc);
        EndPaint(FHandle, &ps);
    }
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& m) {
    RECT r = ClientRect();
    FBrush->SetColor(Color());
    ::FillRect(m.DC, &r, FBrush->Handle());
    m.Message.Result = 1;
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
    HWND h = Handle();
    TScopedDCState state(dc);
    RECT window, client;
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    POINT origin{0, 0};
    ::ClientToScreen(h, &origin);
    OffsetViewportOrgEx(dc, x, y, nullptr);
    IntersectClipRect(dc, 0, 0, window.right - window.left, window.bottom - window.top);
    RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
    if (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    else if (GetWindowLongW(h, GWL_STYLE) & WS_BORDER) DrawEdge(dc, &frame, BDR_OUTER, BF_RECT | BF_MONO);
    OffsetViewportOrgEx(dc, origin.x - window.left, origin.y - window.top, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    for (TWinControl* child : FWinControls)
        if (child->Visible() && child->HandleAllocated()) child->PaintTo(dc, child->Left(), child->Top());
}

void TWinControl::Broadcast(TMessage& message) {
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) { if (OnKeyDown) OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(WORD& key, TShiftState shift) { if (OnKeyUp) OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char& key) { if (OnKeyPress) OnKeyPress(this, key); }

// A KeyPreview form sees the key first; a key zeroed by a handler goes no further.
bool TWinControl::DoKeyDown(TWMKey& m) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(m)) return true;
    if (!(ControlStyle & csNoStdEvents)) {
        KeyDown(m.CharCode, KeyDataToShiftState(m.KeyData));
        if (m.CharCode == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyUp(TWMKey& m) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(m)) return true;
    if (!(ControlStyle & csNoStdEvents)) {
        KeyUp(m.CharCode, KeyDataToShiftState(m.KeyData));
        if (m.CharCode == 0) return true;
    }
    return false;
}

bool TWinControl::DoKeyPress(TWMKey& m) {
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(m)) return true;
    if (!(ControlStyle & csNoStdEvents)) {
        char c = static_cast<char>(m.CharCode);
        KeyPress(c);
        m.CharCode = static_cast<unsigned char>(c);
        if (c == 0) return true;
    }
    return false;
}

void TWinControl::WMKeyDown(TWMKey& m) {
    if (!DoKeyDown(m)) { m.Store(); DefaultHandler(m.Message); }
}
void TWinControl::WMKeyUp(TWMKey& m) {
    if (!DoKeyUp(m)) { m.Store(); DefaultHandler(m.Message); }
}
void TWinControl::WMChar(TWMKey& m) {
    if (!DoKeyPress(m)) { m.Store(); DefaultHandler(m.Message); }
}

void TWinControl::WMSetFocus(TMessage& m) {
    if (TForm* form = GetParentForm(this))
        if (!form->SetFocusedControl(this)) return;
    DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT) {
        TCursor cursor = Cursor();
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        if (TControl* c = ControlAtPos(Point(p.x, p.y), false))
            if (c->Cursor() != crDefault) cursor = c->Cursor();
        if (cursor != crDefault) {
            ::SetCursor(CursorHandle(cursor));
            m.Result = TRUE;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
    int oldW = FWidth, oldH = FHeight;
    DefaultHandler(m);
    UpdateBounds();
    if (oldW != FWidth || oldH != FHeight) Resize();
}

void TWinControl::CNKeyDown(TWMKey& m) {
    m.Message.Result = 1;
    if (Perform(CM_CHILDKEY, m.CharCode, reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT mask = 0;
    switch (m.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (mask && Perform(CM_WANTSPECIALKEY, m.CharCode, m.KeyData) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        if (TForm* form = GetParentForm(this))
            if (form->Perform(CM_DIALOGKEY, m.CharCode, m.KeyData) != 0) return;
    }
    m.Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& m) {
    m.Message.Result = 0;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0)
        if (TForm* form = GetParentForm(this))
            if (form->Perform(CM_DIALOGCHAR, m.CharCode, m.KeyData) != 0) m.Message.Result = 1;
}

void TWinControl::CNCtlColor(TWMCtlColor& m) {
    SetTextColor(m.ChildDC, ColorToRGB(Font()->Color()));
    FBrush->SetColor(Color());
    SetBkColor(m.ChildDC, ColorToRGB(FBrush->Color()));
    m.Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
}

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }

void TWinControl::ReflectNotification(TMessage& m, HWND child) {
    TWinControl* target = child && child != FHandle ? FindControl(child) : nullptr;
    if (target) {
        m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    TControl::WndProc(m);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
        // windowless children get the mouse by Perform, in their own coordinates
        TPoint pt = Point(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
        TControl* target = nullptr;
        TControl* capture = GetCaptureControl();
        if (capture && capture->Parent() == this && !capture->IsWindowed()) target = capture;
        else if (!capture || capture == this) target = ControlAtPos(pt, false);
        if (target) {
            m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(pt.X - target->Left(), pt.Y - target->Top()));
            return;
        }
        break;
    }
    case WM_KEYDOWN: case WM_SYSKEYDOWN: { TWMKey k(m); WMKeyDown(k); return; }
    case WM_KEYUP: case WM_SYSKEYUP: { TWMKey k(m); WMKeyUp(k); return; }
    case WM_CHAR: { TWMKey k(m); WMChar(k); return; }
    case CN_KEYDOWN: case CN_SYSKEYDOWN: { TWMKey k(m); CNKeyDown(k); return; }
    case CN_CHAR: { TWMKey k(m); CNChar(k); return; }
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_SETCURSOR: WMSetCursor(m); return;
    case WM_PAINT: { TWMPaint p(m); WMPaint(p); return; }
    case WM_ERASEBKGND: { TWMEraseBkgnd e(m); WMEraseBkgnd(e); return; }
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return;
    case WM_COMMAND: ReflectNotification(m, reinterpret_cast<HWND>(m.LParam)); return;
    case WM_NOTIFY: ReflectNotification(m, m.LParam ? reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom : nullptr); return;
    case WM_DRAWITEM: ReflectNotification(m, reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem); return;
    case WM_DELETEITEM: ReflectNotification(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem); return;
    case WM_COMPAREITEM: ReflectNotification(m, reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem); return;
    case WM_MEASUREITEM: {
        // the child's id is its window handle once it exists; during its creation it is the one being made
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        HWND child = nullptr;
        if (mis->CtlType != ODT_MENU) {
            for (TWinControl* c : FWinControls)
                if (c->FHandle && reinterpret_cast<UINT_PTR>(c->FHandle) == mis->CtlID) child = c->FHandle;
            if (!child)
                for (TWinControl* c : FWinControls)
                    if (c->FHandle && (c->ControlState & csCreating)) child = c->FHandle;
        }
        ReflectNotification(m, child);
        return;
    }
    case WM_HSCROLL: case WM_VSCROLL: case WM_CHARTOITEM: case WM_VKEYTOITEM:
        ReflectNotification(m, reinterpret_cast<HWND>(m.LParam));
        return;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC: { TWMCtlColor c(m); CNCtlColor(c); return; }
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return;
    case CM_DIALOGKEY: case CM_DIALOGCHAR: CMDialogKey(m); return;
    case CM_ENTER: if (OnEnter) OnEnter(this); return;
    case CM_EXIT: if (OnExit) OnExit(this); return;
    case CM_RECREATEWND: RecreateWnd(); return;
    case CM_VISIBLECHANGED: TControl::WndProc(m); UpdateControlState(); return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && FHandle && ContainsControl(FindControl(GetFocus())))
            if (TForm* form = GetParentForm(this)) form->DefocusControl(this, false);
        if (FHandle) EnableWindow(FHandle, Enabled());
        TControl::WndProc(m);
        return;
    case CM_COLORCHANGED:
        FBrush->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        TControl::WndProc(m);
        return;
    case CM_FONTCHANGED:
        if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        NotifyControls(CM_PARENTFONTCHANGED);
        TControl::WndProc(m);
        return;
    case CM_BIDIMODECHANGED:
        RecreateWnd();
        NotifyControls(CM_PARENTBIDIMODECHANGED);
        TControl::WndProc(m);
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    default: break;
    }
    TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!FHandle) {
        TControl::DefaultHandler(m);
        return;
    }
    if (IsCtlColor(m.Msg)) {
        // colour questions of a child go to the child itself
        HWND child = reinterpret_cast<HWND>(m.LParam);
        if (child != FHandle && FindControl(child)) {
            m.Result = SendMessageW(child, CN_BASE + m.Msg, m.WParam, m.LParam);
            return;
        }
    }
    WPARAM w = IsCharMessage(m.Msg) ? ByteToChar(m.WParam) : m.WParam;
    m.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, m.Msg, w, m.LParam);
}

void TWinControl::MainWndProc(TMessage& m) {
    try {
        WindowProc(m);
    } catch (...) {
        HandleControlException(this);
    }
    FreeDeviceContexts();
    FreeMemoryContexts();
}
