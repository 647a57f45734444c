#include "platform/graphics/JPEGImage.h"
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include "platform/rtl/Errors.h"
extern "C" {
#include <jpeglib.h>
}

namespace {

// libjpeg reports errors by calling error_exit; it jumps back here, since a C++ exception must not
// cross the library's C frames.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, err->Message);
    std::longjmp(err->Jump, 1);
}

void SilentMessage(j_common_ptr) {}

constexpr long long MaxPixels = 64LL * 1024 * 1024;

struct TDecoded {
    bool Ok = false;
    String Error;
    int Width = 0, Height = 0;
    bool Grayscale = false;
};

// Decodes into rows of blue, green, red bytes delivered to row(y).
template <class RowSink, class Start>
TDecoded Decode(const std::vector<std::uint8_t>& data, Start start, RowSink row) {
    TDecoded result;
    jpeg_decompress_struct info;
    TJpegError err;
    info.err = jpeg_std_error(&err.Manager);
    err.Manager.error_exit = ErrorExit;
    err.Manager.output_message = SilentMessage;
    // everything with a destructor lives outside the jump's reach
    std::vector<std::uint8_t> line;
    std::vector<std::uint8_t> bgr;
    if (setjmp(err.Jump)) {
        jpeg_destroy_decompress(&info);
        result.Ok = false;
        result.Error = err.Message;
        return result;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    result.Grayscale = info.jpeg_color_space == JCS_GRAYSCALE;
    bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (static_cast<long long>(info.image_width) * info.image_height > MaxPixels) {
        jpeg_destroy_decompress(&info);
        result.Error = "image too large";
        return result;
    }
    jpeg_start_decompress(&info);
    result.Width = static_cast<int>(info.output_width);
    result.Height = static_cast<int>(info.output_height);
    start(result.Width, result.Height);
    line.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
    bgr.resize(static_cast<std::size_t>(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        int y = static_cast<int>(info.output_scanline);
        JSAMPROW p = line.data();
        jpeg_read_scanlines(&info, &p, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted
            bool inverted = info.saw_Adobe_marker;
            for (unsigned x = 0; x < info.output_width; ++x) {
                int c = line[x * 4], m = line[x * 4 + 1], ye = line[x * 4 + 2], k = line[x * 4 + 3];
                if (!inverted) { c = 255 - c; m = 255 - m; ye = 255 - ye; k = 255 - k; }
                bgr[x * 3] = static_cast<std::uint8_t>(ye * k / 255);
                bgr[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
                bgr[x * 3 + 2] = static_cast<std::uint8_t>(c * k / 255);
            }
            row(y, bgr.data());
        } else {
            row(y, line.data());
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    result.Ok = true;
    return result;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Assign(TPersistent* source) {
    if (source == this) return;
    if (auto* j = dynamic_cast<TJPEGImage*>(source)) {
        FData = j->FData;
        FWidth = j->FWidth;
        FHeight = j->FHeight;
        FGrayscale = j->FGrayscale;
        FBitmap.reset();
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::LoadFromFile(const String& fileName) { LoadFromBytes(ReadGraphicFile(fileName)); }

void TJPEGImage::LoadFromBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) throw EInvalidGraphic("JPEG error: not a JPEG file");
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    TDecoded d = Decode(
        bytes, [&](int w, int h) { bitmap->SetSize(w, h); },
        [&](int y, const std::uint8_t* bgr) { std::memcpy(bitmap->ScanLine(y), bgr, static_cast<std::size_t>(bitmap->Width()) * 3); });
    if (!d.Ok) throw EInvalidGraphic("JPEG error: " + d.Error);
    FData = bytes;
    FWidth = d.Width;
    FHeight = d.Height;
    FGrayscale = d.Grayscale;
    FBitmap = std::move(bitmap);
    Changed();
}

void TJPEGImage::SaveToFile(const String& fileName) {
    if (FData.empty()) throw EInvalidGraphicOperation("Cannot save an empty JPEG image");
    WriteGraphicFile(fileName, FData);
}

TBitmap* TJPEGImage::Bitmap() {
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        if (!FData.empty()) {
            std::vector<std::uint8_t> data = FData;
            LoadFromBytes(data);
        }
    }
    return FBitmap.get();
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& rect) { canvas->StretchDraw(rect, Bitmap()); }
