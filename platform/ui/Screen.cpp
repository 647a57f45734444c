#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

TScreen* Screen = new TScreen(nullptr);   // lives as long as the process

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

void TScreen::SetCursor(TCursor value) {
    FCursor = value;
    if (value != crDefault) ::SetCursor(CursorHandle(value));
}

static int CALLBACK CollectFont(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
    if (lf->lfFaceName[0] != L'@') reinterpret_cast<std::vector<String>*>(param)->push_back(FromWide(lf->lfFaceName));
    return 1;
}

const std::vector<String>& TScreen::Fonts() {
    if (!FFontsRead) {
        FFontsRead = true;
        TWindowDCBorrow screen(nullptr);
        LOGFONTW lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen.Get(), &lf, CollectFont, reinterpret_cast<LPARAM>(&FFonts), 0);
        std::sort(FFonts.begin(), FFonts.end(), [](const String& a, const String& b) { return CompareText(a, b) < 0; });
        FFonts.erase(std::unique(FFonts.begin(), FFonts.end(), [](const String& a, const String& b) { return SameText(a, b); }), FFonts.end());
    }
    return FFonts;
}

void TScreen::AddForm(TForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) FActiveForm = nullptr;
    if (FFocusedForm == form) FFocusedForm = nullptr;
    if (FActiveControl && GetParentForm(FActiveControl) == form) FActiveControl = nullptr;
}

void TScreen::SetFocused(TForm* form, TWinControl* control) {
    FActiveForm = form;
    FActiveControl = control;
    auto it = std::find(FForms.begin(), FForms.end(), form);
    if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
}

void TScreen::FormActivated(TForm* form) {
    if (form == FFocusedForm) return;
    TForm* old = FFocusedForm;
    FFocusedForm = form;
    FActiveForm = form;
    if (old) old->Perform(CM_DEACTIVATE);
    if (form && FFocusedForm == form) form->Perform(CM_ACTIVATE);
}

void TScreen::ControlDestroyed(TControl* control) {
    if (FActiveControl == control) FActiveControl = nullptr;
}
