#include "platform/ui/Menus.h"
#include "platform/ui/testing/ShownForm.h"

using MenusTest = ShownFormFixture;

TEST_F(MenusTest, ChosenItemClicksFromTheMenusCommand) {
    auto* menu = new TPopupMenu(Form);
    auto item = [&](const String& caption) {
        auto* i = new TMenuItem(Form);
        i->SetCaption(caption);
        return i;
    };
    TMenuItem* open = item("فتح"_a);
    TMenuItem* line = item("-");
    TMenuItem* more = item("More");
    TMenuItem* deep = item("Deep");
    TMenuItem* off = item("Off");
    off->SetEnabled(false);
    menu->Items()->Add(open);
    menu->Items()->Add(line);
    menu->Items()->Add(more);
    more->Add(deep);
    menu->Items()->Add(off);
    open->SetChecked(true);
    std::vector<TObject*> clicked;
    for (TMenuItem* i : {open, deep, off}) i->OnClick = [&](TObject* s) { clicked.push_back(s); };

    EXPECT_NE(open->Command(), deep->Command());
    SendMessageW(menu->WindowHandle(), WM_COMMAND, MAKEWPARAM(deep->Command(), 0), 0);
    SendMessageW(menu->WindowHandle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    SendMessageW(menu->WindowHandle(), WM_COMMAND, MAKEWPARAM(off->Command(), 0), 0);
    EXPECT_FALSE(menu->DispatchCommand(0));
    EXPECT_EQ(clicked, (std::vector<TObject*>{deep, open}));

    // the system menu shows what the items say
    HMENU h = menu->Items()->BuildMenu(true);
    ASSERT_EQ(GetMenuItemCount(h), 4);
    wchar_t text[32]{};
    GetMenuStringW(h, 0, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"\u0641\u062A\u062D");
    EXPECT_TRUE(GetMenuState(h, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(h, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(h, 2), 0), deep->Command());
    EXPECT_TRUE(GetMenuState(h, 3, MF_BYPOSITION) & MF_GRAYED);
    DestroyMenu(h);

    // an item freed by its owner leaves the menu
    deep->Free();
    EXPECT_EQ(more->Count(), 0);
}
