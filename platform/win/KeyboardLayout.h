#pragma once
// Keyboard layouts of the typing screens. The system's layout is switched for real; where the
// system does not then type the layout (Wine records the layout, but its keys stay those of the
// X keyboard map), the layer translates the keys of the requested layout itself, so the learner
// types the same characters.
#include <windows.h>
#include <vector>
#include "platform/rtl/String.h"

inline const String ArabicLayoutName = "00000401";
inline const String EnglishLayoutName = "00000409";

// LoadKeyboardLayoutA(name, KLF_ACTIVATE), then ActivateKeyboardLayout(handle, 0). When the
// system then does not type the layout and the layer has its table, the layer's translation
// takes over. False when neither gives the layout (a malformed or unknown name): the
// translation is then off and the system's layout stays in effect.
bool LoadAndActivateLayout(const String& name);
// The layout keys type in: the last one activated, or the system's before any.
String ActiveLayoutName();
bool LayoutTranslationActive();

// The code-page-1256 characters a key types in a layout the layer knows ("00000401",
// "00000409"): one character, two for the lam-alef keys, empty for a key the table leaves to the
// system (Enter, Tab, space, the keypad: the same in every layout).
String LayoutKeyChars(const String& layoutName, UINT vk, bool shift, bool capsLock);

struct TKeyModifiers {
    bool shift = false, ctrl = false, alt = false, capsLock = false;
};
TKeyModifiers CurrentKeyModifiers();   // the key state of the message being handled

// The WM_CHAR messages the active translation makes of a WM_KEYDOWN (to its window, with its
// lParam). False when the layer leaves the message to TranslateMessage: translation off, not a
// WM_KEYDOWN, Ctrl or Alt held, or a key without a table entry.
bool LayoutCharMessages(const MSG& msg, const TKeyModifiers& modifiers, std::vector<MSG>& chars);

// The message loops call this for every message in place of TranslateMessage: the layer's
// WM_CHARs are posted when it translates the key, otherwise the system translates it.
void TranslateKeyMessage(const MSG& msg);
