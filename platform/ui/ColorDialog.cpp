#include "platform/ui/ColorDialog.h"
#include <commdlg.h>

TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner) { CustomColors.fill(clWhite); }

bool TColorDialog::Execute() {
    std::array<COLORREF, 16> custom;
    for (std::size_t i = 0; i < custom.size(); ++i) custom[i] = ColorToRGB(CustomColors[i]);
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow();
    cc.rgbResult = ColorToRGB(FColor);
    cc.lpCustColors = custom.data();
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    if (Options & cdFullOpen) cc.Flags |= CC_FULLOPEN;
    if (Options & cdPreventFullOpen) cc.Flags |= CC_PREVENTFULLOPEN;
    if (Options & cdShowHelp) cc.Flags |= CC_SHOWHELP;
    if (Options & cdSolidColor) cc.Flags |= CC_SOLIDCOLOR;
    if (Options & cdAnyColor) cc.Flags |= CC_ANYCOLOR;
    cc.lpfnHook = HookProc;
    bool ok = Run([](void* d) { return ChooseColorW(static_cast<CHOOSECOLORW*>(d)); }, &cc);
    if (ok) FColor = static_cast<TColor>(cc.rgbResult);
    for (std::size_t i = 0; i < custom.size(); ++i) CustomColors[i] = static_cast<TColor>(custom[i]);
    return ok;
}
