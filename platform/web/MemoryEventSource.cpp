#include "MemoryEventSource.h"
#include <olectl.h>

namespace web {

HRESULT TMemoryEventSource::Advise(IUnknown* sink, DWORD& cookie) {
    cookie = 0;
    if (!sink) return E_POINTER;
    if (FAILED(AdviseResult)) return AdviseResult;
    TComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Out())))) return CONNECT_E_CANNOTCONNECT;
    cookie = FNextCookie++;
    FSinks.push_back({cookie, std::move(dispatch)});
    return S_OK;
}

HRESULT TMemoryEventSource::Unadvise(DWORD cookie) {
    for (auto it = FSinks.begin(); it != FSinks.end(); ++it) {
        if (it->Cookie == cookie) {
            FSinks.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

void TMemoryEventSource::Fire(DISPID id) {
    std::vector<TSink> sinks = FSinks;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    for (TSink& s : sinks) s.Dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

}  // namespace web
