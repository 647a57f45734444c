#pragma once
// TFontDialog over ChooseFontW: Font in and out (face, height, style, charset, and the colour
// with fdEffects).
#include <memory>
#include "platform/graphics/Font.h"
#include "platform/ui/CommonDialog.h"

using TFontDialogOptions = unsigned;
constexpr TFontDialogOptions fdAnsiOnly = 1, fdTrueTypeOnly = 2, fdEffects = 4, fdFixedPitchOnly = 8,
                             fdForceFontExist = 16, fdNoFaceSel = 32, fdNoSizeSel = 64, fdNoStyleSel = 128,
                             fdLimitSize = 256, fdScalableOnly = 512;

class TFontDialog : public TCommonDialog {
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;
    bool Execute() override;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    TFontDialogOptions Options = fdEffects;
    int MinFontSize = 0;
    int MaxFontSize = 0;
private:
    std::unique_ptr<TFont> FFont;
};
