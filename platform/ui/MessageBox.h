#pragma once
// The one way the layer and the screens show a system message box. Tests replace the function,
// so that nothing waits for a person.
#include <functional>
#include <windows.h>
#include "platform/rtl/String.h"

using TMessageBoxFunction = std::function<int(const String& text, const String& caption, UINT flags)>;

int PlatformMessageBox(const String& text, const String& caption, UINT flags);
// Installs fn (an empty one restores the system's box) and answers the one it replaced.
TMessageBoxFunction SetPlatformMessageBox(TMessageBoxFunction fn);
