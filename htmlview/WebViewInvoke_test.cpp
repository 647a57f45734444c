#include <gtest/gtest.h>
#include "htmlview/testing/WebViewFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/web/OleWebBrowser.h"

using web::TPageElement;
using webview_testing::HostedViewFixture;

namespace {

struct TAnchorCase {
    const wchar_t* id;
    const wchar_t* name;
    const wchar_t* href;
    bool intercepted;
    const wchar_t* givenHref;
    const wchar_t* givenName;
};

}  // namespace

TEST_F(HostedViewFixture, OnlyQzvAnchorsAreTakenFromTheBrowser) {
    const TAnchorCase cases[] = {
        {L"other", L"", L"file:///C:/pages/x.htm", false, L"", L""},
        {nullptr, L"", L"file:///C:/pages/x.htm", false, L"", L""},
        {L"qzv", L"", L"file:///C:/pages/x.htm", false, L"", L""},
        {L"QZV", L"", L"C:\\pages\\x.htm", true, L"x.htm", L"C:\\pages\\"},
        {L"QZV", L"lesson3", L"file:///C:/pages/x.htm", true, L"x.htm", L"lesson3"},
        {L"QZV", L"", L"http://site/a.htm", true, L"http://site/a.htm", L""},   // no local path: the whole href
        {L"QZV", L"", L"x.htm", true, L"x.htm", L""},
    };
    int clicks = 0;
    view->OnClick = [&](TObject*, int, int) { ++clicks; };
    for (const TAnchorCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.id ? c.id : L"(no id)") << " " << c.name << " " << c.href);
        std::map<WideString, WideString> attributes = {{L"name", c.name}, {L"href", c.href}};
        if (c.id) attributes[L"id"] = c.id;
        doc->SetActiveElement(doc->BodyElement()->Add(L"a", attributes));
        event->ReturnValue.reset();
        const int stops = browser.StopCount;
        std::vector<std::pair<WideString, WideString>> given;
        view->OnAnchor = [&](TObject*, const WideString& href, const WideString& name) { given.emplace_back(href, name); };

        doc->FireEvent(web::DispClick);

        if (c.intercepted) {
            EXPECT_EQ(given, (std::vector<std::pair<WideString, WideString>>{{c.givenHref, c.givenName}}));
            EXPECT_EQ(event->ReturnValue, 0);   // the link's own navigation is cancelled
            EXPECT_EQ(browser.StopCount, stops + 1);
        } else {
            EXPECT_TRUE(given.empty());
            EXPECT_FALSE(event->ReturnValue.has_value());
            EXPECT_EQ(browser.StopCount, stops);
        }
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostedViewFixture, EveryAreaClickIsTakenAndHandlerErrorsThereAreDropped) {
    doc->SetActiveElement(doc->BodyElement()->Add(L"area", {{L"alt", L"Key"}, {L"href", L"file:///C:/maps/k.htm"}}));
    std::vector<String> given;
    int clicks = 0;
    view->OnClick = [&](TObject*, int, int) { ++clicks; };
    view->OnHtmlArea = [&](TObject*, const String& href, const String& alt) { given.push_back(href + "|" + alt); };
    doc->FireEvent(web::DispClick);
    EXPECT_EQ(given, std::vector<String>{"k.htm|Key"});
    EXPECT_EQ(event->ReturnValue, 0);
    EXPECT_EQ(clicks, 0);

    view->OnHtmlArea = [](TObject*, const String&, const String&) { throw Exception("host failed"); };
    view->OnAnchor = [](TObject*, const WideString&, const WideString&) { throw Exception("host failed"); };
    doc->FireEvent(web::DispClick);
    doc->SetActiveElement(doc->BodyElement()->Add(L"a", {{L"id", L"QZV"}, {L"href", L"C:\\x.htm"}}));
    doc->FireEvent(web::DispClick);
    EXPECT_TRUE(errors.empty());

    doc->SetEvent(nullptr);   // no event object: the browser is stopped, nothing else happens
    doc->SetActiveElement(doc->BodyElement()->Add(L"area"));
    const int stops = browser.StopCount;
    doc->FireEvent(web::DispClick);
    EXPECT_EQ(browser.StopCount, stops + 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostedViewFixture, ClickOutsideLinksGivesThePointUnlessThePageIsJapanese) {
    int self = 0;
    view->EventSender = reinterpret_cast<TObject*>(&self);
    std::vector<std::pair<int, int>> clicks;
    view->OnClick = [&](TObject* sender, int x, int y) {
        EXPECT_EQ(sender, view->EventSender);
        clicks.emplace_back(x, y);
    };
    doc->SetActiveElement(doc->BodyElement()->Add(L"div"));
    event->XValue = 120;
    event->YValue = 45;
    doc->SetTitle(L"JAPANESE");
    doc->FireEvent(web::DispClick);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(browser.StopCount, 1);
    EXPECT_EQ(view->DocumentTitle(), "JAPANESE");

    doc->SetTitle(L"\u062f\u0631\u0633");
    doc->FireEvent(web::DispClick);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{120, 45}}));
    EXPECT_EQ(view->DocumentTitle(), "درس"_a);
    EXPECT_EQ(browser.StopCount, 1);

    doc->SetActiveElement(nullptr);   // nothing active: nothing happens
    doc->FireEvent(web::DispClick);
    doc->FireEvent(web::DispDblClick);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(HostedViewFixture, MouseButtonsAndShiftKeys) {
    struct TCase {
        int button;
        bool alt, ctrl, shift;
        TMouseButton expected;
        TShiftState expectedShift;
    };
    const TCase cases[] = {
        {4, false, false, false, mbMiddle, 0},
        {2, false, false, false, mbRight, 0},
        {1, false, false, false, mbLeft, 0},
        {0, false, false, false, mbLeft, 0},
        {3, false, false, false, mbLeft, 0},
        {1, true, true, false, mbLeft, ssAlt | ssCtrl},
        {2, false, false, true, mbRight, ssShift},
    };
    doc->SetActiveElement(doc->BodyElement()->Add(L"p"));
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "button " << c.button << " alt " << c.alt << " ctrl " << c.ctrl);
        event->ButtonValue = c.button;
        event->Alt = c.alt;
        event->Ctrl = c.ctrl;
        event->Shift = c.shift;
        event->XValue = 7;
        event->YValue = 9;
        std::vector<String> seen;
        auto record = [&](const char* what) {
            return [&, what](TObject*, TMouseButton b, TShiftState s, int x, int y) {
                EXPECT_EQ(b, c.expected);
                EXPECT_EQ(s, c.expectedShift);
                EXPECT_EQ(x, 7);
                EXPECT_EQ(y, 9);
                seen.push_back(what);
            };
        };
        view->OnMouseDown = record("down");
        view->OnMouseUp = record("up");
        doc->FireEvent(web::DispMouseDown);
        doc->FireEvent(web::DispMouseUp);
        EXPECT_EQ(seen, (std::vector<String>{"down", "up"}));
    }
}

TEST_F(HostedViewFixture, KeysDoubleClicksAndCopies) {
    doc->SetActiveElement(doc->BodyElement()->Add(L"p"));
    event->KeyCodeValue = 0x10041;   // only the low word is the key
    event->Ctrl = true;
    std::vector<std::uint16_t> keys;
    view->OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState shift) {
        keys.push_back(key);
        EXPECT_EQ(shift, ssCtrl);
        key = 0;
    };
    doc->FireEvent(web::DispKeyDown);
    EXPECT_EQ(keys, std::vector<std::uint16_t>{0x41});

    std::vector<std::pair<int, int>> dbl;
    event->XValue = 3;
    event->YValue = 4;
    view->OnDblClick = [&](TObject*, int x, int y) { dbl.emplace_back(x, y); };
    doc->FireEvent(web::DispDblClick);
    EXPECT_EQ(dbl, (std::vector<std::pair<int, int>>{{3, 4}}));

    int copies = 0;
    view->OnCopy = [&](TObject*) { ++copies; };
    doc->FireEvent(web::DispCopyNotification);
    EXPECT_EQ(copies, 1);
}

TEST_F(HostedViewFixture, EventsOutsideTheTableDoNothingAndAnswerOk) {
    int raised = 0;
    view->OnClick = [&](TObject*, int, int) { ++raised; };
    view->OnDocumentDone = [&](TObject*) { ++raised; };
    view->OnCopy = [&](TObject*) { ++raised; };
    view->OnImage = [&](TObject*, char*&, int&, const std::shared_ptr<web::THtmlImage>&) { ++raised; };
    doc->BodyElement()->Add(L"img", {{L"src", L"http://site/a.bmp"}});
    const auto navigations = browser.Navigations;
    const int stops = browser.StopCount;
    for (DISPID id : {DISPID(web::DispDownloadBegin), DISPID(web::DispBeforeNavigate2), DISPID(0), DISPID(12345), DISPID(-603)}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(view->HandleInvoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
        EXPECT_EQ(sink.Invoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    }
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(browser.Navigations, navigations);
    EXPECT_EQ(browser.StopCount, stops);
}

TEST_F(HostedViewFixture, WithoutHandlersEveryEventPassesQuietly) {
    doc->SetTitle(L"Lesson");
    doc->BodyElement()->Add(L"img", {{L"src", L"http://site/a.bmp"}, {L"dynsrc", L""}});
    doc->BodyElement()->Add(L"img", {{L"src", L""}, {L"dynsrc", L"http://site/v.avi"}});
    doc->BodyElement()->Add(L"bgsound", {{L"src", L"http://site/s.wav"}});
    for (const wchar_t* tag : {L"div", L"a", L"area"}) {
        doc->SetActiveElement(doc->BodyElement()->Add(tag, {{L"id", L"QZV"}}));
        for (DISPID id : std::vector<DISPID>{104, 259, -600, -601, -602, -605, -607, DISPID(0x8001001B)}) {
            SCOPED_TRACE(id);
            EXPECT_EQ(view->HandleInvoke(id, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
        }
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HostedViewFixture, AHandlerErrorGoesToTheApplicationAndTheBrowserStillGetsOk) {
    doc->SetActiveElement(doc->BodyElement()->Add(L"div"));
    view->OnClick = [](TObject*, int, int) { throw EConvertError("'x' is not a valid integer value"); };
    view->OnKeyDown = [](TObject*, std::uint16_t&, TShiftState) { throw 42; };
    EXPECT_EQ(sink.Invoke(web::DispClick, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(view->HandleInvoke(web::DispKeyDown, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(errors, (std::vector<String>{"'x' is not a valid integer value", "Unknown error in an event of the HTML view"}));

    view->HandleException = nullptr;   // no handler bound: still nothing crosses
    EXPECT_EQ(view->HandleInvoke(web::DispClick, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(HostedViewFixture, DocumentCompletionThroughTheSinkRebindsAndReports) {
    int done = 0;
    view->OnDocumentDone = [&](TObject*) { ++done; };
    auto next = std::make_shared<web::TPageDocument>();
    next->SetActiveElement(next->BodyElement()->Add(L"div"));
    std::vector<std::pair<int, int>> clicks;
    view->OnClick = [&](TObject*, int x, int y) { clicks.emplace_back(x, y); };
    browser.Complete(next);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(doc->Events().SinkCount(), 0);   // the old document's stream is let go
    doc->FireEvent(web::DispClick);
    EXPECT_TRUE(clicks.empty());
    auto e = std::make_shared<web::TPageEventObj>();
    e->XValue = 5;
    next->SetEvent(e);
    next->FireEvent(web::DispClick);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{5, 0}}));
}

TEST(WebViewSink, AnswersTheEventInterfacesAndOutlivesNoOne) {
    TWebViewSink sink;
    const IID browserEvents = {0x34a715a0, 0x6587, 0x11d0, {0x92, 0x4a, 0x00, 0x20, 0xaf, 0xc7, 0xac, 0x4d}};
    const IID documentEvents = {0x3050f260, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};
    for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &browserEvents, &documentEvents}) {
        void* out = nullptr;
        EXPECT_EQ(sink.QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, static_cast<IDispatch*>(&sink));
        sink.Release();
    }
    void* out = &sink;
    EXPECT_EQ(sink.QueryInterface(IID_IStream, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(sink.RefCount(), 0u);
    // without a view the events are answered and dropped
    EXPECT_EQ(sink.Invoke(web::DispClick, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);

    web::TMemoryBrowser browser;
    {
        TWebView view(nullptr);
        view.SetBrowser(&browser);
        sink.SetView(&view);
        view.SetUnkParent(&sink);
        browser.Complete(std::make_shared<web::TPageDocument>());
        EXPECT_GT(sink.RefCount(), 0u);
    }
    EXPECT_EQ(sink.RefCount(), 0u);   // the view's connections are all revoked
}

TEST(WebViewSink, IsAdvisedOnTheSystemBrowserControl) {
    HWND top = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200, top, nullptr,
                                 nullptr, nullptr);
    TWebViewSink sink;
    std::vector<String> boxes;
    {
        web::TOleWebBrowser browser(child);
        TWebView view(nullptr);
        view.SetBrowser(&browser);
        view.ShowMessageBox = [&](const String& text, const String&) { boxes.push_back(text); };
        sink.SetView(&view);
        view.SetUnkParent(&sink);
        EXPECT_GT(sink.RefCount(), 1u);   // the view and the control's connection point
        EXPECT_EQ(view.HandleInvoke(web::DispDocumentComplete, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr,
                                    nullptr),
                  S_OK);
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(sink.RefCount(), 0u);
    DestroyWindow(top);
}
