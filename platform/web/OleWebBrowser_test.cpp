#include <gtest/gtest.h>
#include <vector>
#include <windows.h>
#include <mshtmhst.h>
#include "platform/web/testing/RecordingSink.h"
#include "platform/web/OleWebBrowser.h"

using namespace web;
using web_testing::RecordingSink;

namespace {

// A plain child window of a hidden top-level window, as a form would give the browser.
class HostWindow {
public:
    HostWindow() {
        FTop = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        FChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200, FTop, nullptr,
                                 nullptr, nullptr);
    }
    ~HostWindow() { DestroyWindow(FTop); }
    HWND Handle() const { return FChild; }
private:
    HWND FTop;
    HWND FChild;
};

}  // namespace

TEST(OleWebBrowserTest, HostsTheControlAndItsEventStream) {
    HostWindow host;
    TOleWebBrowser browser(host.Handle());
    ASSERT_TRUE(browser.OleObject());

    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(browser.AdviseBrowserEvents(&sink, cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(browser.UnadviseBrowserEvents(cookie), S_OK);

    if (browser.EngineLess()) {
        // no HTML engine on this system: an empty browser that never keeps a caller waiting
        browser.Navigate2(L"about:<body>x</body>", 0);
        browser.Stop();
        browser.Refresh2();
        EXPECT_EQ(browser.ReadyState(), ReadyStateComplete);
        EXPECT_FALSE(browser.Busy());
        EXPECT_FALSE(browser.Document());
    }
}

TEST(OleWebBrowserTest, PagesReachTheExternalObjectThroughTheSite) {
    HostWindow host;
    RecordingSink external;
    {
        TOleWebBrowser browser(host.Handle());
        browser.SetExternal(&external);
        IOleClientSite* site = nullptr;
        ASSERT_EQ(browser.OleObject()->GetClientSite(&site), S_OK);
        ASSERT_TRUE(site);
        IDocHostUIHandler* handler = nullptr;
        ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)), S_OK);
        IDispatch* got = nullptr;
        EXPECT_EQ(handler->GetExternal(&got), S_OK);
        EXPECT_EQ(got, &external);
        if (got) got->Release();
        HWND window = nullptr;
        IOleInPlaceSite* inPlace = nullptr;
        ASSERT_EQ(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace)), S_OK);
        inPlace->GetWindow(&window);
        EXPECT_EQ(window, host.Handle());
        inPlace->Release();
        handler->Release();
        site->Release();
    }
    EXPECT_EQ(external.Refs, 1u);   // the control let go of it
}
