#include "platform/win/KeyboardLayout.h"
#include <cwchar>

namespace {

struct TKeyChars {
    UINT vk;
    String normal, shifted;
};

// Arabic (101). The lam-alef keys type two characters, lam and the alef, as the system's layout
// does; every character lies in code page 1256 (the literal operator checks it).
const std::vector<TKeyChars>& ArabicKeys() {
    static const std::vector<TKeyChars> keys = {
        {VK_OEM_3, "ذ"_a, "\u0651"_a},   // shadda
        {'1', "1", "!"}, {'2', "2", "@"}, {'3', "3", "#"}, {'4', "4", "$"}, {'5', "5", "%"},
        {'6', "6", "^"}, {'7', "7", "&"}, {'8', "8", "*"}, {'9', "9", ")"}, {'0', "0", "("},
        {VK_OEM_MINUS, "-", "_"}, {VK_OEM_PLUS, "=", "+"},
        {'Q', "ض"_a, "\u064E"_a},   // fatha
        {'W', "ص"_a, "\u064B"_a},   // fathatan
        {'E', "ث"_a, "\u064F"_a},   // damma
        {'R', "ق"_a, "\u064C"_a},   // dammatan
        {'T', "ف"_a, "لإ"_a}, {'Y', "غ"_a, "إ"_a}, {'U', "ع"_a, "‘"_a}, {'I', "ه"_a, "÷"_a},
        {'O', "خ"_a, "×"_a}, {'P', "ح"_a, "؛"_a}, {VK_OEM_4, "ج"_a, "<"}, {VK_OEM_6, "د"_a, ">"},
        {VK_OEM_5, "\\", "|"},
        {'A', "ش"_a, "\u0650"_a},   // kasra
        {'S', "س"_a, "\u064D"_a},   // kasratan
        {'D', "ي"_a, "]"}, {'F', "ب"_a, "["}, {'G', "ل"_a, "لأ"_a}, {'H', "ا"_a, "أ"_a},
        {'J', "ت"_a, "ـ"_a}, {'K', "ن"_a, "،"_a}, {'L', "م"_a, "/"}, {VK_OEM_1, "ك"_a, ":"},
        {VK_OEM_7, "ط"_a, "\""},
        {'Z', "ئ"_a, "~"},
        {'X', "ء"_a, "\u0652"_a},   // sukun
        {'C', "ؤ"_a, "}"}, {'V', "ر"_a, "{"}, {'B', "لا"_a, "لآ"_a}, {'N', "ى"_a, "آ"_a},
        {'M', "ة"_a, "’"_a}, {VK_OEM_COMMA, "و"_a, ","}, {VK_OEM_PERIOD, "ز"_a, "."},
        {VK_OEM_2, "ظ"_a, "؟"_a}, {VK_OEM_102, "\\", "|"},
    };
    return keys;
}

// US: the letters follow Shift and Caps Lock; these keys follow Shift only.
const std::vector<TKeyChars>& UsKeys() {
    static const std::vector<TKeyChars> keys = {
        {VK_OEM_3, "`", "~"}, {'1', "1", "!"}, {'2', "2", "@"}, {'3', "3", "#"}, {'4', "4", "$"},
        {'5', "5", "%"}, {'6', "6", "^"}, {'7', "7", "&"}, {'8', "8", "*"}, {'9', "9", "("},
        {'0', "0", ")"}, {VK_OEM_MINUS, "-", "_"}, {VK_OEM_PLUS, "=", "+"}, {VK_OEM_4, "[", "{"},
        {VK_OEM_6, "]", "}"}, {VK_OEM_5, "\\", "|"}, {VK_OEM_1, ";", ":"}, {VK_OEM_7, "'", "\""},
        {VK_OEM_COMMA, ",", "<"}, {VK_OEM_PERIOD, ".", ">"}, {VK_OEM_2, "/", "?"},
        {VK_OEM_102, "\\", "|"},
    };
    return keys;
}

String Lookup(const std::vector<TKeyChars>& keys, UINT vk, bool shift) {
    for (const TKeyChars& k : keys)
        if (k.vk == vk) return shift ? k.shifted : k.normal;
    return String();
}

// Layout names are eight hexadecimal digits; the low word is the language.
bool ParseLayoutName(const String& name, unsigned long& value) {
    if (name.size() != 8) return false;
    value = 0;
    for (char c : name) {
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0) return false;
        value = value * 16 + d;
    }
    return true;
}

bool HasTable(const String& name) {
    unsigned long v = 0;
    return ParseLayoutName(name, v) && (v == 0x0401 || v == 0x0409);
}

String SystemLayoutName() {
    wchar_t name[KL_NAMELENGTH] = {};
    return GetKeyboardLayoutNameW(name) ? FromWide(name) : String();
}

// The system types the layout when its active layout is of the layout's language and its own
// translation of the A key gives what the layout's table says (Wine may keep the language's
// bookkeeping while the keys stay those of the X keyboard map).
bool SystemTypesLayout(const String& name, unsigned long value) {
    HKL active = GetKeyboardLayout(0);
    if (LOWORD(reinterpret_cast<UINT_PTR>(active)) != LOWORD(value)) return false;
    if (!HasTable(name)) return true;
    BYTE state[256] = {};
    wchar_t typed[4] = {};
    UINT scan = MapVirtualKeyExW('A', MAPVK_VK_TO_VSC, active);
    int n = ToUnicodeEx('A', scan, state, typed, 4, 4 /* keep the dead-key state */, active);
    return n == 1 && FromWide(std::wstring_view(typed, 1)) == LayoutKeyChars(name, 'A', false, false);
}

struct TLayoutState {
    String name;            // empty: nothing activated yet
    bool translating = false;
};
TLayoutState& State() {
    static TLayoutState state;
    return state;
}

}  // namespace

bool LoadAndActivateLayout(const String& name) {
    unsigned long value = 0;
    if (!ParseLayoutName(name, value)) return false;
    if (HKL handle = LoadKeyboardLayoutA(name.c_str(), KLF_ACTIVATE)) ActivateKeyboardLayout(handle, 0);
    TLayoutState& state = State();
    const bool switched = SystemTypesLayout(name, value);
    state.translating = !switched && HasTable(name);
    const bool given = switched || state.translating;
    state.name = given ? name : SystemLayoutName();
    return given;
}

String ActiveLayoutName() {
    const TLayoutState& state = State();
    return state.name.empty() ? SystemLayoutName() : state.name;
}

bool LayoutTranslationActive() { return State().translating; }

String LayoutKeyChars(const String& layoutName, UINT vk, bool shift, bool capsLock) {
    unsigned long value = 0;
    if (!ParseLayoutName(layoutName, value)) return String();
    if (value == 0x0401) return Lookup(ArabicKeys(), vk, shift);
    if (value != 0x0409) return String();
    if (vk >= 'A' && vk <= 'Z') return String(1, static_cast<char>(shift != capsLock ? vk : vk - 'A' + 'a'));
    return Lookup(UsKeys(), vk, shift);
}

TKeyModifiers CurrentKeyModifiers() {
    TKeyModifiers m;
    m.shift = GetKeyState(VK_SHIFT) < 0;
    m.ctrl = GetKeyState(VK_CONTROL) < 0;
    m.alt = GetKeyState(VK_MENU) < 0;
    m.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    return m;
}

bool LayoutCharMessages(const MSG& msg, const TKeyModifiers& modifiers, std::vector<MSG>& chars) {
    chars.clear();
    const TLayoutState& state = State();
    if (!state.translating || msg.message != WM_KEYDOWN || !msg.hwnd) return false;
    // Control characters and menu keys are the same in both layouts: the system's.
    if (modifiers.ctrl || modifiers.alt) return false;
    const String typed = LayoutKeyChars(state.name, static_cast<UINT>(msg.wParam), modifiers.shift, modifiers.capsLock);
    if (typed.empty()) return false;
    for (wchar_t c : ToWide(typed)) {
        MSG m = msg;
        m.message = WM_CHAR;
        m.wParam = static_cast<WPARAM>(c);
        chars.push_back(m);
    }
    return true;
}

void TranslateKeyMessage(const MSG& msg) {
    std::vector<MSG> chars;
    // the key state is asked only for a key-down the layer types itself: under Wine every
    // question is a round trip to the server, and this runs for every message of the loop
    const bool ours = msg.message == WM_KEYDOWN && State().translating;
    if (!ours || !LayoutCharMessages(msg, CurrentKeyModifiers(), chars)) {
        TranslateMessage(&msg);
        return;
    }
    for (const MSG& m : chars) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
}
