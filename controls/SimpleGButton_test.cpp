#include "controls/SimpleGButton.h"
#include <algorithm>
#include "platform/ui/testing/ShownForm.h"

namespace {

// One colour per frame of a four-frame strip, 10 pixels each.
const TColor FrameColors[4] = {clRed, clLime, clBlue, clYellow};

struct SimpleGButtonTest : ShownFormFixture {
    TSimpleGButton* Button = nullptr;
    TBitmap Target;

    void SetUp() override {
        ShownFormFixture::SetUp();
        Button = new TSimpleGButton(Form);
        Button->SetParent(Form);
        Button->SetBounds(10, 10, 40, 20);
    }

    void SetStrip(int width, int height) {
        TBitmap strip;
        strip.SetSize(width, height);
        for (int f = 0; f < 4; ++f) {
            strip.Canvas()->Brush()->SetColor(FrameColors[f]);
            strip.Canvas()->FillRect(Rect(f * width / 4, 0, (f + 1) * width / 4, height));
        }
        Button->SetGlyph(&strip);
    }

    // Paints the button alone into Target, over a background of one colour.
    void PaintButton(TColor background = clFuchsia) {
        Target.SetSize(Button->Width(), Button->Height());
        TCanvas* c = Target.Canvas();
        c->Lock();
        c->Brush()->SetColor(background);
        c->FillRect(Rect(0, 0, Button->Width(), Button->Height()));
        Button->Perform(WM_PAINT, reinterpret_cast<WPARAM>(c->Handle()));
        c->Unlock();
    }

    // The box of the pixels that differ from the background (empty when none do).
    TRect Drawn(TColor background) {
        TRect box{Target.Width(), Target.Height(), 0, 0};
        for (int y = 0; y < Target.Height(); ++y)
            for (int x = 0; x < Target.Width(); ++x)
                if (Target.Canvas()->Pixels(x, y) != background) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x + 1);
                    box.Bottom = std::max(box.Bottom, y + 1);
                }
        return box;
    }

    void Press() { SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20)); }
    void Release() { SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20)); }
};

enum class State { PlainIdle, PlainHovered, PlainHoveredPressed, PlainPressedOutside, GroupedUpHovered,
                   GroupedDown, GroupedDownHovered };

struct Row {
    State state;
    const char* name;
    int frame[4];   // by NumGlyphs 1..4
};

const Row Rows[] = {
    {State::PlainIdle, "plain, idle", {0, 0, 0, 0}},
    {State::PlainHovered, "plain, hovered", {0, 1, 1, 1}},
    {State::PlainHoveredPressed, "plain, hovered and pressed", {0, 1, 2, 2}},
    {State::PlainPressedOutside, "plain, pressed, mouse outside", {0, 0, 1, 1}},
    {State::GroupedUpHovered, "grouped, up, hovered", {0, 0, 0, 1}},
    {State::GroupedDown, "grouped, down, not hovered", {0, 1, 1, 2}},
    {State::GroupedDownHovered, "grouped, down, hovered", {0, 1, 1, 3}},
};

}  // namespace

TEST_F(SimpleGButtonTest, EachStateShowsItsFrameStretchedOverTheButton) {
    SetStrip(40, 10);
    for (const Row& row : Rows) {
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(std::string(row.name) + ", NumGlyphs " + std::to_string(n));
            Button->Free();
            Button = new TSimpleGButton(Form);
            Button->SetParent(Form);
            Button->SetBounds(10, 10, 40, 20);
            SetStrip(40, 10);
            Button->SetNumGlyphs(n);
            bool grouped = row.state >= State::GroupedUpHovered;
            if (grouped) Button->SetGroupIndex(1);
            if (row.state == State::GroupedDown || row.state == State::GroupedDownHovered) Button->SetDown(true);
            if (row.state == State::PlainHoveredPressed || row.state == State::PlainPressedOutside) Press();
            if (row.state != State::PlainIdle && row.state != State::PlainPressedOutside &&
                row.state != State::GroupedDown)
                Button->Perform(CM_MOUSEENTER);
            PaintButton();
            if (Button->Pressed()) Release();
            // frame f starts at f * (Width div NumGlyphs) of the strip; its left edge lands on the button's
            int frame = row.frame[n - 1];
            TColor expected = FrameColors[frame * (40 / n) / 10];
            EXPECT_EQ(Target.Canvas()->Pixels(0, 10), expected);
            EXPECT_EQ(Target.Canvas()->Pixels(1, 1), expected);
            // the frame is stretched over the whole button: its right part shows the frame's last colour
            int last = (frame * (40 / n) + 40 / n - 1) / 10;
            EXPECT_EQ(Target.Canvas()->Pixels(38, 18), FrameColors[last]);
        }
    }
}

TEST_F(SimpleGButtonTest, WithoutGlyphOnlyTheCaptionIsDrawnAndPositionEffectShiftsItWhilePressed) {
    Button->SetBounds(10, 10, 60, 30);
    Button->SetCaption("OK");
    Button->Font()->SetColor(clNavy);
    PaintButton(clFuchsia);
    TRect idle = Drawn(clFuchsia);
    ASSERT_FALSE(idle.Right <= idle.Left) << "no caption drawn";
    EXPECT_GT(idle.Left, 5);   // centred, and nothing but the caption: the edges keep the background
    EXPECT_LT(idle.Right, 55);
    EXPECT_GT(idle.Top, 2);
    EXPECT_LT(idle.Bottom, 28);

    Press();
    EXPECT_TRUE(Button->Pressed());
    PaintButton(clFuchsia);
    TRect pressed = Drawn(clFuchsia);
    EXPECT_EQ(pressed.Left, idle.Left + 1);
    EXPECT_EQ(pressed.Top, idle.Top + 1);
    EXPECT_EQ(pressed.Right, idle.Right + 1);
    EXPECT_EQ(pressed.Bottom, idle.Bottom + 1);

    Button->SetPositionEffect(false);
    PaintButton(clFuchsia);
    TRect still = Drawn(clFuchsia);
    EXPECT_EQ(still.Left, idle.Left);
    EXPECT_EQ(still.Top, idle.Top);
    Release();
    EXPECT_FALSE(Button->Pressed());
}

TEST_F(SimpleGButtonTest, AutoSizeFitsOneFrameAndFollowsGlyphChanges) {
    Button->SetBounds(7, 9, 80, 40);
    Button->SetNumGlyphs(4);
    SetStrip(120, 30);
    EXPECT_EQ(Button->Width(), 80);   // off: a new glyph leaves the size alone
    Button->SetAutoSize(true);
    EXPECT_EQ(Button->BoundsRect(), Bounds(7, 9, 30, 30));
    SetStrip(200, 50);
    EXPECT_EQ(Button->BoundsRect(), Bounds(7, 9, 50, 50));
    Button->SetAutoSize(false);
    SetStrip(40, 10);
    EXPECT_EQ(Button->BoundsRect(), Bounds(7, 9, 50, 50));
}

TEST_F(SimpleGButtonTest, MouseEnterAndLeaveHandlersSeeTheNewHoverStateAndRepaintWithTheirColour) {
    Button->SetBounds(10, 10, 60, 30);
    Button->SetCaption("OK");
    Button->Font()->SetColor(clNavy);
    std::vector<bool> seen;
    Button->OnMouseEnter = [&](TObject* s) {
        EXPECT_EQ(s, Button);
        seen.push_back(Button->Hover());
        Button->Font()->SetColor(clRed);
    };
    Button->OnMouseLeave = [&](TObject*) {
        seen.push_back(Button->Hover());
        Button->Font()->SetColor(clNavy);
    };
    Button->Perform(CM_MOUSEENTER);
    PaintButton(clWhite);
    TRect box = Drawn(clWhite);
    bool red = false;
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = box.Left; x < box.Right; ++x) red |= Target.Canvas()->Pixels(x, y) == clRed;
    EXPECT_TRUE(red);
    Button->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}
