#include "WebView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "platform/win/OleError.h"
#include "platform/web/StreamOnBytes.h"
#include "platform/web/WebFiles.h"
#include "platform/xml/XMLDocument.h"

namespace {

constexpr std::uint32_t ResetWaitMs = 3000;
const char* const SinkCaption = "Event Sink";

// Runs at scope end, so that a load that raises still releases the load guard.
template <class F>
struct TAtExit {
    F f;
    ~TAtExit() { f(); }
};
template <class F>
TAtExit(F) -> TAtExit<F>;

}  // namespace

TWebView::TWebView(TComponent* owner) : TWebBrowser(owner), WindowsFolder(WindowsDirectory) {
    EventSender = this;
    HostShowing = [this] {
        auto* host = dynamic_cast<TWinControl*>(Owner());
        return host && host->Showing();
    };
    ProcessMessages = [] { ::Application->ProcessMessages(); };
    ShowMessageBox = [](const String& text, const String& caption) { PlatformMessageBox(text, caption, MB_OK); };
    // called inside the catch block of an event, where the application finds the exception
    HandleException = [this](const std::exception&) { ::Application->HandleException(this); };
    BuildCopyScript();
}

// The browser control goes first; its connection to the host's sink goes with it, and the
// document's is revoked after it.
TWebView::~TWebView() {
    Destroying();
    DestroyHandle();
    DeleteTempFiles();
    UnadviseBrowser();
    UnadviseDocument();
}

std::shared_ptr<web::THtmlDocument> TWebView::BrowserDocument() {
    return Document();
}

void TWebView::Report(const String& text) {
    if (ShowMessageBox) ShowMessageBox(text, SinkCaption);
}

void TWebView::SetBaseDir(const String& value) {
    if (value.empty()) return;
    TPageSettings& s = FRewriter.Settings;
    s.BaseDir = value;
    for (char& c : s.BaseDir)
        if (c == '\\') c = '/';
    if (s.BaseDir.back() == '/') s.BaseDir.pop_back();
    std::size_t p = s.BaseDir.find_last_of('/');   // 0-based
    if (p != String::npos && p > 0 && p + 1 < s.BaseDir.size()) s.BaseParent = s.BaseDir.substr(0, p);
    else s.BaseParent = s.BaseDir;
}

void TWebView::SetDocumentTitle(const String& value) {
    auto doc = BrowserDocument();
    if (!doc) return;
    FDocument = doc;
    if (doc->Body()) doc->SetTitle(ToWide(value));
    FDocumentTitle = value;
}

// Loading

void TWebView::LoadViaTempFile(const String& text) {
    if (Pos("<?xml", text) > 0) TransformXML(text, true);
    else LoadHTMLViaTempFile(text);
}

void TWebView::LoadViaStream(const String& text) {
    if (Pos("<?xml", text) > 0) TransformXML(text, false);
    else LoadHTMLViaStream(text);
}

void TWebView::BeginLoad() {
    FCanDownLoad = false;
    FPendingText.clear();
    Stop();
    if (Busy() && Document()) Refresh2();
    if (FDocument) {
        if (auto selection = FDocument->Selection()) selection->Empty();
    }
}

void TWebView::LoadHTMLViaTempFile(const String& text) {
    if (!FUnkParent) return;
    FPendingText.clear();
    FInnerText = text;
    String page = text;
    PrepareHTML(page);
    ExtractScriptBlock(page);
    String name = MakeTempFileName();
    SaveBufferToFile(name, page);
    NavigateToFile(name);
}

void TWebView::NavigateToFile(const String& name) {
    if (!FUnkParent) return;
    Stop();
    Navigate2(ToWide(name), 0);
}

void TWebView::LoadHTMLViaStream(const String& text) {
    if (!FCanDownLoad) return;
    BeginLoad();
    TAtExit release{[this] { EndLoad(); }};
    String page = text;
    FInnerText = page;
    PrepareHTML(page);
    BuildBodyPart(page);
    BuildHeadPart(page);
    FPendingText = page;
    if (!BrowserDocument()) ResetDocument(true);
    try {
        // the page and one blank, as its bytes: nothing of the page is lost or changed
        LoadStreamIntoDocument(page + " ");
    } catch (...) {
        // a document that refuses the stream keeps what it shows
    }
}

void TWebView::LoadStreamIntoDocument(const std::string& bytes) {
    if (!FUnkParent) return;
    if (!BrowserDocument()) ResetDocument(true);
    auto doc = BrowserDocument();
    if (!doc) return;
    auto stream = web::StreamOnBytes(bytes);
    doc->LoadFromStream(stream.Get());
}

void TWebView::TransformXML(const String& text, bool toFile) {
    if (!FCanDownLoad) return;
    TXMLDocument xml;
    TXMLDocument xsl;
    xml.LoadXML(ToWide(text));
    if (FileExists(FXSLFile)) xsl.Load(FXSLFile);
    String out = FromWide(xml.TransformNode(xsl));
    ReadXMLEncoding(text);
    out = StringReplace(out, "UTF-16", FXMLEncoding, 0);
    if (toFile) LoadHTMLViaTempFile(out);
    else LoadHTMLViaStream(out);
}

void TWebView::ReadXMLEncoding(const String& text) {
    static const String Attribute = "encoding=\"";
    int p = Pos(Attribute, LowerCase(text));
    if (p <= 0) return;
    int start = p + int(Attribute.size());
    int end = PosEx("\"", text, start);
    FXMLEncoding = end > 0 ? Copy(text, start, end - start) : Copy(text, start, 0x7FFFFFFF);
}

void TWebView::SetInnerText(const String& value) {
    if (!FCanDownLoad) return;
    BeginLoad();
    TAtExit release{[this] { EndLoad(); }};
    String page = value;
    PrepareHTML(page);
    BuildBodyPart(page);
    BuildHeadPart(page);
    ApplyInnerText(page);
}

void TWebView::ApplyInnerText(const String& value) {
    ResetDocument(false);
    FPendingText = value;
    if (!FDocument) return;
    auto body = FDocument->Body();
    if (body && body->AsBody()) {
        FBodyElement = body;
        FBody = body->AsBody();
        body->SetInnerHTML(ToWide(FPendingText));
    }
}

void TWebView::RestorePendingText() {
    if (!FDocument || FPendingText.empty()) return;
    auto active = FDocument->ActiveElement();
    if (!active || !active->InnerText().empty()) return;
    if (FDocument->AnswersTextRange()) active->SetInnerHTML(ToWide(FPendingText));
}

void TWebView::ClearPage() {
    FInnerText.clear();
    FPendingText.clear();
    ResetDocument(true);
}

void TWebView::ResetDocument(bool reset) {
    if (reset) FRewriter.SetDefaultHeadBody();
    String page = FRewriter.HeadPart() + "\r\n" + FRewriter.PageScriptBlock() + "\r\n" + FRewriter.BodyPart() + "\r\n";
    try {
        Navigate2(ToWide("about:" + page), 0);
    } catch (const Exception&) {
        Stop();
    }
    const std::uint32_t start = rtl::GetTickCount();
    while (HostShowing && HostShowing() && ReadyState() != web::ReadyStateComplete &&
           rtl::GetTickCount() - start < ResetWaitMs) {
        if (ProcessMessages) ProcessMessages();
    }
    if (auto doc = Document()) FDocument = doc;
}

String TWebView::TempDir() const {
    String windows = WindowsFolder ? WindowsFolder() : String();
    return windows + FSlashCharacter + "Temp";
}

String TWebView::MakeTempFileName() {
    ++FTempCounter;
    String dir = TempDir();
    if (!DirectoryExists(dir)) CreateDir(dir);
    String name = dir + FSlashCharacter + "~" + IntToStr(FTempCounter) + ChangeFileExt(ExtractFileName(FTempFileName), ".htm");
    // every page reuses the one file
    if (FTempCounter >= 1) FTempCounter = 0;
    FTempFiles.push_back(name);
    return name;
}

// Event sinks

void TWebView::SetUnkParent(IUnknown* value) {
    // a host that sets its sink on every activation gets each event once, not once per activation
    UnadviseBrowser();
    FUnkParent = TComPtr<IUnknown>::Borrow(value);
    if (value) {
        DWORD cookie = 0;
        HRESULT hr = AdviseBrowserEvents(value, cookie);
        if (SUCCEEDED(hr)) {
            FBrowserAdvised = true;
            FBrowserCookie = cookie;
        } else {
            Report("Failed To Advise Browser");
        }
    }
    ResetDocument(true);
}

void TWebView::UnadviseBrowser() {
    if (!FBrowserAdvised) return;
    if (FAILED(UnadviseBrowserEvents(FBrowserCookie))) Report("Failed To UnAdvise Browser");
    FBrowserAdvised = false;
    FBrowserCookie = 0;
}

void TWebView::AdviseDocument() {
    UnadviseDocument();
    auto doc = BrowserDocument();
    if (!doc) return;
    DWORD cookie = 0;
    HRESULT hr = FUnkParent ? doc->Advise(FUnkParent.Get(), cookie) : E_POINTER;
    if (SUCCEEDED(hr)) {
        FAdvisedDocument = doc;
        FDocumentCookie = cookie;
        BindDocumentParts();
    } else {
        Report("Failed To Advise Document");
    }
    if (OnDocumentDone) OnDocumentDone(EventSender);
}

void TWebView::UnadviseDocument() {
    if (!FAdvisedDocument) return;
    if (FAILED(FAdvisedDocument->Unadvise(FDocumentCookie))) Report("Failed To UnAdvise Document");
    FAdvisedDocument.reset();
    FDocumentCookie = 0;
}

void TWebView::BindDocumentParts() {
    FDocument = BrowserDocument();
    if (!FDocument) return;
    FWindow = FDocument->ParentWindow();
    if (auto active = FDocument->ActiveElement()) FActiveElement = active;
    if (auto body = FDocument->Body()) {
        if (auto view = body->AsBody()) {
            FBodyElement = body;
            FBody = view;
        }
    }
    ApplyDisplaySettings();
}

// Display settings

void TWebView::CreateWnd() {
    TWebBrowser::CreateWnd();
    ApplyDisplaySettings();
}

void TWebView::ApplyDisplaySettings() {
    RebindDocument();
    if (FTextOrient == TTextOrient::RTL) ApplyRightToLeft();
    else ApplyLeftToRight();
    if (FBackGroundColor >= 0) SetBackGroundColor(FBackGroundColor);
    if (!BackGroundImage().empty()) SetBackGroundImage(BackGroundImage());
}

void TWebView::RebindDocument() {
    auto doc = BrowserDocument();
    if (!doc) return;
    FDocument = doc;
    FWindow = doc->ParentWindow();
}

void TWebView::CacheBody() {
    auto body = FDocument->Body();
    if (!body) return;
    if (auto view = body->AsBody()) {
        FBodyElement = body;
        FBody = view;
    }
}

void TWebView::ApplyDirection(const WideString& direction, TTextOrient orient) {
    auto doc = BrowserDocument();
    if (!doc || Busy()) return;
    FDocument = doc;
    CacheBody();
    if (!FBody) return;
    if (auto style = FBody->Style()) {
        style->SetDirection(direction);
        FTextOrient = orient;
    }
}

void TWebView::ApplyRightToLeft() { ApplyDirection(L"rtl", TTextOrient::RTL); }

void TWebView::ApplyLeftToRight() { ApplyDirection(L"ltr", TTextOrient::LTR); }

void TWebView::SetBackGroundColor(int value) {
    FBackGroundColor = value;
    auto doc = BrowserDocument();
    if (!doc) return;
    FDocument = doc;
    CacheBody();
    if (!FBody || !FBody->BgColor().empty()) return;   // the page's own colour stays
    const unsigned v = unsigned(value);
    const int red = int(v & 0xFF), green = int((v >> 8) & 0xFF), blue = int((v >> 16) & 0xFF);
    FBody->SetBgColor(red * 65536 + green * 256 + blue);
}

void TWebView::SetBackGroundImage(const String& value) {
    FRewriter.Settings.BackGroundImage = value;
    if (FBody) FBody->SetBackground(ToWide(value));
}

WideString TWebView::GetSelection() {
    auto doc = BrowserDocument();
    if (!doc) return WideString();
    FDocument = doc;
    auto selection = doc->Selection();
    if (!selection) return WideString();
    auto range = selection->CreateRange();
    return range ? range->Text() : WideString();
}

void TWebView::SetActiveSplit(int value) {
    if (!FCanDownLoad || FSplits.empty() || value < 1 || value > int(FSplits.size())) return;
    FActiveSplit = value;
    if (OnNewSplit) OnNewSplit(EventSender, value);
}
