#include "platform/ui/MessageBox.h"

namespace {
TMessageBoxFunction Current;
}

int PlatformMessageBox(const String& text, const String& caption, UINT flags) {
    if (Current) return Current(text, caption, flags);
    return MessageBoxW(GetActiveWindow(), ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

TMessageBoxFunction SetPlatformMessageBox(TMessageBoxFunction fn) {
    TMessageBoxFunction old = std::move(Current);
    Current = std::move(fn);
    return old;
}
