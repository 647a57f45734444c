#pragma once
// The shell's small icon of a file or folder, drawn stretched into a rectangle.
#include <windows.h>
#include "platform/rtl/String.h"

// False when the shell has no icon for the path (nothing is drawn then).
bool DrawShellSmallIcon(HDC dc, const String& path, const RECT& rect);
