#include "XMLDocument.h"
#include <windows.h>
#include <msxml.h>
#include "platform/win/OleError.h"
#include "platform/win/OleInit.h"

namespace {

WideString TakeBstr(BSTR b) {
    WideString r = b ? WideString(b, SysStringLen(b)) : WideString();
    SysFreeString(b);
    return r;
}

}  // namespace

TXMLDocument::TXMLDocument() {
    EnsureOleInitialized();
    OleCheck(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                              reinterpret_cast<void**>(&FDocument)));
    // a file load must be complete before anyone transforms it
    OleCheck(FDocument->put_async(VARIANT_FALSE));
}

TXMLDocument::~TXMLDocument() {
    if (FDocument) FDocument->Release();
}

bool TXMLDocument::LoadXML(const WideString& text) {
    BSTR b = SysAllocStringLen(text.data(), UINT(text.size()));
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = FDocument->loadXML(b, &ok);
    SysFreeString(b);
    OleCheck(hr);
    return ok != VARIANT_FALSE;
}

bool TXMLDocument::Load(const String& fileName) {
    VARIANT source;
    VariantInit(&source);
    WideString name = ToWide(fileName);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocStringLen(name.data(), UINT(name.size()));
    VARIANT_BOOL ok = VARIANT_FALSE;
    HRESULT hr = FDocument->load(source, &ok);
    VariantClear(&source);
    OleCheck(hr);
    return ok != VARIANT_FALSE;
}

TXMLParseError TXMLDocument::ParseError() const {
    TXMLParseError r;
    IXMLDOMParseError* error = nullptr;
    OleCheck(FDocument->get_parseError(&error));
    if (!error) return r;
    BSTR reason = nullptr;
    error->get_errorCode(&r.ErrorCode);
    error->get_reason(&reason);
    error->get_line(&r.Line);
    error->get_linepos(&r.LinePos);
    r.Reason = Trim(FromWide(TakeBstr(reason)));
    error->Release();
    return r;
}

WideString TXMLDocument::TransformNode(const TXMLDocument& styleSheet) const {
    BSTR out = nullptr;
    OleCheck(FDocument->transformNode(styleSheet.FDocument, &out));
    return TakeBstr(out);
}

WideString TXMLDocument::Xml() const {
    BSTR out = nullptr;
    OleCheck(FDocument->get_xml(&out));
    return TakeBstr(out);
}
