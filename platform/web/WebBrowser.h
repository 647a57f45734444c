#pragma once
// TWebBrowser: the web-browser control as a component. Its window holds the system's control
// (TOleWebBrowser) where the system has an HTML engine, and our own page renderer's browser
// (TPageBrowser) where it has none; either is made with the window, destroyed with it and kept
// to its client area, and the browser's calls make the window when there is none, except the
// question for the document, which a browser never made cannot have. Tests may put a stand-in
// browser in place of the owned one (SetBrowser); no control is then made.
// The event connections made on the owned control are revoked before it goes, so that it keeps
// no pointer to a sink that may die before it; revoking one of them later answers success.
#include <memory>
#include <vector>
#include "platform/ui/TWinControl.h"
#include "platform/web/BrowserControl.h"
#include "platform/win/ComPtr.h"

namespace web {
class TOleWebBrowser;
class TPageBrowser;
}

class TWebBrowser : public TWinControl, public web::TBrowserControl {
public:
    explicit TWebBrowser(TComponent* owner);
    ~TWebBrowser() override;

    // Borrowed; nullptr goes back to the owned control.
    void SetBrowser(web::TBrowserControl* browser) { FStandIn = browser; }
    // The system control hosted in the window (made on demand), or nullptr with a stand-in or
    // once the component is being destroyed.
    web::TOleWebBrowser* OleBrowser();
    // Our own browser hosted in the window where the system has no HTML engine (made on demand),
    // or nullptr with a stand-in, with the system control or once the component is being destroyed.
    web::TPageBrowser* PageBrowser();
    // The browser's Application object (the source of DWebBrowserEvents2); empty with a stand-in.
    TComPtr<IDispatch> Application();

    void Navigate2(const WideString& url, int flags) override;
    void Stop() override;
    void Refresh2() override;
    bool Busy() override;
    int ReadyState() override;
    std::shared_ptr<web::THtmlDocument> Document() override;
    HRESULT AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) override;
    HRESULT UnadviseBrowserEvents(DWORD cookie) override;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    web::TBrowserControl* Control();

    web::TBrowserControl* FStandIn = nullptr;
    std::unique_ptr<web::TOleWebBrowser> FOle;
    std::unique_ptr<web::TPageBrowser> FPage;
    std::vector<DWORD> FCookies;            // live connections on the owned control
    std::vector<DWORD> FRevoked;            // revoked when their control went
};
