#pragma once
// The clipboard's Unicode text.
#include <windows.h>
#include <string_view>
#include "platform/rtl/String.h"

// The clipboard's text as it stands there; empty when it holds none or cannot be opened.
WideString ClipboardText(HWND owner);
// Puts the text on the clipboard in place of what it held.
void SetClipboardText(HWND owner, std::wstring_view text);
