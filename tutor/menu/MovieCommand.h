#pragma once
// What every screen does with its full-window movie: load it the one way, and match the commands
// it sends against the screen's names.
#include <initializer_list>
#include "platform/flash/ShockwaveFlash.h"
#include "platform/rtl/String.h"

// Movie, show verb, exact fit. Loading a missing file shows an empty stage.
void LoadScreenMovie(TShockwaveFlash* flash, const String& path);
// The same with the page clip moved to a frame before the show verb.
void LoadScreenMovie(TShockwaveFlash* flash, const String& path, int pagesFrame);

// Index of the first name that occurs anywhere in the command (case-sensitive), -1 for none.
int MatchCommand(const WideString& command, std::initializer_list<const char*> names);
