#include <gtest/gtest.h>
#include <cstring>
#include "htmlview/testing/WebViewFixture.h"
#include "platform/rtl/SysUtils.h"

using web::TPageElement;
using webview_testing::HostedViewFixture;
using webview_testing::ViewFixture;

namespace {

// Work files go beside the page files when the separator is a backslash.
struct MediaFixture : HostedViewFixture {
    MediaFixture() { view->SetSlashCharacter('\\'); }
    String WorkFile(const String& name) const { return windows.Path() + "\\Temp\\" + name; }
    void DownloadComplete() { browser.Events.Fire(web::DispDownloadComplete); }
    std::shared_ptr<TPageElement> Img(const String& src, const String& dynsrc = "") {
        return doc->BodyElement()->Add(L"img", {{L"src", ToWide(src)}, {L"dynsrc", ToWide(dynsrc)}});
    }
};

void Give(char* src, int& cbSize, const std::string& bytes) {
    std::memcpy(src, bytes.data(), bytes.size());
    cbSize = int(bytes.size());
}

}  // namespace

TEST_F(MediaFixture, PicturesThatNameNoFileAreOfferedAndWrittenByNumber) {
    windows.Write("pics/there.bmp", "BM-there");
    const String there = windows.File("pics\\there.bmp");
    auto first = Img(there);
    auto second = Img("http://site/b.bmp");
    auto third = Img("c.bmp");
    std::vector<String> offered;
    view->OnImage = [&](TObject*, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>& element) {
        EXPECT_EQ(cbSize, 0);
        offered.push_back(src);
        EXPECT_EQ(FromWide(element->Src()), String(src));
        Give(src, cbSize, "BM-" + String(src));
    };
    DownloadComplete();

    EXPECT_EQ(offered, (std::vector<String>{"http://site/b.bmp", "c.bmp"}));
    EXPECT_EQ(view->ImageCount(), 3);
    EXPECT_EQ(view->VideoCount(), 0);
    EXPECT_EQ(first->Src(), ToWide(there));
    EXPECT_EQ(second->Src(), ToWide(WorkFile("~Temp2.bmp")));
    EXPECT_EQ(third->Src(), ToWide(WorkFile("~Temp3.bmp")));
    EXPECT_EQ(windows.Read("Temp/~Temp2.bmp"), "BM-http://site/b.bmp");
    EXPECT_EQ(windows.Read("Temp/~Temp3.bmp"), "BM-c.bmp");
    EXPECT_FALSE(FileExists(WorkFile("~Temp1.bmp")));
}

TEST_F(MediaFixture, VideosGoToOnAviOnlyAndAreCountedApart) {
    auto a = Img("a.bmp");
    auto v1 = Img("poster.bmp", "v1.avi");
    auto b = Img("b.bmp");
    auto v2 = Img("", "v2.avi");
    std::vector<String> pictures, videos;
    view->OnImage = [&](TObject*, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>&) {
        pictures.push_back(src);
        Give(src, cbSize, "P");
    };
    view->OnAVI = [&](TObject*, char*& src, int& cbSize) {
        videos.push_back(src);
        Give(src, cbSize, "RIFF" + String(src));
    };
    DownloadComplete();

    EXPECT_EQ(pictures, (std::vector<String>{"a.bmp", "b.bmp"}));
    EXPECT_EQ(videos, (std::vector<String>{"v1.avi", "v2.avi"}));
    EXPECT_EQ(view->ImageCount(), 2);
    EXPECT_EQ(view->VideoCount(), 2);
    EXPECT_EQ(v1->Dynsrc(), ToWide(WorkFile("~Temp1.avi")));
    EXPECT_EQ(v1->Src(), L"poster.bmp");   // a video is never fetched as a picture too
    EXPECT_EQ(windows.Read("Temp/~Temp2.avi"), "RIFFv2.avi");
    EXPECT_EQ(b->Src(), ToWide(WorkFile("~Temp2.bmp")));
}

TEST_F(MediaFixture, HostAnswersWithAFileNameOrNothing) {
    windows.Write("held/pic.bmp", "BM");
    const String held = windows.File("held\\pic.bmp");
    auto named = Img("pic.bmp");
    auto missing = Img("gone.bmp");
    auto untouched = Img("left.bmp");
    view->OnImage = [&](TObject*, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>&) {
        if (String(src) == "pic.bmp") std::strcpy(src, held.c_str());
        if (String(src) == "gone.bmp") std::strcpy(src, "C:\\no such folder\\x.bmp");
        cbSize = 0;
    };
    DownloadComplete();
    EXPECT_EQ(named->Src(), ToWide(held));
    EXPECT_EQ(missing->Src(), L"gone.bmp");
    EXPECT_EQ(untouched->Src(), L"left.bmp");
    EXPECT_EQ(view->ImageCount(), 3);
    for (const char* n : {"~Temp1.bmp", "~Temp2.bmp", "~Temp3.bmp"}) EXPECT_FALSE(FileExists(WorkFile(n))) << n;

    view->OnImage = nullptr;   // no host: sources stay, numbers still advance
    DownloadComplete();
    EXPECT_EQ(missing->Src(), L"gone.bmp");
    EXPECT_EQ(view->ImageCount(), 3);
}

TEST_F(MediaFixture, TheBufferHoldsTheSourceAndNoMoreThanItsSizeIsWritten) {
    view->SetMemBufferSize(8);
    const String longSource = "http://site/a-rather-long-name.bmp";
    auto img = Img(longSource);
    String seen;
    view->OnImage = [&](TObject*, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>&) {
        seen = src;
        std::memset(src, 'x', 8);
        cbSize = 1000;   // more than the buffer holds
    };
    DownloadComplete();
    EXPECT_EQ(seen, longSource);
    EXPECT_EQ(windows.Read("Temp/~Temp1.bmp").size(), longSource.size());
    EXPECT_EQ(img->Src(), ToWide(WorkFile("~Temp1.bmp")));
}

TEST_F(MediaFixture, BackgroundSoundsThatNameNoFileAreReported) {
    windows.Write("s.wav", "RIFF");
    doc->BodyElement()->Add(L"bgsound", {{L"src", L"http://site/tune.wav"}});
    doc->BodyElement()->Add(L"bgsound", {{L"src", ToWide(windows.File("s.wav"))}});
    std::vector<String> sounds;
    view->OnBGSound = [&](TObject*, const String& src) { sounds.push_back(src); };
    DownloadComplete();
    EXPECT_EQ(sounds, std::vector<String>{"http://site/tune.wav"});
    EXPECT_EQ(doc->BodyElement()->Children()[0]->Src(), L"http://site/tune.wav");
}

TEST_F(ViewFixture, MediaFolderFollowsTheLastBackslash) {
    view->WindowsFolder = [] { return String("C:\\WINDOWS"); };
    // the page files lie in C:\WINDOWS/Temp, but the folder part ends at the drive's backslash
    EXPECT_EQ(view->MakeTempFileName(), "C:\\WINDOWS/Temp/~1.htm");
    EXPECT_EQ(view->MediaFolder(), "C:\\");
    view->SetSlashCharacter('\\');
    EXPECT_EQ(view->MediaFolder(), "C:\\WINDOWS\\Temp");
}

TEST_F(MediaFixture, WalkNeedsABodyAndRestoresThePendingText) {
    auto active = doc->BodyElement()->Add(L"div");
    doc->SetActiveElement(active);
    doc->TextRangeAnswers = true;
    view->SetInnerText("<body >p</body>");
    browser.Complete(doc);   // the in-place road reset the page; the document comes back
    ASSERT_FALSE(view->PendingText().empty());
    Img("a.bmp");
    int offered = 0;
    view->OnImage = [&](TObject*, char*&, int&, const std::shared_ptr<web::THtmlImage>&) { ++offered; };
    DownloadComplete();
    EXPECT_EQ(active->InnerHTML(), webview_testing::AsInnerHTML(view->PendingText()));

    TWebView fresh(nullptr);   // no document bound: nothing is walked
    fresh.OnImage = view->OnImage;
    fresh.HandleInvoke(web::DispDownloadComplete, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(fresh.ImageCount(), 0);
}

TEST_F(MediaFixture, DestructionDeletesPageFilesTheirXmlTwinsAndTheLastWalksWorkFiles) {
    view->LoadViaTempFile("<body >page</body>");
    const String page = WorkFile("~1.htm");
    ASSERT_TRUE(FileExists(page));
    windows.Write("Temp/~1.xml", "<?xml?>");
    auto img1 = Img("a.bmp");
    auto img2 = Img("b.bmp");
    auto vid = Img("", "v.avi");
    view->OnImage = [&](TObject*, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>&) { Give(src, cbSize, "P"); };
    view->OnAVI = [&](TObject*, char*& src, int& cbSize) { Give(src, cbSize, "V"); };
    DownloadComplete();
    ASSERT_TRUE(FileExists(WorkFile("~Temp2.bmp")));

    // a later walk with one picture fewer: ~Temp2.bmp is no longer the view's to delete
    doc->BodyElement()->SetInnerHTML(L"");
    Img("a.bmp");
    Img("", "v.avi");
    DownloadComplete();
    EXPECT_EQ(view->ImageCount(), 1);
    windows.Write("other.txt", "kept");

    view.reset();
    EXPECT_FALSE(FileExists(page));
    EXPECT_FALSE(FileExists(WorkFile("~1.xml")));
    EXPECT_FALSE(FileExists(WorkFile("~Temp1.bmp")));
    EXPECT_FALSE(FileExists(WorkFile("~Temp1.avi")));
    EXPECT_TRUE(FileExists(WorkFile("~Temp2.bmp")));
    EXPECT_TRUE(FileExists(windows.File("other.txt")));
    EXPECT_EQ(browser.Events.SinkCount(), 0);
    EXPECT_EQ(doc->Events().SinkCount(), 0);
}
