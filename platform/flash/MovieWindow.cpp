#include "MovieWindow.h"
#include "platform/graphics/GdiObject.h"
#include <windowsx.h>

namespace {

void RegisterMovieClass(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = MovieWindow::ClassName;
    RegisterClassExW(&wc);
    done = true;
}

}  // namespace

MovieWindow::MovieWindow() {
    FPlayer.OnInvalidate = [this](const MovieRect* area) { Invalidate(FHandle, area); };
    FPlayer.OnError = [](const WideString& message) { OutputDebugStringW((message + L"\n").c_str()); };
}

MovieWindow::~MovieWindow() {
    if (FHandle) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
}

HWND MovieWindow::Create(HWND parent, int x, int y, int width, int height, DWORD style) {
    RegisterMovieClass(&MovieWindow::WindowProc);
    if (style == 0) style = parent ? (WS_CHILD | WS_VISIBLE) : WS_POPUP;
    FHandle = CreateWindowExW(0, ClassName, L"", style | WS_CLIPSIBLINGS, x, y, width, height, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (FHandle) {
        RECT r;
        GetClientRect(FHandle, &r);
        FPlayer.SetViewSize(r.right, r.bottom);
    }
    return FHandle;
}

void MovieWindow::PaintTo(HDC dc) { FRenderer.Paint(dc, FPlayer); }

void MovieWindow::Invalidate(HWND hwnd, const MovieRect* stageArea) const {
    if (!hwnd) return;
    if (!stageArea) {
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    const RECT r = RepaintArea(FPlayer, *stageArea);
    InvalidateRect(hwnd, &r, FALSE);
}

void MovieWindow::Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    int w = FPlayer.ViewWidth(), h = FPlayer.ViewHeight();
    const RECT& area = ps.rcPaint;
    if (w > 0 && h > 0 && !IsRectEmpty(&area)) {
        // drawn off screen first, so a frame change never flickers; only the part to repaint
        TMemoryDC mem(dc);
        TGdiObject<HBITMAP> bmp(CreateCompatibleBitmap(dc, w, h));
        TScopedSelect selected(mem.Get(), bmp.Get());
        IntersectClipRect(mem.Get(), area.left, area.top, area.right, area.bottom);
        PaintTo(mem.Get());
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem.Get(), area.left, area.top,
               SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

bool MovieWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint(hwnd);
        return true;
    case WM_SIZE:
        FPlayer.SetViewSize(LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_MOUSEMOVE:
        if (!FTracking) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
            FTracking = TrackMouseEvent(&t) != 0;
        }
        FPlayer.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_MOUSELEAVE:
        FTracking = false;
        FPlayer.MouseLeave();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd);
        if (GetFocus() != hwnd) SetFocus(hwnd);   // as the player control does; hosts may hand it back
        FPlayer.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_LBUTTONUP:
        // the capture goes first: a command may open a modal screen
        FReleasing = true;
        if (GetCapture() == hwnd) ReleaseCapture();
        FReleasing = false;
        FPlayer.MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_CAPTURECHANGED:
        if (!FReleasing && reinterpret_cast<HWND>(lParam) != hwnd) FPlayer.CancelPress();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK MovieWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<MovieWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        try {
            LRESULT result;
            if (self->HandleMessage(hwnd, message, wParam, lParam, result)) return result;
        } catch (...) {
            // nothing may cross the window procedure; the component layer reports through the
            // application, this bare window can only drop it
            OutputDebugStringW(L"movie window: exception in a command handler\n");
        }
        if (message == WM_NCDESTROY) self->FHandle = nullptr;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
