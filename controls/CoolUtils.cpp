#include "controls/CoolUtils.h"
#include <vector>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/TWinControl.h"

void TileBitmap(HDC dc, TBitmap* b, TRect r, bool tile, DWORD rop) {
    // a bitmap without size would never advance the tiling
    if (!b || b->Empty() || b->Width() <= 0 || b->Height() <= 0) return;
    HDC src = b->Canvas()->Handle();
    if (!tile) {
        BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), src, r.Left, r.Top, rop);
        return;
    }
    for (int y = r.Top; y < r.Bottom; y += b->Height())
        for (int x = r.Left; x < r.Right; x += b->Width())
            BitBlt(dc, x, y, r.Right - x, r.Bottom - y, src, 0, 0, rop);
}

void TileBitmapClipped(HDC dc, TBitmap* b, const TRect& full, const TRect& clip, bool tile, DWORD rop) {
    if (full == clip || !tile) {
        TileBitmap(dc, b, clip, tile, rop);
        return;
    }
    TMemoryDC memory(dc);
    TGdiObject<HBITMAP> image(CreateCompatibleBitmap(dc, full.Width(), full.Height()));
    if (!memory.Get() || !image) return;
    TScopedSelect select(memory.Get(), image.Get());
    TileBitmap(memory.Get(), b, full, true, rop);
    BitBlt(dc, clip.Left, clip.Top, clip.Width(), clip.Height(), memory.Get(), clip.Left, clip.Top, SRCCOPY);
}

BOOL StretchBitmap(HDC dc, TBitmap* b, const TRect& dst, const TRect& src, DWORD rop) {
    return StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), b->Canvas()->Handle(), src.Left, src.Top,
                      src.Width(), src.Height(), rop);
}

bool InvalidateControlRect(HWND window, const TRect* rect, bool erase) {
    RECT r{};
    if (rect) r = *rect;
    return InvalidateRect(window, rect ? &r : nullptr, erase) != 0;
}

UINT BevelEdgeFlags(TBevelCut inner, TBevelCut outer) {
    UINT flags = 0;
    if (inner == bvLowered) flags |= BDR_SUNKENINNER;
    if (inner == bvRaised) flags |= BDR_RAISEDINNER;
    if (outer == bvLowered) flags |= BDR_SUNKENOUTER;
    if (outer == bvRaised) flags |= BDR_RAISEDOUTER;
    return flags;
}

void PaintParentBackground(TControl* control, HDC dc) {
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    TScopedDCState state(dc);
    POINT p = control->ClientOrigin();
    ScreenToClient(parent->Handle(), &p);
    POINT org;
    GetWindowOrgEx(dc, &org);
    SetWindowOrgEx(dc, org.x + p.x, org.y + p.y, nullptr);
    SendMessageW(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->PaintControls(dc, nullptr);
}

void PaintParentBackgroundRect(TControl* control, HDC dc, const TRect& r) {
    TScopedDCState state(dc);
    TGdiObject<HRGN> region(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
    SelectClipRgn(dc, region.Get());
    PaintParentBackground(control, dc);
}

bool IsTrueTypeFont(const String& name) {
    TWindowDCBorrow screen(nullptr);
    TFont font;
    font.SetName(name);
    TEXTMETRICW metrics{};
    {
        TScopedSelect select(screen.Get(), font.Handle());
        GetTextMetricsW(screen.Get(), &metrics);
    }
    return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

void AdjustRect(TRect& r, int dLeft, int dTop, int dRight, int dBottom) {
    r.Left += dLeft;
    r.Top += dTop;
    r.Right += dRight;
    r.Bottom += dBottom;
}

void MakeDisabledBitmap(TBitmap* b, TColor backColor) {
    constexpr DWORD BrushWhereMaskIsWhite = 0x00E20746;   // DSPDxax
    int w = b->Width(), h = b->Height();
    TBitmap copy, result, mask;
    copy.Assign(b);
    copy.SetHandleType(bmDDB);
    result.SetSize(w, h);
    if (HPALETTE palette = CopyPalette(b->Palette())) result.SetPalette(palette);
    result.Canvas()->Brush()->SetColor(clBtnFace);
    mask.Assign(&copy);
    mask.SetHandleType(bmDDB);
    mask.Canvas()->Brush()->SetColor(clBlack);
    if (mask.Monochrome()) {
        mask.Canvas()->Font()->SetColor(clWhite);
        mask.SetMonochrome(false);
        mask.Canvas()->Brush()->SetColor(clWhite);
    }
    mask.SetMonochrome(true);

    TCanvas* canvas = result.Canvas();
    canvas->Brush()->SetColor(backColor);
    canvas->FillRect(Rect(0, 0, w, h));
    HDC dst = canvas->Handle();
    HDC src = mask.Canvas()->Handle();
    auto emboss = [&](TColor color, int offset) {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
        TScopedSelect select(dst, brush.Get());
        SetTextColor(dst, RGB(0, 0, 0));
        SetBkColor(dst, RGB(255, 255, 255));
        BitBlt(dst, offset, offset, w - 1, h - 1, src, 0, 0, BrushWhereMaskIsWhite);
    };
    emboss(clBtnHighlight, 1);
    emboss(clBtnShadow, 0);
    canvas->Refresh();
    b->Assign(&result);
}

String ReverseString(const String& s) { return String(s.rbegin(), s.rend()); }

int LastPos(const String& sub, const String& s) { return Pos(ReverseString(sub), ReverseString(s)); }

namespace {
// "C:" or "\\server\share": the folder above which there is nothing.
bool IsRootName(const String& folder) {
    if (folder.size() == 2 && folder[1] == ':') return true;
    if (folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\') {
        std::size_t server = folder.find('\\', 2);
        return server != String::npos && folder.find('\\', server + 1) == String::npos;
    }
    return false;
}
}  // namespace

String ExtractParentDir(const String& path) {
    String result = path;
    if (!result.empty() && result.back() == '\\') result.pop_back();
    if (result.empty()) return path;
    // the parent of a drive's root is the root, not the drive's current folder ("C:")
    if (IsRootName(result)) return result + "\\";
    int p = LastPos("\\", result);
    return result.substr(0, result.size() - (p > 0 ? p - 1 : 0));
}

String ResolveParentFolders(const String& path) {
    std::vector<String> parts;
    for (std::size_t start = 0;;) {
        std::size_t end = path.find('\\', start);
        parts.push_back(path.substr(start, end == String::npos ? String::npos : end - start));
        if (end == String::npos) break;
        start = end + 1;
    }
    // the root: "C:", "" of "\A", or "", "", server and share of a network name
    std::size_t root = 0;
    if (parts.size() >= 4 && parts[0].empty() && parts[1].empty()) root = 4;
    else if (parts.size() > 1 && (parts[0].empty() || IsRootName(parts[0]))) root = 1;
    std::vector<String> kept(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(root));
    for (std::size_t i = root; i < parts.size(); ++i) {
        if (parts[i] != "..") kept.push_back(parts[i]);
        else if (kept.size() > root && kept.back() != "..") kept.pop_back();
        else if (root == 0) kept.push_back(parts[i]);   // a relative name may start above here
    }
    if (root > 0 && kept.size() == root) kept.push_back(String());   // the root keeps its separator
    String result;
    for (std::size_t i = 0; i < kept.size(); ++i) result += (i ? "\\" : "") + kept[i];
    return result;
}

void DrawShadowText(HDC dc, TRect& r, int direction, const String& text, UINT format, TColor textColor,
                    TColor shadowColor, int d) {
    TRect s = r;
    switch (direction) {
    case 0: AdjustRect(r, d, d, d, d); break;
    case 1: AdjustRect(r, d, 0, d, 0); AdjustRect(s, 0, d, 0, d); break;
    case 2: AdjustRect(s, d, d, d, d); break;
    case 3: AdjustRect(r, 0, d, 0, d); AdjustRect(s, d, 0, d, 0); break;
    default: break;
    }
    WideString w = ToWide(text);
    RECT shadow = s;
    SetTextColor(dc, ColorToRGB(shadowColor));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &shadow, format);
    RECT front = r;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(textColor));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &front, format);
}
