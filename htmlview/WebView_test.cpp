#include <gtest/gtest.h>
#include <chrono>
#include "htmlview/testing/WebViewFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/web/OleWebBrowser.h"
#include "platform/web/PageBrowser.h"

using web::TMemoryBrowser;
using web::TPageDocument;
using web_testing::RecordingSink;
using webview_testing::ViewFixture;

namespace {

const WideString ResetPage = L"about:<Head></Head>\r\n\r\n<Body></Body>\r\n";

}  // namespace

TEST_F(ViewFixture, TempFileRoadNeedsTheSinkThenWritesAndNavigates) {
    view->LoadViaTempFile("<body >a</body>");
    EXPECT_TRUE(browser.Navigations.empty());
    EXPECT_FALSE(FileExists(PageFile()));

    view->SetUnkParent(&host);
    browser.Navigations.clear();
    const String page = "<head><script>play(\"a\\b\")</script></head><body >\x9A</body>";
    view->LoadViaTempFile(page);
    EXPECT_EQ(view->InnerText(), page);
    ASSERT_EQ(browser.Navigations.size(), 1u);
    EXPECT_EQ(browser.Navigations[0], ToWide(PageFile()));
    String expected = page;
    view->PrepareHTML(expected);
    view->ExtractScriptBlock(expected);
    EXPECT_EQ(windows.Read("Temp/~1.htm"), expected);
    EXPECT_NE(Pos("play(\"a/b\")", expected), 0);
    EXPECT_EQ(view->Rewriter().PageScriptBlock(), "<script>play(\"a\\b\")</script>");

    view->LoadViaTempFile("<body >second</body>");   // the same file again
    EXPECT_NE(Pos("second", windows.Read("Temp/~1.htm")), 0);
    EXPECT_EQ(view->TempFiles(), (std::vector<String>{PageFile(), PageFile()}));
}

TEST_F(ViewFixture, StreamRoadLoadsThePreparedPageIntoTheDocument) {
    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    view->SetUnkParent(&host);
    const String page = "<html><head><title>t</title></head><body bgcolor=red>\x80</body>\n</html>";
    view->LoadViaStream(page);

    String prepared = page;
    view->PrepareHTML(prepared);
    EXPECT_EQ(doc->LoadedBytes(), prepared + " ");
    EXPECT_EQ(view->InnerText(), page);
    EXPECT_EQ(view->PendingText(), prepared);
    EXPECT_TRUE(view->CanDownLoad());
    EXPECT_EQ(Pos("<head><title>t</title>", view->Rewriter().HeadPart()), 1);
    EXPECT_NE(Pos("<Base href=", view->Rewriter().HeadPart()), 0);
    EXPECT_EQ(Pos("<body ", view->Rewriter().BodyPart()), 1);
}

TEST_F(ViewFixture, StreamRoadWithoutADocumentResetsAndLoadsNothing) {
    view->LoadViaStream("<body >x</body>");   // no sink: prepared, nothing loaded
    EXPECT_EQ(view->InnerText(), "<body >x</body>");
    EXPECT_EQ(browser.Navigations, std::vector<WideString>{ResetPage});
    EXPECT_TRUE(view->CanDownLoad());
}

TEST_F(ViewFixture, XmlIsTransformedAndItsEncodingRemembered) {
    windows.Write("page.xsl",
                  "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                  "<xsl:output method=\"html\"/>"
                  "<xsl:template match=\"/p\"><body>UTF-16 <xsl:value-of select=\".\"/></body></xsl:template>"
                  "</xsl:stylesheet>");
    view->SetXSLFile(windows.File("page.xsl"));
    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    view->SetUnkParent(&host);

    view->LoadViaStream("<?xml version=\"1.0\" encoding=\"Windows-1256\"?><p>نص</p>"_a);
    EXPECT_EQ(view->XMLEncoding(), "Windows-1256");
    // the parser's "UTF-16" (of its output declaration) becomes the page's own encoding
    EXPECT_NE(Pos("<body>Windows-1256 نص</body>"_a, view->InnerText()), 0) << view->InnerText();
    EXPECT_NE(Pos("نص"_a, doc->LoadedBytes()), 0);

    view->LoadViaTempFile("<?xml version=\"1.0\"?><p>b</p>");   // no encoding: the last one is used
    EXPECT_NE(Pos("<body>Windows-1256 b</body>", view->InnerText()), 0) << view->InnerText();
}

TEST_F(ViewFixture, SinkIsAdvisedOnceAndTheResetPageShown) {
    view->SetUnkParent(&host);
    view->SetUnkParent(&host);   // the lesson form does this on every activation
    EXPECT_EQ(browser.Events.SinkCount(), 1);
    EXPECT_EQ(browser.Navigations, (std::vector<WideString>{ResetPage, ResetPage}));
    browser.Events.Fire(web::DispDownloadComplete);
    EXPECT_EQ(host.Calls, std::vector<DISPID>{104});
    EXPECT_TRUE(boxes.empty());

    TMemoryBrowser refusing;
    refusing.Events.AdviseResult = E_FAIL;
    TWebView other(nullptr);
    other.SetBrowser(&refusing);
    other.ShowMessageBox = view->ShowMessageBox;
    other.SetUnkParent(&host);
    EXPECT_EQ(boxes, std::vector<String>{"Event Sink: Failed To Advise Browser"});
    EXPECT_EQ(other.UnkParent(), &host);
}

TEST_F(ViewFixture, NewDocumentIsAdvisedAndGetsTheDisplaySettings) {
    view->SetUnkParent(&host);
    int done = 0;
    int self = 0;
    view->EventSender = reinterpret_cast<TObject*>(&self);
    view->OnDocumentDone = [&](TObject* sender) { EXPECT_EQ(sender, view->EventSender); ++done; };
    view->AdviseDocument();   // no document yet
    EXPECT_EQ(done, 0);

    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    view->AdviseDocument();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(doc->Events().SinkCount(), 1);
    EXPECT_EQ(doc->BodyElement()->StyleProperty(L"direction"), L"rtl");
    EXPECT_EQ(doc->BodyElement()->BgColor(), L"#229ece");   // 2268878: red 34, green 158, blue 206
    doc->FireEvent(web::DispClick);
    EXPECT_EQ(host.Calls, std::vector<DISPID>{-600});

    auto next = std::make_shared<TPageDocument>();
    next->BodyElement()->SetAttribute(L"bgcolor", L"white");
    browser.CurrentDocument = next;
    view->SetTextOrient(TTextOrient::LTR);
    view->AdviseDocument();
    EXPECT_EQ(doc->Events().SinkCount(), 0);
    EXPECT_EQ(next->Events().SinkCount(), 1);
    EXPECT_EQ(next->BodyElement()->BgColor(), L"white");
    EXPECT_EQ(next->BodyElement()->StyleProperty(L"direction"), L"ltr");

    next->Events().AdviseResult = E_FAIL;
    view->AdviseDocument();
    EXPECT_EQ(boxes, std::vector<String>{"Event Sink: Failed To Advise Document"});
    EXPECT_EQ(done, 3);
}

TEST_F(ViewFixture, DirectionAndColourRules) {
    view->SetBackGroundColor(-16777201);   // a system colour is skipped after a load ...
    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    browser.BusyValue = true;
    view->SetTextOrient(TTextOrient::LTR);
    view->ApplyRightToLeft();
    EXPECT_EQ(doc->BodyElement()->StyleProperty(L"direction"), L"");
    EXPECT_EQ(view->TextOrient(), TTextOrient::LTR);
    browser.BusyValue = false;
    auto body = doc->BodyElement();   // the element keeps what its style query answers while it lives
    body->StyleAnswers = false;
    view->ApplyRightToLeft();
    EXPECT_EQ(view->TextOrient(), TTextOrient::LTR);

    view->ApplyDisplaySettings();
    EXPECT_EQ(doc->BodyElement()->BgColor(), L"");
    view->SetBackGroundColor(int(0xFF000005));   // ... and assigned directly, its low bytes are used
    EXPECT_EQ(doc->BodyElement()->BgColor(), L"#050000");
    view->SetBackGroundImage("bg.jpg");
    EXPECT_EQ(doc->BodyElement()->Attribute(L"background"), L"bg.jpg");
}

TEST_F(ViewFixture, ResetWaitIsBoundedAndSkippedWhileTheHostIsHidden) {
    std::uint32_t now = 1000;
    rtl::SetTickSource([&] { return now; });
    int pumped = 0;
    browser.ReadyStateValue = web::ReadyStateLoading;   // a page that never completes
    view->ProcessMessages = [&] { ++pumped; now += 500; };
    view->HostShowing = [] { return false; };
    view->ResetDocument(true);
    EXPECT_EQ(pumped, 0);
    view->HostShowing = [] { return true; };
    view->ResetDocument(true);
    EXPECT_EQ(pumped, 6);
    browser.NavigateFails = true;
    pumped = 0;
    view->ResetDocument(true);
    EXPECT_EQ(browser.StopCount, 1);
    EXPECT_EQ(pumped, 6);
    rtl::SetTickSource({});
}

TEST_F(ViewFixture, InPlaceRoadAndClearPage) {
    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    view->SetInnerText("<body >\x9A</body>");
    EXPECT_EQ(view->InnerText(), "");   // the stored value is not changed by this road
    String prepared = "<body >\x9A</body>";
    view->PrepareHTML(prepared);
    EXPECT_EQ(doc->BodyElement()->InnerHTML(), webview_testing::AsInnerHTML(prepared));
    EXPECT_EQ(view->PendingText(), prepared);
    ASSERT_EQ(browser.Navigations.size(), 1u);
    EXPECT_NE(browser.Navigations[0].find(L"<HEAD> <Base href="), WideString::npos);

    view->SetUnkParent(&host);
    view->LoadViaStream("<body >x</body>");
    const int loads = doc->LoadCount();
    view->ClearPage();
    EXPECT_EQ(view->InnerText(), "");
    EXPECT_EQ(view->PendingText(), "");
    EXPECT_EQ(browser.Navigations.back(), ResetPage);
    EXPECT_EQ(doc->LoadCount(), loads);   // the empty text is not loaded, only the blank page shown
}

TEST_F(ViewFixture, ActiveSplitHasNoSplitToShow) {
    int raised = 0;
    view->OnNewSplit = [&](TObject*, int) { ++raised; };
    view->OnSplitData = [&](TObject*, int, String&, int&) { ++raised; };
    browser.CurrentDocument = std::make_shared<TPageDocument>();
    for (int value : {3, 1, 0, -1}) view->SetActiveSplit(value);
    EXPECT_EQ(view->ActiveSplit(), 0);
    EXPECT_EQ(raised, 0);
    EXPECT_TRUE(browser.Navigations.empty());
}

TEST_F(ViewFixture, TitleSelectionAndPendingText) {
    view->SetDocumentTitle("kept?");
    EXPECT_EQ(view->DocumentTitle(), "");   // no document: not kept
    EXPECT_EQ(view->GetSelection(), L"");

    auto doc = std::make_shared<TPageDocument>();
    browser.CurrentDocument = doc;
    view->SetDocumentTitle("JAPANESE");
    EXPECT_EQ(doc->Title(), L"JAPANESE");
    EXPECT_EQ(view->DocumentTitle(), "JAPANESE");
    const WideString longText(600, L'x');
    doc->SetSelectedText(longText);
    EXPECT_EQ(view->GetSelection(), longText);   // SelectionLength limits only the page's copy script

    view->SetInnerText("<body >p</body>");
    auto active = doc->BodyElement()->Add(L"div");
    doc->SetActiveElement(active);
    view->RestorePendingText();
    EXPECT_EQ(active->InnerHTML(), L"");   // a document that does not answer the query
    doc->TextRangeAnswers = true;
    view->RestorePendingText();
    EXPECT_EQ(active->InnerHTML(), webview_testing::AsInnerHTML(view->PendingText()));
}

TEST_F(ViewFixture, PageFilesAreReplacedAndDeletedWithTheView) {
    view->SetUnkParent(&host);
    windows.Write("Temp/~1.xml", "old");
    view->LoadViaTempFile("<body >a</body>");
    ASSERT_TRUE(FileExists(PageFile()));
    TWebView::SaveBufferToFile(PageFile(), "new bytes");
    EXPECT_EQ(windows.Read("Temp/~1.htm"), "new bytes");
    view.reset();
    EXPECT_FALSE(FileExists(PageFile()));
    EXPECT_FALSE(FileExists(windows.File("Temp\\~1.xml")));
    EXPECT_EQ(browser.Events.SinkCount(), 0);
}

// The view's own browser, the system's control on this machine (engine-less under Wine): it is
// advised, both roads load and return at once, and nothing asks the user anything.
TEST(WebViewOnTheSystemBrowser, AdvisesAndLoadsThroughBothRoadsWithoutWaitingOrMessages) {
    std::vector<String> boxes;
    auto oldBox = SetPlatformMessageBox([&](const String& t, const String& c, UINT) { boxes.push_back(c + ": " + t); return IDOK; });
    testing_support::TempFolder windows;
    TWebViewSink sink;
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(-2000, -2000, 640, 480);
    form->Show();   // the reset wait runs only while the host shows
    auto* view = new TWebView(form);
    view->SetParent(form);
    view->SetAlign(alClient);
    view->WindowsFolder = [&] { return windows.Path(); };
    sink.SetView(view);
    EXPECT_EQ(view->EventSender, view);

    auto elapsedMs = [](auto&& load) {
        auto start = std::chrono::steady_clock::now();
        load();
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    };
    EXPECT_LT(elapsedMs([&] { view->SetUnkParent(&sink); }), 100);
    ASSERT_TRUE(view->OleBrowser() || view->PageBrowser());   // the system's control, or ours without an engine
    EXPECT_EQ(view->BoundsRect(), form->ClientRect());
    EXPECT_GT(sink.RefCount(), 1u);   // the view and the browser's connection
    EXPECT_LT(elapsedMs([&] { view->LoadViaTempFile("<html><body>page one</body></html>"); }), 100);
    EXPECT_TRUE(FileExists(windows.Path() + "/Temp/~1.htm"));
    EXPECT_LT(elapsedMs([&] { view->LoadViaStream("<html><body>page two</body></html>"); }), 100);
    EXPECT_TRUE(view->CanDownLoad());
    EXPECT_EQ(view->InnerText(), "<html><body>page two</body></html>");

    form->Free();   // frees the view: the browser first, then its files and connections
    EXPECT_FALSE(FileExists(windows.Path() + "/Temp/~1.htm"));
    EXPECT_EQ(sink.RefCount(), 0u);
    SetPlatformMessageBox(oldBox);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

// Without an HTML engine the view shows pages through our own renderer: a page loaded from a
// stream is laid out, painted and completed, and a click on a rendered link reaches the view's
// anchor event with the link's path.
TEST(WebViewOnOurRenderer, ARenderedLinkClickReachesTheAnchorEvent) {
    if (web::HtmlEngineAvailable()) GTEST_SKIP() << "the system's engine shows the pages here";
    TWebViewSink sink;
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 640, 480);
    form->Show();
    auto* view = new TWebView(form);
    view->SetParent(form);
    view->SetAlign(alClient);
    testing_support::TempFolder windows;
    view->WindowsFolder = [&] { return windows.Path(); };
    view->SetBackGroundColor(13540898);
    sink.SetView(view);
    view->SetUnkParent(&sink);
    int done = 0;
    view->OnDocumentDone = [&](TObject*) { ++done; };
    std::vector<std::pair<WideString, WideString>> anchors;
    view->OnAnchor = [&](TObject*, const WideString& href, const WideString& name) { anchors.emplace_back(href, name); };

    view->LoadViaStream("<body dir=rtl><p><a id=QZV href=\"C:\\lessons\\page2.htm\">next</a></p></body>");
    web::TPageBrowser* browser = view->PageBrowser();
    ASSERT_TRUE(browser);
    for (int i = 0; i < 100 && browser->Busy(); ++i) Application->ProcessMessages();
    EXPECT_GE(done, 1);
    // the view's display settings reach the rendered page: its colour and direction
    EXPECT_EQ(browser->PageDocument()->Layout().Canvas().Color, 0x229ECEu);
    const web::TPaintItem* link = nullptr;
    for (const web::TPaintItem& it : browser->PageDocument()->Layout().Items())
        if (it.Kind == web::TPaintKind::Text && it.Text == L"next") link = &it;
    ASSERT_TRUE(link);
    EXPECT_GT(link->Box.Left, 320);   // right to left: at the right of the view
    const LPARAM at = MAKELPARAM(link->Box.Left + 2, link->Box.Top + 2);
    SendMessageW(browser->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(browser->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(anchors, (std::vector<std::pair<WideString, WideString>>{{L"page2.htm", L"C:\\lessons\\"}}));
    EXPECT_FALSE(browser->Busy());   // the link's own navigation was cancelled
    form->Free();
}
