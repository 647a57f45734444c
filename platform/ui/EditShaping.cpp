// The text of an edit window, kept safe from Wine's shaping faults. Wine's EDIT shapes each line
// through ScriptStringAnalyse, which faults on a lam-alef carrying a mark and on a mark that
// starts a line: the window therefore holds exactly the layer's text as ShapeableText makes it
// (a joiner after such a lam-alef, a mark without a letter in its spacing form). The messages
// that carry text or positions answer here in the layer's terms (joiners not counted), and an
// edit that would leave the window otherwise is made here.
#include "platform/ui/Edit.h"
#include <algorithm>
#include "platform/graphics/TextShaping.h"
#include "platform/win/Clipboard.h"

namespace {

int Joiners(std::wstring_view text) { return static_cast<int>(std::count(text.begin(), text.end(), ShapingJoiner)); }

// The layer's text of window text.
WideString LayerText(std::wstring_view window) {
    WideString out;
    out.reserve(window.size());
    for (wchar_t c : window)
        if (c != ShapingJoiner) out += CombiningMark(c);
    return out;
}

bool IsSafe(const WideString& window) { return window == ShapeableText(LayerText(window)); }

// The layer's position of a window position.
int PlainPosition(std::wstring_view window, int position) {
    if (position < 0) return position;
    const auto n = std::min(static_cast<std::size_t>(position), window.size());
    return position - Joiners(window.substr(0, n));
}

// The window position of a layer position: before a joiner that stands there.
int WindowPosition(std::wstring_view window, int position) {
    if (position < 0) return position;
    int w = 0, p = 0;
    for (; w < static_cast<int>(window.size()) && p < position; ++w)
        if (window[static_cast<std::size_t>(w)] != ShapingJoiner) ++p;
    return w + (position - p);
}

}  // namespace

LRESULT TCustomEdit::CallEdit(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(FDefWndProc, FHandle, msg, wParam, lParam);
}

WideString TCustomEdit::WindowText() {
    WideString text(static_cast<std::size_t>(std::max<LRESULT>(CallEdit(WM_GETTEXTLENGTH), 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(CallEdit(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())), 0)));
    return text;
}

// The window's limit counts the joiners too.
void TCustomEdit::LimitWindowText(const WideString& windowText) {
    if (FTextLimit) CallEdit(EM_SETLIMITTEXT, FTextLimit + static_cast<UINT>(Joiners(windowText)));
}

// Replaces the layer's characters start..end by text, changing only the part of the window that
// differs, as one step the user can undo; the caret follows the new text.
void TCustomEdit::ReplaceText(int start, int end, WideString text, bool canUndo) {
    const WideString window = WindowText();
    const WideString plain = LayerText(window);
    const int length = static_cast<int>(plain.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    text = LayerText(text);
    const int kept = length - (end - start);
    if (FTextLimit && kept + static_cast<int>(text.size()) > static_cast<int>(FTextLimit))
        text.resize(static_cast<std::size_t>(std::max(0, static_cast<int>(FTextLimit) - kept)));
    const WideString after = ShapeableText(plain.substr(0, static_cast<std::size_t>(start)) + text + plain.substr(static_cast<std::size_t>(end)));

    std::size_t head = 0;
    while (head < window.size() && head < after.size() && window[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < window.size() - head && tail < after.size() - head &&
           window[window.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const WideString middle = after.substr(head, after.size() - head - tail);
    if (FTextLimit) CallEdit(EM_SETLIMITTEXT, std::max<std::size_t>(after.size(), FTextLimit + static_cast<std::size_t>(Joiners(after))));
    CallEdit(EM_SETSEL, head, static_cast<LPARAM>(window.size() - tail));
    CallEdit(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(middle.c_str()));
    LimitWindowText(after);
    const int caret = WindowPosition(after, start + static_cast<int>(text.size()));
    CallEdit(EM_SETSEL, static_cast<WPARAM>(caret), caret);
    CallEdit(EM_SCROLLCARET);
}

// A typed character, a deleting key, a cut or a paste: the window makes the edit itself when
// its result is safe and it removes only characters that are the layer's as they stand;
// otherwise the edit is made here, in the layer's characters (a key that would delete only a
// joiner deletes the character beyond it). True when made here.
bool TCustomEdit::EditsSafely(UINT msg, WPARAM wParam) {
    if (msg == WM_KEYDOWN && wParam != VK_DELETE && wParam != VK_INSERT) return false;
    if (msg == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0) {
        SendMessageW(FHandle, WM_COPY, 0, 0);   // the copy of the layer's text
        return true;
    }
    const LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    if (style & ES_READONLY) return false;
    DWORD selStart = 0, selEnd = 0;
    CallEdit(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const WideString window = WindowText();
    const int size = static_cast<int>(window.size());
    int from = static_cast<int>(std::min(selStart, selEnd)), to = std::min(size, static_cast<int>(std::max(selStart, selEnd)));
    from = std::min(from, to);
    WideString insert;
    bool backward = false;
    if (msg == WM_KEYDOWN) {
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0) msg = WM_PASTE;
        else if (wParam != VK_DELETE || GetKeyState(VK_CONTROL) < 0) return false;
        else if (GetKeyState(VK_SHIFT) < 0) msg = from == to ? WM_CHAR : WM_CUT, wParam = '\b';   // with nothing selected it deletes backwards
        else msg = WM_CLEAR, to = from == to ? std::min(size, to + 1) : to;
    }
    // a line break goes as a whole
    auto breakAt = [&](int i) { return i >= 0 && i + 1 < size && window[static_cast<std::size_t>(i)] == L'\r' && window[static_cast<std::size_t>(i) + 1] == L'\n'; };
    switch (msg) {
    case WM_CHAR: {
        const char byte = static_cast<char>(wParam & 0xFF);
        const WideString typed = ToWide(std::string_view(&byte, 1));
        if (typed.empty()) return false;
        const wchar_t c = typed[0];
        if (c == L'\b') {
            backward = true;
            if (from == to) from = std::max(0, from - (breakAt(from - 2) ? 2 : 1));
        } else if (c == L'\r' || c == L'\t') {
            if (!(style & ES_MULTILINE)) return false;
            insert = c == L'\r' ? L"\r\n" : L"\t";
        } else if (c < L' ' || (style & ES_NUMBER)) {
            return false;
        } else {
            insert = typed;
            if (style & ES_UPPERCASE) CharUpperBuffW(insert.data(), 1);
            if (style & ES_LOWERCASE) CharLowerBuffW(insert.data(), 1);
        }
        break;
    }
    case WM_CUT: case WM_CLEAR:
        if (breakAt(to - 1) && to - from == 1) ++to;
        break;
    case WM_PASTE:
        insert = ClipboardText(FHandle);
        // a one-line window takes the first line
        if (!(style & ES_MULTILINE)) insert = insert.substr(0, insert.find_first_of(L"\r\n"));
        break;
    default: return false;
    }
    if (from == to && insert.empty()) return false;
    const std::wstring_view removed = std::wstring_view(window).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
    if (LayerText(removed) == removed && IsSafe(window.substr(0, static_cast<std::size_t>(from)) + insert + window.substr(static_cast<std::size_t>(to))))
        return false;

    int start = PlainPosition(window, from), end = PlainPosition(window, to);
    if (msg == WM_CUT) SetClipboardText(FHandle, LayerText(removed));
    if (start == end && insert.empty()) {
        if (backward) start = std::max(0, start - 1);
        else ++end;
    }
    ReplaceText(start, end, insert, true);
    return true;
}

void TCustomEdit::DefaultHandler(TMessage& m) {
    if (!FHandle || !FDefWndProc) {
        TWinControl::DefaultHandler(m);
        return;
    }
    switch (m.Msg) {
    case WM_SETTEXT: {
        const WideString text = ShapeableText(LayerText(m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L""));
        if (FTextLimit) CallEdit(EM_SETLIMITTEXT, std::max<std::size_t>(text.size(), FTextLimit + static_cast<std::size_t>(Joiners(text))));
        m.Result = CallEdit(WM_SETTEXT, m.WParam, reinterpret_cast<LPARAM>(text.c_str()));
        LimitWindowText(text);
        return;
    }
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(LayerText(WindowText()).size());
        return;
    case WM_GETTEXT: {
        const WideString text = LayerText(WindowText());
        auto* out = reinterpret_cast<wchar_t*>(m.LParam);
        if (!out || m.WParam == 0) { m.Result = 0; return; }
        const std::size_t n = std::min(text.size(), m.WParam - 1);
        text.copy(out, n);
        out[n] = L'\0';
        m.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_COPY: {
        DWORD from = 0, to = 0;
        CallEdit(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        const WideString selected = WindowText().substr(std::min(from, to), to > from ? to - from : from - to);
        if (LayerText(selected) == selected) break;
        if (!(GetWindowLongW(FHandle, GWL_STYLE) & ES_PASSWORD)) SetClipboardText(FHandle, LayerText(selected));
        return;
    }
    case EM_GETSEL: {
        DWORD from = 0, to = 0;
        CallEdit(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        const WideString window = WindowText();
        const auto start = static_cast<DWORD>(PlainPosition(window, static_cast<int>(from)));
        const auto end = static_cast<DWORD>(PlainPosition(window, static_cast<int>(to)));
        if (m.WParam) *reinterpret_cast<DWORD*>(m.WParam) = start;
        if (m.LParam) *reinterpret_cast<DWORD*>(m.LParam) = end;
        m.Result = start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
        return;
    }
    case EM_SETSEL: {
        const WideString window = WindowText();
        const auto start = static_cast<int>(m.WParam), end = static_cast<int>(m.LParam);
        m.Result = CallEdit(EM_SETSEL, static_cast<WPARAM>(WindowPosition(window, start)), WindowPosition(window, end));
        return;
    }
    case EM_REPLACESEL: {
        DWORD from = 0, to = 0;
        CallEdit(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        const WideString window = WindowText();
        ReplaceText(PlainPosition(window, static_cast<int>(std::min(from, to))), PlainPosition(window, static_cast<int>(std::max(from, to))),
                    m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"", m.WParam != 0);
        m.Result = 0;
        return;
    }
    case EM_LINEINDEX: {
        const LRESULT at = CallEdit(EM_LINEINDEX, m.WParam);
        m.Result = PlainPosition(WindowText(), static_cast<int>(at));
        return;
    }
    case EM_LINELENGTH: {
        const WideString window = WindowText();
        const auto index = static_cast<int>(m.WParam);
        const int at = index < 0 ? index : WindowPosition(window, index);
        const LRESULT length = CallEdit(EM_LINELENGTH, static_cast<WPARAM>(at));
        if (at < 0) { m.Result = length; return; }
        const LRESULT start = CallEdit(EM_LINEINDEX, static_cast<WPARAM>(CallEdit(EM_LINEFROMCHAR, static_cast<WPARAM>(at))));
        m.Result = length - Joiners(std::wstring_view(window).substr(static_cast<std::size_t>(std::max<LRESULT>(start, 0)), static_cast<std::size_t>(length)));
        return;
    }
    case EM_GETLINE: {
        auto* out = reinterpret_cast<wchar_t*>(m.LParam);
        if (!out) { m.Result = 0; return; }
        const std::size_t room = *reinterpret_cast<const WORD*>(out);
        const LRESULT start = CallEdit(EM_LINEINDEX, m.WParam);
        if (start < 0) { m.Result = 0; return; }
        const WideString window = WindowText();
        const auto length = static_cast<std::size_t>(CallEdit(EM_LINELENGTH, static_cast<WPARAM>(start)));
        const WideString line = LayerText(std::wstring_view(window).substr(static_cast<std::size_t>(start), length));
        const std::size_t n = std::min(room, line.size());
        line.copy(out, n);
        m.Result = static_cast<LRESULT>(n);
        return;
    }
    case EM_LINEFROMCHAR: case EM_POSFROMCHAR: {
        const auto index = static_cast<int>(m.WParam);
        m.Result = CallEdit(m.Msg, static_cast<WPARAM>(index < 0 ? index : WindowPosition(WindowText(), index)), m.LParam);
        return;
    }
    case EM_CHARFROMPOS: {
        const LRESULT r = CallEdit(EM_CHARFROMPOS, m.WParam, m.LParam);
        if (r == -1) { m.Result = r; return; }
        m.Result = MAKELONG(PlainPosition(WindowText(), LOWORD(r)), HIWORD(r));
        return;
    }
    case EM_SETLIMITTEXT:
        FTextLimit = static_cast<UINT>(m.WParam);
        if (FTextLimit) LimitWindowText(WindowText());
        else CallEdit(EM_SETLIMITTEXT, 0);
        m.Result = 0;
        return;
    case EM_GETLIMITTEXT:
        m.Result = FTextLimit ? static_cast<LRESULT>(FTextLimit) : CallEdit(EM_GETLIMITTEXT);
        return;
    case WM_CHAR: case WM_KEYDOWN: case WM_CUT: case WM_CLEAR: case WM_PASTE:
        if (EditsSafely(m.Msg, m.WParam)) {
            m.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TWinControl::DefaultHandler(m);
}
