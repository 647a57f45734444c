#pragma once
// TWebView: the HTML view of lesson and assistant pages. It rewrites each page, puts it into
// the browser through a temporary file or a memory stream, keeps the host's event sink advised
// on the browser and on each new document, and lays its display settings over each document.
//
// Until the view is a control of the window layer, the browser it drives is handed in
// (SetBrowser) and the few services of that layer are hooks: whether the host form is showing,
// processing pending messages during the reset wait, and the message box.
#include <functional>
#include <memory>
#include <vector>
#include <unknwn.h>
#include "htmlview/PageRewriter.h"
#include "platform/rtl/String.h"
#include "platform/web/BrowserControl.h"
#include "platform/web/ComPtr.h"

enum class TTextOrient { RTL, LTR };

class TWebView {
public:
    TWebView();
    ~TWebView();
    TWebView(const TWebView&) = delete;
    TWebView& operator=(const TWebView&) = delete;

    // Borrowed; the view's own browser once it is a control.
    void SetBrowser(web::TBrowserControl* browser) { FBrowser = browser; }
    web::TBrowserControl* Browser() const { return FBrowser; }

    // Services of the window layer.
    std::function<bool()> HostShowing;              // the owning form is visible
    std::function<void()> ProcessMessages;
    std::function<void(const String& text, const String& caption)> ShowMessageBox;
    std::function<String()> WindowsFolder;          // where TempDir lies

    std::function<void(TWebView* sender)> OnDocumentDone;

    // Loading
    void LoadViaTempFile(const String& text);
    void LoadViaStream(const String& text);
    const String& InnerText() const { return FInnerText; }
    // The in-place road: the page goes into the current document's body; InnerText keeps its value.
    void SetInnerText(const String& value);
    void ClearPage();
    void RestorePendingText();
    void ResetDocument(bool reset);
    String MakeTempFileName();
    String TempDir() const;
    const std::vector<String>& TempFiles() const { return FTempFiles; }
    bool CanDownLoad() const { return FCanDownLoad; }
    const String& PendingText() const { return FPendingText; }
    const String& XMLEncoding() const { return FXMLEncoding; }

    // Event sinks
    IUnknown* UnkParent() const { return FUnkParent.Get(); }
    void SetUnkParent(IUnknown* value);
    void AdviseDocument();
    void UnadviseDocument();
    void UnadviseBrowser();

    // Display settings over each document
    void ApplyDisplaySettings();
    void RebindDocument();
    void ApplyRightToLeft();
    void ApplyLeftToRight();
    int BackGroundColor() const { return FBackGroundColor; }
    void SetBackGroundColor(int value);
    const String& BackGroundImage() const { return FRewriter.Settings.BackGroundImage; }
    void SetBackGroundImage(const String& value);
    WideString GetSelection();
    std::shared_ptr<web::THtmlDocument> Document() const { return FDocument; }

    // Stored settings
    bool AddCopyMenu() const { return FRewriter.Settings.AddCopyMenu; }
    void SetAddCopyMenu(bool value) { FRewriter.Settings.AddCopyMenu = value; }
    bool AddCopyScript() const { return FRewriter.Settings.AddCopyScript; }
    void SetAddCopyScript(bool value) { FRewriter.Settings.AddCopyScript = value; }
    bool PemovePreHeaderText() const { return FRewriter.Settings.PemovePreHeaderText; }
    void SetPemovePreHeaderText(bool value) { FRewriter.Settings.PemovePreHeaderText = value; }
    bool HideArabicCommands() const { return FRewriter.Settings.HideArabicCommands; }
    void SetHideArabicCommands(bool value) { FRewriter.Settings.HideArabicCommands = value; }
    bool WaterMark() const { return FRewriter.Settings.WaterMark; }
    void SetWaterMark(bool value) { FRewriter.Settings.WaterMark = value; }
    bool OnContextMenu() const { return FRewriter.Settings.OnContextMenu; }
    void SetOnContextMenu(bool value) { FRewriter.Settings.OnContextMenu = value; }
    int SelectionLength() const { return FRewriter.Settings.SelectionLength; }
    void SetSelectionLength(int value) { FRewriter.Settings.SelectionLength = value; }
    const String& AgentDir() const { return FRewriter.Settings.AgentDir; }
    void SetAgentDir(const String& value) { FRewriter.Settings.AgentDir = value; }
    const String& StyleSheetFile() const { return FRewriter.Settings.StyleSheetFile; }
    void SetStyleSheetFile(const String& value) { FRewriter.Settings.StyleSheetFile = value; }
    const String& JavaScriptFile() const { return FRewriter.Settings.JavaScriptFile; }
    void SetJavaScriptFile(const String& value) { FRewriter.Settings.JavaScriptFile = value; }
    // Enters the copy script only when set before the view builds it, at creation.
    const String& CopyRightStr() const { return FCopyRightStr; }
    void SetCopyRightStr(const String& value) { FCopyRightStr = value; }
    char SlashCharacter() const { return FSlashCharacter; }
    void SetSlashCharacter(char value) { FSlashCharacter = value; }
    TTextOrient TextOrient() const { return FTextOrient; }
    void SetTextOrient(TTextOrient value) { FTextOrient = value; }
    const String& TempFileName() const { return FTempFileName; }
    void SetTempFileName(const String& value) { FTempFileName = value; }
    const String& XSLFile() const { return FXSLFile; }
    void SetXSLFile(const String& value) { FXSLFile = value; }
    int MemBufferSize() const { return FMemBufferSize; }
    void SetMemBufferSize(int value) { FMemBufferSize = value; }
    const String& DocumentTitle() const { return FDocumentTitle; }
    void SetDocumentTitle(const String& value);   // kept only while a document is shown
    int ImageCount() const { return FImageCount; }
    int VideoCount() const { return FVideoCount; }

    // Kept with '/' and without a trailing separator; an empty value changes nothing.
    const String& BaseDir() const { return FRewriter.Settings.BaseDir; }
    void SetBaseDir(const String& value);
    const String& BaseParent() const { return FRewriter.Settings.BaseParent; }
    bool VScroll() const { return FRewriter.Settings.ScrollText == "yes"; }
    void SetVScroll(bool value) { FRewriter.Settings.ScrollText = value ? "yes" : "no"; }

    // Page rewriting
    void PrepareHTML(String& text) { FRewriter.PrepareHTML(text); }
    void ExtractScriptBlock(String& text) { FRewriter.ExtractScriptBlock(text); }
    void BuildHeadPart(const String& text) { FRewriter.BuildHeadPart(text); }
    void BuildBodyPart(const String& text) { FRewriter.BuildBodyPart(text); }
    void BuildCopyScript() { FRewriter.BuildCopyScript(FCopyRightStr); }
    TPageRewriter& Rewriter() { return FRewriter; }

    // Writes the bytes unless an existing file of that name cannot be deleted first.
    static void SaveBufferToFile(const String& fileName, const std::string& bytes);
    void DeleteTempFiles();

private:
    void LoadHTMLViaTempFile(const String& text);
    void LoadHTMLViaStream(const String& text);
    void TransformXML(const String& text, bool toFile);
    void ReadXMLEncoding(const String& text);
    void BeginLoad();
    void EndLoad() { FCanDownLoad = true; }
    void ApplyInnerText(const String& value);
    void NavigateToFile(const String& name);
    void LoadStreamIntoDocument(const std::string& bytes);
    void BindDocumentParts();
    void CacheBody();
    void ApplyDirection(const WideString& direction, TTextOrient orient);
    std::shared_ptr<web::THtmlDocument> BrowserDocument() const;
    void Report(const String& text);
    String MediaFolder();

    TPageRewriter FRewriter;
    web::TBrowserControl* FBrowser = nullptr;
    TComPtr<IUnknown> FUnkParent;
    bool FBrowserAdvised = false;
    DWORD FBrowserCookie = 0;
    std::shared_ptr<web::THtmlDocument> FAdvisedDocument;
    DWORD FDocumentCookie = 0;
    std::shared_ptr<web::THtmlDocument> FDocument;
    std::shared_ptr<web::THtmlWindow> FWindow;
    std::shared_ptr<web::THtmlElement> FActiveElement;
    std::shared_ptr<web::THtmlElement> FBodyElement;
    std::shared_ptr<web::THtmlBody> FBody;

    String FCopyRightStr;
    String FDocumentTitle;
    int FTempCounter = 0;
    std::vector<String> FTempFiles;
    bool FCanDownLoad = true;
    char FSlashCharacter = '/';
    String FPendingText;
    String FInnerText;
    int FBackGroundColor = 0;
    int FImageCount = 0;
    int FVideoCount = 0;
    int FMemBufferSize = 65535;
    String FXMLEncoding;
    String FXSLFile;
    String FTempFileName;
    TTextOrient FTextOrient = TTextOrient::RTL;
};
