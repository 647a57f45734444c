#pragma once
// Text placement shared by labels, panels, memos and check boxes.
#include "platform/ui/ControlEnums.h"
#include <windows.h>
#include "platform/graphics/TextShaping.h"
#include "platform/rtl/String.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

// The DrawText flag of an alignment, mirrored for right-to-left alignment as the system does.
inline UINT AlignmentFlag(TAlignment a, bool rightToLeftAlignment) {
    if (rightToLeftAlignment && a != taCenter) a = a == taLeftJustify ? taRightJustify : taLeftJustify;
    return a == taCenter ? DT_CENTER : a == taRightJustify ? DT_RIGHT : DT_LEFT;
}


class TFont;
// Draws (or with DT_CALCRECT measures) text in a font onto a DC, transparently, shaped: lines are
// broken, measured and placed by their joined widths (DrawTextShaped); returns the height.
int DrawControlText(HDC dc, TFont* font, const String& text, RECT& rect, UINT flags);
// The largest font height, from largest down to smallest (negative heights, in pixels, as fonts
// take them), at which the text in that font, shaped, takes no more than width; 0 when even the
// smallest is too wide.
int FittingFontHeight(TFont* font, const String& text, int width, bool rightToLeft, int largest, int smallest);
