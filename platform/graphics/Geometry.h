#pragma once
// Points and rectangles with the class library's field names; convertible to the Win32 structs.
#include <windows.h>

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
    operator POINT() const { return POINT{X, Y}; }
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
    operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
    static TRect From(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }
};

inline TPoint Point(int x, int y) { return TPoint{x, y}; }
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }
