#include "platform/web/WebBrowser.h"
#include <algorithm>
#include "platform/web/OleWebBrowser.h"
#include "platform/web/PageBrowser.h"

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
    FWidth = 300;
    FHeight = 150;
}

TWebBrowser::~TWebBrowser() {
    // the system control lets go of its site and window while this object is whole
    Destroying();
    DestroyHandle();
}

web::TOleWebBrowser* TWebBrowser::OleBrowser() {
    if (FStandIn || (ComponentState() & csDestroying)) return nullptr;
    HandleNeeded();
    return FOle.get();
}

web::TPageBrowser* TWebBrowser::PageBrowser() {
    if (FStandIn || (ComponentState() & csDestroying)) return nullptr;
    HandleNeeded();
    return FPage.get();
}

web::TBrowserControl* TWebBrowser::Control() {
    if (FStandIn) return FStandIn;
    if (ComponentState() & csDestroying) return nullptr;
    HandleNeeded();
    if (FOle) return FOle.get();
    return FPage.get();
}

TComPtr<IDispatch> TWebBrowser::Application() {
    web::TOleWebBrowser* ole = OleBrowser();
    return ole ? TComPtr<IDispatch>::Attach(ole->Application()) : TComPtr<IDispatch>();
}

// Once the control is gone (while the component is destroyed) it navigates nowhere, is never
// busy and has no document.
void TWebBrowser::Navigate2(const WideString& url, int flags) {
    if (auto* c = Control()) c->Navigate2(url, flags);
}
void TWebBrowser::Stop() {
    if (auto* c = Control()) c->Stop();
}
void TWebBrowser::Refresh2() {
    if (auto* c = Control()) c->Refresh2();
}
bool TWebBrowser::Busy() {
    auto* c = Control();
    return c && c->Busy();
}
int TWebBrowser::ReadyState() {
    auto* c = Control();
    return c ? c->ReadyState() : web::ReadyStateUninitialized;
}
// A control that was never made has navigated nowhere and holds no document: asking does not
// make it, for making it (the system's browser above all) costs more than anything else a
// form creates.
std::shared_ptr<web::THtmlDocument> TWebBrowser::Document() {
    if (!FStandIn && !FOle && !FPage) return nullptr;
    auto* c = Control();
    return c ? c->Document() : nullptr;
}
HRESULT TWebBrowser::AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) {
    cookie = 0;
    if (FStandIn) return FStandIn->AdviseBrowserEvents(sink, cookie);
    web::TBrowserControl* control = Control();
    if (!control) return E_UNEXPECTED;
    HRESULT hr = control->AdviseBrowserEvents(sink, cookie);
    if (SUCCEEDED(hr)) FCookies.push_back(cookie);
    return hr;
}

HRESULT TWebBrowser::UnadviseBrowserEvents(DWORD cookie) {
    if (FStandIn) return FStandIn->UnadviseBrowserEvents(cookie);
    auto revoked = std::find(FRevoked.begin(), FRevoked.end(), cookie);
    if (revoked != FRevoked.end()) {
        FRevoked.erase(revoked);
        return S_OK;
    }
    web::TBrowserControl* control = Control();
    if (!control) return E_UNEXPECTED;
    HRESULT hr = control->UnadviseBrowserEvents(cookie);
    if (SUCCEEDED(hr)) FCookies.erase(std::remove(FCookies.begin(), FCookies.end(), cookie), FCookies.end());
    return hr;
}

void TWebBrowser::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.WinClassName = L"Tapwise.WebBrowser";
}

void TWebBrowser::CreateWnd() {
    TWinControl::CreateWnd();
    if (FStandIn) return;
    try {
        if (web::HtmlEngineAvailable()) FOle = std::make_unique<web::TOleWebBrowser>(FHandle);
        else FPage = std::make_unique<web::TPageBrowser>(FHandle);
    } catch (...) {
        TWinControl::DestroyWnd();
        throw;
    }
}

void TWebBrowser::DestroyWnd() {
    web::TBrowserControl* control = FOle ? static_cast<web::TBrowserControl*>(FOle.get()) : FPage.get();
    if (control) {
        for (DWORD cookie : FCookies) {
            control->UnadviseBrowserEvents(cookie);
            FRevoked.push_back(cookie);
        }
        FCookies.clear();
    }
    FOle.reset();
    FPage.reset();
    TWinControl::DestroyWnd();
}

void TWebBrowser::WndProc(TMessage& m) {
    if (m.Msg == WM_SIZE && (FOle || FPage)) {
        RECT r{0, 0, static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        if (FOle) FOle->SetBounds(r);
        else FPage->SetBounds(r);
    }
    TWinControl::WndProc(m);
}
