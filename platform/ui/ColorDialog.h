#pragma once
// TColorDialog over ChooseColorW: Color in and out, the sixteen custom colours kept between uses.
#include <array>
#include "platform/graphics/Color.h"
#include "platform/ui/CommonDialog.h"

using TColorDialogOptions = unsigned;
constexpr TColorDialogOptions cdFullOpen = 1, cdPreventFullOpen = 2, cdShowHelp = 4, cdSolidColor = 8, cdAnyColor = 16;

class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* owner);
    bool Execute() override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value) { FColor = value; }
    TColorDialogOptions Options = 0;
    std::array<TColor, 16> CustomColors;      // white until chosen
private:
    TColor FColor = clBlack;
};
