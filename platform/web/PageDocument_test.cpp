#include <gtest/gtest.h>
#include <functional>
#include <vector>
#include <windows.h>
#include <olectl.h>
#include "platform/web/testing/RecordingSink.h"
#include "platform/web/PageDocument.h"

using namespace web;
using web_testing::RecordingSink;

namespace {

// An object that answers IUnknown only.
class PlainUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

}  // namespace

TEST(PageDocumentTest, EventsReachTheAdvisedSinkByDispId) {
    auto doc = std::make_shared<TPageDocument>();
    TMemoryEventSource browser;
    RecordingSink sink;
    DWORD docCookie = 0, browserCookie = 0;
    ASSERT_EQ(doc->Advise(&sink, docCookie), S_OK);
    ASSERT_EQ(browser.Advise(&sink, browserCookie), S_OK);
    EXPECT_NE(docCookie, 0u);
    EXPECT_EQ(sink.Refs, 3u);

    const DISPID browserIds[] = {DispDownloadComplete, DispDownloadBegin, DispBeforeNavigate2, DispDocumentComplete};
    const DISPID documentIds[] = {DispClick, DispDblClick, DispKeyDown, DispMouseDown, DispMouseUp, DispCopyNotification};
    for (DISPID id : browserIds) browser.Fire(id);
    for (DISPID id : documentIds) doc->FireEvent(id);
    EXPECT_EQ(sink.Calls, (std::vector<DISPID>{104, 106, 250, 259, -600, -601, -602, -605, -607, DISPID(0x8001001B)}));

    EXPECT_EQ(doc->Unadvise(docCookie), S_OK);
    EXPECT_EQ(doc->Unadvise(docCookie), CONNECT_E_NOCONNECTION);
    doc->FireEvent(DispClick);
    EXPECT_EQ(sink.Calls.size(), 10u);
    EXPECT_EQ(browser.Unadvise(browserCookie), S_OK);
    EXPECT_EQ(sink.Refs, 1u);
}

TEST(PageDocumentTest, AdviseFailuresAreAnswered) {
    TMemoryEventSource source;
    DWORD cookie = 7;
    PlainUnknown notADispatch;
    EXPECT_EQ(source.Advise(&notADispatch, cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(source.Advise(nullptr, cookie), E_POINTER);
    RecordingSink sink;
    source.AdviseResult = E_FAIL;
    EXPECT_EQ(source.Advise(&sink, cookie), E_FAIL);
    EXPECT_EQ(source.SinkCount(), 0);
    EXPECT_EQ(sink.Refs, 1u);
}

TEST(PageDocumentTest, SinkMayUnadviseWhileAnEventIsDelivered) {
    // a document completion makes the view re-advise the document sink from inside Invoke
    auto doc = std::make_shared<TPageDocument>();
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(doc->Advise(&sink, cookie), S_OK);
    sink.OnInvoke = [&](DISPID) {
        doc->Unadvise(cookie);
        doc->Advise(&sink, cookie);
    };
    doc->FireEvent(DispClick);
    EXPECT_EQ(sink.Calls.size(), 1u);
    EXPECT_EQ(doc->Events().SinkCount(), 1);
    sink.OnInvoke = nullptr;
    doc->Unadvise(cookie);
    EXPECT_EQ(sink.Refs, 1u);
}

TEST(PageDocumentTest, ElementsAnswerTheViewsOfTheirTag) {
    auto doc = std::make_shared<TPageDocument>();
    auto body = doc->BodyElement();
    doc->SetUrl(L"C:\\pages\\index.htm");
    auto anchor = body->Add(L"a", {{L"id", L"QZV"}, {L"href", L"x.htm"}});
    auto area = body->Add(L"AREA", {{L"alt", L"key"}, {L"href", L"../maps/k.htm#top"}});
    auto img = body->Add(L"img", {{L"src", L"a.bmp"}, {L"dynsrc", L"v.avi"}});
    auto sound = body->Add(L"bgsound", {{L"src", L"http://x/s.wav"}});

    ASSERT_TRUE(anchor->AsAnchor());
    EXPECT_EQ(anchor->Id(), L"QZV");
    EXPECT_EQ(anchor->AsAnchor()->Pathname(), L"C:\\pages\\x.htm");
    EXPECT_EQ(anchor->AsAnchor()->Name(), L"");
    EXPECT_FALSE(anchor->AsArea());
    ASSERT_TRUE(area->AsArea());
    EXPECT_EQ(area->AsArea()->Alt(), L"key");
    EXPECT_EQ(area->AsArea()->Pathname(), L"C:\\maps\\k.htm");
    EXPECT_FALSE(area->AsAnchor());
    ASSERT_TRUE(img->AsImage());
    img->AsImage()->SetSrc(L"~Temp1.bmp");
    EXPECT_EQ(img->Src(), L"~Temp1.bmp");
    EXPECT_EQ(img->AsImage()->Dynsrc(), L"v.avi");
    EXPECT_FALSE(img->AsBGSound());
    EXPECT_EQ(sound->AsBGSound()->Src(), L"http://x/s.wav");
    EXPECT_FALSE(sound->AsImage());
    EXPECT_FALSE(anchor->AsBody());

    auto all = doc->All();
    ASSERT_EQ(all->Length(), 7);   // HTML, HEAD, BODY and the four
    EXPECT_EQ(all->Item(2), body);
    EXPECT_EQ(all->Item(5), img);
    EXPECT_FALSE(all->Item(7));
    body->Add(L"p");
    EXPECT_EQ(all->Length(), 8);   // the collection is live
}

TEST(PageDocumentTest, BodyColourStyleAndContent) {
    auto doc = std::make_shared<TPageDocument>();
    auto body = doc->Body()->AsBody();
    ASSERT_TRUE(body);
    EXPECT_EQ(body->BgColor(), L"");
    body->SetBgColor(2268878);
    EXPECT_EQ(body->BgColor(), L"#229ece");
    body->Style()->SetDirection(L"rtl");
    EXPECT_EQ(doc->BodyElement()->StyleProperty(L"direction"), L"rtl");
    doc->BodyElement()->StyleAnswers = false;
    EXPECT_FALSE(body->Style());

    doc->Body()->SetInnerHTML(L"<p>\u0646\u0635</p> x");
    EXPECT_EQ(doc->BodyElement()->InnerHTML(), L"<p>\u0646\u0635</p> x");
    EXPECT_EQ(doc->Body()->InnerText(), L"\u0646\u0635 x");

    // a page without a body of its own gets one; a body tag's attributes go to it
    doc->Load("<title>t</title><b>x</b><body bgcolor=white dir=rtl>y");
    ASSERT_TRUE(doc->Body());
    EXPECT_EQ(doc->Body()->AsBody()->BgColor(), L"white");
    EXPECT_EQ(doc->BodyElement()->InnerHTML(), L"<b>x</b>y");
    EXPECT_EQ(doc->All()->Length(), 5);   // HTML, HEAD, TITLE, BODY, B
}

TEST(PageDocumentTest, WindowEventSelectionTitleAndStreamLoad) {
    auto doc = std::make_shared<TPageDocument>();
    auto window = doc->ParentWindow();
    EXPECT_FALSE(window->Event());
    auto event = std::make_shared<TPageEventObj>();
    event->ButtonValue = 4;
    event->Alt = true;
    event->XValue = 12;
    doc->SetEvent(event);
    ASSERT_TRUE(window->Event());
    EXPECT_EQ(window->Event()->Button(), 4);
    EXPECT_TRUE(window->Event()->AltKey());
    EXPECT_EQ(window->Event()->X(), 12);
    window->Event()->SetReturnValue(0);
    EXPECT_EQ(event->ReturnValue, 0);

    EXPECT_FALSE(doc->ActiveElement());
    doc->SetActiveElement(doc->BodyElement());
    EXPECT_EQ(doc->ActiveElement(), doc->Body());

    doc->SetSelectedText(L"selected text");
    auto selection = doc->Selection();
    EXPECT_EQ(selection->CreateRange()->Text(), L"selected text");
    selection->Empty();
    EXPECT_EQ(selection->CreateRange()->Text(), L"");

    doc->SetTitle(L"JAPANESE");
    EXPECT_EQ(doc->Title(), L"JAPANESE");
    EXPECT_FALSE(doc->AnswersTextRange());

    const std::string page = "<body>\xC7</body> ";
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, page.size());
    memcpy(GlobalLock(mem), page.data(), page.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(mem, TRUE, &stream), S_OK);
    ULARGE_INTEGER size;
    size.QuadPart = page.size();   // the block may be larger than asked for
    stream->SetSize(size);
    doc->LoadFromStream(stream);
    stream->Release();
    EXPECT_EQ(doc->LoadedBytes(), page);
    EXPECT_EQ(doc->LoadCount(), 1);
}
