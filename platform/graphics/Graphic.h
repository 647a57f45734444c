#pragma once
// TGraphic: what a picture holds (bitmap, JPEG image, icon), drawn by TCanvas::Draw/StretchDraw.
#include <cstdint>
#include <vector>
#include "platform/graphics/Canvas.h"
#include "platform/rtl/String.h"

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    virtual void LoadFromFile(const String& fileName) = 0;
    virtual void SaveToFile(const String& fileName) = 0;
    bool Modified = false;

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;
    virtual void Changed();
    bool FTransparent = false;
};

// Whole-file reads and writes for the picture classes; EFOpenError / EFCreateError on failure.
std::vector<std::uint8_t> ReadGraphicFile(const String& fileName);
void WriteGraphicFile(const String& fileName, const std::vector<std::uint8_t>& bytes);
