#include "platform/ui/HintWindow.h"
#include <algorithm>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Panel.h"
#include "platform/ui/testing/ShownForm.h"

namespace {

struct HintTest : ShownFormFixture {
    TPanel* Panel = nullptr;
    void SetUp() override {
        ShownFormFixture::SetUp();
        Panel = new TPanel(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(10, 10, 100, 60);
        Panel->SetShowHint(true);
        Application->HintPause = 0;
    }
    void TearDown() override {
        Application->CancelHint();
        Application->HintPause = 500;
        ShownFormFixture::TearDown();
    }
    // The pointer comes to rest on the panel.
    THintWindow* PointAtPanel() {
        SetCursorPos(Form->Left() + 60, Form->Top() + 40);
        Application->DoMouseIdle();
        return Application->HintWindow();
    }
    // The joined width of the hint in the hint window's font.
    static int ShapedWidth(THintWindow* window, const String& text) {
        TWindowDCBorrow screen(nullptr);
        TScopedSelect font(screen.Get(), window->Font()->Handle());
        return ShapedTextWidth(screen.Get(), ToWide(text), true);
    }
};

// The column span of what the window paints in its client area other than its background.
std::pair<int, int> InkColumns(THintWindow* window) {
    const int width = window->ClientWidth(), height = window->ClientHeight();
    TBitmap shot;
    shot.SetSize(width, height);
    window->PaintTo(shot.Canvas()->Handle(), 0, 0);
    const TColor background = static_cast<TColor>(ColorToRGB(clInfoBk));
    int first = width, last = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (shot.Canvas()->Pixels(x, y) != background) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

}  // namespace

// An Arabic hint («أولاً» has a lam-alef that carries a mark) stands in a box as wide as its joined
// letters, in a font that reads, its line against the right edge, below the pointer.
TEST_F(HintTest, AnArabicHintsBoxFitsItsJoinedWidthInAFontThatReads) {
    const String hint = "أولاً اختر لون الخلفية"_a;
    Panel->SetHint(hint);
    THintWindow* window = PointAtPanel();
    ASSERT_TRUE(window);
    ASSERT_TRUE(Application->HintShowing());
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_GE(window->Font()->Size(), THintWindow::SmallestPointSize);
    const int border = GetSystemMetrics(SM_CXBORDER);
    EXPECT_EQ(window->Width(), ShapedWidth(window, hint) + 2 * (THintWindow::Margin + border));
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_GT(window->Top(), pointer.y);
    EXPECT_EQ(GetForegroundWindow(), Form->Handle());   // the hint never takes the focus

    auto [first, last] = InkColumns(window);
    ASSERT_LT(first, last);
    EXPECT_GE(last, window->ClientWidth() - THintWindow::Margin - 3);
    EXPECT_LE(first, THintWindow::Margin + 3);
}

// A long hint wraps within the widest box, which grows downwards; moving away hides it.
TEST_F(HintTest, ALongHintWrapsAndLeavingHidesIt) {
    String hint = "اضغط على المفتاح الذي يظهر في أعلى الشاشة"_a;
    Panel->SetHint(hint);
    THintWindow* window = PointAtPanel();
    ASSERT_TRUE(window);
    const int oneLine = window->Height();
    auto* longer = new TPanel(Form);
    longer->SetParent(Form);
    longer->SetBounds(120, 10, 100, 60);
    longer->SetShowHint(true);
    longer->SetHint(hint + " " + hint + " " + hint);
    SetCursorPos(Form->Left() + 170, Form->Top() + 40);
    Application->DoMouseIdle();
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_LE(window->Width(), 400);
    EXPECT_GE(window->Height(), 2 * oneLine - 2 * THintWindow::Margin);
    SetCursorPos(Form->Left() + 300, Form->Top() + 200);
    Application->DoMouseIdle();
    EXPECT_FALSE(Application->HintShowing());
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
}
