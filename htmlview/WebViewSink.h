#pragma once
// The host form's side of its view's event streams. A form that holds a TWebView keeps one of
// these (declared before the view, so that it outlives the view's connections) and gives it to
// the view as unkParent; the browser's and the document's events then arrive at Invoke, which
// hands its arguments to the view's HandleInvoke and answers S_OK whatever the view did.
// The form owns it: the reference count is kept for the callers' bookkeeping only.
#include <oaidl.h>

class TWebView;

class TWebViewSink : public IDispatch {
public:
    explicit TWebViewSink(TWebView* view = nullptr) : FView(view) {}
    TWebViewSink(const TWebViewSink&) = delete;
    TWebViewSink& operator=(const TWebViewSink&) = delete;

    void SetView(TWebView* view) { FView = view; }
    TWebView* View() const { return FView; }
    ULONG RefCount() const { return FRefs; }

    // Answers IUnknown, IDispatch and the two event dispinterfaces it is advised on.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return FRefs > 0 ? --FRefs : 0; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                                     VARIANT* varResult, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    TWebView* FView;
    ULONG FRefs = 0;
};
