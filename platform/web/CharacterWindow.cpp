#include "platform/web/CharacterWindow.h"
#include <algorithm>
#include <cmath>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/MediaPlayer.h"
#include "platform/win/Sound.h"

namespace web {

namespace {

const wchar_t* const ClassName = L"TapwiseCharacter";
constexpr int MoveSpeed = 700;   // pixels a second
constexpr std::uint32_t ShortestMove = 150, LongestMove = 1200;
// The balloon stays a little after its sound, and long enough to be read without one.
constexpr std::uint32_t AfterWords = 700, ReadingBase = 1500, ReadingPerCharacter = 55, TalkPerCharacter = 60;
constexpr std::uint32_t KeepInFrontEvery = 250;

void RegisterCharacterClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = ClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

RECT WorkAreaAt(POINT p) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// src over dst, both premultiplied
std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t keep = 255 - (src >> 24);
    if (keep == 255) return dst;
    if (keep == 0) return src;
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t c = ((src >> shift) & 0xFF) + (((dst >> shift) & 0xFF) * keep + 127) / 255;
        out |= std::min<std::uint32_t>(c, 255) << shift;
    }
    return out;
}

}  // namespace

TCharacterWindow::TCharacterWindow() = default;

TCharacterWindow::~TCharacterWindow() {
    StopSpeaking();
    if (FWindow) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

void TCharacterWindow::SetCharacterFile(const String& fileName) {
    if (fileName == FCharacterFile) return;
    FCharacterFile = fileName;
    FPicturesRead = false;
}

LRESULT CALLBACK TCharacterWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TCharacterWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        if (self && wParam == TimerId) {
            // nothing crosses the window procedure: a character that fails goes away
            try {
                self->Timer();
            } catch (...) {
                self->Stop();
            }
            return 0;
        }
        break;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TCharacterWindow::MakeWindow() {
    if (FWindow) return;
    RegisterCharacterClass();
    FWindow = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                              ClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!FWindow) return;
    SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
}

void TCharacterWindow::Request(const TCharacterRequest& request) {
    MakeWindow();
    FQueue.push_back(request);
    UpdateTimer();
}

void TCharacterWindow::Stop() {
    FQueue.clear();
    FCurrent.reset();
    StopSpeaking();
    HideWindow();
    UpdateTimer();
}

void TCharacterWindow::UpdateTimer() {
    const bool wanted = FWindow && (FCurrent || !FQueue.empty() || FVisible);
    if (wanted == FTimerOn) return;
    FTimerOn = wanted;
    if (wanted) SetTimer(FWindow, TimerId, TimerInterval, nullptr);
    else KillTimer(FWindow, TimerId);
}

void TCharacterWindow::Timer() {
    const std::uint32_t now = rtl::GetTickCount();
    Advance(now);
    Render(now);
    KeepInFront(now);
    UpdateTimer();
}

// Without a window manager (Wine on a bare X display) a window raised after the character can
// end up over it on the screen although the system still counts the character first among the
// topmost windows; only a real change of its place restacks it there.
void TCharacterWindow::KeepInFront(std::uint32_t now) {
    if (!FVisible || !FWindow || now - FPlacedInFront < KeepInFrontEvery) return;
    FPlacedInFront = now;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SetWindowPos(FWindow, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(FWindow, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void TCharacterWindow::Advance(std::uint32_t now) {
    // a request that ended before now hands its end to the next, so that a late timer loses no time
    std::optional<std::uint32_t> carried;
    for (;;) {
        if (!FCurrent) {
            if (FQueue.empty()) return;
            FCurrent = FQueue.front();
            FQueue.pop_front();
            FStart = carried.value_or(now);
            FDuration = Begin(*FCurrent, FStart);
        }
        const std::uint32_t elapsed = now - FStart;
        if (elapsed < FDuration) {
            Progress(elapsed);
            return;
        }
        Finish();
        carried = FStart + FDuration;
        FCurrent.reset();
    }
}

std::uint32_t TCharacterWindow::Begin(const TCharacterRequest& request, std::uint32_t now) {
    switch (request.call) {
    case TCharacterCall::Show:
        if (FVisible || !LoadPictures()) return 0;
        FVisible = true;
        FAlpha = 0;
        SetAnimation("Idle", true, now);
        return FadeTime;
    case TCharacterCall::Hide:
        return FVisible ? FadeTime : 0;
    case TCharacterCall::MoveTo: {
        const POINT target = Clamped({request.x, request.y});
        if (!FVisible) {
            FPosition = target;
            return 0;
        }
        FMoveFrom = FPosition;
        FMoveTo = target;
        const double distance = std::hypot(double(target.x - FPosition.x), double(target.y - FPosition.y));
        if (distance < 1) return 0;
        return std::clamp(std::uint32_t(distance * 1000 / MoveSpeed), ShortestMove, LongestMove);
    }
    case TCharacterCall::Play: {
        if (!LoadPictures()) return 0;
        const String name = FromWide(request.text);
        const std::vector<int>* frames = FPictures.Animation(name);
        if (!frames) return 0;
        ShowAtOnce();
        SetAnimation(name, false, now);
        return std::uint32_t(frames->size()) * FPictures.FrameTime();
    }
    case TCharacterCall::Speak: {
        if (!LoadPictures()) return 0;
        ShowAtOnce();
        FBalloon.SetWords(request.text, FRightToLeft);
        FSpeaking = true;
        ++FWordsSaid;
        StartSound(FromWide(request.sound));
        const std::uint32_t sound = FSound.empty() ? 0 : std::uint32_t(WaveFileLength(FSound));
        const std::uint32_t characters = std::uint32_t(request.text.size());
        FTalkTime = sound ? sound : characters * TalkPerCharacter;
        SetAnimation("Speak", true, now);
        return std::max(sound + AfterWords, ReadingBase + characters * ReadingPerCharacter);
    }
    }
    return 0;
}

void TCharacterWindow::Progress(std::uint32_t elapsed) {
    switch (FCurrent->call) {
    case TCharacterCall::Show: FAlpha = int(255 * elapsed / FadeTime); break;
    case TCharacterCall::Hide: FAlpha = 255 - int(255 * elapsed / FadeTime); break;
    case TCharacterCall::MoveTo:
        FPosition.x = FMoveFrom.x + int(std::lround(double(FMoveTo.x - FMoveFrom.x) * elapsed / FDuration));
        FPosition.y = FMoveFrom.y + int(std::lround(double(FMoveTo.y - FMoveFrom.y) * elapsed / FDuration));
        break;
    case TCharacterCall::Speak:
        if (elapsed >= FTalkTime && FAnimationName == "Speak") SetAnimation("Idle", true, FStart + FTalkTime);
        break;
    case TCharacterCall::Play: break;
    }
}

void TCharacterWindow::Finish() {
    switch (FCurrent->call) {
    case TCharacterCall::Show: FAlpha = 255; break;
    case TCharacterCall::Hide: HideWindow(); break;
    case TCharacterCall::MoveTo:
        if (FVisible) FPosition = FMoveTo;
        break;
    case TCharacterCall::Speak:
        StopSpeaking();
        SetAnimation("Idle", true, FStart + FDuration);
        break;
    case TCharacterCall::Play: SetAnimation("Idle", true, FStart + FDuration); break;
    }
}

void TCharacterWindow::ShowAtOnce() {
    if (FVisible) return;
    FVisible = true;
    FAlpha = 255;
    SetAnimation("Idle", true, rtl::GetTickCount());
}

void TCharacterWindow::HideWindow() {
    FVisible = false;
    FAlpha = 0;
    FShown = {};
    if (FWindow) ShowWindow(FWindow, SW_HIDE);
}

bool TCharacterWindow::LoadPictures() {
    if (!FPicturesRead) {
        FPicturesRead = true;
        FPictures.Load(FCharacterFile);
    }
    return FPictures.Loaded();
}

void TCharacterWindow::SetAnimation(const String& name, bool loop, std::uint32_t now) {
    FAnimationName = name;
    FAnimation = FPictures.Animation(name);
    FLoop = loop;
    FAnimationStart = now;
}

int TCharacterWindow::CurrentFrame(std::uint32_t now) const {
    if (!FAnimation || FAnimation->empty()) return 0;
    std::size_t index = (now - FAnimationStart) / std::uint32_t(FPictures.FrameTime());
    index = FLoop ? index % FAnimation->size() : std::min(index, FAnimation->size() - 1);
    return (*FAnimation)[index];
}

// A character asked to stand beyond the screen stands at its edge, where the learner sees it.
POINT TCharacterWindow::Clamped(POINT p) {
    LoadPictures();
    const RECT work = WorkAreaAt(p);
    const SIZE size = Size();
    return {std::clamp<LONG>(p.x, work.left, std::max(work.left, work.right - size.cx)),
            std::clamp<LONG>(p.y, work.top, std::max(work.top, work.bottom - size.cy))};
}

void TCharacterWindow::StartSound(const String& file) {
    FSound.clear();
    if (file.empty() || !FileExists(file)) return;
    FSound = file;
    // the words go through their own device, so that the screens' sound effects do not cut them off
    try {
        if (!FPlayer) FPlayer = std::make_unique<TMediaPlayer>(nullptr);
        FPlayer->FileName = file;
        FPlayer->DeviceType = dtWaveAudio;
        FPlayer->Open();
        FPlayer->SetNotify(false);
        FPlayer->Play();
    } catch (const EMCIDeviceError&) {
        // no sound device: the balloon says the words all the same
    }
}

void TCharacterWindow::StopSpeaking() {
    FSpeaking = false;
    FSound.clear();
    if (FPlayer && FPlayer->Opened()) {
        try {
            FPlayer->Close();
        } catch (const EMCIDeviceError&) {
        }
    }
}

void TCharacterWindow::Render(std::uint32_t now) {
    if (!FVisible || !FWindow || !FPictures.Loaded()) return;
    const TShown shown{CurrentFrame(now), FAlpha, FPosition.x, FPosition.y, FSpeaking, FWordsSaid};
    if (shown == FShown) return;
    FShown = shown;

    const SIZE size = Size();
    RECT character{FPosition.x, FPosition.y, FPosition.x + size.cx, FPosition.y + size.cy};
    RECT bounds = character;
    POINT box{0, 0}, tip{0, 0};
    if (FSpeaking) {
        // above the character's head where there is room, else below its feet
        const SIZE balloon = FBalloon.Size();
        const RECT work = WorkAreaAt({FPosition.x + size.cx / 2, FPosition.y + size.cy / 2});
        tip = {FPosition.x + size.cx / 2, FPosition.y + 6};
        box.x = std::clamp<LONG>(tip.x - balloon.cx / 2, work.left + 2, std::max(work.left + 2, work.right - 2 - balloon.cx));
        box.y = tip.y - TCharacterBalloon::TailLength - balloon.cy;
        if (box.y < work.top) {
            tip.y = FPosition.y + size.cy - 6;
            box.y = tip.y + TCharacterBalloon::TailLength;
        }
        const RECT around{box.x, box.y, box.x + balloon.cx, box.y + balloon.cy};
        UnionRect(&bounds, &character, &around);
    }
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height, 0);
    if (FSpeaking)
        FBalloon.Draw(pixels, width, height, {box.x - bounds.left, box.y - bounds.top},
                      {tip.x - bounds.left, tip.y - bounds.top});
    const std::vector<std::uint32_t>& frame = FPictures.Frame(shown.frame);
    const int ox = character.left - bounds.left, oy = character.top - bounds.top;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            std::uint32_t& dst = pixels[std::size_t(oy + y) * width + ox + x];
            dst = Over(frame[std::size_t(y) * size.cx + x], dst);
        }

    BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* bits = nullptr;
    TWindowDCBorrow screen(nullptr);
    TMemoryDC dc(screen.Get());
    TGdiObject<HBITMAP> surface(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!surface) return;
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    TScopedSelect select(dc.Get(), surface.Get());
    POINT origin{bounds.left, bounds.top}, source{0, 0};
    SIZE extent{width, height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(std::clamp(FAlpha, 0, 255)), AC_SRC_ALPHA};
    UpdateLayeredWindow(FWindow, screen.Get(), &origin, &extent, dc.Get(), &source, 0, &blend, ULW_ALPHA);
    if (!IsWindowVisible(FWindow)) {
        SetWindowPos(FWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ShowWindow(FWindow, SW_SHOWNOACTIVATE);
    }
}

}  // namespace web
