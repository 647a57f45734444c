#include "platform/ui/Label.h"
#include <algorithm>
#include <tuple>
#include "platform/ui/Panel.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/testing/ShownForm.h"

struct LabelTest : ShownFormFixture {
    // A transparent label of white text, 24 pixels high, on the form; fixed bounds when given.
    TLabel* WhiteLabel(int width = 0, int height = 0) {
        auto* label = new TLabel(Form);
        label->SetParent(Form);
        if (width > 0) {
            label->SetAutoSize(false);
            label->SetBounds(0, 0, width, height);
        }
        label->SetTransparent(true);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-24);
        label->Font()->SetColor(clWhite);
        return label;
    }
};

namespace {
// Rows of a painted control that hold a pixel of the colour.
std::vector<int> RowsWith(TControl* control, TColor color) {
    TBitmap shot;
    shot.SetSize(control->Width(), control->Height());
    shot.Canvas()->Brush()->SetColor(clBlack);
    shot.Canvas()->FillRect(Rect(0, 0, control->Width(), control->Height()));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    std::vector<int> rows;
    for (int y = 0; y < control->Height(); ++y)
        for (int x = 0; x < control->Width(); ++x)
            if (shot.Canvas()->Pixels(x, y) == color) { rows.push_back(y); break; }
    return rows;
}
// Columns of a painted control that hold a pixel other than the black background.
std::pair<int, int> InkColumns(TControl* control) {
    TBitmap shot;
    shot.SetSize(control->Width(), control->Height());
    shot.Canvas()->Brush()->SetColor(clBlack);
    shot.Canvas()->FillRect(Rect(0, 0, control->Width(), control->Height()));
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    int first = control->Width(), last = -1;
    for (int x = 0; x < control->Width(); ++x)
        for (int y = 0; y < control->Height(); ++y)
            if (shot.Canvas()->Pixels(x, y) != clBlack) {
                first = std::min(first, x);
                last = std::max(last, x);
                break;
            }
    return {first, last};
}
}  // namespace

// An Arabic line against the right edge or in the middle ends where it should: placed by its
// joined width, not by the wider measure of its letters taken apart.
TEST_F(LabelTest, ArabicLinesAreAlignedByTheirJoinedWidth) {
    auto* label = WhiteLabel(400, 40);
    label->SetBiDiMode(bdRightToLeft);
    label->SetCaption("إضاءة النص المطبوع"_a);
    label->SetAlignment(taLeftJustify);   // the leading edge: the right one in this reading order
    auto [first, last] = InkColumns(label);
    EXPECT_GE(last, 400 - 4);
    const int width = last - first;
    label->SetAlignment(taCenter);
    std::tie(first, last) = InkColumns(label);
    EXPECT_NEAR(first + width / 2, 200, 3);
}

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheAnchoredEdge) {
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->Font()->SetName("Arial");
    label->Font()->SetHeight(-24);
    label->Font()->SetCharset(ARABIC_CHARSET);
    label->SetCaption("ض"_a);
    int oneWidth = label->Width();
    int height = label->Height();
    EXPECT_GT(height, 20);
    label->SetCaption("ضضضض"_a);
    EXPECT_GT(label->Width(), oneWidth * 3);
    EXPECT_EQ(label->Height(), height);

    // right justified: the right edge stays where it was
    label->SetAlignment(taRightJustify);
    label->SetLeft(100);
    int right = label->Left() + label->Width();
    label->SetCaption("ض"_a);
    EXPECT_EQ(label->Left() + label->Width(), right);

    // word wrap keeps the width and grows downwards
    label->SetAutoSize(false);
    label->SetWidth(oneWidth * 3);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption("ض ض ض ض ض ض"_a);
    EXPECT_EQ(label->Width(), oneWidth * 3);
    EXPECT_GT(label->Height(), height);
}

TEST_F(LabelTest, LayoutPlacesTheTextAndTransparentLeavesTheBackground) {
    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 60, 60);
    label->SetCaption("ab");
    label->Font()->SetColor(clRed);
    label->SetColor(clWhite);
    label->SetLayout(tlBottom);
    std::vector<int> rows = RowsWith(label, clRed);
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.front(), 30);
    label->SetLayout(tlTop);
    rows = RowsWith(label, clRed);
    ASSERT_FALSE(rows.empty());
    EXPECT_LT(rows.back(), 30);
    EXPECT_FALSE(RowsWith(label, clWhite).empty());
    label->SetTransparent(true);
    EXPECT_TRUE(RowsWith(label, clWhite).empty());   // the shot's black shows through
}

TEST_F(LabelTest, PanelLaysItsChildrenInsideTheBevels) {
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetBevelWidth(2);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(1);
    auto* child = new TPanel(Form);
    child->SetParent(panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(5, 5, 95, 55));
    panel->SetBevelOuter(bvNone);
    EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 97, 57));

    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(0);
    panel->SetColor(clYellow);
    TBitmap shot;
    shot.SetSize(100, 60);
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0);
    EXPECT_EQ(shot.Canvas()->Pixels(0, 30), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(shot.Canvas()->Pixels(99, 30), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(shot.Canvas()->Pixels(2, 30), clYellow);
}

// Arabic letters join, so a line is narrower than its letters side by side: it is centred, and a
// label fitted, by the width it is drawn with.
TEST_F(LabelTest, ArabicLinesAreCentredAndFittedByTheirJoinedWidth) {
    const String line = "جيد, لكن عليك أن تتدرب أكثر"_a;
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-32);
    font.SetColor(clWhite);
    TBitmap shot;
    shot.SetSize(700, 50);
    shot.Canvas()->Brush()->SetColor(clBlack);
    shot.Canvas()->FillRect(Rect(0, 0, 700, 50));
    RECT r{0, 0, 700, 50};
    DrawControlText(shot.Canvas()->Handle(), &font, line, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    int left = 700, right = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 700; ++x)
            if (shot.Canvas()->Pixels(x, y) != clBlack) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR((left + right) / 2, 350, 4) << left << ".." << right;

    auto* label = new TLabel(Form);
    label->SetParent(Form);
    label->SetFont(&font);
    label->SetCaption(line);
    EXPECT_NEAR(label->Width(), right - left, 8);
}

// A lam-alef ligature that carries a mark («أولاً») is drawn in every alignment, one line or wrapped,
// in either reading order, with ink inside the label.
TEST_F(LabelTest, ALigatureWithAMarkPaintsInEveryAlignment) {
    auto* label = WhiteLabel(300, 80);
    for (const String& caption : {"أولاً"_a, "أولاً ثم ثانياً وثالثاً ورابعاً وخامساً"_a})
        for (TBiDiMode mode : {bdLeftToRight, bdRightToLeft})
            for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify})
                for (bool wrap : {false, true}) {
                    label->SetCaption(caption);
                    label->SetBiDiMode(mode);
                    label->SetAlignment(alignment);
                    label->SetWordWrap(wrap);
                    auto [first, last] = InkColumns(label);
                    EXPECT_LE(first, last) << int(mode) << int(alignment) << wrap;
                }
}

// Wrapping breaks Arabic where the joined words reach the width: a line that fits joined stays one
// line, and each wrapped line ends at the leading (right) edge.
TEST_F(LabelTest, WrappedArabicBreaksAtItsJoinedWidth) {
    const String line = "إضاءة النص المطبوع"_a;
    auto* label = WhiteLabel();
    label->SetBiDiMode(bdRightToLeft);
    label->SetCaption(line);
    const int oneLine = label->Height(), joined = label->Width();
    label->SetAutoSize(false);
    label->SetWidth(joined + 2);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Height(), oneLine);
    label->SetCaption(line + " " + line + " " + line);
    EXPECT_EQ(label->Height(), 3 * oneLine);
    label->SetAlignment(taLeftJustify);   // the leading edge: the right one in this reading order
    auto [first, last] = InkColumns(label);
    EXPECT_GE(last, label->Width() - 4);
    EXPECT_LE(first, 4);
}

// Latin text, which needs no shaping, is measured as the system's DrawText measures it: prefixes,
// line breaks and word wrap alike (breaking at the same words; Wine counts the blank a wrapped
// line breaks at into its width, which the width here leaves out).
TEST(ControlText, LatinTextMeasuresAsTheSystemMeasuresIt) {
    struct Case { const char* text; UINT flags; int width; };
    const Case cases[] = {
        {"Open", 0, 0},
        {"&Open", 0, 0},
        {"Tom && Jerry", 0, 0},
        {"Tom && Jerry", DT_NOPREFIX, 0},
        {"one\r\ntwo\nthree longer", 0, 0},
        {"alpha beta gamma delta epsilon", DT_WORDBREAK, 90},
        {"centred words that wrap", DT_WORDBREAK | DT_CENTER, 70},
    };
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-16);
    TWindowDCBorrow screen(nullptr);
    TScopedSelect select(screen.Get(), font.Handle());
    for (const Case& c : cases) {
        RECT ours{0, 0, c.width, 0}, system{0, 0, c.width, 0};
        const int height = DrawControlText(screen.Get(), &font, c.text, ours, c.flags | DT_CALCRECT);
        const WideString w = ToWide(c.text);
        const int expected = DrawTextW(screen.Get(), w.c_str(), int(w.size()), &system, c.flags | DT_CALCRECT);
        EXPECT_EQ(height, expected) << c.text;
        EXPECT_EQ(ours.bottom, system.bottom) << c.text;
        if (c.flags & DT_WORDBREAK) EXPECT_LE(ours.right, system.right) << c.text;
        else EXPECT_NEAR(ours.right, system.right, 1) << c.text;
    }
}
