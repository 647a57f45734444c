#pragma once
// The assistant character on the screen: a window of its own, layered (only the character and
// its balloon are seen), topmost, never activated, without a task-bar entry and transparent to
// the mouse, so that it stands over the calling screen without taking its clicks or its focus.
// It carries out its requests one after the other: show, hide, move to a screen point, play an
// animation, say words in a balloon with their sound. Nothing is done on the spot: the requests
// run from the window's timer, so a screen that asks for them is painted first. Time is read
// from the platform's tick seam, so a test drives it and sends the timer message itself.
#include <windows.h>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include "platform/web/CharacterBalloon.h"
#include "platform/web/CharacterPictures.h"
#include "platform/web/CharacterScript.h"

class TMediaPlayer;

namespace web {

class TCharacterWindow {
public:
    static constexpr UINT_PTR TimerId = 1;
    static constexpr UINT TimerInterval = 40;
    static constexpr std::uint32_t FadeTime = 300;

    TCharacterWindow();
    ~TCharacterWindow();
    TCharacterWindow(const TCharacterWindow&) = delete;
    TCharacterWindow& operator=(const TCharacterWindow&) = delete;

    // The character's settings file (CharacterPictures.h), read when it is first shown. Without
    // usable pictures the character stays hidden and its requests do nothing.
    void SetCharacterFile(const String& fileName);
    // The balloon's reading order: right to left for Arabic.
    void SetRightToLeft(bool value) { FRightToLeft = value; }
    bool RightToLeft() const { return FRightToLeft; }

    // Queued behind the requests not yet done. A Speak names its sound file in full.
    void Request(const TCharacterRequest& request);
    // Drops every request, silences the words and hides the character at once.
    void Stop();

    // The window, made with the first request.
    HWND Handle() const { return FWindow; }
    bool Visible() const { return FVisible; }
    // The character's top left and size on the screen; the window holds the balloon as well.
    POINT Position() const { return FPosition; }
    SIZE Size() const { return {FPictures.Width(), FPictures.Height()}; }
    bool Speaking() const { return FSpeaking; }
    const TCharacterBalloon& Balloon() const { return FBalloon; }
    const String& Animation() const { return FAnimationName; }
    // The sound file of the words being said, empty while none is.
    const String& Sound() const { return FSound; }
    // Requests queued or being carried out.
    int Pending() const { return int(FQueue.size()) + (FCurrent ? 1 : 0); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeWindow();
    void Timer();
    void Advance(std::uint32_t now);
    std::uint32_t Begin(const TCharacterRequest& request, std::uint32_t now);
    void Progress(std::uint32_t elapsed);
    void Finish();
    void ShowAtOnce();
    void HideWindow();
    bool LoadPictures();
    void SetAnimation(const String& name, bool loop, std::uint32_t now);
    int CurrentFrame(std::uint32_t now) const;
    POINT Clamped(POINT p);
    void StartSound(const String& file);
    void StopSpeaking();
    void Render(std::uint32_t now);
    void UpdateTimer();
    void KeepInFront(std::uint32_t now);

    HWND FWindow = nullptr;
    String FCharacterFile;
    TCharacterPictures FPictures;
    bool FPicturesRead = false;
    bool FRightToLeft = false;

    std::deque<TCharacterRequest> FQueue;
    std::optional<TCharacterRequest> FCurrent;
    std::uint32_t FStart = 0;      // tick at which the current request began
    std::uint32_t FDuration = 0;   // how long it lasts
    bool FTimerOn = false;
    std::uint32_t FPlacedInFront = 0;

    bool FVisible = false;
    int FAlpha = 0;                // 0-255, the whole window's
    POINT FPosition{0, 0};
    POINT FMoveFrom{0, 0}, FMoveTo{0, 0};

    String FAnimationName;
    const std::vector<int>* FAnimation = nullptr;
    bool FLoop = true;
    std::uint32_t FAnimationStart = 0;

    bool FSpeaking = false;
    std::uint32_t FTalkTime = 0;   // how long the mouth moves while speaking
    TCharacterBalloon FBalloon;
    int FWordsSaid = 0;            // a new balloon is drawn for each Speak
    String FSound;
    std::unique_ptr<TMediaPlayer> FPlayer;

    struct TShown {
        int frame = -1, alpha = -1, x = 0, y = 0;
        bool speaking = false;
        int words = 0;
        bool operator==(const TShown&) const = default;
    };
    TShown FShown;
};

}  // namespace web
