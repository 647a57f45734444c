#pragma once
// What the HTML view asks of the web-browser control: navigation, its state, its document and
// its event stream. OleWebBrowser.h hosts the system's control; tests may put a stand-in here.
#include <memory>
#include <oaidl.h>
#include "platform/web/HtmlDom.h"

namespace web {

enum TReadyState { ReadyStateUninitialized = 0, ReadyStateLoading = 1, ReadyStateComplete = 4 };

class TBrowserControl {
public:
    virtual ~TBrowserControl() = default;
    virtual void Navigate2(const WideString& url, int flags) = 0;
    virtual void Stop() = 0;
    virtual void Refresh2() = 0;
    virtual bool Busy() = 0;
    virtual int ReadyState() = 0;
    // The current document; empty while there is none.
    virtual std::shared_ptr<THtmlDocument> Document() = 0;
    // DWebBrowserEvents2 of the browser's Application object. Failures are answered.
    virtual HRESULT AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) = 0;
    virtual HRESULT UnadviseBrowserEvents(DWORD cookie) = 0;
};

}  // namespace web
