#include "platform/web/CompiledHelp.h"
#include <windows.h>
#include <objidl.h>
#include "platform/win/ComPtr.h"
#include "platform/win/OleInit.h"

namespace web {

// The storage interface of itss.dll, as its documentation gives it; no SDK header declares it. It
// has external linkage: in an unnamed namespace the optimiser may take it for an interface that
// nothing implements and drop the calls through it.
const CLSID ClsidITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID IidITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

struct IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR* name, DWORD mode, DWORD reserved, IStorage** out) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes* bytes, DWORD mode, DWORD reserved,
                                                                   IStorage** out) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes* bytes) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR* name, IStorage* priority, DWORD mode, SNB exclude,
                                                     DWORD reserved, IStorage** out) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorageOnILockBytes(ILockBytes* bytes, IStorage* priority, DWORD mode,
                                                                 SNB exclude, DWORD reserved, IStorage** out) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgSetTimes(const WCHAR* name, const FILETIME* created, const FILETIME* accessed,
                                                  const FILETIME* modified) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetControlData(void* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE DefaultControlData(void** data) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compact(const WCHAR* name, int level) = 0;
};

namespace {

IStorage* Root(void* storage) { return static_cast<IStorage*>(storage); }

constexpr std::size_t MaxFileBytes = 16 * 1024 * 1024;

}  // namespace

std::shared_ptr<TCompiledHelp> TCompiledHelp::Open(const WideString& path) {
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    EnsureOleInitialized();
    TComPtr<IITStorage> its;
    if (FAILED(CoCreateInstance(ClsidITStorage, nullptr, CLSCTX_INPROC_SERVER, IidITStorage, reinterpret_cast<void**>(its.Out()))))
        return nullptr;
    IStorage* storage = nullptr;
    if (FAILED(its->StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage)) || !storage)
        return nullptr;
    return std::shared_ptr<TCompiledHelp>(new TCompiledHelp(path, storage));
}

TCompiledHelp::~TCompiledHelp() {
    if (FStorage) Root(FStorage)->Release();
}

std::optional<std::string> TCompiledHelp::Read(const WideString& innerPath) const {
    WideString name = innerPath;
    for (wchar_t& c : name)
        if (c == L'\\') c = L'/';
    if (name.empty() || name[0] != L'/') name.insert(name.begin(), L'/');
    // a fragment or a query is not part of the file's name
    std::size_t cut = name.find_first_of(L"#?");
    if (cut != WideString::npos) name.resize(cut);
    TComPtr<IStream> stream;
    if (FAILED(Root(FStorage)->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Out())) || !stream)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    ULONG read = 0;
    while (bytes.size() < MaxFileBytes && SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

std::vector<WideString> TCompiledHelp::TopNames() const {
    std::vector<WideString> names;
    TComPtr<IEnumSTATSTG> items;
    if (FAILED(Root(FStorage)->EnumElements(0, nullptr, 0, items.Out())) || !items) return names;
    STATSTG stat{};
    ULONG fetched = 0;
    while (items->Next(1, &stat, &fetched) == S_OK && fetched == 1) {
        if (stat.pwcsName) {
            WideString name = stat.pwcsName;
            if (name.empty() || name[0] != L'/') name.insert(name.begin(), L'/');
            names.push_back(name);
            CoTaskMemFree(stat.pwcsName);
        }
    }
    return names;
}

WideString CompiledHelpUrl(const WideString& chmPath, const WideString& innerPath) {
    WideString inner = innerPath;
    if (inner.empty() || inner[0] != L'/') inner.insert(inner.begin(), L'/');
    return L"ms-its:" + chmPath + L"::" + inner;
}

bool SplitCompiledHelpUrl(const WideString& url, WideString& chmPath, WideString& innerPath) {
    auto startsWith = [&](const wchar_t* prefix) { return _wcsnicmp(url.c_str(), prefix, wcslen(prefix)) == 0; };
    std::size_t skip = startsWith(L"ms-its:") ? 7 : startsWith(L"mk:@msitstore:") ? 14 : 0;
    if (skip == 0) return false;
    std::size_t sep = url.find(L"::", skip);
    if (sep == WideString::npos) {
        chmPath = url.substr(skip);
        innerPath = L"/";
    } else {
        chmPath = url.substr(skip, sep - skip);
        innerPath = url.substr(sep + 2);
    }
    if (innerPath.empty() || (innerPath[0] != L'/' && innerPath[0] != L'\\')) innerPath.insert(innerPath.begin(), L'/');
    return !chmPath.empty();
}

}  // namespace web
