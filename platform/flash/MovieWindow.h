#pragma once
// A plain Win32 window that plays a movie: double-buffered painting, pointer tracking and the
// click capture. The component TShockwaveFlash wraps it (or forwards its own messages to
// HandleMessage).
#include <windows.h>
#include "MoviePlayer.h"
#include "MovieRenderer.h"

class MovieWindow {
public:
    static constexpr const wchar_t* ClassName = L"TapwiseMovieWindow";

    MovieWindow();
    ~MovieWindow();                         // destroys the window
    MovieWindow(const MovieWindow&) = delete;
    MovieWindow& operator=(const MovieWindow&) = delete;

    // A child of parent (style WS_CHILD | WS_VISIBLE), or with no parent a pop-up window.
    HWND Create(HWND parent, int x, int y, int width, int height, DWORD style = 0);
    HWND Handle() const { return FHandle; }
    MoviePlayer& Player() { return FPlayer; }
    const MoviePlayer& Player() const { return FPlayer; }

    // Paints the current state into any DC at the view size (double buffer, prints, tests);
    // only what meets the DC's clipping region is drawn.
    void PaintTo(HDC dc);
    // Asks for a repaint of what the player says has changed (a stage area, or all).
    void Invalidate(HWND hwnd, const MovieRect* stageArea) const;
    // The window's message handling, for a host with its own window procedure; false when
    // the message is not one of the player's.
    bool HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND hwnd);

    HWND FHandle = nullptr;
    MoviePlayer FPlayer;
    MovieRenderer FRenderer;
    bool FTracking = false;                 // TrackMouseEvent asked for WM_MOUSELEAVE
    bool FReleasing = false;                // our own release of the capture, not a loss
};
