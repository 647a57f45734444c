#include "platform/ui/Notebook.h"
#include "platform/ui/Button.h"
#include "platform/ui/testing/ShownForm.h"

using NotebookTest = ShownFormFixture;

TEST_F(NotebookTest, ShowsOnlyItsActivePage) {
    auto* book = new TNotebook(Form);
    book->SetParent(Form);
    book->SetBounds(0, 0, 200, 150);
    book->Pages()->SetText("ProgressPage\r\nSummaryPage\r\nProficiencyPage\r\nGraphicPage");
    ASSERT_EQ(book->PageCount(), 4);
    EXPECT_EQ(book->PageIndex(), 0);
    auto* button = new TButton(Form);
    button->SetParent(book->Page(2));
    Application->ProcessMessages();

    auto shown = [&] {
        std::vector<bool> v;
        for (int i = 0; i < book->PageCount(); ++i) v.push_back(IsWindowVisible(book->Page(i)->Handle()) != 0);
        return v;
    };
    EXPECT_EQ(shown(), (std::vector<bool>{true, false, false, false}));
    EXPECT_FALSE(IsWindowVisible(button->Handle()));
    int changes = 0;
    book->OnPageChanged = [&](TObject*) { ++changes; };
    book->SetActivePage("proficiencypage");
    EXPECT_EQ(book->PageIndex(), 2);
    EXPECT_EQ(book->ActivePage(), "ProficiencyPage");
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true, false}));
    EXPECT_TRUE(IsWindowVisible(button->Handle()));
    EXPECT_EQ(book->Page(2)->BoundsRect(), book->ClientRect());
    book->SetActivePage("Nowhere");
    book->SetPageIndex(9);
    EXPECT_EQ(book->PageIndex(), 2);
    EXPECT_EQ(changes, 1);

    // deleting the active page frees its controls and shows the next one
    int owned = Form->ComponentCount();
    book->Pages()->Delete(2);
    EXPECT_EQ(Form->ComponentCount(), owned - 1);
    EXPECT_EQ(book->PageCount(), 3);
    EXPECT_EQ(book->ActivePage(), "GraphicPage");
    EXPECT_EQ(shown(), (std::vector<bool>{false, false, true}));
    book->Pages()->Insert(0, "First");
    EXPECT_EQ(book->ActivePage(), "GraphicPage");
    EXPECT_EQ(book->PageIndex(), 3);
}
