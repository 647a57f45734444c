#pragma once
// TImage: a windowless picture, drawn at its corner, centred, or stretched over the control.
// Its picture is the graphics layer's TPicture (bitmaps, JPEG pictures, icons).
#include <memory>
#include "platform/graphics/Picture.h"
#include "platform/ui/TGraphicControl.h"

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value) { FPicture->Assign(value); }
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

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};
