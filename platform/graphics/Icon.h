#pragma once
// TIcon: one image of an .ico file (the one of the system's icon size, else the largest).
#include <windows.h>
#include "platform/graphics/Graphic.h"

class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    void Assign(TPersistent* source) override;
    bool Empty() const override { return FHandle == nullptr; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    HICON Handle() const { return FHandle; }
    void SetHandle(HICON value);          // takes ownership
    HICON ReleaseHandle();
    void LoadFromFile(const String& fileName) override;
    void LoadFromBytes(const std::vector<std::uint8_t>& bytes);   // EInvalidGraphic when not an icon file
    void SaveToFile(const String& fileName) override;
protected:
    void Draw(TCanvas* canvas, const TRect& rect) override;
private:
    void FreeHandle();
    HICON FHandle = nullptr;
    int FWidth = 0, FHeight = 0;
    std::vector<std::uint8_t> FData;
};
