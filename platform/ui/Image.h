#pragma once
// TImage: a windowless picture, drawn at its corner, centred, or stretched over the control.
// Its picture holds one graphic; until the graphics layer has a picture class of its own, the
// holder here keeps bitmaps (LoadFromFile takes .bmp).
#include <memory>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/TGraphicControl.h"

class TImagePicture : public TPersistent {
public:
    TImagePicture();
    ~TImagePicture() override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* value);          // copies a bitmap; nullptr empties the picture
    TBitmap* Bitmap();                         // makes the graphic a bitmap when it is none
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    void LoadFromFile(const String& fileName); // EInvalidGraphic for an unknown extension
    void SaveToFile(const String& fileName);
    void Assign(TPersistent* source) override;
    TNotifyEvent OnChange;
private:
    void Changed() { if (OnChange) OnChange(this); }
    void Take(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> FGraphic;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TImagePicture* Picture() const { return FPicture.get(); }
    void SetPicture(TImagePicture* value) { FPicture->Assign(value); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TRect DestRect();                          // where the picture goes in the client area

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);

    std::unique_ptr<TImagePicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};
