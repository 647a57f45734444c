#pragma once
// The assistant character's form: shown once, off the screen, and the one place where
// assistant pages are played and cleared.
#include <vector>
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Panel.h"

class TAgentForm : public TForm {
public:
    explicit TAgentForm(TComponent* owner);

    // The page of CDDir\Data\Agent\Html fitted to the caller's rectangle; a missing page is
    // skipped, and no page plays while the assistant is switched off.
    void PlayAgentPage(const String& page, int width, int height, int left, int top);
    // Shown beyond the left edge of the screen, the active form staying active.
    void ShowOffScreen();
    void ClearPage();
    // The same with the screen's own width, height, left and top.
    void PlayAgentPageFor(TForm* screen, const String& page);
    // What every screen with a first-visit flag does on activation: the page is cleared, and the
    // screen introduces itself once while its flag is set.
    void IntroduceScreen(TForm* screen, bool& firstVisit, const String& page);
    // The page playing now (empty after ClearPage), and every page played in the run, in order.
    const String& PlayingPage() const { return FPlayingPage; }
    const std::vector<String>& PlayedPages() const { return FPlayedPages; }

    TPanel* WebViewPanel = nullptr;
    TButton* CloseBtn = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CloseBtnClick(TObject* sender);

private:
    void BuildLayout();

    String FPlayingPage;
    std::vector<String> FPlayedPages;
};

extern TAgentForm* AgentForm;
