#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/ui/Application.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/testing/ResourceCounts.h"

namespace {

class TDrawnComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
    struct Drawn {
        int Index;
        TOwnerDrawState State;
    };
    std::vector<Drawn> Seen;
protected:
    void DrawItem(int index, const TRect& rect, TOwnerDrawState state) override {
        Seen.push_back({index, state});
        TCustomComboBox::DrawItem(index, rect, state);
    }
};

struct ComboBoxFixture : ::testing::Test {
    TForm* Form = nullptr;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 300, 300);
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }
    template <class T>
    T* Make(TComboBoxStyle style) {
        auto* box = new T(Form);
        box->SetParent(Form);
        box->SetBounds(10, 10, 150, 24);
        box->SetStyle(style);
        for (const char* s : {"one", "two", "three"}) box->Items()->Add(s);
        return box;
    }
    static HWND ListOf(TWinControl* box) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(box->Handle(), &info);
        return info.hwndList;
    }
};

}  // namespace

TEST_F(ComboBoxFixture, ItemIndexFollowsTheSelectionAndEventsFireAsTheClassLibrarys) {
    auto* box = Make<TComboBox>(csDropDownList);
    std::vector<std::string> order;
    box->OnClick = [&](TObject*) { order.push_back("click " + box->Text()); };
    box->OnChange = [&](TObject*) { order.push_back("change"); };
    Form->Show();
    box->SetItemIndex(0);                   // by code: nothing fires
    EXPECT_TRUE(order.empty());
    SendMessageW(box->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->Text(), "two");
    EXPECT_EQ(order, (std::vector<std::string>{"click two", "change"}));

    int selects = 0;
    box->OnSelect = [&](TObject*) { ++selects; };
    order.clear();
    SendMessageW(box->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(order, (std::vector<std::string>{"click three"}));
}

TEST_F(ComboBoxFixture, TypingInTheEditPartIsAChangeOnly) {
    auto* box = Make<TComboBox>(csDropDown);
    int changes = 0, clicks = 0;
    box->OnChange = [&](TObject*) { ++changes; };
    box->OnClick = [&](TObject*) { ++clicks; };
    Form->Show();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(box->Handle(), &info);
    ASSERT_NE(info.hwndItem, nullptr);
    SendMessageW(info.hwndItem, WM_CHAR, 0x0628, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(box->Text(), "ب"_a);
    EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(ComboBoxFixture, OwnerDrawnSelectionFieldIsTheComboBoxEdit) {
    auto* box = Make<TDrawnComboBox>(csOwnerDrawFixed);
    box->SetItemHeight(22);
    box->SetItemIndex(1);
    Form->Show();
    box->Seen.clear();
    RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(box->Seen.empty());
    EXPECT_EQ(box->Seen.back().Index, 1);
    EXPECT_NE(box->Seen.back().State & odComboBoxEdit, 0u);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETITEMHEIGHT, 0, 0), 22);

    int dropped = 0;
    box->OnDropDown = [&](TObject*) { ++dropped; };
    box->SetDropDownCount(2);
    box->Seen.clear();
    box->SetDroppedDown(true);
    UpdateWindow(ListOf(box));
    EXPECT_EQ(dropped, 1);
    EXPECT_TRUE(box->DroppedDown());
    bool listItem = false;
    for (const auto& d : box->Seen) listItem |= (d.State & odComboBoxEdit) == 0;
    EXPECT_TRUE(listItem);
    RECT r;
    GetClientRect(ListOf(box), &r);
    EXPECT_LE(r.bottom, 2 * 22 + 4);        // DropDownCount items, not the whole list
    box->SetDroppedDown(false);
}

TEST_F(ComboBoxFixture, ItemsTextAndSelectionSurviveRecreateWnd) {
    auto* box = Make<TComboBox>(csDropDownList);
    TObject marker;
    box->Items()->PutObject(2, &marker);
    box->SetItemIndex(2);
    HWND before = box->Handle();
    box->SetSorted(true);
    EXPECT_NE(box->Handle(), before);
    EXPECT_EQ(box->Items()->Text(), "one\r\nthree\r\ntwo\r\n");
    EXPECT_EQ(box->Items()->Objects(1), &marker);
    EXPECT_EQ(box->Text(), "three");

    box->SetStyle(csDropDown);
    box->SetText("typed");
    box->RecreateWnd();
    EXPECT_EQ(box->Text(), "typed");
    EXPECT_EQ(box->Items()->Count(), 3);
    EXPECT_EQ(box->Items()->IndexOf("THREE"), 1);
    EXPECT_EQ(box->Items()->IndexOf("thr"), -1);
    box->Items()->Clear();
    EXPECT_EQ(box->Text(), "");
}

TEST_F(ComboBoxFixture, FreeingReleasesWindowsAndGdiObjects) {
    Form->Show();
    auto cycle = [&] {
        auto* box = Make<TDrawnComboBox>(csOwnerDrawFixed);
        box->SetItemIndex(0);
        UpdateWindow(box->Handle());
        box->Free();
    };
    for (int i = 0; i < 20; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
