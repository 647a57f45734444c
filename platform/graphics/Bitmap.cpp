#include "platform/graphics/Bitmap.h"
#include <algorithm>
#include <cstring>
#include <optional>
#include "platform/rtl/Errors.h"

namespace {
std::vector<TCanvas*> CanvasesWithMemoryDC;
void Forget(TCanvas* c) {
    CanvasesWithMemoryDC.erase(std::remove(CanvasesWithMemoryDC.begin(), CanvasesWithMemoryDC.end(), c), CanvasesWithMemoryDC.end());
}
}  // namespace

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : FBitmap(owner) {
        OnChange = [this](TObject*) { FBitmap->Changed(); };
    }
    ~TBitmapCanvas() override { FreeContext(); }
    HDC CurrentDC() const { return FDC ? FDC->Get() : nullptr; }
    void FreeContext() {
        if (!FDC) return;
        HDC dc = FDC->Get();
        SetHandle(nullptr);
        if (FOldBitmap) SelectObject(dc, FOldBitmap);
        if (FOldPalette) SelectPalette(dc, FOldPalette, TRUE);
        FDC.reset();
        Forget(this);
        FOldBitmap = nullptr;
        FOldPalette = nullptr;
    }
protected:
    void CreateHandle() override {
        HPALETTE pal = FBitmap->Palette();
        FDC.emplace(nullptr);
        HDC dc = FDC->Get();
        if (!dc) {
            FDC.reset();
            throw EOutOfResources("Out of system resources");
        }
        // the bitmap and its palette stay selected while the canvas holds the DC
        if (FBitmap->FHandle) FOldBitmap = SelectObject(dc, FBitmap->FHandle.Get());
        if (pal) {
            FOldPalette = SelectPalette(dc, pal, TRUE);
            RealizePalette(dc);
        }
        CanvasesWithMemoryDC.push_back(this);
        SetHandle(dc);
    }
private:
    TBitmap* FBitmap;
    std::optional<TMemoryDC> FDC;
    HGDIOBJ FOldBitmap = nullptr;
    HPALETTE FOldPalette = nullptr;
};

HPALETTE CopyPalette(HPALETTE palette) {
    if (!palette) return nullptr;
    WORD count = 0;
    if (!GetObjectW(palette, sizeof count, &count) || count == 0) return nullptr;
    std::vector<std::uint8_t> buf(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = count;
    GetPaletteEntries(palette, 0, count, lp->palPalEntry);
    return CreatePalette(lp);
}

void FreeMemoryContexts() {
    for (TCanvas* c : std::vector<TCanvas*>(CanvasesWithMemoryDC))
        if (!c->Locked()) static_cast<TBitmap::TBitmapCanvas*>(c)->FreeContext();
}

TBitmap::TBitmap() = default;
TBitmap::~TBitmap() { FCanvas.reset(); }

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
    return FCanvas.get();
}

void TBitmap::FreeContext() { if (FCanvas) FCanvas->FreeContext(); }

static int BitsOf(TPixelFormat f) {
    switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    default: return 32;
    }
}

TGdiObject<HBITMAP> TBitmap::MakeImage(int width, int height, TBitmapHandleType type, TPixelFormat format) const {
    if (width <= 0 || height <= 0) return {};
    HBITMAP h = nullptr;
    if (type == bmDDB) {
        if (format == pf1bit) {
            h = CreateBitmap(width, height, 1, 1, nullptr);
        } else {
            TWindowDCBorrow screen(nullptr);
            h = CreateCompatibleBitmap(screen.Get(), width, height);
        }
    } else {
        int bits = BitsOf(format);
        std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
        bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi->bmiHeader.biWidth = width;
        bi->bmiHeader.biHeight = height;
        bi->bmiHeader.biPlanes = 1;
        bi->bmiHeader.biBitCount = static_cast<WORD>(bits);
        bi->bmiHeader.biCompression = BI_RGB;
        if (bits <= 8) {
            // black to white for one bit; the system's halftone entries otherwise
            int n = 1 << bits;
            bi->bmiHeader.biClrUsed = n;
            if (bits == 1) {
                bi->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
            } else {
                HPALETTE ht = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
                PALETTEENTRY e[256]{};
                int got = GetPaletteEntries(ht, 0, n, e);
                for (int i = 0; i < got; ++i) bi->bmiColors[i] = RGBQUAD{e[i].peBlue, e[i].peGreen, e[i].peRed, 0};
            }
        }
        void* bitsPtr = nullptr;
        h = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bitsPtr, nullptr, 0);
    }
    if (!h) throw EOutOfResources("Out of system resources");
    return TGdiObject<HBITMAP>(h);
}

TGdiObject<HBITMAP> TBitmap::Convert(int width, int height, TBitmapHandleType type, TPixelFormat format) {
    TGdiObject<HBITMAP> image = MakeImage(width, height, type, format);
    if (!image) return image;
    TCanvas* canvas = Canvas();
    COLORREF brush = ColorToRGB(canvas->Brush()->Color());
    COLORREF font = ColorToRGB(canvas->Font()->Color());
    FreeContext();
    TMemoryDC dst;
    TScopedSelect target(dst.Get(), image.Get());
    PatBlt(dst.Get(), 0, 0, width, height, WHITENESS);
    if (FHandle) {
        TMemoryDC src;
        TScopedSelect source(src.Get(), FHandle.Get());
        SetBkColor(src.Get(), brush);     // colour to mono: the brush colour becomes white bits
        SetTextColor(dst.Get(), font);    // mono to colour: black bits take the font colour,
        SetBkColor(dst.Get(), brush);     // white bits the brush colour
        BitBlt(dst.Get(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), src.Get(), 0, 0, SRCCOPY);
    }
    return image;
}

void TBitmap::ReplaceImage(TGdiObject<HBITMAP> image, int width, int height, TBitmapHandleType type,
                           TPixelFormat format) {
    FreeContext();
    FWidth = image ? width : 0;
    FHeight = image ? height : 0;
    FHandle = std::move(image);
    FHandleType = type;
    FPixelFormat = format;
    if (type == bmDDB || BitsOf(format) > 8) FPalette.Reset();
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    if (width == 0 || height == 0) {
        FreeContext();
        FHandle.Reset();
        FWidth = width;
        FHeight = height;
        Changed();
        return;
    }
    ReplaceImage(Convert(width, height, FHandleType, FPixelFormat), width, height, FHandleType, FPixelFormat);
}

void TBitmap::SetHandle(HBITMAP value) {
    if (value == FHandle.Get()) return;
    FreeContext();
    BITMAP bm{};
    DIBSECTION ds{};
    TBitmapHandleType type = bmDDB;
    TPixelFormat format = pfDevice;
    if (value) {
        if (GetObjectW(value, sizeof ds, &ds) == sizeof ds) {
            type = bmDIB;
            bm = ds.dsBm;
        } else {
            GetObjectW(value, sizeof bm, &bm);
        }
        int bits = bm.bmBitsPixel * bm.bmPlanes;
        format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit : bits == 24 ? pf24bit
               : (type == bmDIB && bits == 32) ? pf32bit : pfDevice;
    }
    FPalette.Reset();
    ReplaceImage(TGdiObject<HBITMAP>(value), bm.bmWidth, bm.bmHeight, type, format);   // the bitmap owns it now
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeContext();
    HBITMAP h = FHandle.Release();
    FWidth = FHeight = 0;
    Changed();
    return h;
}

void TBitmap::SetHandleType(TBitmapHandleType value) {
    if (value == FHandleType) return;
    if (!FHandle) { FHandleType = value; return; }
    TPixelFormat format = value == bmDDB && FPixelFormat != pf1bit ? pfDevice : FPixelFormat;
    ReplaceImage(Convert(FWidth, FHeight, value, format), FWidth, FHeight, value, format);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    TBitmapHandleType type = (value == pfDevice || value == pf1bit) ? FHandleType : bmDIB;
    if (!FHandle) { FPixelFormat = value; FHandleType = type; return; }
    ReplaceImage(Convert(FWidth, FHeight, type, value), FWidth, FHeight, type, value);
}

void TBitmap::SetMonochrome(bool value) {
    if (value == Monochrome()) return;
    SetPixelFormat(value ? pf1bit : (FHandleType == bmDIB ? pf24bit : pfDevice));
}

TColor TBitmap::TransparentColor() {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (!FHandle) return clDefault;
    if (Monochrome()) return clWhite;
    return Canvas()->Pixels(0, FHeight - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor value) {
    if (value == clDefault) { SetTransparentMode(tmAuto); return; }
    if (FTransparentMode == tmFixed && value == FTransparentColor) return;
    FTransparentMode = tmFixed;
    FTransparentColor = value;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    FTransparentMode = value;
    if (value == tmAuto) FTransparentColor = clDefault;
    Changed();
}

HPALETTE TBitmap::Palette() {
    if (!FPalette && FHandle && FHandleType == bmDIB && BitsOf(FPixelFormat) <= 8) {
        // a bitmap can be selected into one DC only: use the canvas's when it holds it
        RGBQUAD table[256];
        UINT n = 0;
        if (HDC held = FCanvas ? FCanvas->CurrentDC() : nullptr) {
            n = GetDIBColorTable(held, 0, 256, table);
        } else {
            TMemoryDC dc;
            TScopedSelect selected(dc.Get(), FHandle.Get());
            n = GetDIBColorTable(dc.Get(), 0, 256, table);
        }
        if (n) {
            std::vector<std::uint8_t> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
            auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
            lp->palVersion = 0x300;
            lp->palNumEntries = static_cast<WORD>(n);
            for (UINT i = 0; i < n; ++i)
                lp->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
            FPalette.Reset(CreatePalette(lp));
        }
    }
    return FPalette.Get();
}

void TBitmap::SetPalette(HPALETTE value) {
    if (value == FPalette.Get()) return;
    FreeContext();
    FPalette.Reset(value);
    if (value && FHandle && FHandleType == bmDIB && BitsOf(FPixelFormat) <= 8) {
        PALETTEENTRY e[256]{};
        UINT n = GetPaletteEntries(value, 0, 256, e);
        RGBQUAD table[256];
        for (UINT i = 0; i < n; ++i) table[i] = RGBQUAD{e[i].peBlue, e[i].peGreen, e[i].peRed, 0};
        TMemoryDC dc;
        TScopedSelect selected(dc.Get(), FHandle.Get());
        SetDIBColorTable(dc.Get(), 0, n, table);
    }
    Changed();
}

void* TBitmap::ScanLine(int row) {
    if (!FHandle || FHandleType != bmDIB || row < 0 || row >= FHeight)
        throw EInvalidGraphicOperation("Scan line index out of range");
    DIBSECTION ds{};
    GetObjectW(FHandle.Get(), sizeof ds, &ds);
    GdiFlush();
    auto* bits = static_cast<std::uint8_t*>(ds.dsBm.bmBits);
    int stride = ds.dsBm.bmWidthBytes;
    bool bottomUp = ds.dsBmih.biHeight > 0;
    return bits + static_cast<std::size_t>(bottomUp ? FHeight - 1 - row : row) * stride;
}

void TBitmap::Assign(TPersistent* source) {
    if (source == this) return;
    auto* b = dynamic_cast<TBitmap*>(source);
    if (!b) {
        if (!source) { FreeContext(); FHandle.Reset(); FWidth = FHeight = 0; Changed(); return; }
        TGraphic::Assign(source);
        return;
    }
    FreeContext();
    b->FreeContext();
    FTransparent = b->FTransparent;
    FTransparentMode = b->FTransparentMode;
    FTransparentColor = b->FTransparentColor;
    TGdiObject<HBITMAP> copy;
    if (b->FHandle) {
        copy.Reset(static_cast<HBITMAP>(CopyImage(b->FHandle.Get(), IMAGE_BITMAP, 0, 0,
                                                  b->FHandleType == bmDIB ? LR_CREATEDIBSECTION : 0)));
        if (!copy) throw EOutOfResources("Out of system resources");
    }
    const bool empty = !copy;
    FPalette.Reset();
    ReplaceImage(std::move(copy), b->FWidth, b->FHeight, b->FHandleType, b->FPixelFormat);
    if (empty) { FWidth = b->FWidth; FHeight = b->FHeight; }
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
    HDC dst = canvas->Handle();
    HDC src = Canvas()->Handle();
    int oldMode = SetStretchBltMode(dst, Monochrome() ? BLACKONWHITE : COLORONCOLOR);
    if (FTransparent) {
        TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight,
                       ColorToRGB(TransparentColor()));
    } else {
        StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight, canvas->CopyMode);
    }
    SetStretchBltMode(dst, oldMode);
}

// BMP files: the file header, then a BITMAPINFOHEADER (or a later version of it), the colour
// table and the pixel rows.
void TBitmap::LoadFromFile(const String& fileName) { LoadFromBytes(ReadGraphicFile(fileName)); }

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& bytes) {
    auto invalid = [] { return EInvalidGraphic("Bitmap image is not valid"); };
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bytes[0] != 'B' || bytes[1] != 'M')
        throw invalid();
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, bytes.data(), sizeof fh);
    BITMAPINFOHEADER ih;
    std::memcpy(&ih, bytes.data() + sizeof fh, sizeof ih);
    const std::size_t infoAt = sizeof fh;
    if (ih.biSize < sizeof ih || ih.biSize > 124 || infoAt + ih.biSize > bytes.size()) throw invalid();
    int width = ih.biWidth;
    int height = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
    int bits = ih.biBitCount;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || ih.biPlanes != 1) throw invalid();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) throw invalid();
    bool rle = ih.biCompression == BI_RLE8 || ih.biCompression == BI_RLE4;
    if (ih.biCompression != BI_RGB && ih.biCompression != BI_BITFIELDS && !rle) throw invalid();
    if ((ih.biCompression == BI_RLE8 && bits != 8) || (ih.biCompression == BI_RLE4 && bits != 4)) throw invalid();
    std::size_t colors = bits <= 8 ? (ih.biClrUsed ? ih.biClrUsed : (1u << bits)) : 0;
    if (colors > 256) throw invalid();
    std::size_t masks = (ih.biCompression == BI_BITFIELDS && ih.biSize == sizeof ih) ? 3 * sizeof(DWORD) : 0;
    std::size_t tableAt = infoAt + ih.biSize + masks;
    if (tableAt + colors * sizeof(RGBQUAD) > bytes.size() || fh.bfOffBits >= bytes.size()) throw invalid();
    std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    std::size_t dataSize = bytes.size() - fh.bfOffBits;
    if (!rle && stride * height > dataSize) throw invalid();

    // the header as CreateDIBSection takes it: a plain BITMAPINFOHEADER, masks, colour table
    std::vector<std::uint8_t> info(sizeof ih + 3 * sizeof(DWORD) + 256 * sizeof(RGBQUAD));
    BITMAPINFOHEADER h2 = ih;
    h2.biSize = sizeof ih;
    h2.biClrUsed = static_cast<DWORD>(colors);
    if (rle) { h2.biCompression = BI_RGB; h2.biSizeImage = 0; }
    std::memcpy(info.data(), &h2, sizeof h2);
    std::size_t at = sizeof h2;
    if (ih.biCompression == BI_BITFIELDS) {
        std::memcpy(info.data() + at, bytes.data() + infoAt + (masks ? ih.biSize : sizeof ih), 3 * sizeof(DWORD));
        at += 3 * sizeof(DWORD);
    }
    std::memcpy(info.data() + at, bytes.data() + tableAt, colors * sizeof(RGBQUAD));

    void* dibBits = nullptr;
    TGdiObject<HBITMAP> image(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &dibBits, nullptr, 0));
    if (!image) throw EOutOfResources("Out of system resources");
    if (rle) {
        // the system unpacks run-length rows
        std::vector<std::uint8_t> packed(sizeof ih + 256 * sizeof(RGBQUAD));
        BITMAPINFOHEADER h3 = ih;
        h3.biSize = sizeof ih;
        h3.biClrUsed = static_cast<DWORD>(colors);
        h3.biSizeImage = static_cast<DWORD>(dataSize);
        std::memcpy(packed.data(), &h3, sizeof h3);
        std::memcpy(packed.data() + sizeof h3, bytes.data() + tableAt, colors * sizeof(RGBQUAD));
        TWindowDCBorrow screen(nullptr);
        int lines = SetDIBits(screen.Get(), image.Get(), 0, height, bytes.data() + fh.bfOffBits,
                              reinterpret_cast<BITMAPINFO*>(packed.data()), DIB_RGB_COLORS);
        if (lines == 0) throw invalid();
    } else {
        std::memcpy(dibBits, bytes.data() + fh.bfOffBits, stride * height);
    }
    TPixelFormat format = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit : bits == 24 ? pf24bit
                        : bits == 32 ? pf32bit : pfDevice;
    FPalette.Reset();
    ReplaceImage(std::move(image), width, height, bmDIB, format);
}

void TBitmap::SaveToFile(const String& fileName) { WriteGraphicFile(fileName, SaveToBytes()); }

std::vector<std::uint8_t> TBitmap::SaveToBytes() {
    if (!FHandle) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
    FreeContext();
    int bits = Monochrome() ? 1 : (FHandleType == bmDIB && BitsOf(FPixelFormat) <= 8) ? BitsOf(FPixelFormat)
             : FPixelFormat == pf32bit ? 32 : 24;
    std::size_t colors = bits <= 8 ? (1u << bits) : 0;
    std::size_t stride = ((static_cast<std::size_t>(FWidth) * bits + 31) / 32) * 4;
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = FWidth;
    bi->bmiHeader.biHeight = FHeight;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = static_cast<WORD>(bits);
    bi->bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(stride * FHeight);
    TWindowDCBorrow screen(nullptr);
    int lines = GetDIBits(screen.Get(), FHandle.Get(), 0, FHeight, pixels.data(), bi, DIB_RGB_COLORS);
    if (lines != FHeight) throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
    if (bits == 1 && FHandleType == bmDDB) {
        bi->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        bi->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    }
    bi->bmiHeader.biSizeImage = static_cast<DWORD>(pixels.size());
    bi->bmiHeader.biClrUsed = static_cast<DWORD>(colors);
    std::size_t headerSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = static_cast<DWORD>(headerSize);
    fh.bfSize = static_cast<DWORD>(headerSize + pixels.size());
    std::vector<std::uint8_t> out(headerSize + pixels.size());
    std::memcpy(out.data(), &fh, sizeof fh);
    std::memcpy(out.data() + sizeof fh, info.data(), sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    std::memcpy(out.data() + headerSize, pixels.data(), pixels.size());
    return out;
}
