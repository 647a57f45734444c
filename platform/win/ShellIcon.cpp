#include "platform/win/ShellIcon.h"
#include <shellapi.h>

bool DrawShellSmallIcon(HDC dc, const String& path, const RECT& r) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(ToWide(path).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) || !info.hIcon)
        return false;
    DrawIconEx(dc, r.left, r.top, info.hIcon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
    DestroyIcon(info.hIcon);
    return true;
}
