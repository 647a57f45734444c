#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/graphics/Graphics.h"
#include "platform/testing/TestSupport.h"
#include "platform/rtl/Errors.h"

// Fixtures made with ImageMagick:
//   quadrants.jpg  16x16: red top-left, blue top-right, lime bottom half (quality 95, no subsampling)
//   gray.jpg       12x6 grey gradient, white at the top
//   icon.ico       a 32x32 image (blue left half, yellow right) and a 16x16 green one

namespace {

bool Near(TColor c, int r, int g, int b) {
    int cr = c & 0xFF, cg = (c >> 8) & 0xFF, cb = (c >> 16) & 0xFF;
    return std::abs(cr - r) < 40 && std::abs(cg - g) < 40 && std::abs(cb - b) < 40;
}

}  // namespace

TEST(JPEGImage, DecodesTheFixtureThroughLibjpeg) {
    TJPEGImage jpeg;
    jpeg.LoadFromFile("graphics/testdata/quadrants.jpg");
    EXPECT_EQ(jpeg.Width(), 16);
    EXPECT_EQ(jpeg.Height(), 16);
    EXPECT_FALSE(jpeg.Grayscale());
    TCanvas* c = jpeg.Bitmap()->Canvas();
    EXPECT_TRUE(Near(c->Pixels(3, 3), 255, 0, 0)) << std::hex << c->Pixels(3, 3);
    EXPECT_TRUE(Near(c->Pixels(12, 3), 0, 0, 255)) << std::hex << c->Pixels(12, 3);
    EXPECT_TRUE(Near(c->Pixels(3, 12), 0, 255, 0)) << std::hex << c->Pixels(3, 12);

    // drawn through a canvas, stretched to twice the size
    TBitmap target;
    target.SetSize(32, 32);
    target.Canvas()->StretchDraw(Rect(0, 0, 32, 32), &jpeg);
    EXPECT_TRUE(Near(target.Canvas()->Pixels(24, 6), 0, 0, 255));

    TJPEGImage gray;
    gray.LoadFromFile("graphics/testdata/gray.jpg");
    EXPECT_TRUE(gray.Grayscale());
    TColor top = gray.Bitmap()->Canvas()->Pixels(6, 0), bottom = gray.Bitmap()->Canvas()->Pixels(6, 5);
    EXPECT_GT(top & 0xFF, bottom & 0xFF);
    EXPECT_EQ(top & 0xFF, (top >> 8) & 0xFF);
}

TEST(JPEGImage, DamagedDataIsRefusedAndTheImageKept) {
    testing_support::TempFolder tmp;
    std::vector<std::uint8_t> good = ReadGraphicFile("graphics/testdata/quadrants.jpg");
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(good);
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + 40);
    EXPECT_THROW(jpeg.LoadFromBytes(cut), EInvalidGraphic);
    EXPECT_THROW(jpeg.LoadFromBytes({'B', 'M', 0, 0}), EInvalidGraphic);
    EXPECT_EQ(jpeg.Width(), 16);
    jpeg.SaveToFile(tmp.File("copy.jpg"));
    TPicture picture;
    picture.LoadFromFile(tmp.File("copy.jpg"));
    EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
}

TEST(Picture, LoadsByExtensionAndKeepsTheOldGraphicOnFailure) {
    testing_support::TempFolder tmp;
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile("graphics/testdata/icon.ico");
    auto* icon = dynamic_cast<TIcon*>(picture.Graphic());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), GetSystemMetrics(SM_CXICON) == 16 ? 16 : 32);
    EXPECT_EQ(changes, 1);

    TBitmap drawn;
    drawn.SetSize(32, 32);
    drawn.Canvas()->Draw(0, 0, icon);
    EXPECT_TRUE(Near(drawn.Canvas()->Pixels(4, 16), 0, 0, 255));
    EXPECT_TRUE(Near(drawn.Canvas()->Pixels(28, 16), 255, 255, 0));

    tmp.Write("a.gif", "GIF89a");
    EXPECT_THROW(picture.LoadFromFile(tmp.File("a.gif")), EInvalidGraphic);
    tmp.Write("bad.ico", std::string("\0\0\1\0\1\0", 6));
    EXPECT_THROW(picture.LoadFromFile(tmp.File("bad.ico")), EInvalidGraphic);
    EXPECT_EQ(picture.Graphic(), icon);

    picture.Bitmap()->SetSize(3, 3);
    EXPECT_EQ(picture.Width(), 3);
    picture.SaveToFile(tmp.File("p.bmp"));
    TPicture other;
    other.LoadFromFile(tmp.File("p.bmp"));
    EXPECT_EQ(other.Height(), 3);
}

TEST(ImageList, ImagesAndChangeLinks) {
    auto* list = new TImageList(nullptr);
    list->SetSize(8, 8);
    TChangeLink link;
    int changes = 0;
    link.OnChange = [&](TObject* sender) { EXPECT_EQ(sender, list); ++changes; };
    list->RegisterChanges(&link);

    TBitmap strip;
    strip.SetSize(16, 8);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(Rect(0, 0, 8, 8));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(Rect(8, 0, 16, 8));
    strip.Canvas()->SetPixels(0, 7, clFuchsia);
    EXPECT_EQ(list->AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(changes, 1);

    TBitmap image;
    image.Canvas()->Brush()->SetColor(clWhite);
    list->GetBitmap(1, &image);
    EXPECT_EQ(image.Width(), 8);
    EXPECT_EQ(image.Canvas()->Pixels(3, 3), clBlue);
    list->GetBitmap(0, &image);
    EXPECT_EQ(image.Canvas()->Pixels(3, 3), clRed);
    EXPECT_EQ(image.Canvas()->Pixels(0, 7), clWhite);   // the mask colour shows the background
    EXPECT_THROW(list->GetBitmap(2, &image), EInvalidOperation);

    TIcon icon;
    icon.LoadFromFile("graphics/testdata/icon.ico");
    EXPECT_EQ(list->AddIcon(&icon), 2);
    list->Delete(0);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(changes, 3);
    list->Free();
    EXPECT_EQ(link.Sender, nullptr);
}

TEST(Picture, LoadsBytesByTheirSignature) {
    auto bytes = [](const char* file) {
        std::vector<std::uint8_t> v = ReadGraphicFile(file);
        return std::string(v.begin(), v.end());
    };
    TBitmap square;
    square.SetSize(3, 2);
    testing_support::TempFolder tmp;
    square.SaveToFile(tmp.File("square.bmp"));
    struct Case { std::string data; const std::type_info& kind; int width; };
    const Case cases[] = {
        {bytes("graphics/testdata/quadrants.jpg"), typeid(TJPEGImage), 16},
        {bytes(tmp.File("square.bmp").c_str()), typeid(TBitmap), 3},
        {bytes("graphics/testdata/icon.ico"), typeid(TIcon), 0},
    };
    TPicture picture;
    for (const Case& c : cases) {
        picture.LoadFromBytes(c.data);
        ASSERT_NE(picture.Graphic(), nullptr);
        EXPECT_EQ(typeid(*picture.Graphic()), c.kind);
        if (c.width) EXPECT_EQ(picture.Width(), c.width);
    }
    // neither a known kind nor a whole picture: refused, the icon kept
    EXPECT_THROW(picture.LoadFromBytes("GIF89a"), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromBytes(std::string_view("\xFF\xD8\xFF", 3)), EInvalidGraphic);
    EXPECT_EQ(typeid(*picture.Graphic()), typeid(TIcon));
}
