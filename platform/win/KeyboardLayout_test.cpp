#include "platform/win/KeyboardLayout.h"
#include <gtest/gtest.h>

namespace {

String TypeRow(const String& layout, const std::vector<UINT>& keys, bool shift, bool caps) {
    String typed;
    for (UINT vk : keys) typed += LayoutKeyChars(layout, vk, shift, caps);
    return typed;
}

struct TRow {
    std::vector<UINT> keys;
    String normal, shifted;
};

const std::vector<UINT> DigitRow = {VK_OEM_3, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS};
const std::vector<UINT> TopRow = {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', VK_OEM_4, VK_OEM_6, VK_OEM_5};
const std::vector<UINT> HomeRow = {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', VK_OEM_1, VK_OEM_7};
const std::vector<UINT> BottomRow = {'Z', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2};

TEST(KeyboardLayout, ArabicTableTypesEveryKeyOfTheLayout) {
    const std::vector<TRow> rows = {
        {DigitRow, "ذ1234567890-="_a, "\u0651!@#$%^&*)(_+"_a},
        {TopRow, "ضصثقفغعهخحجد\\"_a, "\u064E\u064B\u064F\u064Cلإإ‘÷×؛<>|"_a},
        {HomeRow, "شسيبلاتنمكط"_a, "\u0650\u064D][لأأـ،/:\""_a},
        {BottomRow, "ئءؤرلاىةوزظ"_a, "~\u0652}{لآآ’,.؟"_a},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(TypeRow(ArabicLayoutName, row.keys, false, false), row.normal);
        EXPECT_EQ(TypeRow(ArabicLayoutName, row.keys, true, false), row.shifted);
        // Caps Lock does nothing on the Arabic layout.
        EXPECT_EQ(TypeRow(ArabicLayoutName, row.keys, false, true), row.normal);
        EXPECT_EQ(TypeRow(ArabicLayoutName, row.keys, true, true), row.shifted);
    }
    EXPECT_EQ(LayoutKeyChars(ArabicLayoutName, 'B', false, false).size(), 2u);   // lam, alef
}

TEST(KeyboardLayout, UsTableFollowsShiftAndCapsLockOnLettersOnly) {
    const std::vector<UINT> letters = {'Q', 'A', 'Z', 'M', VK_OEM_4, '1', VK_OEM_2};
    EXPECT_EQ(TypeRow(EnglishLayoutName, letters, false, false), "qazm[1/");
    EXPECT_EQ(TypeRow(EnglishLayoutName, letters, true, false), "QAZM{!?");
    EXPECT_EQ(TypeRow(EnglishLayoutName, letters, false, true), "QAZM[1/");
    EXPECT_EQ(TypeRow(EnglishLayoutName, letters, true, true), "qazm{!?");
    EXPECT_EQ(TypeRow(EnglishLayoutName, DigitRow, false, false), "`1234567890-=");
    EXPECT_EQ(TypeRow(EnglishLayoutName, DigitRow, true, false), "~!@#$%^&*()_+");
    EXPECT_EQ(TypeRow(EnglishLayoutName, {VK_OEM_5, VK_OEM_1, VK_OEM_7, VK_OEM_COMMA, VK_OEM_PERIOD}, true, false), "|:\"<>");
}

TEST(KeyboardLayout, KeysAndLayoutsWithoutTableAreLeftToTheSystem) {
    for (UINT vk : {VK_RETURN, VK_SPACE, VK_TAB, VK_BACK, VK_NUMPAD1, VK_F1})
        EXPECT_EQ(LayoutKeyChars(ArabicLayoutName, vk, false, false), "") << vk;
    EXPECT_EQ(LayoutKeyChars("00000407", 'A', false, false), "");
    EXPECT_EQ(LayoutKeyChars("401", 'A', false, false), "");
}

TEST(KeyboardLayout, MalformedNamesAreRefusedAndChangeNothing) {
    ASSERT_TRUE(LoadAndActivateLayout(EnglishLayoutName));
    for (const char* bad : {"", "401", "0000040G", "000004010"}) {
        EXPECT_FALSE(LoadAndActivateLayout(bad)) << bad;
        EXPECT_EQ(ActiveLayoutName(), EnglishLayoutName);
    }
}

void PumpKeys(HWND target, const std::vector<std::pair<UINT, bool>>& keys) {
    for (auto [vk, shift] : keys) {
        BYTE state[256] = {};
        if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        SetKeyboardState(state);
        PostMessageW(target, WM_KEYDOWN, vk, 1);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateKeyMessage(msg);
            DispatchMessageW(&msg);
        }
    }
    BYTE released[256] = {};
    SetKeyboardState(released);
}

String EditText(HWND edit) {
    wchar_t text[64] = {};
    GetWindowTextW(edit, text, 64);
    return FromWide(text);
}

// The learner's keys reach the control as the layout's characters, whether the system switched
// the layout or the layer translates for it.
TEST(KeyboardLayout, KeysTypeTheActivatedLayoutIntoAnEdit) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(edit);

    ASSERT_TRUE(LoadAndActivateLayout(ArabicLayoutName));
    EXPECT_EQ(ActiveLayoutName(), ArabicLayoutName);
    PumpKeys(edit, {{'A', false}, {'B', false}, {'H', true}, {VK_OEM_COMMA, false}});
    EXPECT_EQ(EditText(edit), "شلاأو"_a);

    if (LayoutTranslationActive()) {
        std::vector<MSG> chars;
        MSG key = {edit, WM_KEYDOWN, 'B', 0x00300001};
        ASSERT_TRUE(LayoutCharMessages(key, {}, chars));
        ASSERT_EQ(chars.size(), 2u);
        EXPECT_EQ(chars[0].wParam, 0x0644u);
        EXPECT_EQ(chars[1].wParam, 0x0627u);
        EXPECT_EQ(chars[1].lParam, 0x00300001);
        TKeyModifiers ctrl;
        ctrl.ctrl = true;
        EXPECT_FALSE(LayoutCharMessages(key, ctrl, chars));   // Ctrl+B is the system's
        MSG sysKey = {edit, WM_SYSKEYDOWN, 'B', 0};
        EXPECT_FALSE(LayoutCharMessages(sysKey, {}, chars));
    }

    SetWindowTextW(edit, L"");
    ASSERT_TRUE(LoadAndActivateLayout(EnglishLayoutName));
    EXPECT_EQ(ActiveLayoutName(), EnglishLayoutName);
    PumpKeys(edit, {{'A', false}, {'B', true}});
    EXPECT_EQ(EditText(edit), "aB");
    DestroyWindow(edit);
}

}  // namespace
