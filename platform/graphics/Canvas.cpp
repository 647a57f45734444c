#include "platform/graphics/Canvas.h"
#include <vector>
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Errors.h"

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
    FFont->OnChange = [this](TObject*) { Deselect(FontValid); };
    FBrush->OnChange = [this](TObject*) { Deselect(BrushValid); };
    FPen->OnChange = [this](TObject*) { Deselect(PenValid); };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    if (FHandle) Deselect(FontValid | PenValid | BrushValid);
    FHandle = dc;
    FState = dc ? HandleValid : 0;
}

// Puts the DC's own objects back, so the font, brush or pen can be changed or freed.
void TCanvas::Deselect(unsigned state) {
    if (!FHandle) { FState &= ~state; return; }
    if ((state & FontValid) && (FState & FontValid)) { SelectObject(FHandle, FOldFont); FOldFont = nullptr; }
    if ((state & PenValid) && (FState & PenValid)) { SelectObject(FHandle, FOldPen); FOldPen = nullptr; }
    if ((state & BrushValid) && (FState & BrushValid)) { SelectObject(FHandle, FOldBrush); FOldBrush = nullptr; }
    FState &= ~state;
}

void TCanvas::Refresh() { Deselect(FontValid | PenValid | BrushValid); }

void TCanvas::RequiredState(unsigned state) {
    if (!FHandle) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    }
    unsigned needed = state & ~FState;
    if (needed & FontValid) {
        FOldFont = SelectObject(FHandle, FFont->Handle());
        SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState |= FontValid;
    }
    if (needed & PenValid) {
        FOldPen = SelectObject(FHandle, FPen->Handle());
        SetROP2(FHandle, FPen->Rop2());
        FState |= PenValid;
    }
    if (needed & BrushValid) {
        FOldBrush = SelectObject(FHandle, FBrush->Handle());
        FState |= BrushValid;
    }
    // the background follows the brush: a solid brush makes text cells opaque in its colour
    if (state & (BrushValid | FontValid)) {
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequiredState(HandleValid | BrushValid);
    RECT rc = r;
    ::FillRect(FHandle, &rc, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequiredState(HandleValid | BrushValid);
    RECT rc = r;
    ::FrameRect(FHandle, &rc, FBrush->Handle());
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Rectangle(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Ellipse(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Polygon(const TPoint* points, int count) {
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    std::vector<POINT> pts(points, points + count);
    ::Polygon(FHandle, pts.data(), count);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState(HandleValid);
    MoveToEx(FHandle, x, y, nullptr);
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::LineTo(FHandle, x, y);
    FPenPos = {x, y};
    Changed();
}

void TCanvas::TextOut(int x, int y, const String& text) {
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    WideString w = ToWide(text);
    ExtTextOutW(FHandle, x, y, TextFlags, nullptr, w.c_str(), static_cast<UINT>(w.size()), nullptr);
    MoveToEx(FHandle, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    WideString w = ToWide(text);
    RECT rc = r;
    UINT options = TextFlags | ETO_CLIPPED | (FBrush->Style() == bsSolid ? ETO_OPAQUE : 0);
    ExtTextOutW(FHandle, x, y, options, &rc, w.c_str(), static_cast<UINT>(w.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const String& text) {
    RequiredState(HandleValid | FontValid);
    WideString w = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(FHandle, w.c_str(), static_cast<int>(w.size()), &size);
    return size;
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequiredState(HandleValid | BrushValid);
    RECT rc = r;
    ::DrawFocusRect(FHandle, &rc);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(HandleValid);
    graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(HandleValid);
    graphic->Draw(this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    source->RequiredState(HandleValid | BrushValid);
    int oldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, dest.Left, dest.Top, dest.Width(), dest.Height(), source->FHandle,
               sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(), CopyMode);
    SetStretchBltMode(FHandle, oldMode);
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(HandleValid);
    COLORREF c = GetPixel(FHandle, x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState(HandleValid | PenValid);
    SetPixel(FHandle, x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipRect() {
    RequiredState(HandleValid);
    RECT r{};
    GetClipBox(FHandle, &r);
    return TRect::From(r);
}
