#pragma once
// TCanvas draws on a DC it borrows. Font, brush and pen are selected lazily, by the drawing call
// that needs them, and the DC's original objects are put back when the canvas lets go of it.
#include <memory>
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Pen.h"

class TGraphic;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();                       // asks CreateHandle for a DC when none is attached
    void SetHandle(HDC dc);             // attaches a borrowed DC; nullptr lets go of it
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const { return FFont.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    TPen* Pen() const { return FPen.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    void SetBrush(TBrush* value) { FBrush->Assign(value); }
    void SetPen(TPen* value) { FPen->Assign(value); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    DWORD CopyMode = SRCCOPY;
    UINT TextFlags = 0;                 // added to ExtTextOut's options (ETO_RTLREADING)

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const TPoint* points, int count);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void TextOut(int x, int y, const String& text);
    void TextRect(const TRect& r, int x, int y, const String& text);
    SIZE TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }
    void DrawFocusRect(const TRect& r);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    TRect ClipRect();
    void Refresh();                     // deselects everything; the next call selects again

    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    bool Locked() const { return FLockCount > 0; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    virtual void Changing() { if (OnChanging) OnChanging(this); }
    virtual void Changed() { if (OnChange) OnChange(this); }

private:
    enum : unsigned { HandleValid = 1, FontValid = 2, PenValid = 4, BrushValid = 8 };
    void RequiredState(unsigned state);
    void Deselect(unsigned state);

    HDC FHandle = nullptr;
    unsigned FState = 0;
    HGDIOBJ FOldFont = nullptr, FOldPen = nullptr, FOldBrush = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    TPoint FPenPos;
    int FLockCount = 0;
};
