#include "platform/ui/FontDialog.h"
#include <commdlg.h>

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(std::make_unique<TFont>()) {}
TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
    LOGFONTW lf{};
    GetObjectW(FFont->Handle(), sizeof lf, &lf);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = OwnerWindow();
    cf.lpLogFont = &lf;
    cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS | CF_ENABLEHOOK;
    if (Options & fdEffects) cf.Flags |= CF_EFFECTS;
    if (Options & fdAnsiOnly) cf.Flags |= CF_SCRIPTSONLY;
    if (Options & fdTrueTypeOnly) cf.Flags |= CF_TTONLY;
    if (Options & fdFixedPitchOnly) cf.Flags |= CF_FIXEDPITCHONLY;
    if (Options & fdForceFontExist) cf.Flags |= CF_FORCEFONTEXIST;
    if (Options & fdNoFaceSel) cf.Flags |= CF_NOFACESEL;
    if (Options & fdNoSizeSel) cf.Flags |= CF_NOSIZESEL;
    if (Options & fdNoStyleSel) cf.Flags |= CF_NOSTYLESEL;
    if (Options & fdScalableOnly) cf.Flags |= CF_SCALABLEONLY;
    if ((Options & fdLimitSize) && MaxFontSize > 0) {
        cf.Flags |= CF_LIMITSIZE;
        cf.nSizeMin = MinFontSize;
        cf.nSizeMax = MaxFontSize;
    }
    cf.rgbColors = ColorToRGB(FFont->Color());
    cf.lpfnHook = HookProc;
    if (!Run([](void* d) { return ChooseFontW(static_cast<CHOOSEFONTW*>(d)); }, &cf)) return false;
    TGdiObject<HFONT> chosen(CreateFontIndirectW(&lf));
    TColor color = FFont->Color();
    FFont->SetHandle(chosen.Get());   // takes the description; the handle stays ours
    FFont->SetColor((Options & fdEffects) ? static_cast<TColor>(cf.rgbColors) : color);
    return true;
}
