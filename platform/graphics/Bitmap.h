#pragma once
// TBitmap keeps a DIB section or a device-dependent bitmap (HandleType), and a canvas over a
// memory DC that holds it. Every change of size, content, format or transparency fires OnChange.
#include <memory>
#include "platform/graphics/Graphic.h"

enum class TBitmapHandleType { bmDIB, bmDDB };
using enum TBitmapHandleType;
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
using enum TPixelFormat;
enum class TTransparentMode { tmAuto, tmFixed };
using enum TTransparentMode;

// Releases the memory DCs of every unlocked bitmap canvas (the window procedure calls it after
// each message, so idle bitmaps hold no DC); a canvas takes a new one when next drawn on.
void FreeMemoryContexts();

// A new palette with the entries of palette (nullptr for none); the caller owns it.
HPALETTE CopyPalette(HPALETTE palette);

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;
    void Assign(TPersistent* source) override;

    bool Empty() const override { return !FHandle; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);      // keeps the old image in the top-left corner

    TCanvas* Canvas();
    HBITMAP Handle() const { return FHandle.Get(); }
    void SetHandle(HBITMAP value);            // takes ownership
    HBITMAP ReleaseHandle();                  // the caller owns the handle; the bitmap becomes empty

    TBitmapHandleType HandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType value);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    // On: pixels of the canvas brush colour become white bits, all others black.
    // Off: black bits take the canvas font colour, white bits the brush colour.
    void SetMonochrome(bool value);

    // tmAuto answers the bottom-left pixel (white for a monochrome bitmap).
    TColor TransparentColor();
    void SetTransparentColor(TColor value);   // tmFixed; clDefault returns to tmAuto
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    HPALETTE Palette();                       // owned by the bitmap; nullptr without a colour table
    void SetPalette(HPALETTE value);          // takes ownership

    // Rows of a DIB section, top first; nullptr for a device-dependent bitmap.
    void* ScanLine(int row);
    // Lets go of the canvas's memory DC, so the image can be selected elsewhere (image lists).
    void FreeContext();

    void LoadFromFile(const String& fileName) override;
    void SaveToFile(const String& fileName) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> SaveToBytes();

protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;

public:
    class TBitmapCanvas;      // the canvas over the bitmap's memory DC

private:
    friend class TBitmapCanvas;
    void ReplaceImage(TGdiObject<HBITMAP> image, int width, int height, TBitmapHandleType type, TPixelFormat format);
    TGdiObject<HBITMAP> MakeImage(int width, int height, TBitmapHandleType type, TPixelFormat format) const;
    // A new image of the given kind with the old one blitted into its top-left corner (the rest white);
    // the colours steer conversions to and from one bit per pixel.
    TGdiObject<HBITMAP> Convert(int width, int height, TBitmapHandleType type, TPixelFormat format);

    TGdiObject<HBITMAP> FHandle;
    TGdiObject<HPALETTE> FPalette;
    int FWidth = 0, FHeight = 0;
    TBitmapHandleType FHandleType = bmDDB;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};
