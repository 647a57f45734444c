#include "controls/CoolUtils.h"
#include <algorithm>
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/testing/ShownForm.h"

namespace {

// Every pixel tells where it came from: red = x * 4, green = y * 4.
TColor Source(int x, int y) { return static_cast<TColor>(RGB(x * 4, y * 4, 0)); }

void Pattern(TBitmap& b, int width, int height) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.Canvas()->SetPixels(x, y, Source(x, y));
}

void Blank(TBitmap& b, int width, int height, TColor color = clWhite) {
    b.SetPixelFormat(pf24bit);
    b.SetSize(width, height);
    b.Canvas()->Brush()->SetColor(color);
    b.Canvas()->FillRect(Rect(0, 0, width, height));
}

TColor At(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }

// The box of the pixels of one colour.
TRect BoxOf(TBitmap& b, TColor color) {
    TRect box{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) == color) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box;
}

}  // namespace

TEST(CoolUtilsTest, WallpapersLieAtTheOriginOrTileFromTheirRectangle) {
    TBitmap source, target;
    Pattern(source, 40, 30);

    // once: the part of the bitmap under the rectangle, not its corner
    Blank(target, 120, 80);
    TileBitmap(target.Canvas()->Handle(), &source, Rect(10, 20, 30, 28), false, SRCCOPY);
    EXPECT_EQ(At(target, 10, 20), Source(10, 20));
    EXPECT_EQ(At(target, 29, 27), Source(29, 27));
    EXPECT_EQ(At(target, 9, 20), clWhite);
    EXPECT_EQ(At(target, 30, 20), clWhite);

    // tiled: repeated from the rectangle's corner, cut at its edges
    Blank(target, 120, 80);
    TileBitmap(target.Canvas()->Handle(), &source, Rect(5, 5, 105, 55), true, SRCCOPY);
    for (TPoint p : {Point(0, 0), Point(39, 29), Point(40, 0), Point(85, 31), Point(99, 49)})
        EXPECT_EQ(At(target, 5 + p.X, 5 + p.Y), Source(p.X % 40, p.Y % 30)) << p.X << "," << p.Y;
    EXPECT_EQ(At(target, 105, 30), clWhite);
    EXPECT_EQ(At(target, 30, 55), clWhite);

    // a partial repaint keeps the pattern of the whole area
    Blank(target, 120, 80);
    TileBitmapClipped(target.Canvas()->Handle(), &source, Rect(0, 0, 100, 50), Rect(45, 10, 70, 40), true, SRCCOPY);
    EXPECT_EQ(At(target, 45, 10), Source(5, 10));
    EXPECT_EQ(At(target, 69, 39), Source(29, 9));
    EXPECT_EQ(At(target, 44, 10), clWhite);
    EXPECT_EQ(At(target, 70, 39), clWhite);

    // the inverted selection look
    Blank(target, 120, 80);
    TileBitmapClipped(target.Canvas()->Handle(), &source, Rect(0, 0, 100, 50), Rect(0, 0, 100, 50), true, NOTSRCCOPY);
    EXPECT_EQ(At(target, 41, 1), static_cast<TColor>(~static_cast<COLORREF>(Source(1, 1)) & 0xFFFFFF));

    // an empty bitmap draws nothing (and a tiling over it ends)
    TBitmap empty;
    Blank(target, 20, 20);
    TileBitmap(target.Canvas()->Handle(), &empty, Rect(0, 0, 20, 20), true, SRCCOPY);
    TileBitmapClipped(target.Canvas()->Handle(), &empty, Rect(0, 0, 20, 20), Rect(0, 0, 5, 5), true, SRCCOPY);
    EXPECT_EQ(BoxOf(target, clWhite), Rect(0, 0, 20, 20));
}

TEST(CoolUtilsTest, FolderPathsWalkUpByWholeComponentsAndStopAtTheRoot) {
    EXPECT_EQ(ReverseString("abc"), "cba");
    EXPECT_EQ(ReverseString(""), "");
    EXPECT_EQ(LastPos("\\", "C:\\A\\B"), 2);
    EXPECT_EQ(LastPos("x", "abc"), 0);
    EXPECT_EQ(LastPos("ab", "abcab"), 1);

    struct { const char* path; const char* parent; } parents[] = {
        {"C:\\A\\B\\", "C:\\A\\"}, {"C:\\A\\B", "C:\\A\\"}, {"C:\\A\\", "C:\\"},
        // a root is its own parent: "C:" alone would name the drive's current folder
        {"C:\\", "C:\\"}, {"C:", "C:\\"}, {"\\\\server\\share\\", "\\\\server\\share\\"},
        {"word", "word"}, {"", ""}, {"\\", "\\"},
    };
    for (auto& c : parents) EXPECT_EQ(ExtractParentDir(c.path), c.parent) << c.path;

    struct { const char* path; const char* resolved; } folders[] = {
        {"C:\\A\\B\\..\\", "C:\\A\\"}, {"C:\\A\\B\\..\\X\\", "C:\\A\\X\\"}, {"C:\\A\\B\\..\\..\\", "C:\\"},
        {"C:\\..\\", "C:\\"}, {"C:\\A\\..\\..\\..\\B\\", "C:\\B\\"}, {"C:\\v1..2\\", "C:\\v1..2\\"},
        {"C:\\A\\..x\\", "C:\\A\\..x\\"}, {"..\\", "..\\"}, {"..\\A\\..\\", "..\\"},
        {"\\\\server\\share\\A\\..\\..\\", "\\\\server\\share\\"}, {"\\A\\..\\", "\\"}, {"C:\\A\\", "C:\\A\\"},
    };
    for (auto& c : folders) EXPECT_EQ(ResolveParentFolders(c.path), c.resolved) << c.path;
}

TEST(CoolUtilsTest, ShadowTextFallsInItsDirectionAndTheRectangleFollowsTheText) {
    struct { int direction; TPoint shadowLess; TPoint rectMoved; } cases[] = {
        {2, Point(2, 2), Point(0, 0)},    // shadow down-right, the caller's rectangle stays
        {0, Point(-2, -2), Point(2, 2)},  // shadow up-left: the text moves
        {9, Point(0, 0), Point(0, 0)},    // under the text
    };
    for (auto& c : cases) {
        TBitmap b;
        Blank(b, 80, 60);
        HDC dc = b.Canvas()->Handle();
        TFont font;
        font.SetName("Tahoma");
        font.SetHeight(-30);
        TScopedSelect select(dc, font.Handle());
        SetBkMode(dc, TRANSPARENT);
        TRect r = Rect(10, 10, 70, 50);
        DrawShadowText(dc, r, c.direction, "I", DT_LEFT | DT_TOP, clBlack, clRed, 2);
        EXPECT_EQ(r, Rect(10 + c.rectMoved.X, 10 + c.rectMoved.Y, 70 + c.rectMoved.X, 50 + c.rectMoved.Y)) << c.direction;
        TRect text = BoxOf(b, clBlack), shadow = BoxOf(b, clRed);
        if (c.shadowLess.X == 0) {
            EXPECT_TRUE(shadow.IsEmpty()) << c.direction;   // wholly covered
        } else {
            EXPECT_EQ(shadow.Right - text.Right, c.shadowLess.X) << c.direction;
            EXPECT_EQ(shadow.Bottom - text.Bottom, c.shadowLess.Y) << c.direction;
        }
    }
}

TEST(CoolUtilsTest, DisabledGlyphsEmbossTheirBlackPixels) {
    TBitmap glyph;
    Blank(glyph, 16, 16);
    glyph.Canvas()->Brush()->SetColor(clBlack);
    glyph.Canvas()->FillRect(Rect(4, 4, 9, 9));
    MakeDisabledBitmap(&glyph, clYellow);
    ASSERT_EQ(glyph.Width(), 16);
    ASSERT_EQ(glyph.Height(), 16);
    EXPECT_EQ(At(glyph, 0, 0), clYellow);
    EXPECT_EQ(At(glyph, 4, 4), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(At(glyph, 8, 8), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(At(glyph, 9, 9), static_cast<TColor>(ColorToRGB(clBtnHighlight)));   // the highlight one pixel below
    EXPECT_EQ(At(glyph, 12, 12), clYellow);
}

TEST(CoolUtilsTest, TrueTypeIsAskedOfTheFontTheSystemUses) {
    EXPECT_TRUE(IsTrueTypeFont("Tahoma"));
    // a name that is not installed answers for its substitute (a TrueType face on Wine)
    EXPECT_EQ(IsTrueTypeFont("No Such Font Here"), IsTrueTypeFont("DejaVu Sans"));
}

struct CoolUtilsFormTest : ShownFormFixture {};

// The parent's background and its windowless children land where the control stands.
TEST_F(CoolUtilsFormTest, ParentBackgroundLandsShiftedByTheControlsPlace) {
    Form->SetColor(clLime);
    auto* box = new TListBox(Form);
    box->SetParent(Form);
    box->SetBounds(30, 40, 60, 50);
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetTransparent(false);
    label->SetColor(clRed);
    label->SetBounds(40, 50, 10, 10);
    Application->ProcessMessages();

    // the parent's erasing is a message, after which unlocked bitmaps let go of their DCs
    TBitmap b;
    b.Canvas()->Lock();
    Blank(b, 60, 50);
    PaintParentBackground(box, b.Canvas()->Handle());
    EXPECT_EQ(At(b, 0, 0), clLime);
    EXPECT_EQ(At(b, 12, 12), clRed);    // the label at (40, 50) of the form
    EXPECT_EQ(At(b, 25, 25), clLime);

    Blank(b, 60, 50);
    PaintParentBackgroundRect(box, b.Canvas()->Handle(), Rect(0, 0, 5, 5));
    EXPECT_EQ(At(b, 4, 4), clLime);
    EXPECT_EQ(At(b, 12, 12), clWhite);

    Blank(b, 60, 50);
    PaintParentBackground(nullptr, b.Canvas()->Handle());
    box->SetParent(nullptr);
    PaintParentBackground(box, b.Canvas()->Handle());
    EXPECT_EQ(At(b, 0, 0), clWhite);
    b.Canvas()->Unlock();
}
