#include "platform/win/Sound.h"
#include <windows.h>
#include <mmsystem.h>
#include "platform/rtl/Os.h"

namespace {
TSoundFilePlayer SoundFilePlayer;
}

void SetSoundFilePlayer(TSoundFilePlayer player) { SoundFilePlayer = std::move(player); }

bool PlaySoundFile(const String& path) {
    if (SoundFilePlayer) return SoundFilePlayer(path);
    // An empty name would stop the sound instead of playing one.
    if (path.empty() || !os::FileExists(path)) return false;
    return sndPlaySoundW(ToWide(path).c_str(), SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopSound() { sndPlaySoundW(nullptr, 0); }

void DefaultBeep() { MessageBeep(0); }
