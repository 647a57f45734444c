#include "platform/ui/Image.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/testing/ShownForm.h"

using ImageTest = ShownFormFixture;

namespace {
std::unique_ptr<TBitmap> Picture(int w, int h, TColor color) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}
std::unique_ptr<TBitmap> Shot(TControl* c) {
    auto shot = Picture(c->Width(), c->Height(), clBlack);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot->Canvas()->Handle()), 0);
    return shot;
}
}  // namespace

TEST_F(ImageTest, PictureIsPlacedAtTheCornerCentredOrStretched) {
    auto* image = new TImage(Form);
    image->SetParent(Form);
    image->SetBounds(0, 0, 100, 60);
    auto red = Picture(20, 10, clRed);
    image->Picture()->SetGraphic(red.get());
    struct Case { bool stretch, center, proportional; TRect dest; };
    for (Case c : {Case{false, false, false, Rect(0, 0, 20, 10)}, Case{false, true, false, Rect(40, 25, 60, 35)},
                   Case{true, false, false, Rect(0, 0, 100, 60)}, Case{true, true, true, Rect(0, 5, 100, 55)}}) {
        image->SetStretch(c.stretch);
        image->SetCenter(c.center);
        image->SetProportional(c.proportional);
        EXPECT_EQ(image->DestRect(), c.dest) << c.stretch << c.center << c.proportional;
    }
    image->SetProportional(false);
    image->SetCenter(false);
    auto shot = Shot(image);
    EXPECT_EQ(shot->Canvas()->Pixels(99, 59), clRed);

    // transparent: the picture's bottom-left colour lets the background through
    auto framed = Picture(20, 10, clBlue);
    framed->Canvas()->Brush()->SetColor(clLime);
    framed->Canvas()->FillRect(Rect(5, 2, 15, 8));
    image->Picture()->SetGraphic(framed.get());
    image->SetTransparent(true);
    shot = Shot(image);
    EXPECT_EQ(shot->Canvas()->Pixels(2, 2), clBlack);
    EXPECT_EQ(shot->Canvas()->Pixels(50, 30), clLime);
}

TEST_F(ImageTest, PictureFilesLoadAndABadOneKeepsThePicture) {
    testing_support::TempFolder folder;
    auto blue = Picture(7, 5, clBlue);
    blue->SaveToFile(folder.File("blue.bmp"));
    folder.Write("bad.bmp", "BM not a bitmap");
    auto* image = new TImage(Form);
    image->SetAutoSize(true);
    image->Picture()->LoadFromFile(folder.File("blue.bmp"));
    EXPECT_EQ(image->Width(), 7);
    EXPECT_EQ(image->Height(), 5);
    EXPECT_THROW(image->Picture()->LoadFromFile(folder.File("bad.bmp")), EInvalidGraphic);
    EXPECT_THROW(image->Picture()->LoadFromFile(folder.File("x.gif")), EInvalidGraphic);
    EXPECT_EQ(image->Picture()->Width(), 7);
}
