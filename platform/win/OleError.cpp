#include "platform/win/OleError.h"
#include <windows.h>
#include <oleauto.h>

namespace {
// The description the failing object left for this thread, when it left one.
String ErrorInfoText() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return String();
    BSTR d = nullptr;
    String text;
    if (SUCCEEDED(info->GetDescription(&d)) && d) text = Trim(FromWide(d));
    SysFreeString(d);
    info->Release();
    return text;
}
}  // namespace

void OleCheck(long hr) {
    if (SUCCEEDED(hr)) return;
    String described = ErrorInfoText();
    if (!described.empty()) throw EOleSysError(described, std::int32_t(hr));
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = n ? Trim(FromWide(text)) : "OLE error " + IntToHex(std::uint32_t(hr), 8);
    if (text) LocalFree(text);
    throw EOleSysError(message, std::int32_t(hr));
}
