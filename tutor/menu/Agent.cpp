#include "tutor/menu/Agent.h"
#include <cstdio>
#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/web/OleWebBrowser.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/ScreenParts.h"

TAgentForm* AgentForm = nullptr;

namespace {

constexpr int LayoutWidth = 1024, LayoutHeight = 768;

int ReadInteger(const String& text, const char* what) {
    int value = 0;
    if (!TryStrToInt(Trim(text), value))
        throw EConvertError("'" + Trim(text) + "' is not a valid integer value for the " + what + " of '.MoveTo'");
    return value;
}

}  // namespace

int PosFrom(const String& sub, const String& s, int start) { return PosEx(sub, s, start); }

String FitPagePositions(const String& page, int width, int height, int left, int top) {
    String s = page;
    const String call = ".MoveTo ";
    int p = PosFrom(call, s, 1);
    while (p > 0) {
        const int a = p + int(call.size());
        int lineEnd = PosFrom("\r", s, a);
        if (lineEnd == 0) lineEnd = int(s.size()) + 1;
        const int k = PosFrom(",", s, a);
        if (k == 0 || k > lineEnd) throw EConvertError("'.MoveTo' needs x and y separated by a comma");
        int x = ReadInteger(Copy(s, a, k - a), "x");
        // any blanks after the comma: "600,400" reads y as 400
        int y = ReadInteger(Copy(s, k + 1, lineEnd - k - 1), "y");
        x = x - (LayoutWidth - width) / 2 + left;
        y = y - (LayoutHeight - height) / 2 + top;
        char moved[32];
        std::snprintf(moved, sizeof moved, "%d, %d", x, y);
        s = Copy(s, 1, a - 1) + moved + Copy(s, lineEnd, int(s.size()));
        p = PosFrom(call, s, a);
    }
    return s;
}

TAgentForm::TAgentForm(TComponent* owner) : TForm(owner), FHost(TComPtr<web::TCharacterHost>::Attach(new web::TCharacterHost)) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
}

// The view goes with the form's components; the character with the last reference to its host.
TAgentForm::~TAgentForm() { FHost->Character().Stop(); }

void TAgentForm::BuildLayout() {
    SetUpScreenForm(this, "AgentForm", 731, 536, poDesigned);
    // made before the view, so that it outlives the view's connections
    Sink = new TAgentSink(this);
    WebViewPanel = new TPanel(this);
    WebViewPanel->SetName("WebViewPanel");
    WebViewPanel->SetParent(this);
    WebViewPanel->SetAlign(alClient);
    WebViewPanel->SetCaption("");
    WebView = NewPageView(this, WebViewPanel);
    WebView->SetVisible(false);   // its browser starts with the first page
    WebView->OnDocumentDone = [this](TObject* s) { WebViewDocumentDone(s); };
    Sink->SetView(WebView);
    CloseBtn = new TButton(this);
    CloseBtn->SetName("CloseBtn");
    CloseBtn->SetParent(this);
    CloseBtn->SetCaption("Close");
    CloseBtn->SetBounds(8, 8, 75, 25);
    CloseBtn->OnClick = [this](TObject* s) { CloseBtnClick(s); };
    PageTimer = new TTimer(this);
    PageTimer->SetName("PageTimer");
    PageTimer->SetEnabled(false);
    PageTimer->SetInterval(1);
    PageTimer->OnTimer = [this](TObject* s) { PageTimerTimer(s); };
}

// The view is connected to its sink with the first page, not here: starting the browser costs
// the main menu's first showing a noticeable time.
void TAgentForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    WebView->SetBaseDir(AppDir);
}

// Shown once, kept beyond the left edge of the screen for the rest of the run.
void TAgentForm::FormActivate(TObject*) { SetLeft(-1000); }

// The screen that shows the form keeps the activation: taking it would make that screen
// activate (and enter the user) a second time when it takes it back.
void TAgentForm::ShowOffScreen() {
    SetLeft(-1000);
    ShowInactive();
}

void TAgentForm::CloseBtnClick(TObject*) { Close(); }

void TAgentForm::ConnectView() {
    if (FViewConnected) return;
    FViewConnected = true;
    WebView->SetVisible(true);
    WebView->SetUnkParent(Sink);
    // with an HTML engine the page's own script drives the character through this object
    if (web::TOleWebBrowser* browser = WebView->OleBrowser(); browser && !browser->EngineLess())
        browser->SetExternal(FHost.Get());
}

void TAgentForm::PlayAgentPage(const String& page, int width, int height, int left, int top) {
    if (!AssistantOn) return;   // the user switched the assistant off in the options
    const String file = CDDir + "\\Data\\Agent\\Html\\" + page;
    if (!FileExists(file)) return;
    String text;
    try {
        TStringList lines;
        lines.LoadFromFile(file);
        text = FitPagePositions(lines.Text(), width, height, left, top);
    } catch (const EStreamError&) {
        return;   // unreadable: as a missing page
    } catch (const EConvertError&) {
        return;   // a malformed call: the page is not played, and the calling screen goes on
    }
    const String dir = CDDir + "\\Data\\Agent\\wave caracter";
    WebView->SetAgentDir(dir);
    FHost->SetSoundFolder(dir);
    FHost->SetLanguage(ToWide(InterfaceLanguage));
    FHost->Character().SetRightToLeft(InterfaceLanguage == "A");
    FHost->Character().SetCharacterFile(CDDir + "\\Data\\Agent\\Character\\Zarek.ini");
    FPlayingPage = page;
    FPlayedPages.push_back(page);
    FPendingPage = text;
    PageTimer->SetEnabled(true);
}

void TAgentForm::PageTimerTimer(TObject*) {
    PageTimer->SetEnabled(false);
    if (FPendingPage.empty()) return;
    const String text = std::move(FPendingPage);
    FPendingPage.clear();
    ConnectView();
    FViewHoldsPage = true;
    FPageLoading = true;
    WebView->LoadViaTempFile(text);
}

// Where the view hosts no HTML engine, no script of the page runs: the host plays its lines.
void TAgentForm::WebViewDocumentDone(TObject*) {
    if (!FPageLoading) return;
    FPageLoading = false;
    web::TOleWebBrowser* engine = WebView->OleBrowser();
    if (engine && !engine->EngineLess()) return;
    if (auto document = WebView->Document()) FHost->PlayDocument(*document);
}

void TAgentForm::ClearPage() {
    PageTimer->SetEnabled(false);
    FPendingPage.clear();
    FPageLoading = false;
    FHost->Character().Stop();
    FPlayingPage.clear();
    // a view that never held a page is blank already
    if (FViewHoldsPage) {
        FViewHoldsPage = false;
        WebView->ClearPage();
    }
}

void TAgentForm::PlayAgentPageFor(TForm* screen, const String& page) {
    PlayAgentPage(page, screen->Width(), screen->Height(), screen->Left(), screen->Top());
}

void TAgentForm::IntroduceScreen(TForm* screen, bool& firstVisit, const String& page) {
    ClearPage();
    if (!firstVisit) return;
    PlayAgentPageFor(screen, page);
    firstVisit = false;
}
