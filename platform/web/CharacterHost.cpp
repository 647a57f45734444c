#include "platform/web/CharacterHost.h"
#include <cwctype>

namespace web {

namespace {

struct TMember {
    const wchar_t* name;
    DISPID id;
};
const TMember Members[] = {{L"Show", TCharacterHost::DispShow},     {L"Hide", TCharacterHost::DispHide},
                           {L"MoveTo", TCharacterHost::DispMoveTo}, {L"Play", TCharacterHost::DispPlay},
                           {L"Speak", TCharacterHost::DispSpeak},   {L"Language", TCharacterHost::DispLanguage}};

bool SameName(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (std::towlower(*a) != std::towlower(*b)) return false;
    return *a == *b;
}

// The index-th argument as the caller wrote them (they arrive last first).
class TArgumentReader {
public:
    TArgumentReader(DISPPARAMS* params, UINT* argErr) : FParams(params), FArgErr(argErr) {}
    UINT Count() const { return FParams ? FParams->cArgs : 0; }
    HRESULT Integer(UINT index, int& value) {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = Convert(index, VT_I4, v);
        if (SUCCEEDED(hr)) value = v.lVal;
        return hr;
    }
    HRESULT Text(UINT index, WideString& value) {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = Convert(index, VT_BSTR, v);
        if (SUCCEEDED(hr)) value = v.bstrVal ? WideString(v.bstrVal, SysStringLen(v.bstrVal)) : WideString();
        VariantClear(&v);
        return hr;
    }

private:
    HRESULT Convert(UINT index, VARTYPE type, VARIANT& out) {
        if (FAILED(VariantChangeType(&out, &FParams->rgvarg[FParams->cArgs - 1 - index], 0, type))) {
            if (FArgErr) *FArgErr = FParams->cArgs - 1 - index;
            return DISP_E_TYPEMISMATCH;
        }
        return S_OK;
    }
    DISPPARAMS* FParams;
    UINT* FArgErr;
};

}  // namespace

TCharacterHost::TCharacterHost() = default;

HRESULT TCharacterHost::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG TCharacterHost::AddRef() { return ULONG(InterlockedIncrement(&FRefs)); }

ULONG TCharacterHost::Release() {
    const LONG left = InterlockedDecrement(&FRefs);
    if (left == 0) delete this;
    return ULONG(left);
}

HRESULT TCharacterHost::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT TCharacterHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TCharacterHost::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        // a member has no named arguments
        if (i == 0)
            for (const TMember& m : Members)
                if (names[0] && SameName(names[0], m.name)) ids[0] = m.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT TCharacterHost::Invoke(DISPID dispId, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO*, UINT* argErr) {
    // nothing crosses the COM boundary
    try {
        return Call(dispId, flags, params, result, argErr);
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TCharacterHost::Call(DISPID dispId, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr) {
    if (params && params->cNamedArgs > 0) return DISP_E_NONAMEDARGS;
    TArgumentReader args(params, argErr);
    if (dispId == DispLanguage) {
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (args.Count() != 0) return DISP_E_BADPARAMCOUNT;
        if (result) {
            VariantInit(result);
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocStringLen(FLanguage.data(), UINT(FLanguage.size()));
        }
        return S_OK;
    }
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    TCharacterRequest request;
    HRESULT hr = S_OK;
    switch (dispId) {
    case DispShow:
    case DispHide:
        if (args.Count() != 0) return DISP_E_BADPARAMCOUNT;
        request.call = dispId == DispShow ? TCharacterCall::Show : TCharacterCall::Hide;
        break;
    case DispMoveTo:
        if (args.Count() != 2) return DISP_E_BADPARAMCOUNT;
        request.call = TCharacterCall::MoveTo;
        if (FAILED(hr = args.Integer(0, request.x)) || FAILED(hr = args.Integer(1, request.y))) return hr;
        break;
    case DispPlay:
        if (args.Count() != 1) return DISP_E_BADPARAMCOUNT;
        request.call = TCharacterCall::Play;
        if (FAILED(hr = args.Text(0, request.text))) return hr;
        break;
    case DispSpeak:
        if (args.Count() < 1 || args.Count() > 2) return DISP_E_BADPARAMCOUNT;
        request.call = TCharacterCall::Speak;
        if (FAILED(hr = args.Text(0, request.text))) return hr;
        if (args.Count() == 2 && FAILED(hr = args.Text(1, request.sound))) return hr;
        break;
    default: return DISP_E_MEMBERNOTFOUND;
    }
    if (result) VariantInit(result);
    Queue(request);
    return S_OK;
}

String TCharacterHost::SoundFile(const WideString& name) const {
    if (name.empty()) return String();
    const String file = FromWide(name);
    const bool hasFolder = file.find_first_of(":\\/") != String::npos;
    return hasFolder || FSoundFolder.empty() ? file : FSoundFolder + "\\" + file;
}

void TCharacterHost::Queue(TCharacterRequest request) {
    if (request.call == TCharacterCall::Speak) request.sound = ToWide(SoundFile(request.sound));
    FCharacter.Request(request);
}

bool TCharacterHost::PlayLines(const WideString& lines, std::string* error) {
    std::vector<TCharacterRequest> requests;
    std::string fault;
    const bool ok = ParseCharacterLines(lines, requests, fault);
    if (error) *error = fault;
    if (!ok) return false;
    FCharacter.Stop();
    for (const TCharacterRequest& r : requests) Queue(r);
    return true;
}

bool TCharacterHost::PlayDocument(THtmlDocument& document, std::string* error) {
    const WideString id = L"Character" + FLanguage;
    auto all = document.All();
    const int count = all ? all->Length() : 0;
    for (int i = 0; i < count; ++i) {
        auto element = all->Item(i);
        if (element && element->Id() == id) return PlayLines(element->InnerText(), error);
    }
    if (error) *error = "the page has no element with the id " + std::string(FromWide(id));
    return false;
}

}  // namespace web
