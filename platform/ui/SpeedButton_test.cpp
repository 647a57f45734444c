#include "platform/ui/SpeedButton.h"
#include "platform/ui/Panel.h"
#include "platform/ui/testing/ShownForm.h"

using SpeedButtonTest = ShownFormFixture;

TEST_F(SpeedButtonTest, PressingOneButtonOfAGroupReleasesTheOther) {
    auto make = [&](int left, int group) {
        auto* b = new TSpeedButton(Form);
        b->SetParent(Form);
        b->SetBounds(left, 10, 30, 30);
        b->SetGroupIndex(group);
        b->SetAllowAllUp(true);
        return b;
    };
    TSpeedButton* a = make(10, 1);
    TSpeedButton* b = make(50, 1);
    TSpeedButton* other = make(90, 2);
    // a button of the same group on another parent is not of this group
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetBounds(10, 100, 100, 50);
    auto* elsewhere = new TSpeedButton(Form);
    elsewhere->SetParent(panel);
    elsewhere->SetGroupIndex(1);
    elsewhere->SetDown(true);

    other->SetDown(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetDown(true);
    ClickAt(60, 20);                      // b, by the mouse
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicks, 1);
    a->SetDown(true);                     // by code
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(other->Down());
    EXPECT_TRUE(elsewhere->Down());

    // AllowAllUp: a second click lets the down button come up; without it the button stays down
    ClickAt(20, 20);
    EXPECT_FALSE(a->Down());
    a->SetAllowAllUp(false);              // the group shares it
    a->SetDown(true);
    ClickAt(20, 20);
    EXPECT_TRUE(a->Down());
    b->SetDown(false);
    EXPECT_TRUE(a->Down());
}

TEST_F(SpeedButtonTest, PlainButtonClicksOnlyWhenReleasedInsideAndNeverStaysDown) {
    auto* b = new TSpeedButton(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 30, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetDown(true);
    EXPECT_FALSE(b->Down());
    ClickAt(20, 20);
    EXPECT_EQ(clicks, 1);
    HWND h = Form->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 200));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, GlyphFrameOfTheStateIsPaintedWithItsTransparentColourLeftOut) {
    auto* b = new TSpeedButton(Form);
    b->SetParent(Form);
    b->SetBounds(10, 10, 40, 40);
    b->SetFlat(true);
    b->SetColor(clWhite);
    TBitmap glyph;
    glyph.SetSize(40, 20);
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(Rect(0, 0, 20, 20));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(20, 0, 40, 20));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(0, 19, 40, 20));
    b->SetGlyph(&glyph);
    b->SetNumGlyphs(2);
    auto centre = [&] {
        TBitmap shot;
        shot.SetSize(40, 40);
        b->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
        return std::pair{shot.Canvas()->Pixels(20, 20), shot.Canvas()->Pixels(20, 29)};
    };
    auto [enabled, edge] = centre();
    EXPECT_EQ(enabled, clLime);
    EXPECT_EQ(edge, clWhite);             // the red row is the transparent colour
    b->SetEnabled(false);
    EXPECT_EQ(centre().first, clBlue);    // frame 1: disabled
}
