#include "platform/web/CharacterPictures.h"
#include <windows.h>
#include <algorithm>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"

namespace web {

namespace {

std::uint32_t Premultiplied(std::uint32_t bgra) {
    const std::uint32_t a = bgra >> 24;
    auto channel = [&](int shift) { return (((bgra >> shift) & 0xFF) * a + 127) / 255 << shift; };
    return (a << 24) | channel(16) | channel(8) | channel(0);
}

}  // namespace

const std::vector<int>* TCharacterPictures::Animation(const String& name) const {
    auto found = FAnimations.find(UpperCase(name));
    return found == FAnimations.end() ? nullptr : &found->second;
}

bool TCharacterPictures::Load(const String& settingsFile) {
    FFrames.clear();
    FAnimations.clear();
    if (!FileExists(settingsFile)) return false;
    TIniFile ini(settingsFile);
    FWidth = ini.ReadInteger("Character", "Width", 0);
    FHeight = ini.ReadInteger("Character", "Height", 0);
    FFrameTime = std::max(20, ini.ReadInteger("Character", "FrameTime", 120));
    const String picture = ini.ReadString("Character", "Picture", "");
    if (FWidth <= 0 || FHeight <= 0 || FWidth > 1024 || FHeight > 1024 || picture.empty() ||
        !CutFrames(ExtractFilePath(settingsFile) + picture) || !ReadAnimations(settingsFile) || !Animation("Idle") ||
        !Animation("Speak")) {
        FFrames.clear();
        FAnimations.clear();
        return false;
    }
    return true;
}

bool TCharacterPictures::CutFrames(const String& pictureFile) {
    TGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, ToWide(pictureFile).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return false;
    DIBSECTION dib{};
    if (GetObjectW(bitmap.Get(), sizeof(dib), &dib) != sizeof(dib)) return false;
    const int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight;
    if (width < FWidth || height < FHeight) return false;
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    bool alpha = false;
    if (dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits) {
        const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(bits + std::size_t(bottomUp ? height - 1 - y : y) *
                                                                                   dib.dsBm.bmWidthBytes);
            std::copy(row, row + width, pixels.begin() + std::size_t(y) * width);
        }
        for (std::uint32_t p : pixels) alpha = alpha || (p >> 24) != 0;
    } else {
        BITMAPINFO info = TopDownBitmapInfo(width, height);
        TWindowDCBorrow screen(nullptr);
        const int rows = GetDIBits(screen.Get(), bitmap.Get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
        if (rows != height) return false;
    }
    // a picture without alpha is opaque all over
    for (std::uint32_t& p : pixels) p = alpha ? Premultiplied(p) : (p | 0xFF000000u);
    for (int left = 0; left + FWidth <= width; left += FWidth) {
        std::vector<std::uint32_t> frame(std::size_t(FWidth) * FHeight);
        for (int y = 0; y < FHeight; ++y)
            std::copy_n(pixels.begin() + std::size_t(y) * width + left, FWidth, frame.begin() + std::size_t(y) * FWidth);
        FFrames.push_back(std::move(frame));
    }
    return true;
}

bool TCharacterPictures::ReadAnimations(const String& settingsFile) {
    TStringList lines;
    TIniFile(settingsFile).ReadSectionValues("Animations", lines);
    for (int i = 0; i < lines.Count(); ++i) {
        const String line = lines.Strings(i);
        const std::size_t equals = line.find('=');
        if (equals == String::npos) return false;
        const String name = UpperCase(Trim(line.substr(0, equals)));
        const String value = line.substr(equals + 1);
        std::vector<int> frames;
        std::size_t start = 0;
        while (start <= value.size()) {
            std::size_t end = value.find(',', start);
            if (end == String::npos) end = value.size();
            String item = Trim(value.substr(start, end - start));
            start = end + 1;
            int frame = 0, times = 1;
            std::size_t colon = item.find(':');
            if (!TryStrToInt(Trim(item.substr(0, colon)), frame) ||
                (colon != String::npos && !TryStrToInt(Trim(item.substr(colon + 1)), times)))
                return false;
            if (frame < 0 || frame >= FrameCount() || times < 1 || times > 1000) return false;
            frames.insert(frames.end(), times, frame);
        }
        if (name.empty()) return false;
        FAnimations[name] = std::move(frames);
    }
    return true;
}

}  // namespace web
