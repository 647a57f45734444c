#pragma once
// Messages of a window the layer did not make (a combo box's drop-down list, say) seen first by
// a handler of ours, through the system's subclassing. The handler is removed when this object
// detaches or goes, and by itself when the window is destroyed, so a window never calls into
// an object that is gone.
#include <functional>
#include <windows.h>

class TWindowSubclass {
public:
    // Gets every message first; what it answers is the window's answer. It calls Next for the
    // window's own handling.
    using THandler = std::function<LRESULT(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)>;

    TWindowSubclass() = default;
    ~TWindowSubclass() { Detach(); }
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Detaches from any window first; false when the system refused.
    bool Attach(HWND window, THandler handler);
    void Detach();
    HWND Window() const { return FWindow; }
    bool Attached() const { return FWindow != nullptr; }

    static LRESULT Next(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    HWND FWindow = nullptr;
    THandler FHandler;
};
