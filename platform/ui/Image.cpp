#include "platform/ui/Image.h"
#include "platform/rtl/SysUtils.h"

TImagePicture::TImagePicture() = default;
TImagePicture::~TImagePicture() = default;

void TImagePicture::Take(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TImagePicture::SetGraphic(TGraphic* value) {
    if (!value) { Take(nullptr); return; }
    auto* bitmap = dynamic_cast<TBitmap*>(value);
    if (!bitmap) throw EInvalidGraphic("Unsupported picture format");
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(bitmap);
    copy->SetTransparent(bitmap->Transparent());
    Take(std::move(copy));
}

TBitmap* TImagePicture::Bitmap() {
    auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
    if (!bitmap) {
        Take(std::make_unique<TBitmap>());
        bitmap = static_cast<TBitmap*>(FGraphic.get());
    }
    return bitmap;
}

void TImagePicture::LoadFromFile(const String& fileName) {
    String ext = LowerCase(ExtractFileExt(fileName));
    if (ext != ".bmp") throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(fileName);   // the old picture stays when the file is bad
    Take(std::move(bitmap));
}

void TImagePicture::SaveToFile(const String& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TImagePicture::Assign(TPersistent* source) {
    if (!source) { SetGraphic(nullptr); return; }
    if (auto* p = dynamic_cast<TImagePicture*>(source)) { SetGraphic(p->Graphic()); return; }
    if (auto* g = dynamic_cast<TGraphic*>(source)) { SetGraphic(g); return; }
    TPersistent::Assign(source);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TImagePicture>()) {
    FPicture->OnChange = [this](TObject* s) { PictureChanged(s); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetStretch(bool v) { if (v != FStretch) { FStretch = v; Invalidate(); } }
void TImage::SetCenter(bool v) { if (v != FCenter) { FCenter = v; Invalidate(); } }
void TImage::SetProportional(bool v) { if (v != FProportional) { FProportional = v; Invalidate(); } }
void TImage::SetAutoSize(bool v) { if (v != FAutoSize) { FAutoSize = v; PictureChanged(this); } }

void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged(this);
}

void TImage::PictureChanged(TObject*) {
    if (TGraphic* g = FPicture->Graphic()) {
        if (g->Transparent() != FTransparent) g->SetTransparent(FTransparent);   // fires the change again
        if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(FLeft, FTop, g->Width(), g->Height());
    }
    if (!FTransparent) ControlStyle |= csOpaque; else ControlStyle &= ~csOpaque;
    Invalidate();
}

TRect TImage::DestRect() {
    int w = FPicture->Width(), h = FPicture->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // the largest size of the picture's shape that fits
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) { w = static_cast<int>(static_cast<long long>(ch) * w / h); h = ch; }
            else { h = static_cast<int>(static_cast<long long>(cw) * h / w); w = cw; }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = FCenter ? (cw - w) / 2 : 0, y = FCenter ? (ch - h) / 2 : 0;
    return Bounds(x, y, w, h);
}

void TImage::Paint() {
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty()) return;
    Canvas()->StretchDraw(DestRect(), g);
}
