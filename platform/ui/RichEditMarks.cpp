// Arabic marks in the rich edit, kept clear of Wine's shaping fault: the control shapes each run
// of one format apart, and Wine faults on a run that starts with a mark. So a mark in the window
// always sits on its letter in that letter's format: one with no letter before it, or typed in
// another format, stands there in its spacing form, and a format given to a letter or its mark
// covers both. Every form holds one position and reads back as the mark, so positions and text
// are the layer's.
#include "platform/ui/RichEdit.h"
#include <oleauto.h>
#include <tom.h>
#include "platform/graphics/TextShaping.h"

namespace {

// Marks with no letter to sit on before them, in their spacing forms.
WideString SpacedOrphanMarks(WideString text, wchar_t before) {
    for (wchar_t& c : text) {
        if (IsArabicMark(c) && !CarriesMark(before)) c = SpacingMark(c);
        before = c;
    }
    return text;
}

}  // namespace

WideString TRichEdit::LayerMarks(WideString windowText) {
    for (wchar_t& c : windowText) c = CombiningMark(c);
    return windowText;
}

WideString TRichEdit::WindowMarks(const WideString& text) { return SpacedOrphanMarks(text, 0); }

WideString TRichEdit::TextBetween(int from, int to) {
    from = std::max(from, 0);
    if (to <= from) return WideString();
    if (ITextDocument* document = TextDocument()) {
        TComPtr<ITextRange> range;
        BSTR text = nullptr;
        if (SUCCEEDED(document->Range(from, to, range.Out())) && SUCCEEDED(range->GetText(&text))) {
            WideString result = text ? WideString(text, SysStringLen(text)) : WideString();
            SysFreeString(text);
            return result;
        }
    }
    const WideString all = StreamOutText(0);
    return static_cast<std::size_t>(from) < all.size() ? all.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)) : WideString();
}

// Grown to hold whole letters with their marks.
CHARRANGE TRichEdit::WholeLetters(CHARRANGE range) {
    constexpr int reach = 8;   // more marks than a letter carries
    const int from = std::max(0, static_cast<int>(range.cpMin) - reach);
    const WideString around = TextBetween(from, range.cpMax + reach);
    auto at = [&](LONG position) {
        const auto i = static_cast<std::size_t>(position - from);
        return position >= from && i < around.size() ? around[i] : L'\0';
    };
    while (range.cpMin > from && IsArabicMark(at(range.cpMin))) --range.cpMin;
    while (IsArabicMark(at(range.cpMax))) ++range.cpMax;
    return range;
}

// Whether the characters from..to have one format, read over a selection put back afterwards.
bool TRichEdit::OneFormat(int from, int to) {
    CHARRANGE saved{};
    SendMessageW(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    auto maskOf = [&](int start, int end) {
        CHARRANGE range{start, end};
        SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(FHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        return format.dwMask;
    };
    // an attribute that differs within the selection drops out of the mask
    const bool one = maskOf(from, to) == maskOf(from, from + 1);
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    return one;
}

// Replaces the selection by the text. The marks just after the selection sat on what goes, so
// they go in again with the text; marks at the text's start go in spacing and sit on the letter
// before only when they came out in its format.
void TRichEdit::InsertText(const WideString& text) {
    CHARRANGE selection{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const LONG start = selection.cpMin;
    const CHARRANGE whole = WholeLetters(CHARRANGE{selection.cpMax, selection.cpMax});
    const WideString following = TextBetween(selection.cpMax, whole.cpMax);
    WideString inserted = text + following;
    const bool markFirst = !inserted.empty() && IsArabicMark(inserted[0]);
    inserted = SpacedOrphanMarks(std::move(inserted), markFirst && start > 0 ? TextBetween(start - 1, start)[0] : L'\0');
    std::size_t leading = 0;
    while (leading < inserted.size() && IsArabicMark(inserted[leading])) inserted[leading] = SpacingMark(inserted[leading]), ++leading;
    if (whole.cpMax != selection.cpMax) {
        selection.cpMax = whole.cpMax;
        SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    }
    StreamInText(inserted, SFF_SELECTION);
    const bool sits = leading > 0 && OneFormat(start - 1, start + static_cast<int>(leading));
    if (!sits && following.empty()) return;

    const LRESULT events = SendMessageW(FHandle, EM_SETEVENTMASK, 0, 0);
    if (sits) {
        CHARRANGE marks{start, start + static_cast<LONG>(leading)};
        SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&marks));
        WideString combining = inserted.substr(0, leading);
        for (wchar_t& c : combining) c = CombiningMark(c);
        StreamInText(combining, SFF_SELECTION);
    }
    // the caret after the text, before the marks that went in again
    const LONG caret = start + static_cast<LONG>(inserted.size() - following.size());
    CHARRANGE after{caret, caret};
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&after));
    SendMessageW(FHandle, EM_SETEVENTMASK, 0, events);
}
