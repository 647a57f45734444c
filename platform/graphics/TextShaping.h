#pragma once
// Text as the system shapes it (Uniscribe): joined Arabic letters measured and drawn as they
// appear, in bidirectional order. DrawText's own measure (Wine's at least) takes Arabic letters
// unjoined, too wide, which misplaces right-aligned and centred text. Everything that measures
// text for placement goes through here: the movie player, the page renderer and the labels.
#include <windows.h>
#include <cstdint>
#include <string_view>
#include <vector>
#include "platform/rtl/String.h"

// Wine's shaping faults on a mark that attaches to a lam-alef ligature and on a mark that starts
// a run of text, with no letter before it in the run (with DejaVu Sans and the KACST fonts at
// least). A combining grapheme joiner between the alef and its mark avoids the first fault and
// keeps the ligature; a mark with no letter to sit on is shown as its spacing form.
constexpr wchar_t ShapingJoiner = 0x034F;
bool IsArabicMark(wchar_t c);
// Whether a mark that follows this character sits on it: an Arabic letter, a mark already
// sitting on one, or the joiner.
bool CarriesMark(wchar_t c);
// The spacing form of a mark (the mark itself when it has none), and the mark a spacing form
// stands for (any other character itself).
wchar_t SpacingMark(wchar_t mark);
wchar_t CombiningMark(wchar_t c);
// The text as Wine can shape it: the joiner after a lam-alef that carries a mark, and a mark
// that does not follow a character carrying it in its spacing form.
WideString ShapeableText(std::wstring_view text);

// Whether the text needs shaping (Arabic and other complex scripts).
bool IsComplexText(std::wstring_view text);
// Width of one line in the DC's selected font, shaped, read in the given direction.
int ShapedTextWidth(HDC dc, std::wstring_view text, bool rightToLeft);
// Draws one line with its top-left corner at (x, y) in the DC's font and text colour,
// transparently; the line takes the width ShapedTextWidth gives.
void DrawShapedText(HDC dc, int x, int y, std::wstring_view text, bool rightToLeft);
// Greedy word wrap on shaped widths; a newline always breaks.
std::vector<WideString> WrapShapedText(HDC dc, std::wstring_view text, int width, bool rightToLeft);
// Text laid out in a rectangle as DrawText lays it out, measured, broken and drawn shaped, in the
// DC's font and text colour, transparently. Takes DrawText's format flags: the alignments,
// DT_VCENTER and DT_BOTTOM (with DT_SINGLELINE), DT_WORDBREAK, DT_EXPANDTABS, DT_NOPREFIX,
// DT_HIDEPREFIX, DT_NOCLIP, DT_EXTERNALLEADING, DT_RTLREADING and DT_CALCRECT (which measures
// into rect and draws nothing). Returns the text's height, as DrawText does.
int DrawTextShaped(HDC dc, std::wstring_view text, RECT& rect, UINT format);
// The bidirectional embedding level of each code unit of a paragraph of that base direction.
void BidiLevels(std::wstring_view paragraph, bool rightToLeft, std::vector<std::uint8_t>& levels);
