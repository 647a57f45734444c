#pragma once
// The system's web-browser control, hosted in place on a window of ours. Where the system has
// no HTML engine (no HTML document can be created), the control is still hosted and its event
// stream can be advised, but it behaves as an empty browser: navigation does nothing, it is
// never busy, its ready state reads complete and it has no document. That way a caller's wait
// for a page never stalls.
#include <windows.h>
#include <exdisp.h>
#include "platform/web/BrowserControl.h"

namespace web {

class TBrowserSite;

// Asked once per process.
bool HtmlEngineAvailable();

class TOleWebBrowser : public TBrowserControl {
public:
    // Fills the client area of parent; EOleSysError when the control cannot be created.
    explicit TOleWebBrowser(HWND parent);
    ~TOleWebBrowser() override;
    TOleWebBrowser(const TOleWebBrowser&) = delete;
    TOleWebBrowser& operator=(const TOleWebBrowser&) = delete;

    bool EngineLess() const { return FEngineLess; }
    void SetBounds(const RECT& bounds);
    // The object page scripts reach as window.external.
    void SetExternal(IDispatch* external);
    IOleObject* OleObject() const { return FObject; }
    IDispatch* Application();   // a new reference, or nullptr

    void Navigate2(const WideString& url, int flags) override;
    void Stop() override;
    void Refresh2() override;
    bool Busy() override;
    int ReadyState() override;
    std::shared_ptr<THtmlDocument> Document() override;
    HRESULT AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) override;
    HRESULT UnadviseBrowserEvents(DWORD cookie) override;

private:
    void ReleaseControl();
    HRESULT FindEventPoint(IConnectionPoint** point);

    bool FEngineLess;
    TBrowserSite* FSite = nullptr;
    IOleObject* FObject = nullptr;
    IWebBrowser2* FBrowser = nullptr;
};

}  // namespace web
