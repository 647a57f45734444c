#include "tutor/typing/RichView.h"
#include <algorithm>
#include <cstdlib>
#include "platform/graphics/TextShaping.h"
#include "platform/ui/Application.h"

namespace {

const char WrapFontName[] = "Simplified Arabic Fixed";

// Bytes below 32 are keys like Backspace, Tab, Escape and Ctrl+letter: never a source character.
bool IsControlChar(char ch) { return static_cast<unsigned char>(ch) < 32; }

// Room above and below every line of a text with vowel marks, in parts of the font's height: two
// marks stacked on a tall letter rise above the line the font gives, and a mark under a letter
// that goes below the line sinks under it; each line keeps its marks inside its own rows, where
// the repainting of the line above or below cannot wipe them.
constexpr int MarkRoomAbove = 40, MarkRoomBelow = 30;   // percent

// Only lines a user can complete are typed: a line with nothing to type on it is left out.
bool HasTypeableText(const String& line) {
    for (char c : line)
        if (c != ' ') return true;
    return false;
}

// Tabs and other control bytes of a file cannot be typed; they stand as one space each.
String TypeableLine(String line) {
    for (char& c : line)
        if (IsControlChar(c)) c = ' ';
    return line;
}

struct TBusyScope {
    explicit TBusyScope(bool& flag) : Flag(flag) { Flag = true; }
    ~TBusyScope() { Flag = false; }
    bool& Flag;
};

}  // namespace

TRichView::TRichView(TComponent* owner) : TRichEdit(owner), FBackgnd(std::make_unique<TBitmap>()) {}

TRichView::~TRichView() = default;

void TRichView::SetBackgnd(TBitmap* value) { FBackgnd->Assign(value); }

int TRichView::TypingLineStart(int pair) const {
    return LineStart[pair] + static_cast<int>(FSource[pair].size()) + 2;
}

void TRichView::SelectRange(int start, int length) {
    // Asking costs nothing; setting moves the caret and repaints, so it is done only when the
    // selection is not already there (a key leaves the caret where the next key goes).
    CHARRANGE range{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMin == start && range.cpMax == start + length) return;
    range = CHARRANGE{start, start + length};
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void TRichView::ColorSelection(TColor color) { SelAttributes()->SetColor(color); }

void TRichView::PreLoadTextFile(const String& fileName) {
    Application->ProcessMessages();
    Font()->SetName(WrapFontName);
    SelAttributes()->SetName(WrapFontName);
    Lines()->Clear();
    Lines()->LoadFromFile(fileName);
    ShowWholeLines();
}

void TRichView::LoadTextFile(const String& fileName) {
    TStringList file;
    file.LoadFromFile(fileName);   // before anything changes: a bad file leaves the surface as it was
    std::vector<String> source;
    for (int i = 0; i < file.Count() && static_cast<int>(source.size()) < MaxLinePairs; ++i) {
        String line = TypeableLine(file[i]);
        if (HasTypeableText(line)) source.push_back(std::move(line));
    }

    SetReadOnly(false);
    CurLine = 0;
    WCount = 0;
    CCount = 0;
    FTyped = 0;
    FComplete = source.empty();
    FSource = std::move(source);
    SourceLength = 0;
    for (const String& line : FSource) SourceLength += static_cast<int>(line.size());
    Linecount = static_cast<int>(FSource.size());

    // Each source line, then its typing line holding a placeholder space.
    String text;
    text.reserve(static_cast<size_t>(SourceLength) + FSource.size() * 5);
    LineStart.fill(0);
    for (size_t i = 0; i < FSource.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += FSource[i];
        text += "\r\n ";
        LineStart[i + 1] = LineStart[i] + 2 * (static_cast<int>(FSource[i].size()) + 2);
    }
    Clear();
    Lines()->SetText(text);   // right-to-left surfaces get the reading order on every paragraph
    const WideString wide = ToWide(text);
    const bool marked = std::any_of(wide.begin(), wide.end(), IsArabicMark);
    const int height = std::abs(Font()->Height());
    SelectAll();
    Paragraph()->SetSpaceBefore(marked ? height * MarkRoomAbove / 100 : 0);
    Paragraph()->SetSpaceAfter(marked ? height * MarkRoomBelow / 100 : 0);
    ShowWholeLines();
    SelectRange(0, 0);   // the view back at the top
    Application->ProcessMessages();

    // The first key replaces the selected placeholder of the first typing line.
    if (FSource.empty()) SelectRange(0, 0);
    else SelectRange(TypingLineStart(0), 1);
    StartPending = true;
    Busy = false;
}

int TRichView::LinesTextLength() {
    int total = 0;
    int lines = LineCount();
    for (int i = 0; i < lines; ++i) total += LineLength(LineIndex(i));
    return total;
}

String TRichView::UpcomingChars(int count) const {
    String out;
    if (FComplete) return out;
    for (size_t pair = static_cast<size_t>(CurLine), x = static_cast<size_t>(FTyped);
         pair < FSource.size() && static_cast<int>(out.size()) < count; ++pair, x = 0)
        out += FSource[pair].substr(x, static_cast<size_t>(count) - out.size());
    return out;
}

int TRichView::CountTextLines() {
    int n = LineCount();
    if (n > 0 && LineLength(LineIndex(n - 1)) == 0) return n - 1;
    return n;
}

void TRichView::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CHAR: { TWMChar k(m); WMChar(k); return; }
    case WM_KEYDOWN: { TWMKeyDown k(m); WMKeyDown(k); return; }
    case WM_LBUTTONDOWN: { TWMMouse k(m); WMLButtonDown(k); return; }
    case WM_LBUTTONDBLCLK: { TWMMouse k(m); WMLButtonDblClk(k); return; }
    case WM_GETDLGCODE:
        // Tab, Enter, Escape and the arrows are keys of the text, not of the form
        m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
        return;
    case WM_PASTE: case WM_CUT: case WM_UNDO: case EM_UNDO:
        return;   // the text changes only by typing
    case WM_VSCROLL: case WM_MOUSEWHEEL: {
        POINT before{};
        SendMessageW(FHandle, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&before));
        TRichEdit::WndProc(m);
        SnapToWholeLines(before.y);
        return;
    }
    case WM_SIZE: case CM_FONTCHANGED:
        TRichEdit::WndProc(m);
        ShowWholeLines();
        return;
    default: TRichEdit::WndProc(m);
    }
}

// From one line's top to the next: every line of the surface has the same font and the same room
// around it. 0 while there is no second line to measure.
int TRichView::LinePitch() {
    if (!HandleAllocated() || LineCount() < 2) return 0;
    POINTL first{}, second{};
    SendMessageW(FHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    SendMessageW(FHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), LineIndex(1));
    return second.y - first.y;
}

// The control shows as many lines as its client area holds and cuts the next one at the bottom
// edge, vowel marks and all; the view ends at the last line that fits whole instead, and the strip
// under it stays plain. The view's width follows the control's, so a wrap still fills it.
void TRichView::ShowWholeLines() {
    if (!HandleAllocated()) return;
    SendMessageW(FHandle, EM_SETRECTNP, 0, 0);   // the whole client area again
    RECT wanted{};
    SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&wanted));
    const int pitch = LinePitch();
    const int lines = pitch > 0 ? (wanted.bottom - wanted.top) / pitch : 0;
    if (lines > 0) {
        wanted.bottom = wanted.top + lines * pitch;
        // Wine widens a rectangle it is given by the client edge: the second call takes that back
        RECT given = wanted, got{};
        SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&given));
        SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
        given.left += wanted.left - got.left;
        given.top += wanted.top - got.top;
        given.right += wanted.right - got.right;
        given.bottom += wanted.bottom - got.bottom;
        SendMessageW(FHandle, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&given));
    } else {
        InvalidateRect(FHandle, nullptr, TRUE);
    }
    POINT scroll{};
    SendMessageW(FHandle, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SnapToWholeLines(scroll.y);
}

// A scroll by the scroll bar or the wheel goes on to the next line's top in its direction, so that
// the view never starts or ends inside a line.
void TRichView::SnapToWholeLines(int before) {
    const int pitch = LinePitch();
    if (pitch <= 0) return;
    POINT scroll{};
    SendMessageW(FHandle, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    const int down = scroll.y > before ? pitch - 1 : 0;
    const int snapped = (scroll.y + down) / pitch * pitch;
    if (snapped == scroll.y) return;
    scroll.y = snapped;
    SendMessageW(FHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
}

void TRichView::WMChar(TWMChar& m) {
    if (ReadOnly() || FComplete || Busy) {
        m.CharCode = 0;
        m.Store();
        return;
    }
    TBusyScope busy(Busy);
    if (DoKeyPress(m)) return;   // cancelled by a key-press handler: nothing typed
    char ch = static_cast<char>(m.CharCode);

    // The key goes in already in its colour, so that a key costs one change of the typing line
    // and one of the source character above it, and the caret never leaves the typing line.
    const int pair = CurLine;
    const int y = 2 * pair + 1;
    const int x = FTyped + 1;
    const int pos = TypingLineStart(pair) + FTyped;
    SelectRange(pos, FTyped == 0 && StartPending ? 1 : 0);   // the first key replaces the placeholder
    ColorSelection(Matches(ch, x, pair) ? FCorrectColor : FMistakeColor);
    SetSelText(String(1, IsControlChar(ch) ? ControlCharMark : ch));
    ++FTyped;

    if (StartPending && OnStartTyping) OnStartTyping(this);

    const bool lineDone = FTyped == static_cast<int>(FSource[pair].size());
    if (lineDone && pair + 1 == static_cast<int>(FSource.size())) {
        FComplete = true;
        CharCount = SourceLength;
        CheckTypedChar(ch, x, y, false);
        if (OnFinishTyping) OnFinishTyping(this, CharCount, WCount, CCount, Linecount);
    } else if (lineDone) {
        ++CurLine;
        FTyped = 0;
        CheckTypedChar(ch, x, y, false);
        BringPairIntoView(CurLine);
        // the next typing line gives up its placeholder and takes the caret
        SelectRange(TypingLineStart(CurLine), 1);
        SetSelText(String());
    } else {
        CheckTypedChar(ch, x, y, true);
    }
    StartPending = false;
}

// A pair whose typing line would fall below the view comes to the top of it, the text after it
// in sight; the control left to itself would scroll by two lines at every line from then on, and
// a scroll repaints the whole view and its scroll bar. The scroll goes by pixels: the room around
// lines with vowel marks makes a line taller than the font, which a scroll by lines reckons with.
void TRichView::BringPairIntoView(int pair) {
    const int typingLine = TypingLineStart(pair);
    POINTL source{}, typing{};
    SendMessageW(Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&source), LineStart[pair]);
    SendMessageW(FHandle, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&typing), typingLine);
    RECT view{};
    SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
    const int lineHeight = typing.y - source.y;
    if (typing.y + lineHeight <= view.bottom) return;
    POINT scroll{};
    SendMessageW(FHandle, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    scroll.y += source.y - view.top - Paragraph()->SpaceBefore();
    SendMessageW(FHandle, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
}

bool TRichView::Matches(char ch, int x, int pair) const {
    return !IsControlChar(ch) && ch == FSource[pair][x - 1];
}

// The typed character already shows in its colour; this paints the source character above it,
// tells the host and counts.
void TRichView::CheckTypedChar(char ch, int x, int y, bool countPerChar) {
    if (CCount + WCount < SourceLength) MarkTypedSourceChar(x, y);
    const bool correct = Matches(ch, x, (y - 1) / 2);
    char chr = ch;
    if (OnKeyTruePress) OnKeyTruePress(this, chr, correct);
    const auto code = static_cast<unsigned char>(chr);
    if (correct) {
        if (countPerChar && code != 0) ++CharCorrect[code];
        ++CCount;
    } else {
        if (countPerChar && code != 0) ++CharWrong[code];
        ++WCount;
    }
}

// The source character above a typed one turns white; the key that completes a line paints
// nothing, as the column then lies past the source line.
void TRichView::MarkTypedSourceChar(int x, int y) {
    const int pair = (y - 1) / 2;
    if (pair < CurLine || FComplete) x = 0;
    if (x == 0 || !FHilightTypedChars) return;
    SetRangeColor(LineStart[CurLine] + x - 1, 1, clWhite);
}

void TRichView::WMKeyDown(TWMKeyDown& m) {
    // OnKeyDown still fires; the control's own key handling (caret moves, deleting) never runs
    const WORD key = m.CharCode;
    DoKeyDown(m);
    if (key == VK_RETURN && HandleAllocated()) {
        // the line break is typed by the surface itself: drop the character Enter made
        MSG pending;
        if (PeekMessageW(&pending, Handle(), WM_CHAR, WM_CHAR, PM_NOREMOVE) && pending.wParam == L'\r')
            PeekMessageW(&pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE);
    }
}

void TRichView::WMLButtonDown(TWMMouse&) {
    // a click gives the surface the keyboard, but never moves the caret or selects
    if (!Focused() && CanFocus()) SetFocus();
}

void TRichView::WMLButtonDblClk(TWMMouse&) {}

void ApplySurfaceLook(TRichView* surface, bool arabic) {
    surface->SetHilightTypedChars(true);
    surface->SetCorrectColor(0x400000);
    surface->SetMistakeColor(clRed);
    surface->SetColor(14527793);
    surface->SetPlainText(true);
    surface->SetScrollBars(ssVertical);
    surface->SetHideScrollBars(false);
    surface->Font()->SetHeight(-20);
    surface->Font()->SetName(arabic ? "Simplified Arabic Fixed" : "Courier New");
    surface->SetBiDiMode(arabic ? bdRightToLeft : bdLeftToRight);
}
