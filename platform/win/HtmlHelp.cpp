#include "platform/win/HtmlHelp.h"
#include <htmlhelp.h>

bool ShowHtmlHelp(HWND owner, const String& chmPath) {
    if (chmPath.empty()) return false;
    return HtmlHelpW(owner, ToWide(chmPath).c_str(), HH_DISPLAY_TOPIC, 0) != nullptr;
}

void CloseAllHtmlHelp() { HtmlHelpW(nullptr, nullptr, HH_CLOSE_ALL, 0); }
