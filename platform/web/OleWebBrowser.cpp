#include "OleWebBrowser.h"
#include <ocidl.h>
#include "platform/web/BrowserSite.h"
#include "platform/win/ComPtr.h"
#include "platform/web/MshtmlDocument.h"
#include "platform/win/OleError.h"
#include "platform/win/OleInit.h"

namespace web {

namespace {

const CLSID ClsidHtmlDocument = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};

VARIANT Empty() {
    VARIANT v;
    VariantInit(&v);
    return v;
}

}  // namespace

bool HtmlEngineAvailable() {
    static const bool available = [] {
        EnsureOleInitialized();
        IUnknown* document = nullptr;
        HRESULT hr = CoCreateInstance(ClsidHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&document));
        if (document) document->Release();
        return SUCCEEDED(hr);
    }();
    return available;
}

TOleWebBrowser::TOleWebBrowser(HWND parent) : FEngineLess(!HtmlEngineAvailable()) {
    EnsureOleInitialized();
    OleCheck(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&FObject)));
    FSite = new TBrowserSite(parent);
    FSite->SetObject(FObject);
    try {
        OleCheck(FObject->SetClientSite(static_cast<IOleClientSite*>(FSite)));
        OleSetContainedObject(FObject, TRUE);
        RECT bounds;
        GetClientRect(parent, &bounds);
        OleCheck(FObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(FSite), 0, parent, &bounds));
        OleCheck(FObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&FBrowser)));
    } catch (...) {
        ReleaseControl();
        throw;
    }
}

TOleWebBrowser::~TOleWebBrowser() { ReleaseControl(); }

void TOleWebBrowser::ReleaseControl() {
    if (FBrowser) {
        FBrowser->Release();
        FBrowser = nullptr;
    }
    if (FObject) {
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->InPlaceDeactivate();
            inPlace->Release();
        }
        FObject->Close(OLECLOSE_NOSAVE);
        FObject->SetClientSite(nullptr);
        OleSetContainedObject(FObject, FALSE);
        FObject->Release();
        FObject = nullptr;
    }
    if (FSite) {
        FSite->SetObject(nullptr);
        FSite->SetExternal(nullptr);
        FSite->Release();
        FSite = nullptr;
    }
}

void TOleWebBrowser::SetBounds(const RECT& bounds) {
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->SetObjectRects(&bounds, &bounds);
        inPlace->Release();
    }
}

void TOleWebBrowser::SetExternal(IDispatch* external) { FSite->SetExternal(external); }

IDispatch* TOleWebBrowser::Application() {
    IDispatch* app = nullptr;
    if (FAILED(FBrowser->get_Application(&app))) return nullptr;
    return app;
}

void TOleWebBrowser::Navigate2(const WideString& url, int flags) {
    if (FEngineLess) return;
    VARIANT target = Empty(), flagValue = Empty(), frame = Empty(), postData = Empty(), headers = Empty();
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocStringLen(url.data(), UINT(url.size()));
    flagValue.vt = VT_I4;
    flagValue.lVal = flags;
    HRESULT hr = FBrowser->Navigate2(&target, &flagValue, &frame, &postData, &headers);
    VariantClear(&target);
    OleCheck(hr);
}

void TOleWebBrowser::Stop() {
    if (!FEngineLess) OleCheck(FBrowser->Stop());
}

void TOleWebBrowser::Refresh2() {
    if (FEngineLess) return;
    VARIANT level = Empty();
    OleCheck(FBrowser->Refresh2(&level));
}

bool TOleWebBrowser::Busy() {
    if (FEngineLess) return false;
    VARIANT_BOOL busy = VARIANT_FALSE;
    OleCheck(FBrowser->get_Busy(&busy));
    return busy != VARIANT_FALSE;
}

int TOleWebBrowser::ReadyState() {
    if (FEngineLess) return ReadyStateComplete;
    READYSTATE state = READYSTATE_UNINITIALIZED;
    OleCheck(FBrowser->get_ReadyState(&state));
    return int(state);
}

std::shared_ptr<THtmlDocument> TOleWebBrowser::Document() {
    if (FEngineLess) return nullptr;
    TComPtr<IDispatch> document;
    // no document yet answers a failure or nothing, both meaning none
    if (FAILED(FBrowser->get_Document(document.Out())) || !document) return nullptr;
    return WrapMshtmlDocument(document.Get());
}

HRESULT TOleWebBrowser::FindEventPoint(IConnectionPoint** point) {
    *point = nullptr;
    TComPtr<IDispatch> app = TComPtr<IDispatch>::Attach(Application());
    if (!app) return E_NOINTERFACE;
    auto container = app.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) return E_NOINTERFACE;
    return container->FindConnectionPoint(DIID_DWebBrowserEvents2, point);
}

HRESULT TOleWebBrowser::AdviseBrowserEvents(IUnknown* sink, DWORD& cookie) {
    cookie = 0;
    TComPtr<IConnectionPoint> point;
    HRESULT hr = FindEventPoint(point.Out());
    return SUCCEEDED(hr) ? point->Advise(sink, &cookie) : hr;
}

HRESULT TOleWebBrowser::UnadviseBrowserEvents(DWORD cookie) {
    TComPtr<IConnectionPoint> point;
    HRESULT hr = FindEventPoint(point.Out());
    return SUCCEEDED(hr) ? point->Unadvise(cookie) : hr;
}

}  // namespace web
