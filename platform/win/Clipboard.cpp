#include "platform/win/Clipboard.h"
#include <algorithm>

WideString ClipboardText(HWND owner) {
    WideString text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

void SetClipboardText(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory) {
        if (auto* p = static_cast<wchar_t*>(GlobalLock(memory))) {
            std::copy(text.begin(), text.end(), p);
            p[text.size()] = 0;
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}
