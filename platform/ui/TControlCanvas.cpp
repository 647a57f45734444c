#include "platform/ui/TControlCanvas.h"
#include <algorithm>
#include <vector>
#include "platform/graphics/GdiObject.h"
#include "platform/ui/TWinControl.h"

namespace {
std::vector<TControlCanvas*> CanvasesWithDC;
}

void FreeDeviceContexts() {
    for (TControlCanvas* c : std::vector<TControlCanvas*>(CanvasesWithDC))
        if (!c->Locked()) c->FreeHandle();
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle() {
    SetHandle(nullptr);
    if (FOwnDC) {
        ReleaseDC(FWindow, FOwnDC);
        gdi::Counted(-1);
        FOwnDC = nullptr;
        CanvasesWithDC.erase(std::remove(CanvasesWithDC.begin(), CanvasesWithDC.end(), this), CanvasesWithDC.end());
    }
}

void TControlCanvas::CreateHandle() {
    HWND window = nullptr;
    auto* win = dynamic_cast<TWinControl*>(FControl);
    if (win) window = win->Handle();
    else if (FControl->Parent()) window = FControl->Parent()->Handle();
    if (!window) return;
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    if (!win) {
        SetViewportOrgEx(dc, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
    }
    gdi::Counted(1);
    FWindow = window;
    FOwnDC = dc;
    CanvasesWithDC.push_back(this);
    SetHandle(dc);
}
