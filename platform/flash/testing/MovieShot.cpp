// Renders one movie to a 24-bit BMP, for the screenshot script:
//   movieshot MOVIE OUT.bmp [WIDTH HEIGHT [SCALEMODE]] [--frame CLIP N]... [--hover X Y] [--press X Y]
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "platform/flash/MoviePlayer.h"
#include "platform/flash/MovieRenderer.h"
#include "platform/flash/testing/BmpFile.h"

namespace {

bool WriteBmp(const std::wstring& path, int w, int h, const void* bits) {
    std::string bytes = movie_testing::BmpFile(w, h, bits);
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: movieshot MOVIE OUT.bmp [WIDTH HEIGHT [SCALEMODE]] [--frame CLIP N]... "
                         L"[--hover X Y] [--press X Y]\n");
        return 2;
    }
    MoviePlayer player;
    std::wstring error;
    player.OnError = [&](const WideString& m) { error = m; };
    player.SetMovie(argv[1]);
    int w = player.File().width > 0 ? player.File().width : 792;
    int h = player.File().height > 0 ? player.File().height : 566;
    int scaleMode = 2;
    int i = 3;
    if (argc > 4 && argv[3][0] != L'-') {
        w = _wtoi(argv[3]);
        h = _wtoi(argv[4]);
        i = 5;
        if (argc > 5 && argv[5][0] != L'-') scaleMode = _wtoi(argv[i++]);
    }
    player.SetScaleMode(scaleMode);
    player.SetViewSize(w, h);
    for (; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--frame" && i + 2 < argc) {
            player.GotoFrame(argv[i + 1], _wtoi(argv[i + 2]));
            i += 2;
        } else if ((a == L"--hover" || a == L"--press") && i + 2 < argc) {
            int x = _wtoi(argv[i + 1]), y = _wtoi(argv[i + 2]);
            player.MouseMove(x, y);
            if (a == L"--press") player.MouseDown(x, y);
            i += 2;
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, dib);
    {
        MovieRenderer renderer;
        renderer.Paint(dc, player);
    }
    GdiFlush();
    bool ok = WriteBmp(argv[2], w, h, bits);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    if (!error.empty()) fwprintf(stderr, L"%ls\n", error.c_str());
    return ok ? (error.empty() ? 0 : 1) : 3;
}
