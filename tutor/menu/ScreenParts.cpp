#include "tutor/menu/ScreenParts.h"

void SetUpScreenForm(TForm* form, const char* name, int clientWidth, int clientHeight, TPosition position) {
    form->SetName(name);
    form->SetBorderStyle(bsNone);
    form->SetClientSize(clientWidth, clientHeight);
    form->SetPosition(position);
}

TShockwaveFlash* NewScreenMovie(TForm* form, TFSCommandEvent onCommand) {
    auto* flash = new TShockwaveFlash(form);
    flash->SetName("ShockwaveFlash");
    flash->SetParent(form);
    flash->SetAlign(alClient);
    flash->OnFSCommand = std::move(onCommand);
    flash->SendToBack();
    return flash;
}

TCommandTarget* NewCommandTarget(TForm* form, const char* name, TNotifyEvent onClick) {
    auto* button = new TCommandTarget(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetBounds(0, 0, 75, 25);
    button->OnClick = std::move(onClick);
    return button;
}

TButton* NewHiddenButton(TForm* form, const char* name, TNotifyEvent onClick) {
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetParent(form);
    button->SetVisible(false);
    button->OnClick = std::move(onClick);
    return button;
}

TWebView* NewPageView(TForm* form, TWinControl* parent) {
    auto* view = new TWebView(form);
    view->SetName("WebView");
    view->SetParent(parent);
    view->SetAlign(alClient);
    view->SetAddCopyMenu(false);
    view->SetAddCopyScript(true);
    view->SetSelectionLength(500);
    view->SetTextOrient(TTextOrient::RTL);
    view->SetMemBufferSize(65535);
    view->SetSlashCharacter('/');
    view->SetVScroll(true);
    view->SetOnContextMenu(false);
    view->SetWaterMark(false);
    view->SetBackGroundColor(13540898);   // the page views' blue
    return view;
}
