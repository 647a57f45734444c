#include "platform/graphics/Font.h"
#include <cstdlib>
#include <cstring>
#include <cwchar>

int ScreenPixelsPerInch() {
    TWindowDCBorrow screen(nullptr);
    int ppi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return ppi > 0 ? ppi : 96;
}

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch()) { FHeight = -MulDiv(8, FPixelsPerInch, 72); }

void TFont::Assign(TPersistent* source) {
    auto* f = dynamic_cast<TFont*>(source);
    if (!f) { TGraphicsObject::Assign(source); return; }
    FName = f->FName; FHeight = f->FHeight; FColor = f->FColor; FStyle = f->FStyle;
    FCharset = f->FCharset; FPitch = f->FPitch;
    Changed();
}

// The old handle is deleted only after the listeners (canvases) have let go of it.
void TFont::Changed() {
    TGdiObject<HFONT> old = std::move(FHandle);
    TGraphicsObject::Changed();
}

void TFont::SetName(const String& value) { if (!value.empty() && value != FName) { FName = value; Changed(); } }
void TFont::SetHeight(int value) { if (value != FHeight) { FHeight = value; Changed(); } }
int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }
void TFont::SetColor(TColor value) {
    // the colour is not part of the handle
    if (value != FColor) { FColor = value; TGraphicsObject::Changed(); }
}
void TFont::SetStyle(TFontStyles value) { if (value != FStyle) { FStyle = value; Changed(); } }
void TFont::SetCharset(BYTE value) { if (value != FCharset) { FCharset = value; Changed(); } }
void TFont::SetPitch(TFontPitch value) { if (value != FPitch) { FPitch = value; Changed(); } }

HFONT TFont::Handle() {
    if (!FHandle) {
        LOGFONTW lf{};
        lf.lfHeight = FHeight;
        lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (FStyle & fsItalic) != 0;
        lf.lfUnderline = (FStyle & fsUnderline) != 0;
        lf.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
        lf.lfCharSet = FCharset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
        WideString face = ToWide(FName);
        wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        FHandle.Reset(CreateFontIndirectW(&lf));
    }
    return FHandle.Get();
}

void TFont::SetHandle(HFONT value) {
    LOGFONTW lf{};
    if (!value || !GetObjectW(value, sizeof lf, &lf)) return;
    FName = FromWide(lf.lfFaceName);
    FHeight = lf.lfHeight;
    FStyle = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) |
             (lf.lfUnderline ? fsUnderline : 0) | (lf.lfStrikeOut ? fsStrikeOut : 0);
    FCharset = lf.lfCharSet;
    Changed();
}
