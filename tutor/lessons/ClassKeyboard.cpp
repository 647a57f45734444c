// The lesson form's on-screen keyboard: the keyboard movie of the typing language below the page
// view, the key list, and the key buttons under the movies. The movie's key clips show what the
// learner sees: a key held down (frame 1) and the key to press next with its Shift (frame 2); the
// key button that is Down holds which key is marked.
#include "tutor/lessons/ClassKeyboard.h"
#include <algorithm>
#include "platform/rtl/SysUtils.h"
#include "platform/win/KeyboardLayout.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/ScreenParts.h"

namespace {

// The keys of the left hand; a character shifted on one of them takes the right Shift.
bool LeftHandKey(UINT vk) {
    static const String keys = "12345QWERTASDFGZXCVB";
    return vk == VK_OEM_3 || vk == VK_OEM_102 || (vk < 128 && keys.find(static_cast<char>(vk)) != String::npos);
}

// Lines of the key list that name a key instead of typing a character.
const std::map<String, String>& NamedKeyClips() {
    static const std::map<String, String> clips = {
        {" ", "32"},        {"Tab", "9"},          {"CapsLock", "20"}, {"LeftShift", TKeyMap::LeftShiftClip},
        {"RightShift", TKeyMap::RightShiftClip},   {"Enter", "13"},    {"Backspace", "8"},
        {"Ctrl", "17"},     {"Alt", "18"},
    };
    return clips;
}

// The union of what a clip draws when up, in stage pixels.
bool ClipBounds(const MovieFile& file, const WideString& name, MovieRect& bounds) {
    const int index = file.ClipNamed(name);
    if (index < 0) return false;
    const MovieFrame* frame = file.clips[static_cast<std::size_t>(index)].Frame(0);
    if (!frame) return false;
    int left = 0, top = 0, right = 0, bottom = 0;
    bool any = false;
    for (const MovieItem& item : frame->items) {
        const MovieShape* shape = std::get_if<MovieShape>(&item);
        if (!shape) continue;
        const MovieRect& b = shape->box;
        left = any ? std::min(left, b.x) : b.x;
        top = any ? std::min(top, b.y) : b.y;
        right = any ? std::max(right, b.x + b.width) : b.x + b.width;
        bottom = any ? std::max(bottom, b.y + b.height) : b.y + b.height;
        any = true;
    }
    bounds = MovieRect{left, top, right - left, bottom - top};
    return any;
}

}  // namespace

void TKeyMap::Load(const TStrings& keyList, const String& layoutName) {
    FLines.Assign(keyList);
    FStrokes.clear();
    // unshifted keys first, so that a character on two keys is taken from the plain one
    for (bool shift : {false, true})
        for (UINT vk = 1; vk < 256; ++vk) {
            const String typed = LayoutKeyChars(layoutName, vk, shift, false);
            if (typed.empty() || FStrokes.count(typed)) continue;
            const int line = FLines.IndexOf(LayoutKeyChars(layoutName, vk, false, false));
            FStrokes[typed] = TStroke{vk, shift, line + 1};
        }
    FClips.assign(static_cast<std::size_t>(FLines.Count()) + 1, String());
    for (int i = 0; i < FLines.Count(); ++i) {
        const String& line = FLines[i];
        if (auto named = NamedKeyClips().find(line); named != NamedKeyClips().end()) FClips[i + 1] = named->second;
        else if (auto stroke = FStrokes.find(line); stroke != FStrokes.end())
            FClips[i + 1] = IntToStr(static_cast<int>(stroke->second.Vk));
    }
}

TKeyMark TKeyMap::MarkOf(const TStroke& stroke) const {
    TKeyMark mark;
    mark.Tag = stroke.Tag;
    if (stroke.Shift) mark.ShiftClip = LeftHandKey(stroke.Vk) ? RightShiftClip : LeftShiftClip;
    return mark;
}

TKeyMark TKeyMap::MarkFor(const String& upcoming) const {
    if (upcoming.empty()) return {};
    if (upcoming.size() >= 2)
        if (auto both = FStrokes.find(upcoming.substr(0, 2)); both != FStrokes.end()) return MarkOf(both->second);
    const String first = upcoming.substr(0, 1);
    if (auto stroke = FStrokes.find(first); stroke != FStrokes.end()) return MarkOf(stroke->second);
    // a key the layout leaves to the system (the space bar), found in the list as it stands
    return TKeyMark{FLines.IndexOf(first) + 1, String()};
}

String TKeyMap::ClipOfTag(int tag) const {
    return tag > 0 && tag < static_cast<int>(FClips.size()) ? FClips[static_cast<std::size_t>(tag)] : String();
}

String TKeyMap::ClipOfKey(WORD key, bool rightShift) {
    if (key == VK_SHIFT) return rightShift ? RightShiftClip : LeftShiftClip;
    if (key == VK_LSHIFT) return LeftShiftClip;
    return IntToStr(key & 0xFF);
}

// The keyboard's room below the page view's; the movie is made before the lesson movie, so that
// it lies above it, while the key buttons stay under both as the command targets do.
void TClassForm::BuildKeyboard() {
    KeyBoardFlash = new TShockwaveFlash(this);
    KeyBoardFlash->SetName("KeyBoardFlash");
    KeyBoardFlash->SetParent(this);
    KeyBoardFlash->OnEnter = [this](TObject* s) { FocusTypingSurface(s); };

    ListBox1 = new TListBox(this);
    ListBox1->SetName("ListBox1");
    ListBox1->SetParent(this);
    ListBox1->SetVisible(false);

    for (int i = 0; i < KeyButtonCount; ++i) {
        const int tag = i + 1 < KeyButtonCount ? i + 1 : 0;   // the last one, b58, marks no key
        auto* button = new TCommandTarget(this);
        button->SetName(i == 0 ? String("B1") : "b" + IntToStr(tag == 0 ? 58 : tag));
        button->SetParent(this);
        button->Tag = tag;
        button->SetGroupIndex(1);
        button->SetAllowAllUp(true);
        button->SetNumGlyphs(2);
        button->SetBounds(0, 0, 0, 0);
        KeyButtons[static_cast<std::size_t>(i)] = button;
    }

    KeyUpTimer = new TTimer(this);
    KeyUpTimer->SetName("KeyUpTimer");
    KeyUpTimer->SetEnabled(false);
    KeyUpTimer->SetInterval(KeyFlashMs);
    KeyUpTimer->OnTimer = [this](TObject* s) { KeyUpTimerTimer(s); };
}

String TClassForm::KeyBoardMovieFile() const {
    return AppDir + (TypingLanguage == "A" ? "\\Data\\interface\\KeyBoard.swf" : "\\Data\\interface\\KeyBoardE.swf");
}

String TClassForm::KeyListFile() const { return AppDir + "\\data\\" + TypingLanguage + "keys.txt"; }

// At each lesson load: the keyboard of the typing language and its key list, and the layout the
// practices are typed on. A missing movie or key list is told and the lesson goes on without it.
void TClassForm::SetUpKeyboard() {
    ClearKeyMarks();
    const String movie = KeyBoardMovieFile();
    KeyBoardFlash->SetMovie(ToWide(movie));
    const bool english = InterfaceLanguage != "A";
    const String missing = english ? String("File Does not Exist ") : "الملف غير موجود "_a;
    if (!FileExists(movie)) ShowMessageText(missing + movie);
    LoadKeyList(missing);
    LoadAndActivateLayout(TypingLanguage == "A" ? ArabicLayoutName : EnglishLayoutName);
    for (TShockwaveFlash* flash : {ShockwaveFlash, KeyBoardFlash}) {
        flash->DoObjectVerb(-1);
        flash->SetScaleMode(2);
    }
    PlaceKeyButtons();
}

void TClassForm::LoadKeyList(const String& missing) {
    const String file = KeyListFile();
    ListBox1->Items()->Clear();
    if (!FileExists(file)) {
        ShowMessageText(missing + file);
    } else {
        try {
            ListBox1->Items()->LoadFromFile(file);
        } catch (const std::exception& e) {
            ListBox1->Items()->Clear();
            ShowMessageText(file + ": " + e.what());
        }
    }
    FKeyMap.Load(*ListBox1->Items(), TypingLanguage == "A" ? ArabicLayoutName : EnglishLayoutName);
}

// Each key button over the key it stands for, as the movie draws it.
void TClassForm::PlaceKeyButtons() {
    const MovieFile& file = KeyBoardFlash->Player().File();
    const StageMapping m = StageMapping::For(file.width, file.height, KeyBoardFlash->Width(), KeyBoardFlash->Height(), 2);
    for (TSimpleGButton* button : KeyButtons) {
        MovieRect key;
        if (!ClipBounds(file, ToWide(FKeyMap.ClipOfTag(static_cast<int>(button->Tag))), key)) {
            button->SetBounds(KeyBoardFlash->Left(), KeyBoardFlash->Top(), 0, 0);
            continue;
        }
        const int left = m.ToWindowX(key.x), top = m.ToWindowY(key.y);
        button->SetBounds(KeyBoardFlash->Left() + left, KeyBoardFlash->Top() + top, m.ToWindowX(key.x + key.width) - left,
                          m.ToWindowY(key.y + key.height) - top);
    }
}

bool TClassForm::KeyMarked(const String& clip) const {
    if (clip.empty()) return false;
    if (clip == FShiftMark) return true;
    return FMarkedKey && FMarkedKey->Down() && FKeyMap.ClipOfTag(static_cast<int>(FMarkedKey->Tag)) == clip;
}

void TClassForm::ShowKey(const String& clip) {
    if (clip.empty()) return;
    KeyBoardFlash->GotoNamedFrame(ToWide(clip), FHeldKeys.count(clip) ? 1 : KeyMarked(clip) ? 2 : 0);
}

void TClassForm::MarkNextKey() {
    const TKeyMark mark = ActiveRichView && !ActiveRichView->ReadOnly()
                              ? FKeyMap.MarkFor(ActiveRichView->UpcomingChars(2)) : TKeyMark{};
    TSimpleGButton* before = FMarkedKey;
    const String shiftBefore = FShiftMark;
    FMarkedKey = nullptr;
    if (mark.Tag != 0)
        for (TSimpleGButton* button : KeyButtons)
            if (button->Tag == mark.Tag) FMarkedKey = button;
    // the group lets the key marked before go up; a character without a button marks nothing
    if (FMarkedKey) FMarkedKey->SetDown(true);
    else if (before) before->SetDown(false);
    FShiftMark = mark.ShiftClip;
    if (before && before != FMarkedKey) ShowKey(FKeyMap.ClipOfTag(static_cast<int>(before->Tag)));
    if (FMarkedKey) ShowKey(FKeyMap.ClipOfTag(static_cast<int>(FMarkedKey->Tag)));
    if (shiftBefore != FShiftMark) ShowKey(shiftBefore);
    ShowKey(FShiftMark);
}

void TClassForm::ClearKeyMarks() {
    TSimpleGButton* before = FMarkedKey;
    const String shiftBefore = FShiftMark;
    FMarkedKey = nullptr;
    FShiftMark.clear();
    if (before) {
        before->SetDown(false);
        ShowKey(FKeyMap.ClipOfTag(static_cast<int>(before->Tag)));
    }
    ShowKey(shiftBefore);
}

void TClassForm::RichView1KeyDown(TObject*, WORD& key, TShiftState) {
    const String clip = TKeyMap::ClipOfKey(key, GetKeyState(VK_RSHIFT) < 0);
    // held again before its release came due: it stays down
    std::erase_if(FKeyReleases, [&](const auto& r) { return r.first == clip; });
    FHeldKeys.insert(clip);
    ShowKey(clip);
}

// A released key shows down a moment longer, from a timer, so typing goes on meanwhile.
void TClassForm::RichView1KeyUp(TObject*, WORD& key, TShiftState) {
    std::vector<String> clips;
    if (key == VK_SHIFT) {   // the Shift that was down and is no longer held
        if (FHeldKeys.count(TKeyMap::LeftShiftClip) && GetKeyState(VK_LSHIFT) >= 0) clips.push_back(TKeyMap::LeftShiftClip);
        if (FHeldKeys.count(TKeyMap::RightShiftClip) && GetKeyState(VK_RSHIFT) >= 0) clips.push_back(TKeyMap::RightShiftClip);
    }
    if (clips.empty()) clips.push_back(TKeyMap::ClipOfKey(key, false));
    for (const String& clip : clips) {
        FHeldKeys.insert(clip);   // a key up shows its key down too
        ShowKey(clip);
        std::erase_if(FKeyReleases, [&](const auto& r) { return r.first == clip; });
        if (Returning) ReleaseKey(clip);
        else FKeyReleases.emplace_back(clip, rtl::GetTickCount() + KeyFlashMs);
    }
    if (!FKeyReleases.empty() && !KeyUpTimer->Enabled()) {
        KeyUpTimer->SetInterval(KeyFlashMs);
        KeyUpTimer->SetEnabled(true);
    }
}

void TClassForm::KeyUpTimerTimer(TObject*) { ReleaseDueKeys(false); }

void TClassForm::ReleaseKey(const String& clip) {
    FHeldKeys.erase(clip);
    ShowKey(clip);
}

void TClassForm::ReleaseDueKeys(bool all) {
    const std::uint32_t now = rtl::GetTickCount();
    std::vector<String> due;
    std::erase_if(FKeyReleases, [&](const auto& r) {
        const bool release = all || static_cast<std::int32_t>(now - r.second) >= 0;
        if (release) due.push_back(r.first);
        return release;
    });
    for (const String& clip : due) ReleaseKey(clip);
    if (all) {
        const std::set<String> held = FHeldKeys;
        for (const String& clip : held) ReleaseKey(clip);
    }
    if (FKeyReleases.empty()) {
        KeyUpTimer->SetEnabled(false);
        return;
    }
    // the timer comes back when the next release is due
    std::uint32_t next = KeyFlashMs;
    for (const auto& r : FKeyReleases) next = std::min(next, r.second - now);
    KeyUpTimer->SetInterval(std::max<std::uint32_t>(next, 1));
}

// Leaving the form: every key up at once, nothing marked.
void TClassForm::ResetKeyboard() {
    ReleaseDueKeys(true);
    ClearKeyMarks();
}
