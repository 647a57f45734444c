#include "tutor/menu/AboutUnit.h"
#include "platform/ui/Application.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/MovieCommand.h"
#include "tutor/menu/ScreenParts.h"

TAboutform* Aboutform = nullptr;

TAboutform::TAboutform(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TAboutform::BuildLayout() {
    SetUpScreenForm(this, "Aboutform", 792, 566, poScreenCenter);
    OkBtn = NewCommandTarget(this, "OkBtn", [this](TObject* s) { OkBtnClick(s); });
    ShockwaveFlash = NewScreenMovie(this, [this](TObject* s, const WideString& c, const WideString& a) {
        ShockwaveFlashFSCommand(s, c, a);
    });
}

void TAboutform::FormActivate(TObject*) {
    SetCaption(Application->Title());
    LoadScreenMovie(ShockwaveFlash, AppDir + (InterfaceLanguage != "A" ? "\\Data\\interface\\AboutE.swf"
                                                                        : "\\Data\\interface\\About.swf"));
}

void TAboutform::OkBtnClick(TObject*) { Close(); }

void TAboutform::ShockwaveFlashFSCommand(TObject*, const WideString& command, const WideString& args) {
    switch (MatchCommand(command, {"RollOver", "OK"})) {
    case 0: MainFrm->FlashRollOver(FromWide(command), FromWide(args)); break;
    case 1: OkBtn->Click(); break;
    default: break;
    }
}
