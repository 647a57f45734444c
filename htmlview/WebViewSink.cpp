#include "WebViewSink.h"
#include "htmlview/WebView.h"

namespace {

// The event dispinterfaces a connection point may ask its sink for before falling back to IDispatch.
const IID DiidDWebBrowserEvents2 = {0x34a715a0, 0x6587, 0x11d0, {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
const IID DiidHtmlDocumentEvents = {0x3050f260, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

}  // namespace

HRESULT TWebViewSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DiidDWebBrowserEvents2 || iid == DiidHtmlDocumentEvents) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT TWebViewSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT TWebViewSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TWebViewSink::Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params, VARIANT* varResult,
                             EXCEPINFO* excepInfo, UINT* argErr) {
    if (FView) FView->HandleInvoke(dispId, iid, localeId, flags, params, varResult, excepInfo, argErr);
    return S_OK;
}
