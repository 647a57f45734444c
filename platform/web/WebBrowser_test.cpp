#include "platform/web/WebBrowser.h"
#include <gtest/gtest.h>
#include <windows.h>
#include "platform/ui/Application.h"
#include "platform/web/MemoryBrowser.h"
#include "platform/web/OleWebBrowser.h"
#include "platform/web/PageBrowser.h"
#include "platform/web/testing/RecordingSink.h"

namespace {

HWND FirstChild(HWND parent) { return GetWindow(parent, GW_CHILD); }

// A sink that also answers the event interface, as a host's does; the control then holds
// exactly the one reference of its connection.
struct BrowserEventSink : web_testing::RecordingSink {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == DIID_DWebBrowserEvents2) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        return RecordingSink::QueryInterface(iid, out);
    }
};

struct BrowserFixture : ::testing::Test {
    TForm* Form = new TForm(nullptr);
    BrowserEventSink Sink;   // outlives the browser's connection
    TWebBrowser* Browser = new TWebBrowser(Form);

    BrowserFixture() {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(-2000, -2000, 400, 300);
        Browser->SetParent(Form);
        Browser->SetBounds(10, 10, 200, 100);
    }
    ~BrowserFixture() override { Form->Free(); }
};

TEST_F(BrowserFixture, TheOwnedControlLivesInTheWindowAndFollowsItsSize) {
    EXPECT_FALSE(Browser->HandleAllocated());
    EXPECT_FALSE(Browser->Document());   // never navigated: no document, and no window made for asking
    EXPECT_FALSE(Browser->HandleAllocated());
    // the browser's calls make the window: the system's control with an HTML engine, ours without
    const bool engine = web::HtmlEngineAvailable();
    EXPECT_EQ(Browser->OleBrowser() != nullptr, engine);
    EXPECT_EQ(Browser->PageBrowser() != nullptr, !engine);
    ASSERT_TRUE(Browser->HandleAllocated());
    EXPECT_EQ(bool(Browser->Application()), engine);

    HWND inner = FirstChild(Browser->Handle());
    ASSERT_TRUE(inner);
    RECT r;
    GetWindowRect(inner, &r);
    EXPECT_EQ(r.right - r.left, 200);
    Browser->SetBounds(10, 10, 320, 180);
    GetWindowRect(inner, &r);
    EXPECT_EQ(r.right - r.left, 320);
    EXPECT_EQ(r.bottom - r.top, 180);

    DWORD cookie = 0;
    ASSERT_EQ(Browser->AdviseBrowserEvents(&Sink, cookie), S_OK);
    EXPECT_EQ(Browser->UnadviseBrowserEvents(cookie), S_OK);
    if (!engine) {
        // our browser always holds a document, and a navigation completes from the message queue
        EXPECT_TRUE(Browser->Document());
        Browser->Navigate2(L"about:<body>x</body>", 0);
        EXPECT_TRUE(Browser->Busy());
        EXPECT_EQ(Browser->ReadyState(), web::ReadyStateLoading);
        Application->ProcessMessages();
        EXPECT_FALSE(Browser->Busy());
        EXPECT_EQ(Browser->ReadyState(), web::ReadyStateComplete);
        EXPECT_EQ(Browser->Document()->Body()->InnerText(), L"x");
    }

    // the control goes with the window, revoking its connection first, and comes back with a new one
    ULONG before = Sink.Refs;
    ASSERT_EQ(Browser->AdviseBrowserEvents(&Sink, cookie), S_OK);
    EXPECT_GT(Sink.Refs, before);
    Browser->SetParent(nullptr);
    EXPECT_FALSE(Browser->HandleAllocated());
    EXPECT_LE(Sink.Refs, before);
    EXPECT_EQ(Browser->UnadviseBrowserEvents(cookie), S_OK);   // it went with its control
    Browser->SetParent(Form);
    EXPECT_TRUE(Browser->OleBrowser() || Browser->PageBrowser());
}

TEST_F(BrowserFixture, AStandInTakesTheOwnedControlsPlace) {
    web::TMemoryBrowser standIn;
    Browser->SetBrowser(&standIn);
    Browser->Navigate2(L"file.htm", 0);
    Browser->Stop();
    Browser->Refresh2();
    standIn.BusyValue = true;
    EXPECT_TRUE(Browser->Busy());
    EXPECT_EQ(standIn.Navigations, std::vector<WideString>{L"file.htm"});
    EXPECT_EQ(standIn.StopCount, 1);
    EXPECT_EQ(standIn.RefreshCount, 1);
    EXPECT_FALSE(Browser->OleBrowser());
    EXPECT_FALSE(Browser->HandleAllocated());
}

TEST(WebBrowser, WithoutAParentItsCallsRaise) {
    TWebBrowser browser(nullptr);
    EXPECT_THROW(browser.Navigate2(L"about:blank", 0), EInvalidOperation);
}

}  // namespace
