#include "platform/web/HelpWindow.h"
#include <gtest/gtest.h>
#include "platform/testing/TestSupport.h"
#include "platform/ui/testing/ClientPixels.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/web/CompiledHelp.h"
#include "platform/web/PageBrowser.h"
#include "platform/web/PageResources.h"

using namespace web;

namespace {

WideString HelpFile(const char* name) { return ToWide(testing_support::SourcePath(String("..\\data\\chm\\") + name)); }

void Pump(TPageBrowser* page) {
    MSG msg;
    for (int i = 0; i < 1000 && page->Busy(); ++i)
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
}

RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// The columns between which the first entry of the index is drawn, and the list's width.
struct TEntryInk {
    int Left = -1, Right = -1, Width = 0;
};

// The topics of the contents whose names the tree cuts off at its edge.
std::vector<WideString> CutTopics(THelpWindow* window) {
    RECT client{};
    GetClientRect(window->Contents(), &client);
    std::vector<WideString> cut;
    for (HTREEITEM item = TreeView_GetRoot(window->Contents()); item;
         item = TreeView_GetNextItem(window->Contents(), item, TVGN_NEXTVISIBLE)) {
        RECT text{};
        *reinterpret_cast<HTREEITEM*>(&text) = item;
        SendMessageW(window->Contents(), TVM_GETITEMRECT, TRUE, LPARAM(&text));
        if (text.left < 0 || text.right > client.right) {
            wchar_t name[128] = {};
            TVITEMW get{};
            get.mask = TVIF_TEXT;
            get.hItem = item;
            get.pszText = name;
            get.cchTextMax = 128;
            TreeView_GetItem(window->Contents(), &get);
            cut.push_back(name);
        }
    }
    return cut;
}

TEntryInk FirstIndexEntryInk(THelpWindow* window) {
    window->ShowTab(1);
    UpdateWindow(window->IndexList());
    const TClientPixels shot = TClientPixels::Of(window->IndexList());
    const COLORREF plain = GetSysColor(COLOR_WINDOW);
    const std::uint32_t background = (GetRValue(plain) << 16) | (GetGValue(plain) << 8) | GetBValue(plain);
    const int rows = std::min(shot.Height, int(SendMessageW(window->IndexList(), LB_GETITEMHEIGHT, 0, 0)));
    TEntryInk ink;
    ink.Width = shot.Width;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < shot.Width; ++x)
            if (shot.At(x, y) != background) {
                if (ink.Left < 0 || x < ink.Left) ink.Left = x;
                ink.Right = std::max(ink.Right, x);
            }
    window->ShowTab(0);
    return ink;
}

}  // namespace

TEST(CompiledHelpTest, FilesAreReadThroughTheSystemsStorage) {
    auto help = TCompiledHelp::Open(HelpFile("HelpE.chm"));
    ASSERT_TRUE(help);
    auto page = help->Read(L"index.htm");
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("Welcome to Tapwise"), std::string::npos);
    EXPECT_TRUE(help->Read(L"/help.css"));
    EXPECT_FALSE(help->Read(L"/no such page.htm"));
    EXPECT_FALSE(TCompiledHelp::Open(HelpFile("missing.chm")));
    testing_support::TempFolder folder;
    folder.Write("plain.chm", "this is no compiled help");
    EXPECT_FALSE(TCompiledHelp::Open(ToWide(folder.File("plain.chm"))));

    // a page's references resolve inside the help file
    const WideString index = CompiledHelpUrl(HelpFile("HelpE.chm"), L"/index.htm");
    EXPECT_EQ(ResolveUrl(index, L"options.htm"), CompiledHelpUrl(HelpFile("HelpE.chm"), L"/options.htm"));
    EXPECT_TRUE(ReadUrl(ResolveUrl(index, L"help.css")));
}

TEST(HelpWindowTest, ContentsIndexAndPagesInTheInterfaceLanguage) {
    ASSERT_TRUE(THelpWindow::Show(HelpFile("HelpE.chm"), false));
    THelpWindow* window = THelpWindow::Current();
    ASSERT_TRUE(window);
    Pump(window->Page());
    ASSERT_FALSE(window->Topics().empty());
    EXPECT_EQ(window->Topics().front().Name, L"Welcome to Tapwise");
    EXPECT_EQ(window->Topics().front().Local, L"index.htm");
    EXPECT_TRUE(std::any_of(window->Topics().begin(), window->Topics().end(), [](const THelpTopic& t) { return t.Level == 1; }));
    EXPECT_EQ(TreeView_GetCount(window->Contents()), window->Topics().size());
    EXPECT_EQ(SendMessageW(window->IndexList(), LB_GETCOUNT, 0, 0), LRESULT(window->Index().size()));
    EXPECT_GT(window->Index().size(), 10u);
    // the first topic is shown, with its style sheet
    EXPECT_EQ(window->Page()->Document()->Title(), L"Welcome to Tapwise");
    EXPECT_GT(window->Page()->PageDocument()->Layout().Height(), 100);
    // every topic's name is read whole
    EXPECT_EQ(CutTopics(window), std::vector<WideString>{});
    // English: the contents on the left of the page
    EXPECT_LT(WindowRect(window->Contents()).left, WindowRect(window->Page()->Handle()).left);

    // a topic of the contents and an entry of the index show their pages
    auto options = std::find_if(window->Topics().begin(), window->Topics().end(), [](const THelpTopic& t) { return t.Local == L"options.htm"; });
    ASSERT_NE(options, window->Topics().end());
    window->ShowTopic(std::size_t(options - window->Topics().begin()));
    Pump(window->Page());
    EXPECT_EQ(window->Page()->Document()->Title(), L"Options");
    window->ShowIndexEntry(0);
    Pump(window->Page());
    EXPECT_EQ(UrlFileName(window->Page()->Url()), window->Index()[0].Local);
    // English entries start at the list's left edge
    const TEntryInk english = FirstIndexEntryInk(window);
    EXPECT_GE(english.Left, 0);
    EXPECT_LT(english.Left, 8);
    EXPECT_LT(english.Right, english.Width / 2);

    // Arabic: the same window takes the other file, its contents on the right
    ASSERT_TRUE(THelpWindow::Show(HelpFile("HelpA.chm"), true));
    EXPECT_EQ(THelpWindow::Current(), window);
    Pump(window->Page());
    EXPECT_GT(WindowRect(window->Contents()).left, WindowRect(window->Page()->Handle()).left);
    EXPECT_NE(window->Topics().front().Name, L"Welcome to Tapwise");
    EXPECT_EQ(CutTopics(window), std::vector<WideString>{});
    EXPECT_TRUE(window->Page()->PageDocument()->Layout().Items().size() > 10);
    // the Arabic ones end at its right edge, and what is typed above them selects the first
    // entry it begins
    const TEntryInk arabic = FirstIndexEntryInk(window);
    EXPECT_GT(arabic.Left, arabic.Width / 3);
    EXPECT_GT(arabic.Right, arabic.Width - 8);
    struct Typed {
        const wchar_t* text;
        const wchar_t* selected;
    };
    for (const Typed& t : {Typed{L"\u0627\u0644\u062f", L"\u0627\u0644\u062f\u0631\u0648\u0633"},
                           Typed{L"\u0644", L"\u0644\u0639\u0628\u0629 \u0627\u0644\u0643\u0644\u0645\u0627\u062a \u0627\u0644\u0637\u0627\u0626\u0631\u0629"},
                           Typed{L"\u0632\u0631 shift", L"\u0632\u0631 Shift \u0641\u064a \u062e\u0631\u064a\u0637\u0629 \u0627\u0644\u0623\u0632\u0631\u0627\u0631"}}) {
        SetWindowTextW(window->IndexEdit(), t.text);
        const LRESULT selected = SendMessageW(window->IndexList(), LB_GETCURSEL, 0, 0);
        ASSERT_GE(selected, 0) << Cp1256ToUtf8(FromWide(t.text));
        EXPECT_EQ(window->Index()[std::size_t(selected)].Name, t.selected);
    }

    THelpWindow::CloseCurrent();
    EXPECT_FALSE(THelpWindow::Current());
    EXPECT_FALSE(THelpWindow::Show(HelpFile("missing.chm"), false));
    EXPECT_FALSE(THelpWindow::Current());
}

TEST(HelpWindowTest, TopicsOfAContentsFileKeepTheirOrderAndDepth) {
    auto topics = ReadHelpTopics("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"><param name=\"Local\" "
                                 "value=\"a.htm\"></OBJECT><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                                 "value=\"B\"></OBJECT></UL><LI><OBJECT><param name=\"Name\" value=\"C\"><param name=\"Local\" "
                                 "value=\"c.htm\"></OBJECT></UL>");
    ASSERT_EQ(topics.size(), 3u);
    EXPECT_EQ(topics[0].Name, L"A");
    EXPECT_EQ(topics[0].Level, 0);
    EXPECT_EQ(topics[1].Name, L"B");
    EXPECT_EQ(topics[1].Level, 1);
    EXPECT_EQ(topics[1].Local, L"");
    EXPECT_EQ(topics[2].Local, L"c.htm");
    EXPECT_TRUE(ReadHelpTopics("not a contents file").empty());
}

// Opening the help, turning it to the other language and closing it gives back every window and
// GDI object: the controls made for each file, their font, the page view's.
TEST(HelpWindowTest, OpeningAndClosingLeavesNothingBehind) {
    auto cycle = [] {
        ASSERT_TRUE(THelpWindow::Show(HelpFile("HelpE.chm"), false));
        Pump(THelpWindow::Current()->Page());
        ASSERT_TRUE(THelpWindow::Show(HelpFile("HelpA.chm"), true));
        Pump(THelpWindow::Current()->Page());
        THelpWindow::CloseCurrent();
    };
    cycle();
    const ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
