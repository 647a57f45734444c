#pragma once
// Painting routines the skinned controls share: a wallpaper laid into a rectangle (once or
// tiled, or tiled off-screen so that a partial repaint keeps the pattern anchored), stretching,
// the parent's background behind a see-through control, the embossed look of a disabled glyph,
// shadowed text, and the walk up a folder path. Nothing here keeps state.
#include <windows.h>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Panel.h"
#include "platform/ui/TControl.h"

// Which part of an item its bevel frames.
enum class TBevelStyleEx { bsBevelBoth, bsBevelOnlyImage, bsBevelOnlyText };
using enum TBevelStyleEx;

// DrawEdge's edge flags for a bevel: the inner part's and the outer part's.
UINT BevelEdgeFlags(TBevelCut inner, TBevelCut outer);

// Without tile, the part of the bitmap that lies under rect when the bitmap sits at the DC's
// origin; with tile, the bitmap repeated from rect's corner. An empty bitmap draws nothing.
void TileBitmap(HDC dc, TBitmap* bitmap, TRect rect, bool tile, DWORD rop);
// Paints only clip, with a tiled pattern anchored to full's corner (through an off-screen
// tiling of full); otherwise as TileBitmap on clip.
void TileBitmapClipped(HDC dc, TBitmap* bitmap, const TRect& full, const TRect& clip, bool tile, DWORD rop);
// StretchBlt's result.
BOOL StretchBitmap(HDC dc, TBitmap* bitmap, const TRect& dst, const TRect& src, DWORD rop);
// rect nullptr is the whole client area; true when the system took it.
bool InvalidateControlRect(HWND window, const TRect* rect, bool erase);
// Paints into dc what the control's parent shows behind it; nothing without a parent.
void PaintParentBackground(TControl* control, HDC dc);
void PaintParentBackgroundRect(TControl* control, HDC dc, const TRect& rect);
// For a name that is not installed, the answer is about the font the system substitutes.
bool IsTrueTypeFont(const String& name);
void AdjustRect(TRect& rect, int dLeft, int dTop, int dRight, int dBottom);
// Replaces the bitmap by its disabled look: its black pixels embossed on backColor. The bitmap
// stays as it was when a step fails.
void MakeDisabledBitmap(TBitmap* bitmap, TColor backColor);
String ReverseString(const String& s);
// Position of sub counted from the end of s (1 = its last character), 0 when absent.
int LastPos(const String& sub, const String& s);
// The parent folder with its trailing backslash: C:\A\B\ and C:\A\B give C:\A\. A root is its
// own parent, a bare word and an empty text stay as they are.
String ExtractParentDir(const String& path);
// Resolves every ".." that stands as a whole component, keeping what follows; a ".." at a
// root stays at the root, one at the start of a relative name stays.
String ResolveParentFolders(const String& path);
// Text in textColor over its shadow in shadowColor, distance pixels away: direction 0 shadow
// up-left, 1 down-left, 2 down-right, 3 up-right (rect moves with the text for 0, 1 and 3).
// The shadow is drawn in the DC's background mode, the text transparently.
void DrawShadowText(HDC dc, TRect& rect, int direction, const String& text, UINT format, TColor textColor,
                    TColor shadowColor, int distance);
