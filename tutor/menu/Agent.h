#pragma once
// The assistant character's form: shown once, off the screen, and the one place where
// assistant pages are played and cleared. Its page view runs the page; the character itself is
// a window of its own over the calling screen (platform/web/CharacterWindow.h), driven through
// the host object the page reaches as window.external.
#include <vector>
#include "htmlview/WebView.h"
#include "htmlview/WebViewSink.h"
#include "platform/rtl/TComponent.h"
#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Panel.h"
#include "platform/ui/Timer.h"
#include "platform/web/CharacterHost.h"
#include "platform/win/ComPtr.h"

// Position of the first sub in s at or after start (1-based); 0 when there is none, also when
// start lies beyond the last place where sub could begin.
int PosFrom(const String& sub, const String& s, int start);

// The page with every ".MoveTo x, y" moved from the 1024 x 768 layout the pages are written for
// into the caller's rectangle: centred on its width and height, then by its left and top.
// Blanks around the numbers are allowed; a call without a comma or with a number that cannot be
// read raises EConvertError, and the page is then not to be played.
String FitPagePositions(const String& page, int width, int height, int left, int top);

// The form is the view's event sink: its Invoke hands everything to the view.
class TAgentSink : public TComponent, public TWebViewSink {
public:
    explicit TAgentSink(TComponent* owner) : TComponent(owner) {}
};

class TAgentForm : public TForm {
public:
    explicit TAgentForm(TComponent* owner);
    ~TAgentForm() override;

    // The page of CDDir\Data\Agent\Html fitted to the caller's rectangle; a missing, unreadable or
    // malformed page is skipped, and no page plays while the assistant is switched off. The page
    // goes into the view once the screen that asked has been painted (PageTimer).
    void PlayAgentPage(const String& page, int width, int height, int left, int top);
    // Shown beyond the left edge of the screen, the active form staying active.
    void ShowOffScreen();
    // Ends the page: the view is blanked and the character goes at once.
    void ClearPage();
    // The same with the screen's own width, height, left and top.
    void PlayAgentPageFor(TForm* screen, const String& page);
    // What every screen with a first-visit flag does on activation: the page is cleared, and the
    // screen introduces itself once while its flag is set.
    void IntroduceScreen(TForm* screen, bool& firstVisit, const String& page);
    // The page playing now (empty after ClearPage), and every page played in the run, in order.
    const String& PlayingPage() const { return FPlayingPage; }
    const std::vector<String>& PlayedPages() const { return FPlayedPages; }
    web::TCharacterHost& Host() { return *FHost.Get(); }

    TAgentSink* Sink = nullptr;
    TPanel* WebViewPanel = nullptr;
    TWebView* WebView = nullptr;
    TButton* CloseBtn = nullptr;
    TTimer* PageTimer = nullptr;

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void CloseBtnClick(TObject* sender);
    void PageTimerTimer(TObject* sender);
    void WebViewDocumentDone(TObject* sender);

private:
    void BuildLayout();
    void ConnectView();

    TComPtr<web::TCharacterHost> FHost;
    String FPlayingPage;
    std::vector<String> FPlayedPages;
    String FPendingPage;        // fitted, waiting for PageTimer
    bool FViewConnected = false;
    bool FViewHoldsPage = false;
    bool FPageLoading = false;  // its document's completion plays the character
};

extern TAgentForm* AgentForm;
