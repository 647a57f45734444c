#pragma once
// The browser of the engine-less road: a child window that shows our own page renderer's
// document, scrolls it, turns clicks and keys into the document's events and follows local
// links, and gives the browser's events in a real browser's order: BeforeNavigate2 when asked,
// then, once the page is read, laid out and painted, DownloadBegin, DownloadComplete and
// DocumentComplete. Navigation and stream loads finish from the message queue, so a caller's
// wait for the ready state ends as soon as messages run.
#include <windows.h>
#include <functional>
#include <memory>
#include "platform/web/BrowserControl.h"
#include "platform/web/MemoryEventSource.h"
#include "platform/web/PageDocument.h"
#include "platform/web/PageMeasure.h"

namespace web {

class TPageBrowser : public TBrowserControl {
public:
    // Fills the client area of parent.
    explicit TPageBrowser(HWND parent);
    ~TPageBrowser() override;
    TPageBrowser(const TPageBrowser&) = delete;
    TPageBrowser& operator=(const TPageBrowser&) = delete;

    HWND Handle() const { return FWindow; }
    void SetBounds(const RECT& bounds);
    const std::shared_ptr<TPageDocument>& PageDocument() const { return FDocument; }
    const WideString& Url() const { return FDocument->Url(); }
    int ScrollY() const { return FScrollY; }
    void ScrollTo(int y);
    // Paints what the window shows into another device context, at its origin.
    void PaintTo(HDC dc);
    // Called after each DocumentComplete with the page's URL (the help window follows links).
    std::function<void(const WideString& url)> OnDocumentComplete;

    void Navigate2(const WideString& url, int flags) override;
    void Stop() override;
    void Refresh2() override;
    bool Busy() override { return FBusy; }
    int ReadyState() override { return FReadyState; }
    std::shared_ptr<THtmlDocument> Document() override { return FDocument; }
    HRESULT AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) override { return FEvents.Advise(sink, cookie); }
    HRESULT UnadviseBrowserEvents(DWORD cookie) override { return FEvents.Unadvise(cookie); }

    // Follows a link as a click on it would: local pages are navigated to, the rest ignored.
    void FollowLink(const WideString& href);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void DocumentChanged(bool loaded);
    void FinishLoad(unsigned generation, bool navigation);
    void Relayout();
    void UpdateScrollBar();
    bool ScrollAllowed() const;
    void Paint();
    std::shared_ptr<TPageEventObj> MakeEvent(int x, int y, int button, int keyCode = 0);
    // False when the browser went away inside the sinks.
    bool FireDocumentEvent(DISPID id, const std::shared_ptr<TPageEventObj>& event);
    bool FireBrowserEvent(DISPID id);
    void SetActiveFrom(int x, int y);
    void MouseButton(UINT message, int x, int y);
    void KeyDown(WPARAM key);
    void Copy();

    HWND FWindow = nullptr;
    std::shared_ptr<TPageDocument> FDocument;
    TPageMeasure FMeasure;
    TMemoryEventSource FEvents;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    WideString FPendingUrl;
    unsigned FGeneration = 0;
    bool FBusy = false;
    int FReadyState = ReadyStateComplete;
    bool FNavigating = false;       // the document is being filled by a navigation
    bool FInLayout = false;
    int FScrollY = 0;
    int FLaidWidth = -1;
    int FSelectAnchor = -1;
    bool FSelecting = false;
    bool FDragged = false;
};

}  // namespace web
