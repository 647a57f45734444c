#pragma once
// Uniscribe draws a shaped run with each glyph moved by its offset: the font's mark positioning
// sets vowel marks above and below their letters that way. Wine's drawing moves the whole run by
// twice the offset of the first glyph it draws, in the wrong direction, so a rich edit line that
// ends in a vowel mark slides down by half a line (up, for a mark below) and the next line paints
// over the half that left its row. Where the system draws so, a module's calls to that drawing
// go through one that puts the run back; where it draws offsets right (Windows), nothing changes.
#include <windows.h>

// How far the system's drawing misplaces a run, in multiples of the first drawn glyph's vertical
// offset: 0 where offsets are drawn right; measured once.
int FirstGlyphOffsetError();

// Routes the module's imported run drawing through the correction when the system needs it.
// True when the module's calls now go through it.
bool CorrectGlyphOffsetsOf(HMODULE module);
