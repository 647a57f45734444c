#include "platform/graphics/Picture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Errors.h"

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

static std::unique_ptr<TGraphic> NewLike(TGraphic* g) {
    if (dynamic_cast<TBitmap*>(g)) return std::make_unique<TBitmap>();
    if (dynamic_cast<TJPEGImage*>(g)) return std::make_unique<TJPEGImage>();
    if (dynamic_cast<TIcon*>(g)) return std::make_unique<TIcon>();
    throw EInvalidGraphic("Unsupported graphic");
}

void TPicture::Assign(TPersistent* source) {
    if (!source) { Take(nullptr); return; }
    if (auto* p = dynamic_cast<TPicture*>(source)) { Assign(p->FGraphic.get()); return; }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        if (g == FGraphic.get()) return;
        auto copy = NewLike(g);
        copy->Assign(g);
        Take(std::move(copy));
        return;
    }
    TPersistent::Assign(source);
}

TBitmap* TPicture::Bitmap() {
    auto* b = dynamic_cast<TBitmap*>(FGraphic.get());
    if (!b) {
        Take(std::make_unique<TBitmap>());
        b = static_cast<TBitmap*>(FGraphic.get());
    }
    return b;
}

TIcon* TPicture::Icon() {
    auto* i = dynamic_cast<TIcon*>(FGraphic.get());
    if (!i) {
        Take(std::make_unique<TIcon>());
        i = static_cast<TIcon*>(FGraphic.get());
    }
    return i;
}

void TPicture::LoadFromFile(const String& fileName) {
    String ext = LowerCase(ExtractFileExt(fileName));
    std::unique_ptr<TGraphic> g;
    if (ext == ".bmp") g = std::make_unique<TBitmap>();
    else if (ext == ".jpg" || ext == ".jpeg") g = std::make_unique<TJPEGImage>();
    else if (ext == ".ico") g = std::make_unique<TIcon>();
    else throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
    g->LoadFromFile(fileName);
    Take(std::move(g));
}

void TPicture::LoadFromBytes(std::string_view bytes) {
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    std::unique_ptr<TGraphic> g;
    if (bytes.starts_with("BM")) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromBytes(data);
        g = std::move(bitmap);
    } else if (bytes.starts_with("\xFF\xD8")) {
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->LoadFromBytes(data);
        g = std::move(jpeg);
    } else if (bytes.starts_with(std::string_view("\0\0\1\0", 4))) {
        auto icon = std::make_unique<TIcon>();
        icon->LoadFromBytes(data);
        g = std::move(icon);
    } else {
        throw EInvalidGraphic("Unknown picture format");
    }
    Take(std::move(g));
}

void TPicture::SaveToFile(const String& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}
