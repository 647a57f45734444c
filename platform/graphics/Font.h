#pragma once
#include <cstdint>
#include "platform/graphics/Color.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/GraphicsObject.h"
#include "platform/rtl/String.h"

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
using enum TFontPitch;

// Height is in pixels (negative: character height, as LOGFONT), Size in points at the screen's
// pixels per inch; setting one sets the other.
// The screen's logical pixels per inch (96 when the system does not say).
int ScreenPixelsPerInch();

class TFont : public TGraphicsObject {
public:
    TFont();
    void Assign(TPersistent* source) override;

    const String& Name() const { return FName; }
    void SetName(const String& value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    BYTE Charset() const { return FCharset; }
    void SetCharset(BYTE value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);
    int PixelsPerInch() const { return FPixelsPerInch; }

    HFONT Handle();                  // made on first use, owned by the font
    void SetHandle(HFONT value);     // takes the description of value; value stays the caller's

protected:
    void Changed() override;

private:
    String FName = "MS Sans Serif";
    int FHeight;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
    BYTE FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FPixelsPerInch;
    TGdiObject<HFONT> FHandle;
};
