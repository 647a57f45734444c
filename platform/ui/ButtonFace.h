#pragma once
// The face of a glyph button (speed button, bit button): the glyph frame of the state and the
// caption beside it, placed by Layout, Margin (-1 centres) and Spacing.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"

class TFont;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using enum TButtonState;
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;

struct TButtonFace {
    TBitmap* Glyph;        // NumGlyphs frames side by side: up, disabled, down, held down
    int NumGlyphs;
    TButtonState State;
    TButtonLayout Layout;
    int Margin;
    int Spacing;
    String Caption;
    TFont* Font;
    bool RightToLeft;
    bool Enabled;
};

// The glyph's bottom-left colour is left out (transparent).
void DrawButtonFace(HDC dc, const TRect& client, const TButtonFace& face, TPoint offset);
