#include "MshtmlDocument.h"
#include <mshtml.h>
#include <mshtmdid.h>
#include <ocidl.h>
#include "platform/win/ComPtr.h"
#include "platform/win/OleError.h"

namespace web {

namespace {

// HTMLDocumentEvents, the document's event interface (not in the import library).
const IID DiidHtmlDocumentEvents = {0x3050f260, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

// A BSTR the call fills and this frees.
class TBstrOut {
public:
    TBstrOut() = default;
    TBstrOut(const TBstrOut&) = delete;
    TBstrOut& operator=(const TBstrOut&) = delete;
    ~TBstrOut() { SysFreeString(FValue); }
    BSTR* operator&() { return &FValue; }
    WideString Text() const { return FValue ? WideString(FValue, SysStringLen(FValue)) : WideString(); }
private:
    BSTR FValue = nullptr;
};

// A BSTR handed to a call.
class TBstrIn {
public:
    explicit TBstrIn(const WideString& s) : FValue(SysAllocStringLen(s.data(), UINT(s.size()))) {}
    TBstrIn(const TBstrIn&) = delete;
    TBstrIn& operator=(const TBstrIn&) = delete;
    ~TBstrIn() { SysFreeString(FValue); }
    operator BSTR() const { return FValue; }
private:
    BSTR FValue;
};

template <class T>
TComPtr<T> Query(IUnknown* from, REFIID iid) {
    TComPtr<T> r;
    if (from) from->QueryInterface(iid, reinterpret_cast<void**>(r.Out()));
    return r;
}

// A text property: the call, its failure raised, its BSTR taken over.
template <class I>
WideString TextOf(I* object, HRESULT (STDMETHODCALLTYPE I::*get)(BSTR*)) {
    TBstrOut s;
    OleCheck((object->*get)(&s));
    return s.Text();
}

class TMshtmlStyle : public THtmlStyle {
public:
    explicit TMshtmlStyle(TComPtr<IHTMLStyle2> s) : F(std::move(s)) {}
    void SetDirection(const WideString& value) override { OleCheck(F->put_direction(TBstrIn(value))); }
private:
    TComPtr<IHTMLStyle2> F;
};

class TMshtmlTxtRange : public THtmlTxtRange {
public:
    explicit TMshtmlTxtRange(TComPtr<IHTMLTxtRange> r) : F(std::move(r)) {}
    WideString Text() override { return TextOf(F.Get(), &IHTMLTxtRange::get_text); }
private:
    TComPtr<IHTMLTxtRange> F;
};

class TMshtmlSelection : public THtmlSelection {
public:
    explicit TMshtmlSelection(TComPtr<IHTMLSelectionObject> s) : F(std::move(s)) {}
    void Empty() override { OleCheck(F->empty()); }
    std::shared_ptr<THtmlTxtRange> CreateRange() override {
        TComPtr<IDispatch> range;
        OleCheck(F->createRange(range.Out()));
        auto text = Query<IHTMLTxtRange>(range.Get(), IID_IHTMLTxtRange);
        return text ? std::make_shared<TMshtmlTxtRange>(text) : nullptr;
    }
private:
    TComPtr<IHTMLSelectionObject> F;
};

class TMshtmlEventObj : public THtmlEventObj {
public:
    explicit TMshtmlEventObj(TComPtr<IHTMLEventObj> e) : F(std::move(e)) {}
    bool AltKey() override { return Flag(&IHTMLEventObj::get_altKey); }
    bool CtrlKey() override { return Flag(&IHTMLEventObj::get_ctrlKey); }
    bool ShiftKey() override { return Flag(&IHTMLEventObj::get_shiftKey); }
    int Button() override { return Number(&IHTMLEventObj::get_button); }
    int X() override { return Number(&IHTMLEventObj::get_x); }
    int Y() override { return Number(&IHTMLEventObj::get_y); }
    int KeyCode() override { return Number(&IHTMLEventObj::get_keyCode); }
    void SetReturnValue(int value) override {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = value;
        OleCheck(F->put_returnValue(v));
    }
private:
    bool Flag(HRESULT (STDMETHODCALLTYPE IHTMLEventObj::*get)(VARIANT_BOOL*)) {
        VARIANT_BOOL b = VARIANT_FALSE;
        OleCheck((F.Get()->*get)(&b));
        return b != VARIANT_FALSE;
    }
    int Number(HRESULT (STDMETHODCALLTYPE IHTMLEventObj::*get)(LONG*)) {
        LONG n = 0;
        OleCheck((F.Get()->*get)(&n));
        return int(n);
    }
    TComPtr<IHTMLEventObj> F;
};

class TMshtmlAnchor : public THtmlAnchor {
public:
    explicit TMshtmlAnchor(TComPtr<IHTMLAnchorElement> a) : F(std::move(a)) {}
    WideString Href() override { return TextOf(F.Get(), &IHTMLAnchorElement::get_href); }
    WideString Name() override { return TextOf(F.Get(), &IHTMLAnchorElement::get_name); }
    WideString Pathname() override { return TextOf(F.Get(), &IHTMLAnchorElement::get_pathname); }
private:
    TComPtr<IHTMLAnchorElement> F;
};

class TMshtmlArea : public THtmlArea {
public:
    explicit TMshtmlArea(TComPtr<IHTMLAreaElement> a) : F(std::move(a)) {}
    WideString Href() override { return TextOf(F.Get(), &IHTMLAreaElement::get_href); }
    WideString Pathname() override { return TextOf(F.Get(), &IHTMLAreaElement::get_pathname); }
    WideString Alt() override { return TextOf(F.Get(), &IHTMLAreaElement::get_alt); }
private:
    TComPtr<IHTMLAreaElement> F;
};

class TMshtmlImage : public THtmlImage {
public:
    explicit TMshtmlImage(TComPtr<IHTMLImgElement> i) : F(std::move(i)) {}
    WideString Src() override { return TextOf(F.Get(), &IHTMLImgElement::get_src); }
    void SetSrc(const WideString& value) override { OleCheck(F->put_src(TBstrIn(value))); }
    WideString Dynsrc() override { return TextOf(F.Get(), &IHTMLImgElement::get_dynsrc); }
    void SetDynsrc(const WideString& value) override { OleCheck(F->put_dynsrc(TBstrIn(value))); }
private:
    TComPtr<IHTMLImgElement> F;
};

class TMshtmlBGSound : public THtmlBGSound {
public:
    explicit TMshtmlBGSound(TComPtr<IHTMLBGsound> s) : F(std::move(s)) {}
    WideString Src() override { return TextOf(F.Get(), &IHTMLBGsound::get_src); }
private:
    TComPtr<IHTMLBGsound> F;
};

class TMshtmlBody : public THtmlBody {
public:
    explicit TMshtmlBody(TComPtr<IHTMLBodyElement> b) : F(std::move(b)) {}
    WideString BgColor() override {
        VARIANT v;
        VariantInit(&v);
        OleCheck(F->get_bgColor(&v));
        WideString r = v.vt == VT_BSTR && v.bstrVal ? WideString(v.bstrVal, SysStringLen(v.bstrVal)) : WideString();
        VariantClear(&v);
        return r;
    }
    void SetBgColor(int rgb) override {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = rgb;
        OleCheck(F->put_bgColor(v));
    }
    void SetBackground(const WideString& value) override { OleCheck(F->put_background(TBstrIn(value))); }
    std::shared_ptr<THtmlStyle> Style() override {
        // the style property through the body's dispatch interface, then its second interface
        auto dispatch = Query<IDispatch>(F.Get(), IID_IDispatch);
        if (!dispatch) return nullptr;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        VARIANT v;
        VariantInit(&v);
        OleCheck(dispatch->Invoke(DISPID_IHTMLELEMENT_STYLE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &v,
                                  nullptr, nullptr));
        TComPtr<IHTMLStyle2> style;
        if (v.vt == VT_DISPATCH && v.pdispVal) style = Query<IHTMLStyle2>(v.pdispVal, IID_IHTMLStyle2);
        VariantClear(&v);
        return style ? std::make_shared<TMshtmlStyle>(style) : nullptr;
    }
private:
    TComPtr<IHTMLBodyElement> F;
};

class TMshtmlElement : public THtmlElement {
public:
    explicit TMshtmlElement(TComPtr<IHTMLElement> e) : F(std::move(e)) {}
    WideString Id() override { return TextOf(F.Get(), &IHTMLElement::get_id); }
    WideString InnerText() override { return TextOf(F.Get(), &IHTMLElement::get_innerText); }
    void SetInnerHTML(const WideString& value) override { OleCheck(F->put_innerHTML(TBstrIn(value))); }
    std::shared_ptr<THtmlAnchor> AsAnchor() override { return View<TMshtmlAnchor, IHTMLAnchorElement>(IID_IHTMLAnchorElement); }
    std::shared_ptr<THtmlArea> AsArea() override { return View<TMshtmlArea, IHTMLAreaElement>(IID_IHTMLAreaElement); }
    std::shared_ptr<THtmlImage> AsImage() override { return View<TMshtmlImage, IHTMLImgElement>(IID_IHTMLImgElement); }
    std::shared_ptr<THtmlBGSound> AsBGSound() override { return View<TMshtmlBGSound, IHTMLBGsound>(IID_IHTMLBGsound); }
    std::shared_ptr<THtmlBody> AsBody() override { return View<TMshtmlBody, IHTMLBodyElement>(IID_IHTMLBodyElement); }
private:
    template <class W, class I>
    std::shared_ptr<W> View(REFIID iid) {
        auto i = Query<I>(F.Get(), iid);
        return i ? std::make_shared<W>(i) : nullptr;
    }
    TComPtr<IHTMLElement> F;
};

std::shared_ptr<THtmlElement> WrapElement(IUnknown* e) {
    auto element = Query<IHTMLElement>(e, IID_IHTMLElement);
    return element ? std::make_shared<TMshtmlElement>(element) : nullptr;
}

class TMshtmlCollection : public THtmlElementCollection {
public:
    explicit TMshtmlCollection(TComPtr<IHTMLElementCollection> c) : F(std::move(c)) {}
    int Length() override {
        LONG n = 0;
        OleCheck(F->get_length(&n));
        return int(n);
    }
    std::shared_ptr<THtmlElement> Item(int index) override {
        VARIANT name, at;
        VariantInit(&name);
        VariantInit(&at);
        name.vt = at.vt = VT_I4;
        name.lVal = at.lVal = index;
        TComPtr<IDispatch> item;
        OleCheck(F->item(name, at, item.Out()));
        return WrapElement(item.Get());
    }
private:
    TComPtr<IHTMLElementCollection> F;
};

class TMshtmlWindow : public THtmlWindow {
public:
    explicit TMshtmlWindow(TComPtr<IHTMLWindow2> w) : F(std::move(w)) {}
    std::shared_ptr<THtmlEventObj> Event() override {
        TComPtr<IHTMLEventObj> e;
        OleCheck(F->get_event(e.Out()));
        return e ? std::make_shared<TMshtmlEventObj>(e) : nullptr;
    }
private:
    TComPtr<IHTMLWindow2> F;
};

class TMshtmlDocument : public THtmlDocument {
public:
    explicit TMshtmlDocument(TComPtr<IHTMLDocument2> d) : F(std::move(d)) {}
    std::shared_ptr<THtmlElement> Body() override {
        TComPtr<IHTMLElement> e;
        OleCheck(F->get_body(e.Out()));
        return e ? std::make_shared<TMshtmlElement>(e) : nullptr;
    }
    std::shared_ptr<THtmlElement> ActiveElement() override {
        TComPtr<IHTMLElement> e;
        OleCheck(F->get_activeElement(e.Out()));
        return e ? std::make_shared<TMshtmlElement>(e) : nullptr;
    }
    std::shared_ptr<THtmlWindow> ParentWindow() override {
        TComPtr<IHTMLWindow2> w;
        OleCheck(F->get_parentWindow(w.Out()));
        return w ? std::make_shared<TMshtmlWindow>(w) : nullptr;
    }
    std::shared_ptr<THtmlSelection> Selection() override {
        TComPtr<IHTMLSelectionObject> s;
        OleCheck(F->get_selection(s.Out()));
        return s ? std::make_shared<TMshtmlSelection>(s) : nullptr;
    }
    std::shared_ptr<THtmlElementCollection> All() override {
        TComPtr<IHTMLElementCollection> c;
        OleCheck(F->get_all(c.Out()));
        return c ? std::make_shared<TMshtmlCollection>(c) : nullptr;
    }
    WideString Title() override { return TextOf(F.Get(), &IHTMLDocument2::get_title); }
    void SetTitle(const WideString& value) override { OleCheck(F->put_title(TBstrIn(value))); }
    bool AnswersTextRange() override { return bool(Query<IHTMLTxtRange>(F.Get(), IID_IHTMLTxtRange)); }
    void LoadFromStream(IStream* stream) override {
        auto persist = Query<IPersistStreamInit>(F.Get(), IID_IPersistStreamInit);
        if (!persist) OleCheck(E_NOINTERFACE);
        OleCheck(persist->Load(stream));
    }
    HRESULT Advise(IUnknown* sink, DWORD& cookie) override {
        cookie = 0;
        TComPtr<IConnectionPoint> point;
        HRESULT hr = FindPoint(point);
        return SUCCEEDED(hr) ? point->Advise(sink, &cookie) : hr;
    }
    HRESULT Unadvise(DWORD cookie) override {
        TComPtr<IConnectionPoint> point;
        HRESULT hr = FindPoint(point);
        return SUCCEEDED(hr) ? point->Unadvise(cookie) : hr;
    }
private:
    HRESULT FindPoint(TComPtr<IConnectionPoint>& point) {
        auto container = Query<IConnectionPointContainer>(F.Get(), IID_IConnectionPointContainer);
        if (!container) return E_NOINTERFACE;
        return container->FindConnectionPoint(DiidHtmlDocumentEvents, point.Out());
    }
    TComPtr<IHTMLDocument2> F;
};

}  // namespace

std::shared_ptr<THtmlDocument> WrapMshtmlDocument(IDispatch* document) {
    auto d = Query<IHTMLDocument2>(document, IID_IHTMLDocument2);
    return d ? std::make_shared<TMshtmlDocument>(d) : nullptr;
}

}  // namespace web
