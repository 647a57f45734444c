#pragma once
// The small pictures the list modes draw in front of an item: the marks of a TrueType font, of
// another font and of a printer (16 x 16), a check box, a colour sample and a file's icon.
// Each replaces what the bitmap held; the check box and the icon are transparent in olive.
#include "platform/graphics/Bitmap.h"

enum class TCoolMark { cmTrueTypeFont, cmOtherFont, cmPrinter };
using enum TCoolMark;

void LoadCoolMark(TCoolMark mark, TBitmap* bitmap);
// A 14 x 14 check box at (1, 1) of a size x size picture, whatever the size.
void MakeCheckBoxPicture(TBitmap* bitmap, int size, bool checked, bool flat);
// A sample of color with a black outline, on back (which is moved off color when they would
// look alike, so that the transparent back never eats the sample).
void MakeColorSwatch(TBitmap* bitmap, int size, TColor color, TColor back);
// The shell's small icon of the entry name of folder, stretched; empty for the parent entry "..".
void MakeFileIconPicture(TBitmap* bitmap, int size, const String& folder, const String& name);
