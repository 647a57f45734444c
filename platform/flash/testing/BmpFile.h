#pragma once
// A 24-bit BMP file's bytes from bottom-up rows (the screenshot tool, the tests' pictures).
#include <windows.h>
#include <string>

namespace movie_testing {

inline int BmpStride(int width) { return (width * 3 + 3) & ~3; }

inline std::string BmpFile(int width, int height, const void* rows) {
    std::size_t size = static_cast<std::size_t>(BmpStride(width)) * height;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(size);
    return std::string(reinterpret_cast<const char*>(&fh), sizeof fh) +
           std::string(reinterpret_cast<const char*>(&ih), sizeof ih) +
           std::string(static_cast<const char*>(rows), size);
}

}  // namespace movie_testing
