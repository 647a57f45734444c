#pragma once
// The keys of the lesson form's on-screen keyboard: which key of the key list, and which Shift,
// the next characters of a text are typed with, and which clip of the keyboard movie draws each
// key. The form's part of the keyboard (the movie, the key buttons, key down and up) is in
// ClassKeyboard.cpp.
#include <windows.h>
#include <map>
#include <vector>
#include "platform/rtl/Classes.h"
#include "platform/rtl/String.h"

// What to mark for the next characters: the key of key list line Tag - 1 (0: none), and the
// clip of the Shift to hold with it (empty: none).
struct TKeyMark {
    int Tag = 0;
    String ShiftClip;
    bool operator==(const TKeyMark&) const = default;
};

class TKeyMap {
public:
    // The key list (line i is the key of Tag i + 1) and the layout the text is typed on.
    void Load(const TStrings& keyList, const String& layoutName);

    // The key that types the first of the upcoming characters; a key that types the first two at
    // once (lam-alef) is one stroke. Shifted characters take the Shift of the other hand.
    TKeyMark MarkFor(const String& upcoming) const;
    // The keyboard movie's clip of the key of a tag (its virtual-key code in decimal); empty when
    // the line names no key of the layout.
    String ClipOfTag(int tag) const;
    // The clip of a key event's virtual key; Shift by the side held down.
    static String ClipOfKey(WORD key, bool rightShift);

    static constexpr const char* LeftShiftClip = "16";
    static constexpr const char* RightShiftClip = "161";

private:
    struct TStroke {
        UINT Vk = 0;
        bool Shift = false;
        int Tag = 0;
    };
    TKeyMark MarkOf(const TStroke& stroke) const;

    TStringList FLines;
    std::map<String, TStroke> FStrokes;   // what a key types -> the key
    std::vector<String> FClips;           // by tag; [0] unused
};
