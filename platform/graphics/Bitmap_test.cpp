#include <gtest/gtest.h>
#include "platform/graphics/Bitmap.h"
#include "platform/testing/TestSupport.h"
#include "platform/rtl/Errors.h"

namespace {

std::unique_ptr<TBitmap> MakeBitmap(int w, int h, TBitmapHandleType type, TColor fill) {
    auto b = std::make_unique<TBitmap>();
    b->SetHandleType(type);
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(fill);
    b->Canvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

}  // namespace

TEST(Bitmap, FillRectAndTextOutPaintPixels) {
    for (TBitmapHandleType type : {bmDIB, bmDDB}) {
        auto b = MakeBitmap(60, 30, type, clWhite);
        TCanvas* c = b->Canvas();
        c->Brush()->SetColor(clRed);
        c->FillRect(Rect(10, 5, 20, 15));
        EXPECT_EQ(c->Pixels(10, 5), clRed);
        EXPECT_EQ(c->Pixels(19, 14), clRed);
        EXPECT_EQ(c->Pixels(20, 15), clWhite);
        EXPECT_EQ(c->Pixels(9, 5), clWhite);

        // a solid brush makes the text cell opaque in the brush colour; the glyph is in the font colour
        c->Brush()->SetColor(clLime);
        c->Font()->SetColor(clBlue);
        c->Font()->SetHeight(-16);
        c->TextOut(30, 2, "W");
        int w = c->TextWidth("W"), h = c->TextHeight("W");
        ASSERT_GT(w, 0);
        int blue = 0, lime = 0;
        for (int y = 2; y < 2 + h; ++y)
            for (int x = 30; x < 30 + w; ++x) {
                TColor p = c->Pixels(x, y);
                blue += p == clBlue;
                lime += p == clLime;
            }
        EXPECT_GT(blue, 5);
        EXPECT_GT(lime, 5);
        EXPECT_EQ(c->Pixels(30 + w, 2), clWhite);
    }
}

TEST(Bitmap, StretchDrawScalesTheSource) {
    auto src = MakeBitmap(2, 2, bmDIB, clWhite);
    src->Canvas()->SetPixels(0, 0, clRed);
    src->Canvas()->SetPixels(1, 1, clBlue);
    auto dst = MakeBitmap(20, 20, bmDIB, clBlack);
    dst->Canvas()->StretchDraw(Rect(0, 0, 20, 20), src.get());
    EXPECT_EQ(dst->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(dst->Canvas()->Pixels(9, 9), clRed);
    EXPECT_EQ(dst->Canvas()->Pixels(15, 15), clBlue);
    EXPECT_EQ(dst->Canvas()->Pixels(15, 2), clWhite);
}

TEST(Bitmap, MonochromeUsesTheBrushColourAsWhite) {
    auto b = MakeBitmap(4, 1, bmDDB, clBlack);
    b->Canvas()->SetPixels(1, 0, clRed);
    b->Canvas()->SetPixels(2, 0, clWhite);
    b->Canvas()->Brush()->SetColor(clBlack);   // black pixels become the set (white) bits
    b->SetMonochrome(true);
    EXPECT_TRUE(b->Monochrome());
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), clBlack);
    EXPECT_EQ(b->Canvas()->Pixels(2, 0), clBlack);
    EXPECT_EQ(b->TransparentColor(), clWhite);

    // back to colour: black bits take the font colour, white bits the brush colour
    b->Canvas()->Font()->SetColor(clNavy);
    b->Canvas()->Brush()->SetColor(clYellow);
    b->SetMonochrome(false);
    EXPECT_FALSE(b->Monochrome());
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), clNavy);
}

TEST(Bitmap, TransparentColourIsBottomLeftUntilFixed) {
    auto b = MakeBitmap(5, 5, bmDIB, clWhite);
    b->Canvas()->SetPixels(0, 4, clFuchsia);
    EXPECT_EQ(b->TransparentMode(), tmAuto);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);
    b->SetTransparentColor(clLime);
    EXPECT_EQ(b->TransparentMode(), tmFixed);
    EXPECT_EQ(b->TransparentColor(), clLime);
    b->SetTransparentColor(clDefault);
    EXPECT_EQ(b->TransparentMode(), tmAuto);
    EXPECT_EQ(b->TransparentColor(), clFuchsia);

    // drawn transparently, the fuchsia pixel leaves the destination as it was
    b->SetTransparent(true);
    auto dst = MakeBitmap(5, 5, bmDIB, clBlue);
    dst->Canvas()->Draw(0, 0, b.get());
    EXPECT_EQ(dst->Canvas()->Pixels(0, 4), clBlue);
    EXPECT_EQ(dst->Canvas()->Pixels(2, 2), clWhite);
}

TEST(Bitmap, ChangeEventsAndAssign) {
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetSize(8, 8);
    EXPECT_EQ(changes, 1);
    b.Canvas()->Brush()->SetColor(clTeal);
    b.Canvas()->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(changes, 2);
    b.SetSize(8, 8);
    EXPECT_EQ(changes, 2);

    TBitmap copy;
    copy.Assign(&b);
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.Canvas()->Pixels(7, 7), clTeal);
    b.Canvas()->FillRect(Rect(0, 0, 8, 8));   // the copy owns its own image
    b.Canvas()->SetPixels(0, 0, clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clTeal);

    TBitmap grown;
    grown.Assign(&copy);
    grown.SetSize(10, 10);                    // the old image stays in the corner, the rest is white
    EXPECT_EQ(grown.Canvas()->Pixels(7, 7), clTeal);
    EXPECT_EQ(grown.Canvas()->Pixels(9, 9), clWhite);
}

TEST(Bitmap, BmpFilesRoundTripAndBadFilesAreRefused) {
    testing_support::TempFolder tmp;
    auto b = MakeBitmap(7, 3, bmDDB, clWhite);
    b->Canvas()->SetPixels(6, 2, clRed);
    b->Canvas()->SetPixels(0, 0, clBlue);
    b->SaveToFile(tmp.File("a.bmp"));
    TBitmap loaded;
    loaded.LoadFromFile(tmp.File("a.bmp"));
    EXPECT_EQ(loaded.HandleType(), bmDIB);
    EXPECT_EQ(loaded.Width(), 7);
    EXPECT_EQ(loaded.Height(), 3);
    EXPECT_EQ(loaded.Canvas()->Pixels(6, 2), clRed);
    EXPECT_EQ(loaded.Canvas()->Pixels(0, 0), clBlue);

    auto mono = MakeBitmap(9, 2, bmDDB, clWhite);
    mono->Canvas()->SetPixels(3, 1, clBlack);
    mono->SetMonochrome(true);
    mono->SaveToFile(tmp.File("m.bmp"));
    TBitmap monoLoaded;
    monoLoaded.LoadFromFile(tmp.File("m.bmp"));
    EXPECT_TRUE(monoLoaded.Monochrome());
    EXPECT_EQ(monoLoaded.Canvas()->Pixels(3, 1), clBlack);
    EXPECT_EQ(monoLoaded.Canvas()->Pixels(4, 1), clWhite);
    ASSERT_NE(monoLoaded.Palette(), nullptr);
    TBitmap withPalette;
    withPalette.SetPixelFormat(pf1bit);
    withPalette.SetHandleType(bmDIB);
    withPalette.SetSize(4, 4);
    withPalette.SetPalette(CopyPalette(monoLoaded.Palette()));
    PALETTEENTRY e[2]{};
    ASSERT_EQ(GetPaletteEntries(withPalette.Palette(), 0, 2, e), 2u);
    EXPECT_EQ(e[1].peRed, 255);

    std::string bytes = tmp.Read("a.bmp");
    tmp.Write("short.bmp", bytes.substr(0, bytes.size() - 10));
    tmp.Write("junk.bmp", "not a bitmap at all, just text....................................");
    TBitmap bad;
    bad.LoadFromFile(tmp.File("a.bmp"));
    EXPECT_THROW(bad.LoadFromFile(tmp.File("short.bmp")), EInvalidGraphic);
    EXPECT_THROW(bad.LoadFromFile(tmp.File("junk.bmp")), EInvalidGraphic);
    EXPECT_THROW(bad.LoadFromFile(tmp.File("missing.bmp")), EFOpenError);
    EXPECT_EQ(bad.Width(), 7);   // what was there stays
}
