#include "tutor/menu/Agent.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/ScreenParts.h"

TAgentForm* AgentForm = nullptr;

TAgentForm::TAgentForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

void TAgentForm::BuildLayout() {
    SetUpScreenForm(this, "AgentForm", 731, 536, poDesigned);
    WebViewPanel = new TPanel(this);
    WebViewPanel->SetName("WebViewPanel");
    WebViewPanel->SetParent(this);
    WebViewPanel->SetAlign(alClient);
    WebViewPanel->SetCaption("");
    CloseBtn = new TButton(this);
    CloseBtn->SetName("CloseBtn");
    CloseBtn->SetParent(this);
    CloseBtn->SetCaption("Close");
    CloseBtn->SetBounds(8, 8, 75, 25);
    CloseBtn->OnClick = [this](TObject* s) { CloseBtnClick(s); };
}

void TAgentForm::FormCreate(TObject*) { SetCaption(Application->Title()); }

// Shown once, kept beyond the left edge of the screen for the rest of the run.
void TAgentForm::FormActivate(TObject*) { SetLeft(-1000); }

// The screen that shows the form keeps the activation: taking it would make that screen
// activate (and enter the user) a second time when it takes it back.
void TAgentForm::ShowOffScreen() {
    SetLeft(-1000);
    ShowInactive();
}

void TAgentForm::CloseBtnClick(TObject*) { Close(); }

void TAgentForm::PlayAgentPage(const String& page, int, int, int, int) {
    if (!AssistantOn) return;   // the user switched the assistant off in the options
    if (!FileExists(CDDir + "\\Data\\Agent\\Html\\" + page)) return;
    FPlayingPage = page;
    FPlayedPages.push_back(page);
}

void TAgentForm::ClearPage() { FPlayingPage.clear(); }

void TAgentForm::PlayAgentPageFor(TForm* screen, const String& page) {
    PlayAgentPage(page, screen->Width(), screen->Height(), screen->Left(), screen->Top());
}

void TAgentForm::IntroduceScreen(TForm* screen, bool& firstVisit, const String& page) {
    ClearPage();
    if (!firstVisit) return;
    PlayAgentPageFor(screen, page);
    firstVisit = false;
}
