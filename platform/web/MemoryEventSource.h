#pragma once
// A connection point held in memory: sinks advised by cookie, events fired into their
// IDispatch::Invoke by DISPID with no arguments, as the browser's event streams deliver them.
#include <vector>
#include <oaidl.h>
#include "platform/win/ComPtr.h"

namespace web {

class TMemoryEventSource {
public:
    TMemoryEventSource() = default;
    TMemoryEventSource(const TMemoryEventSource&) = delete;
    TMemoryEventSource& operator=(const TMemoryEventSource&) = delete;

    HRESULT Advise(IUnknown* sink, DWORD& cookie);
    HRESULT Unadvise(DWORD cookie);
    // Calls every sink advised at the moment of the call; a sink may unadvise from inside.
    void Fire(DISPID id);
    int SinkCount() const { return int(FSinks.size()); }

    HRESULT AdviseResult = S_OK;   // what Advise answers; tests set a failure here

private:
    struct TSink {
        DWORD Cookie;
        TComPtr<IDispatch> Dispatch;
    };
    std::vector<TSink> FSinks;
    DWORD FNextCookie = 1;
};

}  // namespace web
