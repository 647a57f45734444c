#pragma once
// The fonts of window captions and of the status line (hints), from the system's non-client
// metrics. When the system does not
// answer, the default GUI font stands in, so a caption is never drawn in an undefined font.
#include <functional>
#include <windows.h>
#include "platform/graphics/GdiObject.h"

// The system call behind the metrics (SystemParametersInfoW); tests replace it, an empty
// function restores the system's.
using TSystemParametersCall = std::function<BOOL(UINT action, UINT param, void* data, UINT winIni)>;
void SetSystemParametersCall(TSystemParametersCall call);

// The caption font, or the small (tool-window) caption font; the caller owns it.
TGdiObject<HFONT> CreateCaptionFont(bool smallCaption);
// The status line's font, which hints are shown in; the caller owns it.
TGdiObject<HFONT> CreateStatusFont();
