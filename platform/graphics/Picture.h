#pragma once
// TPicture holds one graphic of any kind and loads a file by its extension.
#include <memory>
#include <string_view>
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/JPEGImage.h"

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    void Assign(TPersistent* source) override;    // a picture, a graphic, or nullptr to clear

    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* value) { Assign(value); }
    TBitmap* Bitmap();     // the graphic as a bitmap; another kind is replaced by an empty bitmap
    TIcon* Icon();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // .bmp, .jpg, .jpeg, .ico; anything else raises EInvalidGraphic. A failed load keeps the old graphic.
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    // A picture carried in memory, its kind told by its first bytes (BM, JPEG, icon); the same
    // errors and the same keeping of the old graphic as a file.
    void LoadFromBytes(std::string_view bytes);

    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> graphic);
    void Changed() { if (OnChange) OnChange(this); }
    std::unique_ptr<TGraphic> FGraphic;
};
