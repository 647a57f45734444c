#include "FlashOs.h"
#include <windows.h>

namespace flash_os {

ReadResult ReadWholeFile(const WideString& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ReadResult::Unreadable;
    ReadResult result = ReadResult::Ok;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        result = ReadResult::Unreadable;
    } else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result = ReadResult::TooLarge;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) || got == 0) {
                result = ReadResult::Unreadable;
                break;
            }
            done += got;
        }
    }
    CloseHandle(h);
    if (result != ReadResult::Ok) bytes.clear();
    return result;
}

}  // namespace flash_os
