#include "platform/graphics/Icon.h"
#include <cstring>
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/Errors.h"

TIcon::TIcon() = default;
TIcon::~TIcon() { FreeHandle(); }

void TIcon::FreeHandle() {
    if (FHandle) {
        DestroyIcon(FHandle);
        gdi::Counted(-1);
        FHandle = nullptr;
    }
}

void TIcon::SetHandle(HICON value) {
    if (value == FHandle) return;
    FreeHandle();
    FData.clear();
    FHandle = value;
    FWidth = FHeight = 0;
    if (value) {
        gdi::Counted(1);
        ICONINFO ii{};
        if (GetIconInfo(value, &ii)) {
            BITMAP bm{};
            GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
            FWidth = bm.bmWidth;
            FHeight = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        }
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON h = FHandle;
    if (h) gdi::Counted(-1);
    FHandle = nullptr;
    FWidth = FHeight = 0;
    FData.clear();
    Changed();
    return h;
}

void TIcon::Assign(TPersistent* source) {
    if (source == this) return;
    if (auto* i = dynamic_cast<TIcon*>(source)) {
        if (!i->FData.empty()) { LoadFromBytes(i->FData); return; }
        SetHandle(i->FHandle ? CopyIcon(i->FHandle) : nullptr);
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::LoadFromFile(const String& fileName) { LoadFromBytes(ReadGraphicFile(fileName)); }

void TIcon::LoadFromBytes(const std::vector<std::uint8_t>& bytes) {
    auto invalid = [] { return EInvalidGraphic("Icon image is not valid"); };
    auto word = [&](std::size_t at) { return static_cast<unsigned>(bytes[at] | (bytes[at + 1] << 8)); };
    auto dword = [&](std::size_t at) { return word(at) | (word(at + 2) << 16); };
    if (bytes.size() < 6 || word(0) != 0 || word(2) != 1) throw invalid();
    unsigned count = word(4);
    if (count == 0 || 6 + 16ull * count > bytes.size()) throw invalid();
    int want = GetSystemMetrics(SM_CXICON);
    int best = -1, bestSize = 0;
    for (unsigned i = 0; i < count; ++i) {
        std::size_t e = 6 + 16 * i;
        int w = bytes[e] ? bytes[e] : 256;
        unsigned size = dword(e + 8), offset = dword(e + 12);
        if (size == 0 || offset > bytes.size() || size > bytes.size() - offset) continue;
        bool better = best < 0 || (w == want && bestSize != want) || (bestSize != want && w > bestSize);
        if (better) { best = static_cast<int>(i); bestSize = w; }
    }
    if (best < 0) throw invalid();
    std::size_t e = 6 + 16 * static_cast<std::size_t>(best);
    int w = bytes[e] ? bytes[e] : 256, h = bytes[e + 1] ? bytes[e + 1] : 256;
    unsigned size = dword(e + 8), offset = dword(e + 12);
    std::vector<std::uint8_t> image(bytes.begin() + offset, bytes.begin() + offset + size);
    HICON icon = CreateIconFromResourceEx(image.data(), size, TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
    if (!icon) throw invalid();
    SetHandle(icon);
    FWidth = w;
    FHeight = h;
    FData = bytes;
}

void TIcon::SaveToFile(const String& fileName) {
    if (FData.empty()) throw EInvalidGraphicOperation("Cannot save an icon that was not loaded from a file");
    WriteGraphicFile(fileName, FData);
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
    DrawIconEx(canvas->Handle(), rect.Left, rect.Top, FHandle, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}
