#include "platform/web/PageBrowser.h"
#include <windowsx.h>
#include <algorithm>
#include "platform/graphics/GdiObject.h"
#include "platform/web/PagePainter.h"
#include "platform/web/PageResources.h"
#include "platform/win/Clipboard.h"

namespace web {

namespace {

const wchar_t* const ClassName = L"Tapwise.PageView";
constexpr UINT WM_FINISHLOAD = WM_APP + 0x31;
constexpr int LineStep = 40;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = ClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool KeyHeld(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The element a click on this node acts on: the link around it, else the node itself.
const THtmlNode* LinkAround(const THtmlNode* node) {
    for (const THtmlNode* n = node; n; n = n->Parent) {
        if (n->Is(L"area") || (n->Is(L"a") && n->HasAttribute(L"href"))) return n;
    }
    return nullptr;
}

}  // namespace

TPageBrowser::TPageBrowser(HWND parent) : FDocument(std::make_shared<TPageDocument>()) {
    RegisterClassOnce();
    RECT r{};
    GetClientRect(parent, &r);
    FWindow = CreateWindowExW(0, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, r.right, r.bottom,
                              parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TPageBrowser::WindowProc));
    FMeasure.ResolveSource = [this](const WideString& source) { return FDocument->Resolve(source); };
    FMeasure.ReadResource = [](const WideString& url) { return ReadUrl(url); };
    FDocument->ReadResource = [](const WideString& url) { return ReadUrl(url); };
    FDocument->OnChanged = [this](bool loaded) { DocumentChanged(loaded); };
    Relayout();
}

TPageBrowser::~TPageBrowser() {
    *FAlive = false;
    FDocument->OnChanged = nullptr;
    FDocument->ReadResource = nullptr;
    if (FWindow) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

void TPageBrowser::SetBounds(const RECT& bounds) {
    MoveWindow(FWindow, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

LRESULT CALLBACK TPageBrowser::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TPageBrowser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

// Navigation

void TPageBrowser::Navigate2(const WideString& url, int) {
    auto alive = FAlive;
    if (!FireBrowserEvent(DispBeforeNavigate2)) return;
    FPendingUrl = url;
    ++FGeneration;
    FBusy = true;
    FReadyState = ReadyStateLoading;
    PostMessageW(FWindow, WM_FINISHLOAD, FGeneration, 1);
}

void TPageBrowser::Stop() {
    ++FGeneration;   // a load still queued is dropped
    FBusy = false;
    FReadyState = ReadyStateComplete;
}

void TPageBrowser::Refresh2() {
    if (UrlKind(FDocument->Url()) == TUrlKind::File || UrlKind(FDocument->Url()) == TUrlKind::CompiledHelp)
        Navigate2(FDocument->Url(), 0);
}

void TPageBrowser::FollowLink(const WideString& href) {
    const WideString url = FDocument->Resolve(href);
    switch (UrlKind(url)) {
    case TUrlKind::File: {
        WideString path = FilePathOf(url);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) Navigate2(path, 0);
        break;
    }
    case TUrlKind::CompiledHelp: Navigate2(url, 0); break;
    case TUrlKind::Fragment: ScrollTo(0); break;
    default: break;   // other places are not on this road
    }
}

// A new page in the document (from a stream) finishes like a navigation; a change of its tree
// is only laid out and painted again.
void TPageBrowser::DocumentChanged(bool loaded) {
    if (!loaded) {
        FLaidWidth = -1;
        Relayout();
        InvalidateRect(FWindow, nullptr, FALSE);
        return;
    }
    if (FNavigating) return;
    ++FGeneration;
    FBusy = true;
    FReadyState = ReadyStateLoading;
    PostMessageW(FWindow, WM_FINISHLOAD, FGeneration, 0);
}

void TPageBrowser::FinishLoad(unsigned generation, bool navigation) {
    if (generation != FGeneration) return;
    auto alive = FAlive;
    if (!FireBrowserEvent(DispDownloadBegin) || generation != FGeneration) return;
    if (navigation) {
        std::optional<std::string> bytes = ReadUrl(FPendingUrl);
        FNavigating = true;
        FMeasure.ForgetPictures();
        FDocument->Load(bytes.value_or(std::string()), FPendingUrl);
        FNavigating = false;
    }
    FScrollY = 0;
    FLaidWidth = -1;
    Relayout();
    InvalidateRect(FWindow, nullptr, FALSE);
    UpdateWindow(FWindow);   // painted before the host hears the page is complete
    FBusy = false;
    FReadyState = ReadyStateComplete;
    if (!FireBrowserEvent(DispDownloadComplete) || generation != FGeneration) return;
    if (!FireBrowserEvent(DispDocumentComplete)) return;
    if (OnDocumentComplete) OnDocumentComplete(FDocument->Url());
}

bool TPageBrowser::FireBrowserEvent(DISPID id) {
    auto alive = FAlive;
    FEvents.Fire(id);
    return *alive;
}

bool TPageBrowser::FireDocumentEvent(DISPID id, const std::shared_ptr<TPageEventObj>& event) {
    auto alive = FAlive;
    auto doc = FDocument;
    doc->SetEvent(event);
    doc->FireEvent(id);
    doc->SetEvent(nullptr);
    return *alive;
}

// Layout and scrolling

bool TPageBrowser::ScrollAllowed() const {
    const THtmlNode* body = FDocument->BodyNode();
    if (!body) return true;
    WideString scroll = body->Attribute(L"scroll");
    return _wcsicmp(scroll.c_str(), L"no") != 0;
}

void TPageBrowser::Relayout() {
    if (FInLayout) return;
    FInLayout = true;
    RECT window{};
    GetWindowRect(FWindow, &window);
    const int fullWidth = window.right - window.left;
    const int height = window.bottom - window.top;
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    int width = fullWidth;
    FDocument->Relayout(width, FMeasure);
    bool needBar = ScrollAllowed() && FDocument->Layout().Height() > height;
    if (needBar) {
        width = std::max(0, fullWidth - bar);
        FDocument->Relayout(width, FMeasure);
    }
    FLaidWidth = width;
    ShowScrollBar(FWindow, SB_VERT, needBar);
    FInLayout = false;
    UpdateScrollBar();
}

void TPageBrowser::UpdateScrollBar() {
    RECT client{};
    GetClientRect(FWindow, &client);
    const int page = client.bottom;
    const int total = FDocument->Layout().Height();
    FScrollY = std::clamp(FScrollY, 0, std::max(0, total - page));
    if (!ScrollAllowed()) FScrollY = 0;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, total - 1);
    si.nPage = UINT(std::max(0, page));
    si.nPos = FScrollY;
    SetScrollInfo(FWindow, SB_VERT, &si, TRUE);
}

void TPageBrowser::ScrollTo(int y) {
    int old = FScrollY;
    FScrollY = y;
    UpdateScrollBar();
    if (FScrollY != old) InvalidateRect(FWindow, nullptr, FALSE);
}

void TPageBrowser::PaintTo(HDC dc) {
    RECT client{};
    GetClientRect(FWindow, &client);
    if (FDocument->NeedsBuild()) Relayout();
    TPageSelectionRange selection{FDocument->SelectionFrom(), FDocument->SelectionTo()};
    PaintPage(dc, client, FDocument->Layout(), FMeasure, FScrollY, selection);
}

void TPageBrowser::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FWindow, &ps);
    RECT client{};
    GetClientRect(FWindow, &client);
    if (client.right > 0 && client.bottom > 0) {
        // drawn off the screen first, so a repaint does not flicker
        TMemoryDC buffer(dc);
        TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
        TScopedSelect select(buffer.Get(), bitmap.Get());
        PaintTo(buffer.Get());
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(FWindow, &ps);
}

// Input

std::shared_ptr<TPageEventObj> TPageBrowser::MakeEvent(int x, int y, int button, int keyCode) {
    auto e = std::make_shared<TPageEventObj>();
    e->XValue = x;
    e->YValue = y;
    e->ButtonValue = button;
    e->KeyCodeValue = keyCode;
    e->Alt = KeyHeld(VK_MENU);
    e->Ctrl = KeyHeld(VK_CONTROL);
    e->Shift = KeyHeld(VK_SHIFT);
    return e;
}

void TPageBrowser::SetActiveFrom(int x, int y) {
    const THtmlNode* hit = FDocument->Layout().HitTest(x, y + FScrollY);
    const THtmlNode* active = LinkAround(hit);
    FDocument->SetActiveElement(FDocument->Wrap(active ? active : FDocument->BodyNode()));
}

void TPageBrowser::MouseButton(UINT message, int x, int y) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        SetFocus(FWindow);
        SetActiveFrom(x, y);
        const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
        if (message == WM_LBUTTONDOWN) {
            SetCapture(FWindow);
            FSelecting = true;
            FDragged = false;
            FSelectAnchor = FDocument->Layout().SequenceAt(x, y + FScrollY);
            if (FDocument->SelectionFrom() >= 0 || !FDocument->SelectedText().empty()) {
                FDocument->SetSelection(-1, -1, WideString());
                InvalidateRect(FWindow, nullptr, FALSE);
            }
        }
        FireDocumentEvent(DispMouseDown, MakeEvent(x, y, button));
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
        if (message == WM_LBUTTONUP) {
            FSelecting = false;
            if (GetCapture() == FWindow) ReleaseCapture();
        }
        if (!FireDocumentEvent(DispMouseUp, MakeEvent(x, y, button))) return;
        if (message != WM_LBUTTONUP || FDragged) break;
        auto click = MakeEvent(x, y, 0);
        auto active = FDocument->ActiveElement();
        if (!FireDocumentEvent(DispClick, click)) return;
        // the link's own action, unless a handler cancelled it
        if (active && !(click->ReturnValue && *click->ReturnValue == 0)) {
            auto element = std::static_pointer_cast<TPageElement>(active);
            if (element->Node().Is(L"a") || element->Node().Is(L"area")) {
                WideString href = element->Attribute(L"href");
                if (!href.empty()) FollowLink(href);
            }
        }
        break;
    }
    case WM_LBUTTONDBLCLK: {
        SetActiveFrom(x, y);
        int sequence = FDocument->Layout().SequenceAt(x, y + FScrollY);
        if (sequence >= 0) {
            FDocument->SetSelection(sequence, sequence, FDocument->Layout().TextBetween(sequence, sequence));
            InvalidateRect(FWindow, nullptr, FALSE);
        }
        FireDocumentEvent(DispDblClick, MakeEvent(x, y, 0));
        break;
    }
    default: break;
    }
}

void TPageBrowser::Copy() {
    const WideString text = FDocument->SelectedText();
    if (text.empty()) return;
    if (!FireDocumentEvent(DispCopyNotification, MakeEvent(0, 0, 0))) return;
    SetClipboardText(FWindow, text);
}

void TPageBrowser::KeyDown(WPARAM key) {
    if (!FireDocumentEvent(DispKeyDown, MakeEvent(0, 0, 0, int(key)))) return;
    RECT client{};
    GetClientRect(FWindow, &client);
    const bool ctrl = KeyHeld(VK_CONTROL);
    switch (key) {
    case VK_UP: ScrollTo(FScrollY - LineStep); break;
    case VK_DOWN: ScrollTo(FScrollY + LineStep); break;
    case VK_PRIOR: ScrollTo(FScrollY - std::max(LineStep, int(client.bottom) - LineStep)); break;
    case VK_NEXT:
    case VK_SPACE: ScrollTo(FScrollY + std::max(LineStep, int(client.bottom) - LineStep)); break;
    case VK_HOME: ScrollTo(0); break;
    case VK_END: ScrollTo(FDocument->Layout().Height()); break;
    case 'C':
    case VK_INSERT:
        if (ctrl) Copy();
        break;
    case 'A':
        if (ctrl) {
            FDocument->SetSelection(0, 1 << 30, FDocument->Layout().TextBetween(0, 1 << 30));
            InvalidateRect(FWindow, nullptr, FALSE);
        }
        break;
    default: break;
    }
}

LRESULT TPageBrowser::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        if (!FInLayout) {
            Relayout();
            InvalidateRect(FWindow, nullptr, FALSE);
        }
        return 0;
    case WM_FINISHLOAD: FinishLoad(unsigned(wParam), lParam != 0); return 0;
    case WM_VSCROLL: {
        RECT client{};
        GetClientRect(FWindow, &client);
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(FWindow, SB_VERT, &si);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(FScrollY - LineStep); break;
        case SB_LINEDOWN: ScrollTo(FScrollY + LineStep); break;
        case SB_PAGEUP: ScrollTo(FScrollY - client.bottom); break;
        case SB_PAGEDOWN: ScrollTo(FScrollY + client.bottom); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(FDocument->Layout().Height()); break;
        default: break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL:
        ScrollTo(FScrollY - GET_WHEEL_DELTA_WPARAM(wParam) * LineStep / WHEEL_DELTA);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK: MouseButton(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEMOVE:
        if (FSelecting && FSelectAnchor >= 0) {
            int sequence = FDocument->Layout().SequenceAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) + FScrollY);
            if (sequence >= 0 && (sequence != FSelectAnchor || FDragged)) {
                FDragged = true;
                FDocument->SetSelection(FSelectAnchor, sequence, FDocument->Layout().TextBetween(FSelectAnchor, sequence));
                InvalidateRect(FWindow, nullptr, FALSE);
            }
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(FWindow, &p);
            const bool link = LinkAround(FDocument->Layout().HitTest(p.x, p.y + FScrollY)) != nullptr;
            SetCursor(LoadCursorW(nullptr, link ? IDC_HAND : IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default: break;
    }
    return DefWindowProcW(FWindow, message, wParam, lParam);
}

}  // namespace web
