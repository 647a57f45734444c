#include "platform/win/Sound.h"
#include <windows.h>
#include <mmsystem.h>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>
#include "platform/rtl/Os.h"

namespace {

// Starting a sound costs the system a few milliseconds (Wine starts a thread and opens the
// device for each one), too much for the key that asks for it. The requests go to one player
// thread instead; one that comes while another waits replaces it, as the newer sound would cut
// the older one off anyway.
class TPlayerThread {
public:
    static TPlayerThread& Instance() {
        static TPlayerThread* player = new TPlayerThread;   // lives until the process ends
        return *player;
    }
    void Play(std::wstring path) {
        std::lock_guard<std::mutex> lock(FMutex);
        FPending = std::move(path);
        FWake.notify_one();
    }
    // Returns once the sound is stopped, after every request made before.
    void Stop() {
        std::unique_lock<std::mutex> lock(FMutex);
        FPending = std::wstring();
        FWake.notify_one();
        FIdle.wait(lock, [this] { return !FPending && !FBusy; });
    }

private:
    TPlayerThread() { std::thread([this] { Run(); }).detach(); }
    void Run() {
        for (;;) {
            std::wstring path;
            {
                std::unique_lock<std::mutex> lock(FMutex);
                FWake.wait(lock, [this] { return FPending.has_value(); });
                path = std::move(*FPending);
                FPending.reset();
                FBusy = true;
            }
            // an empty name stops the sound that plays
            if (path.empty()) sndPlaySoundW(nullptr, 0);
            else sndPlaySoundW(path.c_str(), SND_ASYNC | SND_NODEFAULT);
            std::lock_guard<std::mutex> lock(FMutex);
            FBusy = false;
            FIdle.notify_all();
        }
    }

    std::mutex FMutex;
    std::condition_variable FWake;
    std::condition_variable FIdle;
    std::optional<std::wstring> FPending;
    bool FBusy = false;
};

TSoundFilePlayer SoundFilePlayer;

}  // namespace

void SetSoundFilePlayer(TSoundFilePlayer player) { SoundFilePlayer = std::move(player); }

bool PlaySoundFile(const String& path) {
    if (SoundFilePlayer) return SoundFilePlayer(path);
    // An empty name would stop the sound instead of playing one.
    if (path.empty() || !os::FileExists(path)) return false;
    TPlayerThread::Instance().Play(ToWide(path));
    return true;
}

void StopSound() { TPlayerThread::Instance().Stop(); }

void DefaultBeep() { MessageBeep(0); }

int WaveFileLength(const String& path) {
    std::ifstream f(ToWide(path).c_str(), std::ios::binary);
    char header[12];
    if (!f.read(header, 12) || std::string_view(header, 4) != "RIFF" || std::string_view(header + 8, 4) != "WAVE")
        return 0;
    std::uint32_t bytesPerSecond = 0;
    char chunk[8];
    while (f.read(chunk, 8)) {
        std::uint32_t size = std::uint8_t(chunk[4]) | std::uint8_t(chunk[5]) << 8 | std::uint8_t(chunk[6]) << 16 |
                             std::uint32_t(std::uint8_t(chunk[7])) << 24;
        if (std::string_view(chunk, 4) == "fmt " && size >= 16) {
            unsigned char fmt[16];
            if (!f.read(reinterpret_cast<char*>(fmt), 16)) return 0;
            bytesPerSecond = fmt[8] | fmt[9] << 8 | fmt[10] << 16 | std::uint32_t(fmt[11]) << 24;
            size -= 16;
        } else if (std::string_view(chunk, 4) == "data") {
            return bytesPerSecond ? int(std::uint64_t(size) * 1000 / bytesPerSecond) : 0;
        }
        f.seekg(size + (size & 1), std::ios::cur);
    }
    return 0;
}
