#include "controls/CoolPictures.h"
#include "platform/win/ShellIcon.h"

namespace {

// The marks, a character per pixel: '.' the transparent back, the rest from Ink.
const char* const TrueTypeMark[16] = {
    "................", ".GGGGGGGG.......", ".GGGGGGGG.......", ".G..GG..G.......",
    "....GG..........", "....GG.KKKKKKKK.", "....GG.KKKKKKKK.", "....GG.K..KK..K.",
    "....GG....KK....", "...GGGG...KK....", "..........KK....", "..........KK....",
    "..........KK....", ".........KKKK...", "................", "................",
};
const char* const OtherFontMark[16] = {
    "................", "................", "......NNNN......", ".....NN..NN.....",
    "....NN....NN....", "....NN....NN....", "....NN....NN....", "....NNNNNNNN....",
    "....NN....NN....", "....NN....NN....", "....NN....NN....", "....NN....NN....",
    "................", "................", "................", "................",
};
const char* const PrinterMark[16] = {
    "................", "....KKKKKKKK....", "....KWWWWWWK....", "....KWKKKKWK....",
    "....KWWWWWWK....", "..KKKKKKKKKKKK..", ".KSSSSSSSSSSSSK.", ".KSSSSSSSSSSLSK.",
    ".KSSSSSSSSSSSSK.", ".KGGGGGGGGGGGGK.", ".KKKKKKKKKKKKKKK", "...KWWWWWWWWK...",
    "...KWKKKKKKWK...", "...KWWWWWWWWK...", "...KKKKKKKKKK...", "................",
};

TColor Ink(char c) {
    switch (c) {
    case 'G': return clGray;
    case 'K': return clBlack;
    case 'N': return clNavy;
    case 'W': return clWhite;
    case 'S': return clSilver;
    case 'L': return clLime;
    default: return clOlive;
    }
}

void Fill(TBitmap* b, int size, TColor back) {
    b->SetTransparentMode(tmAuto);
    b->SetSize(size, size);
    b->Canvas()->Brush()->SetColor(back);
    b->Canvas()->FillRect(Rect(0, 0, size, size));
}

}  // namespace

void LoadCoolMark(TCoolMark mark, TBitmap* b) {
    const char* const* rows = mark == cmTrueTypeFont ? TrueTypeMark : mark == cmOtherFont ? OtherFontMark : PrinterMark;
    Fill(b, 16, clOlive);
    TCanvas* c = b->Canvas();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (rows[y][x] != '.') c->SetPixels(x, y, Ink(rows[y][x]));
    b->SetTransparentColor(clOlive);
}

void MakeCheckBoxPicture(TBitmap* b, int size, bool checked, bool flat) {
    Fill(b, size, clOlive);
    RECT box{1, 1, 15, 15};
    DrawFrameControl(b->Canvas()->Handle(), &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (flat ? DFCS_FLAT : 0));
    b->SetTransparentColor(clOlive);
}

void MakeColorSwatch(TBitmap* b, int size, TColor color, TColor back) {
    COLORREF backRGB = ColorToRGB(back);
    if (backRGB == ColorToRGB(color)) backRGB ^= 1;
    Fill(b, size, static_cast<TColor>(backRGB));
    TCanvas* c = b->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(color);
    c->Rectangle(0, 2, size, size - 2);
}

void MakeFileIconPicture(TBitmap* b, int size, const String& folder, const String& name) {
    if (name == "..") {
        b->Assign(nullptr);
        return;
    }
    Fill(b, size, clOlive);
    DrawShellSmallIcon(b->Canvas()->Handle(), folder + name, Rect(0, 0, size, size));
    b->SetTransparentColor(clOlive);
}
