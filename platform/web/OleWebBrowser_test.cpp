#include <gtest/gtest.h>
#include <vector>
#include <windows.h>
#include <mshtmhst.h>
#include "platform/web/OleWebBrowser.h"

using namespace web;

namespace {

class CountingDispatch : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --Refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        Calls.push_back(id);
        return S_OK;
    }
    ULONG Refs = 1;
    std::vector<DISPID> Calls;
};

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

    CountingDispatch sink;
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
    CountingDispatch external;
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
