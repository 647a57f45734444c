#pragma once
// For the HTML view's tests: a view on an in-memory browser whose Windows folder is a temporary
// folder, with the settings both host forms store.
#include <memory>
#include <vector>
#include <gtest/gtest.h>
#include "htmlview/WebView.h"
#include "htmlview/WebViewSink.h"
#include "platform/testing/TestSupport.h"
#include "platform/web/MemoryBrowser.h"
#include "platform/web/testing/RecordingSink.h"

namespace webview_testing {

// The markup an element holds after its innerHTML was given this text (as the document parses it).
inline WideString AsInnerHTML(const String& text) {
    auto scratch = std::make_shared<web::TPageDocument>();
    scratch->BodyElement()->SetInnerHTML(ToWide(text));
    return scratch->BodyElement()->InnerHTML();
}

// The browser outlives the view, as the control part does.
struct ViewFixture : ::testing::Test {
    testing_support::TempFolder windows;
    web::TMemoryBrowser browser;
    web_testing::RecordingSink host;
    std::vector<String> boxes;
    std::unique_ptr<TWebView> view = std::make_unique<TWebView>(nullptr);

    ViewFixture() {
        view->SetBrowser(&browser);
        view->WindowsFolder = [this] { return windows.Path(); };
        view->ShowMessageBox = [this](const String& text, const String& caption) { boxes.push_back(caption + ": " + text); };
        view->SetSelectionLength(500);
        view->SetWaterMark(false);
        view->SetBackGroundColor(13540898);
    }
    ~ViewFixture() override { view.reset(); }
    String PageFile() const { return windows.Path() + "/Temp/~1.htm"; }
};

// A view advised through the host sink on a completed in-memory document: the document's
// events travel as they would from the browser, through the sink's Invoke to HandleInvoke.
struct HostedViewFixture : ViewFixture {
    TWebViewSink sink{view.get()};
    std::shared_ptr<web::TPageDocument> doc = std::make_shared<web::TPageDocument>();
    std::shared_ptr<web::TPageEventObj> event = std::make_shared<web::TPageEventObj>();
    std::vector<String> errors;

    HostedViewFixture() {
        view->HandleException = [this](const std::exception& e) { errors.push_back(e.what()); };
        view->SetUnkParent(&sink);
        browser.Complete(doc);
        doc->SetEvent(event);
    }
    // The view lets go of the sink before the sink goes.
    ~HostedViewFixture() override { view.reset(); }
};

}  // namespace webview_testing
