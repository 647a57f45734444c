// Times our page renderer: read, parse, style, lay out and paint a page for the first time
// (fresh fonts and measures each round), and reports the median over the rounds.
//   pagebench PAGE [--lesson] [--width W] [--height H] [--rounds N] [--shot OUT.bmp]
// --lesson takes PAGE as a lesson file and times its largest page body, as the lesson form
// shows it. --shot writes the painted view as a 24-bit BMP.
#include <windows.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>
#include "platform/web/PageDocument.h"
#include "platform/web/PageMeasure.h"
#include "platform/web/PagePainter.h"
#include "platform/web/PageResources.h"

using namespace web;

namespace {

// The largest page body of a lesson file (header line, then "char,data,PicNo" lines).
std::string LargestLessonPage(const std::string& file) {
    std::string best;
    std::size_t start = file.find('\n');
    while (start != std::string::npos && start + 1 < file.size()) {
        std::size_t end = file.find('\n', start + 1);
        std::string line = file.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
        std::size_t first = line.find(',');
        std::size_t last = line.rfind(',');
        if (first != std::string::npos && last > first) {
            std::string data = line.substr(first + 1, last - first - 1);
            if (data.size() > best.size()) best = data;
        }
        start = end;
    }
    return "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1256\">"
           "<html><head><META HTTP-EQUIV=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2, Transition=23)\"></head>" + best;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: pagebench PAGE [--lesson] [--width W] [--height H] [--rounds N] [--shot OUT.bmp]\n");
        return 2;
    }
    WideString page = argv[1];
    bool lesson = false;
    int width = 700, height = 400, rounds = 30;
    std::wstring shot;
    for (int i = 2; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--lesson") lesson = true;
        else if (a == L"--width" && i + 1 < argc) width = _wtoi(argv[++i]);
        else if (a == L"--height" && i + 1 < argc) height = _wtoi(argv[++i]);
        else if (a == L"--rounds" && i + 1 < argc) rounds = std::max(1, _wtoi(argv[++i]));
        else if (a == L"--shot" && i + 1 < argc) shot = argv[++i];
    }
    std::optional<std::string> file = ReadUrl(page);
    if (!file) {
        fwprintf(stderr, L"cannot read %ls\n", page.c_str());
        return 1;
    }
    const std::string bytes = lesson ? LargestLessonPage(*file) : *file;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT client{0, 0, width, height};

    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        TPageMeasure measure;
        auto doc = std::make_shared<TPageDocument>();
        doc->ReadResource = [](const WideString& url) { return ReadUrl(url); };
        measure.ResolveSource = [&](const WideString& s) { return doc->Resolve(s); };
        measure.ReadResource = [](const WideString& url) { return ReadUrl(url); };
        doc->Load(bytes, lesson ? WideString() : page);
        doc->Relayout(width, measure);
        if (doc->Layout().Height() > height) doc->Relayout(width - GetSystemMetrics(SM_CXVSCROLL), measure);
        PaintPage(dc, client, doc->Layout(), measure, 0);
        GdiFlush();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    wprintf(L"%ls: %zu bytes, median %.2f ms, fastest %.2f ms, slowest %.2f ms over %d rounds\n", page.c_str(), bytes.size(),
            times[times.size() / 2], times.front(), times.back(), rounds);
    if (!shot.empty()) {
        BITMAPFILEHEADER fh{};
        const DWORD size = DWORD(((width * 3 + 3) & ~3) * height);
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + size;
        if (FILE* f = _wfopen(shot.c_str(), L"wb")) {
            fwrite(&fh, sizeof fh, 1, f);
            fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
            fwrite(bits, 1, size, f);
            fclose(f);
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
