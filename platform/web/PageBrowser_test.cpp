#include "platform/web/PageBrowser.h"
#include <gtest/gtest.h>
#include <chrono>
#include <fstream>
#include <sstream>
#include "platform/graphics/TextShaping.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/web/StreamOnBytes.h"
#include "platform/web/testing/RecordingSink.h"

using namespace web;
using web_testing::RecordingSink;

namespace {

std::string ReadSource(const String& relative) {
    std::ifstream f(testing_support::SourcePath(relative), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// The first page of a lesson file, as the lesson form hands it to its view.
std::string FirstLessonPage(const std::string& file) {
    std::size_t start = file.find('\n') + 1;
    std::string line = file.substr(start, file.find('\n', start) - start);
    std::string data = line.substr(line.find(',') + 1);
    data = data.substr(0, data.rfind(','));
    return "<meta http-equiv=Content-Type content=\"text/html;charset=windows-1256\"><html><head></head>" + data;
}

// A shown top-level window holding the browser, 700 by 400.
struct BrowserWindow : ::testing::Test {
    HWND Top = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, 0, 0, 700, 400, nullptr, nullptr,
                               nullptr, nullptr);
    std::unique_ptr<TPageBrowser> Browser = std::make_unique<TPageBrowser>(Top);
    RecordingSink Sink;
    DWORD Cookie = 0;
    testing_support::TempFolder Files;

    BrowserWindow() { Browser->AdviseBrowserEvents(&Sink, Cookie); }
    ~BrowserWindow() override {
        Browser->UnadviseBrowserEvents(Cookie);
        Browser.reset();
        DestroyWindow(Top);
    }
    // Lets the queued load finish, as the program's message loop would.
    void Pump() {
        MSG msg;
        for (int i = 0; i < 1000 && Browser->Busy(); ++i) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    void LoadStream(const std::string& bytes) {
        auto stream = StreamOnBytes(bytes);
        Browser->PageDocument()->LoadFromStream(stream.Get());
        Pump();
    }
    // The view as painted: 0xRRGGBB pixels, top row first.
    std::vector<std::uint32_t> Pixels() {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 700, -400, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        Browser->PaintTo(dc);
        GdiFlush();
        std::vector<std::uint32_t> out(static_cast<std::uint32_t*>(bits), static_cast<std::uint32_t*>(bits) + 700 * 400);
        for (auto& p : out) p &= 0xFFFFFF;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return out;
    }
    const TPaintItem* Find(std::function<bool(const TPaintItem&)> match) {
        for (const TPaintItem& it : Browser->PageDocument()->Layout().Items())
            if (match(it)) return &it;
        return nullptr;
    }
};

}  // namespace

TEST_F(BrowserWindow, EventsComeInABrowsersOrderOnceThePageIsPainted) {
    Files.Write("page.htm", "<body><p>painted</p></body>");
    bool painted = false;
    int height = 0;
    Sink.OnInvoke = [&](DISPID id) {
        if (id != DispDocumentComplete) return;
        painted = !GetUpdateRect(Browser->Handle(), nullptr, FALSE);
        height = Browser->PageDocument()->Layout().Height();
    };
    Browser->Navigate2(ToWide(Files.File("page.htm")), 0);
    EXPECT_EQ(Sink.Calls, std::vector<DISPID>{DispBeforeNavigate2});
    EXPECT_TRUE(Browser->Busy());
    EXPECT_EQ(Browser->ReadyState(), ReadyStateLoading);
    Pump();
    EXPECT_EQ(Sink.Calls, (std::vector<DISPID>{DispBeforeNavigate2, DispDownloadBegin, DispDownloadComplete, DispDocumentComplete}));
    EXPECT_EQ(Browser->ReadyState(), ReadyStateComplete);
    EXPECT_TRUE(painted);
    EXPECT_GT(height, 0);
    EXPECT_EQ(Browser->Document()->Body()->InnerText(), L"painted");

    // a page loaded from a stream completes the same way, without a navigation of its own
    Sink.Calls.clear();
    LoadStream("<body>second</body>");
    EXPECT_EQ(Sink.Calls, (std::vector<DISPID>{DispDownloadBegin, DispDownloadComplete, DispDocumentComplete}));
    EXPECT_EQ(Browser->Document()->Body()->InnerText(), L"second");

    // a newer load wins over one still queued
    Sink.Calls.clear();
    Browser->Navigate2(L"about:<body>old</body>", 0);
    LoadStream("<body>new</body>");
    EXPECT_EQ(Browser->Document()->Body()->InnerText(), L"new");
    EXPECT_EQ(std::count(Sink.Calls.begin(), Sink.Calls.end(), DispDocumentComplete), 1);
}

TEST_F(BrowserWindow, LessonTwelvesFirstPageShowsItsColoursJoinedTitleAndKeyCells) {
    LoadStream(FirstLessonPage(ReadSource("../data/ALess/ALess12.txt")));
    std::vector<std::uint32_t> pixels = Pixels();
    auto at = [&](int x, int y) { return pixels[std::size_t(y) * 700 + std::size_t(x)]; };
    EXPECT_EQ(at(2, 398), 0x229ECEu);   // the page's own background colour

    // the title: one right-to-left run of joined letters, centred, drawn in white
    const TPaintItem* title = Find([](const TPaintItem& it) { return it.Kind == TPaintKind::Text && it.Node->Is(L"b"); });
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->RightToLeft);
    HDC dc = CreateCompatibleDC(nullptr);
    TPageMeasure measure;
    HGDIOBJ old = SelectObject(dc, measure.Font(title->Font));
    int isolated = 0;
    for (wchar_t c : title->Text) isolated += ShapedTextWidth(dc, std::wstring_view(&c, 1), false);
    EXPECT_EQ(title->Box.Width(), ShapedTextWidth(dc, title->Text, true));
    EXPECT_LT(title->Box.Width(), isolated);   // joined letters are narrower than their isolated forms
    SelectObject(dc, old);
    DeleteDC(dc);
    int white = 0;
    for (int y = title->Box.Top; y < title->Box.Bottom; ++y)
        for (int x = title->Box.Left; x < title->Box.Right; ++x) white += at(x, y) == 0xFFFFFFu;
    EXPECT_GT(white, 20);
    int left = 700, right = 0;   // the title's line, across its words
    for (const TPaintItem& it : Browser->PageDocument()->Layout().Items())
        if (it.Kind == TPaintKind::Text && it.Box.Top == title->Box.Top) {
            left = std::min(left, it.Box.Left);
            right = std::max(right, it.Box.Right);
        }
    EXPECT_NEAR((left + right) / 2, 350, 2);

    // the new keys' cells are yellow; every cell is painted in its own colour
    int yellow = 0, cells = 0;
    for (const TPaintItem& it : Browser->PageDocument()->Layout().Items()) {
        if (it.Kind != TPaintKind::Fill || !it.Node->Is(L"td")) continue;
        ++cells;
        EXPECT_EQ(at(it.Box.Left + 1, it.Box.Top + 1), it.Color);
        yellow += it.Color == 0xFFFF00u;
    }
    EXPECT_EQ(yellow, 2);
    EXPECT_GE(cells, 4);
}

TEST_F(BrowserWindow, RightToLeftTextEndsAtTheRightMargin) {
    LoadStream("<meta charset=windows-1256><body dir=rtl style=\"margin:10px\"><p>\xDF\xE1\xE3\xC9 \xDA\xD1\xC8\xED\xC9</p>");
    const TPaintItem* first = Find([](const TPaintItem& it) { return it.Kind == TPaintKind::Text && it.Text == L"\u0643\u0644\u0645\u0629"; });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Box.Right, 700 - 10);
    std::vector<std::uint32_t> pixels = Pixels();
    int inkRight = 0;
    for (int y = first->Box.Top; y < first->Box.Bottom; ++y)
        for (int x = 0; x < 700; ++x)
            if (pixels[std::size_t(y) * 700 + std::size_t(x)] != 0xFFFFFFu) inkRight = std::max(inkRight, x);
    EXPECT_GT(inkRight, 700 - 10 - 8);
    EXPECT_LE(inkRight, 700 - 10 + 2);
}

TEST_F(BrowserWindow, AnEnglishHelpPageTakesItsLinkedStyleSheet) {
    Browser->Navigate2(ToWide(testing_support::SourcePath("../data/help/en/index.htm")), 0);
    Pump();
    EXPECT_EQ(Browser->Document()->Title(), L"Welcome to Tapwise");
    const TPaintItem* heading = Find([](const TPaintItem& it) { return it.Kind == TPaintKind::Fill && it.Node->Is(L"h1"); });
    ASSERT_TRUE(heading);
    EXPECT_EQ(heading->Color, 0x31ADDDu);
    EXPECT_EQ(heading->Box.Left, 18);   // the sheet's body margin
    const TPaintItem* word = Find([](const TPaintItem& it) { return it.Kind == TPaintKind::Text && it.Text == L"Welcome"; });
    ASSERT_TRUE(word);
    EXPECT_FALSE(word->RightToLeft);
    EXPECT_EQ(word->Box.Left, 18 + 10);   // left to right, after the heading's padding
    std::vector<std::uint32_t> pixels = Pixels();
    EXPECT_EQ(pixels[std::size_t(heading->Box.Top + 2) * 700 + std::size_t(heading->Box.Left + 2)], 0x31ADDDu);
    EXPECT_EQ(pixels[std::size_t(398) * 700 + 2], 0xFFFFFFu);
    EXPECT_GT(Browser->PageDocument()->Layout().Height(), 400);   // taller than the view: it scrolls
    Browser->ScrollTo(20);
    EXPECT_EQ(Browser->ScrollY(), 20);
    Browser->ScrollTo(100000);
    EXPECT_EQ(Browser->ScrollY(), Browser->PageDocument()->Layout().Height() - 400);
}

TEST_F(BrowserWindow, BadPagesShowWhatCanBeReadAndNeverStall) {
    Files.Write("empty.htm", "");
    std::string binary;
    for (int i = 0; i < 200000; ++i) binary.push_back(char((i * 7919) % 256));
    Files.Write("binary.htm", binary);
    std::string big;
    while (big.size() < 10 * 1024 * 1024) big += "<p>a line of a very large page</p>\r\n";
    Files.Write("big.htm", big);
    Files.Write("damaged.bmp", "BM this is no picture");
    Files.Write("pictures.htm", "<body>before<img src=missing.bmp><img src=damaged.bmp width=40 height=30>after</body>");
    struct TCase {
        const char* Name;
        std::function<void()> Check;
    } cases[] = {
        {"missing.htm", [&] { EXPECT_EQ(Browser->Document()->Body()->InnerText(), L""); }},
        {"empty.htm", [&] { EXPECT_EQ(Browser->Document()->Body()->InnerText(), L""); }},
        {"binary.htm", [&] { EXPECT_TRUE(Browser->Document()->Body()); }},
        {"big.htm", [&] { EXPECT_GT(Browser->PageDocument()->Layout().Height(), 1000); }},
        {"pictures.htm", [&] {
             EXPECT_EQ(Browser->Document()->Body()->InnerText(), L"beforeafter");
             const TPaintItem* damaged = Find([](const TPaintItem& it) { return it.Kind == TPaintKind::Image && it.Box.Width() == 40; });
             EXPECT_TRUE(damaged);   // its box is kept, empty
             Pixels();
         }},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Sink.Calls.clear();
        auto start = std::chrono::steady_clock::now();
        Browser->Navigate2(ToWide(Files.File(c.Name)), 0);
        Pump();
        EXPECT_EQ(Sink.Calls.back(), DispDocumentComplete);
        c.Check();
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(), 20000);
    }
}

// Showing a lesson page with a picture, painting it on the screen and into another DC, then freeing
// the view gives back every GDI object and window it made: its fonts, the picture, the paint buffer.
TEST(PageBrowserLeak, ShowingAndPaintingAPageLeavesNothingBehind) {
    testing_support::TempFolder files;
    files.Write("page.htm", FirstLessonPage(ReadSource("../data/ALess/ALess12.txt")) + "<img src=\"" +
                                testing_support::SourcePath("../data/embedded/games/Race.jpg") + "\" width=60 height=40>");
    HWND top = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, 0, 0, 700, 400, nullptr, nullptr,
                               nullptr, nullptr);
    auto cycle = [&] {
        TPageBrowser browser(top);
        browser.Navigate2(ToWide(files.File("page.htm")), 0);
        MSG msg;
        for (int i = 0; i < 1000 && browser.Busy(); ++i)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        ASSERT_TRUE(std::any_of(browser.PageDocument()->Layout().Items().begin(), browser.PageDocument()->Layout().Items().end(),
                                [](const TPaintItem& it) { return it.Kind == TPaintKind::Image; }));
        InvalidateRect(browser.Handle(), nullptr, TRUE);
        UpdateWindow(browser.Handle());
        TMemoryDC dc;
        TGdiObject<HBITMAP> bitmap(CreateBitmap(700, 400, 1, 32, nullptr));
        TScopedSelect select(dc.Get(), bitmap.Get());
        browser.PaintTo(dc.Get());
    };
    cycle();   // caches filled once for the process (installed font families)
    const ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
    DestroyWindow(top);
}
