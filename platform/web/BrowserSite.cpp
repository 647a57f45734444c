#include "BrowserSite.h"

namespace web {

TBrowserSite::TBrowserSite(HWND window) : FWindow(window) {}

TBrowserSite::~TBrowserSite() {
    if (FExternal) FExternal->Release();
}

void TBrowserSite::SetExternal(IDispatch* external) {
    if (external) external->AddRef();
    if (FExternal) FExternal->Release();
    FExternal = external;
}

HRESULT TBrowserSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDocHostUIHandler) *out = static_cast<IDocHostUIHandler*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG TBrowserSite::AddRef() { return ULONG(InterlockedIncrement(&FRefs)); }

ULONG TBrowserSite::Release() {
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return ULONG(n);
}

HRESULT TBrowserSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT TBrowserSite::GetContainer(IOleContainer** out) {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT TBrowserSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = FWindow;
    return S_OK;
}

HRESULT TBrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                       LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(FWindow, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(FWindow, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT TBrowserSite::OnPosRectChange(LPCRECT pos) {
    if (!FObject || !pos) return S_OK;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->SetObjectRects(pos, pos);
        inPlace->Release();
    }
    return S_OK;
}

HRESULT TBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info) return E_POINTER;
    info->cbSize = sizeof(DOCHOSTUIINFO);
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

HRESULT TBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) *key = nullptr;
    return S_FALSE;
}

HRESULT TBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT TBrowserSite::GetExternal(IDispatch** out) {
    if (!out) return E_POINTER;
    *out = FExternal;
    if (!FExternal) return S_FALSE;
    FExternal->AddRef();
    return S_OK;
}

HRESULT TBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

HRESULT TBrowserSite::FilterDataObject(IDataObject*, IDataObject** out) {
    if (out) *out = nullptr;
    return S_FALSE;
}

}  // namespace web
