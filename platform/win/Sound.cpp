#include "platform/win/Sound.h"
#include <windows.h>
#include <mmsystem.h>
#include <cstdint>
#include <fstream>
#include "platform/rtl/Os.h"

bool PlaySoundFile(const String& path) {
    // An empty name would stop the sound instead of playing one.
    if (path.empty() || !os::FileExists(path)) return false;
    return sndPlaySoundW(ToWide(path).c_str(), SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopSound() { sndPlaySoundW(nullptr, 0); }

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
