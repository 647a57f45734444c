#pragma once
// The system's HTML help viewer.
#include <windows.h>
#include "platform/rtl/String.h"

// Opens the compiled help file on its default topic; the viewer runs on its own and the
// caller keeps no handle of it. False when the viewer could not open the file.
bool ShowHtmlHelp(HWND owner, const String& chmPath);
void CloseAllHtmlHelp();
