#include "OleError.h"
#include <windows.h>

void OleCheck(long hr) {
    if (SUCCEEDED(hr)) return;
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String message = n ? Trim(FromWide(text)) : "OLE error " + IntToHex(std::uint32_t(hr), 8);
    if (text) LocalFree(text);
    throw EOleSysError(message, std::int32_t(hr));
}
