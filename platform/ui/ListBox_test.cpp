#include <gtest/gtest.h>
#include <vector>
#include "platform/ui/Application.h"
#include "platform/ui/testing/ClientPixels.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/ui/ListBox.h"

namespace {

class TDrawnListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    struct Drawn {
        int Index;
        TOwnerDrawState State;
        TColor Brush;
    };
    std::vector<Drawn> Seen;
protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override {
        Seen.push_back({index, state, Canvas()->Brush()->Color()});
        TCustomListBox::DrawItem(index, rect, state);
    }
};

struct ListBoxFixture : ::testing::Test {
    TForm* Form = nullptr;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 300, 300);
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }
    template <class T>
    T* Make(int height = 200) {
        auto* box = new T(Form);
        box->SetParent(Form);
        box->SetBounds(10, 10, 200, height);
        return box;
    }
    static void Paint(TWinControl* c) {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
};

}  // namespace

TEST_F(ListBoxFixture, OwnerDrawnItemsReachDrawItemWithTheirState) {
    auto* box = Make<TDrawnListBox>();
    box->SetStyle(lbOwnerDrawFixed);
    box->SetItemHeight(20);
    for (const char* s : {"a", "b", "c"}) box->Items()->Add(s);
    box->SetItemIndex(1);
    std::vector<int> eventIndexes;
    box->OnDrawItem = [&](TWinControl* sender, int index, const TRect& rect, TOwnerDrawState) {
        EXPECT_EQ(sender, box);
        EXPECT_EQ(rect.Height(), 20);
        eventIndexes.push_back(index);
    };
    Form->Show();
    box->Seen.clear();
    Paint(box);
    ASSERT_EQ(box->Seen.size(), 3u);
    for (const auto& d : box->Seen) {
        EXPECT_EQ((d.State & odSelected) != 0, d.Index == 1) << d.Index;
        EXPECT_EQ(d.Brush, d.Index == 1 ? clHighlight : box->Color()) << d.Index;
    }
    EXPECT_EQ(eventIndexes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(box->ItemRect(2), Rect(0, 40, box->ClientWidth(), 60));
}

TEST_F(ListBoxFixture, VariableItemsAreMeasuredOneByOne) {
    auto* box = Make<TListBox>();
    box->SetStyle(lbOwnerDrawVariable);
    box->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 5 * index; };
    for (const char* s : {"a", "b", "c"}) box->Items()->Add(s);
    EXPECT_EQ(box->ItemRect(0).Height(), 10);
    EXPECT_EQ(box->ItemRect(2).Height(), 20);
    EXPECT_EQ(box->ItemRect(2).Top, 25);
}

TEST_F(ListBoxFixture, ExactFindIgnoresCaseAndNeverMatchesAPrefix) {
    auto* box = Make<TListBox>();
    box->Items()->Add("other");
    box->Items()->Add("NoUserName");
    box->Items()->Add("سلام"_a);
    EXPECT_EQ(box->Items()->IndexOf("noUSERname"), 1);
    EXPECT_EQ(box->Items()->IndexOf("NoUser"), -1);
    EXPECT_EQ(box->Items()->IndexOf("سلام"_a), 2);
    EXPECT_EQ(box->Items()->Strings(2), "سلام"_a);
    EXPECT_THROW(box->Items()->Strings(3), EListError);
}

TEST_F(ListBoxFixture, ItemsDataAndSelectionSurviveRecreateWnd) {
    auto* box = Make<TListBox>();
    TObject marker;
    box->Items()->AddObject("pear", &marker);
    box->Items()->Add("apple");
    box->Items()->Add("fig");
    box->SetItemIndex(2);
    HWND before = box->Handle();
    box->RecreateWnd();
    EXPECT_NE(box->Handle(), before);
    EXPECT_EQ(box->Items()->Text(), "pear\r\napple\r\nfig\r\n");
    EXPECT_EQ(box->Items()->Objects(0), &marker);
    EXPECT_EQ(box->ItemIndex(), 2);

    box->SetSorted(true);                   // the window sorts what comes back
    EXPECT_EQ(box->Items()->Text(), "apple\r\nfig\r\npear\r\n");
    EXPECT_EQ(box->Items()->Objects(2), &marker);
    EXPECT_EQ(box->ItemIndex(), 1);         // still "fig"
    EXPECT_EQ(box->Items()->Add("banana"), 1);
    box->Items()->Put(0, "zucchini");
    EXPECT_EQ(box->Items()->Strings(0), "zucchini");
}

TEST_F(ListBoxFixture, PositionsMapToItems) {
    auto* box = Make<TListBox>(100);
    box->SetStyle(lbOwnerDrawFixed);
    box->SetItemHeight(20);
    for (int i = 0; i < 30; ++i) box->Items()->Add(IntToStr(i));
    EXPECT_EQ(box->ItemAtPos(Point(5, 25), true), 1);
    box->SetTopIndex(5);
    EXPECT_EQ(box->TopIndex(), 5);
    EXPECT_EQ(box->ItemAtPos(Point(5, 5), true), 5);
    EXPECT_EQ(box->ItemAtPos(Point(5, -3), false), -1);   // outside the client area
    box->Items()->Clear();
    box->Items()->Add("only");
    EXPECT_EQ(box->ItemAtPos(Point(5, 50), true), -1);
    EXPECT_EQ(box->ItemAtPos(Point(5, 50), false), 1);
    EXPECT_EQ(box->ItemRect(1), Rect(0, 20, box->ClientWidth(), 40));
}

TEST_F(ListBoxFixture, ClicksComeFromTheSystemsSelectionChange) {
    auto* box = Make<TListBox>();
    box->SetStyle(lbOwnerDrawFixed);
    box->SetItemHeight(20);
    for (const char* s : {"a", "b", "c"}) box->Items()->Add(s);
    int clicks = 0, doubles = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->OnDblClick = [&](TObject*) { ++doubles; };
    Form->Show();
    box->SetItemIndex(0);                   // by code: no click
    HWND h = box->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 45));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 45));
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 45));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 45));
    EXPECT_EQ(doubles, 1);
}

TEST_F(ListBoxFixture, MultiSelectColumnsAndIntegralHeightAreWindowStyles) {
    auto* box = Make<TListBox>();
    for (const char* s : {"a", "b", "c", "d"}) box->Items()->Add(s);
    EXPECT_EQ(box->SelCount(), -1);
    box->SetSelected(1, true);
    EXPECT_TRUE(box->Selected(1));
    EXPECT_EQ(box->ItemIndex(), 1);
    box->SetMultiSelect(true);
    box->SetSelected(0, true);
    box->SetSelected(3, true);
    EXPECT_EQ(box->SelCount(), 2);
    EXPECT_FALSE(box->Selected(1));
    box->SetColumns(2);
    LONG style = GetWindowLongW(box->Handle(), GWL_STYLE);
    EXPECT_NE(style & LBS_MULTICOLUMN, 0);
    EXPECT_NE(style & LBS_NOINTEGRALHEIGHT, 0);
    box->SetIntegralHeight(true);
    EXPECT_EQ(GetWindowLongW(box->Handle(), GWL_STYLE) & LBS_NOINTEGRALHEIGHT, 0);
    EXPECT_EQ(box->Items()->Count(), 4);
}

// The system's list box leaves text on the left whatever its alignment; a right-to-left list of
// Arabic titles stands each at its right edge, as high as a left-to-right list's.
TEST_F(ListBoxFixture, ARightToLeftListOfTextStandsItsItemsAtItsRightEdge) {
    struct Ink {
        int Left = -1, Right = -1, Width = 0;
    };
    auto firstItemInk = [this](TListBox* box) {
        Paint(box);
        const TClientPixels shot = TClientPixels::Of(box->Handle());
        const std::uint32_t plain = shot.At(shot.Width - 1, shot.Height - 1);   // below the items
        Ink ink;
        ink.Width = shot.Width;
        for (int y = 0; y < box->ItemHeight(); ++y)
            for (int x = 0; x < shot.Width; ++x)
                if (shot.At(x, y) != plain) {
                    if (ink.Left < 0 || x < ink.Left) ink.Left = x;
                    ink.Right = std::max(ink.Right, x);
                }
        return ink;
    };
    TListBox* boxes[2];
    for (int i = 0; i < 2; ++i) {
        boxes[i] = Make<TListBox>(100);
        boxes[i]->SetTop(10 + 130 * i);
        boxes[i]->Font()->SetName("Arabic Transparent");
        boxes[i]->Font()->SetHeight(-16);
        boxes[i]->Items()->Add("1 - السبابتان"_a);
    }
    boxes[1]->SetBiDiMode(TBiDiMode::bdRightToLeft);
    Form->Show();
    EXPECT_EQ(boxes[1]->ItemHeight(), boxes[0]->ItemHeight());
    EXPECT_GT(boxes[0]->ItemHeight(), 10);
    EXPECT_EQ(boxes[1]->Items()->Strings(0), boxes[0]->Items()->Strings(0));
    const Ink left = firstItemInk(boxes[0]), right = firstItemInk(boxes[1]);
    EXPECT_GE(left.Left, 0);
    EXPECT_LT(left.Left, 6);
    EXPECT_GT(right.Left, 20);
    EXPECT_GE(right.Right, right.Width - 6);
    // the same letters, joined alike
    EXPECT_EQ(right.Right - right.Left, left.Right - left.Left);
}

TEST_F(ListBoxFixture, FreeingReleasesWindowsAndGdiObjects) {
    Form->Show();
    auto cycle = [&] {
        auto* box = Make<TDrawnListBox>();
        box->SetStyle(lbOwnerDrawFixed);
        box->Items()->Add("x");
        box->SetItemIndex(0);
        Paint(box);
        box->Free();
    };
    for (int i = 0; i < 20; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
