#pragma once
// TJPEGImage keeps the compressed file and decodes it (through libjpeg) into a bitmap on first use.
#include <memory>
#include "platform/graphics/Bitmap.h"

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;
    void Assign(TPersistent* source) override;
    bool Empty() const override { return FData.empty(); }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Grayscale() const { return FGrayscale; }
    void LoadFromFile(const String& fileName) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);   // EInvalidGraphic when not a JPEG image
    void SaveToFile(const String& fileName) override;               // the compressed data as loaded
    TBitmap* Bitmap();                                              // the decoded image
protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
private:
    std::vector<std::uint8_t> FData;
    std::unique_ptr<TBitmap> FBitmap;
    int FWidth = 0, FHeight = 0;
    bool FGrayscale = false;
};
