#include "platform/graphics/Graphic.h"
#include <windows.h>
#include "platform/rtl/SysUtils.h"

void TGraphic::SetTransparent(bool value) {
    if (value != FTransparent) { FTransparent = value; Changed(); }
}

void TGraphic::Changed() {
    Modified = true;
    if (OnChange) OnChange(this);
}

// Pictures larger than this are refused as damaged rather than read into memory.
static constexpr LONGLONG MaxGraphicFileSize = 256LL * 1024 * 1024;

std::vector<std::uint8_t> ReadGraphicFile(const String& fileName) {
    HANDLE f = CreateFileW(ToWide(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    LARGE_INTEGER size{};
    std::vector<std::uint8_t> bytes;
    bool ok = GetFileSizeEx(f, &size) && size.QuadPart <= MaxGraphicFileSize;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
    }
    CloseHandle(f);
    if (!ok) throw EFOpenError("Cannot read file \"" + fileName + "\"");
    return bytes;
}

void WriteGraphicFile(const String& fileName, const std::vector<std::uint8_t>& bytes) {
    HANDLE f = CreateFileW(ToWide(fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file \"" + fileName + "\"");
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
    CloseHandle(f);
    if (!ok) throw EFCreateError("Cannot write file \"" + fileName + "\"");
}
