#pragma once
// A stand-in for the web-browser control in tests: it records what it is asked, holds the
// in-memory document a test gives it and fires the browser's events into advised sinks.
#include <vector>
#include "platform/web/BrowserControl.h"
#include "platform/web/MemoryEventSource.h"
#include "platform/web/PageDocument.h"

namespace web {

class TMemoryBrowser : public TBrowserControl {
public:
    void Navigate2(const WideString& url, int flags) override;
    void Stop() override { ++StopCount; }
    void Refresh2() override { ++RefreshCount; }
    bool Busy() override { return BusyValue; }
    int ReadyState() override { return ReadyStateValue; }
    std::shared_ptr<THtmlDocument> Document() override { return CurrentDocument; }
    HRESULT AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) override { return Events.Advise(sink, cookie); }
    HRESULT UnadviseBrowserEvents(DWORD cookie) override { return Events.Unadvise(cookie); }

    // The browser finishing a page: the document becomes current, the state complete, and
    // DocumentComplete reaches the sinks.
    void Complete(std::shared_ptr<TPageDocument> document);

    std::vector<WideString> Navigations;
    int StopCount = 0;
    int RefreshCount = 0;
    bool BusyValue = false;
    int ReadyStateValue = ReadyStateComplete;
    bool NavigateFails = false;   // Navigate2 raises, as a refused URL does
    std::shared_ptr<TPageDocument> CurrentDocument;
    TMemoryEventSource Events;
};

}  // namespace web
