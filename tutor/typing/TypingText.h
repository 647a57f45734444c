#pragma once
// Preparation of a text for typing, shared by the lesson form and the two test forms.
#include "tutor/typing/RichView.h"

// Re-wraps the text file to the surface's width less 30 pixels (through workFile, the shared
// work file Temp.Text) and loads it on the surface for typing; the surface then has the focus.
// windowsKind 2 (the XP family) joins all lines of the file before the wrap. A file that cannot
// be read raises EFOpenError and leaves the surface as it was.
void PrepareTypingText(TRichView* surface, const String& fileName, const String& workFile, int windowsKind);
