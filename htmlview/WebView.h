#pragma once
// TWebView: the HTML view of lesson and assistant pages, a web-browser control. It rewrites
// each page, puts it into the browser through a temporary file or a memory stream, keeps the
// host's event sink advised on the browser and on each new document, and lays its display
// settings over each document.
//
// The few services of the window layer it uses are hooks, bound at creation to the owner form's
// Showing, the application's ProcessMessages and HandleException and the platform's message
// box; tests put their own in place, and a stand-in browser through SetBrowser.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>
#include <oaidl.h>
#include "htmlview/PageRewriter.h"
#include "platform/rtl/String.h"
#include "platform/web/BrowserControl.h"
#include "platform/win/ComPtr.h"
#include "platform/web/WebBrowser.h"

enum class TTextOrient { RTL, LTR };

// The view's events, sender first; by-reference parameters are the ones a handler may change.
using TOnInputBtnEvent = std::function<void(TObject* sender, const String& iType, const String& name, String& value,
                                            bool& checked, std::shared_ptr<web::THtmlStyle>& style)>;
using TOnTextAreaEvent = std::function<void(TObject* sender, WideString& textValue)>;
using TOnSelectEvent =
    std::function<void(TObject* sender, const String& name, int& itemIndex, std::shared_ptr<web::THtmlStyle>& style)>;
// src points to the view's buffer holding the source; the host puts the media bytes there and
// sets cbSize, or puts a file name there and leaves cbSize 0.
using TOnAVIEvent = std::function<void(TObject* sender, char*& src, int& cbSize)>;
using TOnImageEvent =
    std::function<void(TObject* sender, char*& src, int& cbSize, const std::shared_ptr<web::THtmlImage>& htmlImgElement)>;
using TOnAnchorEvent = std::function<void(TObject* sender, const WideString& href, const WideString& name)>;
using TOnHtmlAreaEvent = std::function<void(TObject* sender, const String& href, const String& alt)>;
using TOnClickEvent = std::function<void(TObject* sender, int x, int y)>;
using TOnDblClickEvent = std::function<void(TObject* sender, int x, int y)>;
using TOnMouseUpEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TOnMouseDownEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TOnDocumentDoneEvent = std::function<void(TObject* sender)>;
using TOnKeyDownEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
using TOnBGSoundEvent = std::function<void(TObject* sender, const String& src)>;
using TOnCopyEvent = std::function<void(TObject* sender)>;
using TOnNewSplit = std::function<void(TObject* sender, int newSplitNum)>;
using TOnSplitData = std::function<void(TObject* sender, int splitNum, String& data, int& cbSize)>;

class TWebView : public TWebBrowser {
public:
    explicit TWebView(TComponent* owner);
    ~TWebView() override;

    // Services of the window layer.
    std::function<bool()> HostShowing;              // the owning form is visible
    std::function<void()> ProcessMessages;
    std::function<void(const String& text, const String& caption)> ShowMessageBox;
    std::function<String()> WindowsFolder;          // where TempDir lies
    // Errors that end an event handler go here, so that none crosses the COM boundary.
    std::function<void(const std::exception& error)> HandleException;
    // What the events name as their sender: the view itself.
    TObject* EventSender = nullptr;

    // Events; each is raised only when assigned.
    // Never raised: the view watches no form fields (input buttons, text areas, lists); the events
    // stay for the callers that assign them.
    TOnInputBtnEvent OnInputBtn;
    TOnTextAreaEvent OnTextArea;
    TOnSelectEvent OnSelect;
    TOnAVIEvent OnAVI;
    TOnImageEvent OnImage;
    TOnAnchorEvent OnAnchor;
    TOnHtmlAreaEvent OnHtmlArea;
    TOnClickEvent OnClick;
    TOnDblClickEvent OnDblClick;
    TOnMouseUpEvent OnMouseUp;
    TOnMouseDownEvent OnMouseDown;
    TOnDocumentDoneEvent OnDocumentDone;
    TOnKeyDownEvent OnKeyDown;
    TOnBGSoundEvent OnBGSound;
    TOnCopyEvent OnCopy;
    // Never raised: no page is split into parts, so ActiveSplit has no list to move in.
    TOnNewSplit OnNewSplit;
    TOnSplitData OnSplitData;

    // The host sink's Invoke, with its arguments: acts on the DISPID alone and answers S_OK.
    HRESULT HandleInvoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params, VARIANT* varResult,
                         EXCEPINFO* excepInfo, UINT* argErr);

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
    // Acts only on an existing split of the page; no page is split, so it stays 0.
    int ActiveSplit() const { return FActiveSplit; }
    void SetActiveSplit(int value);

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

    // Fetched media: offers the sources of the current document's pictures, videos and
    // background sounds that name no file to the host, run at each finished download.
    void FetchPageMedia();
    // Where the work files of fetched media lie: the folder part of a page file name, up to its
    // last backslash or colon.
    String MediaFolder();
    // Writes the bytes unless an existing file of that name cannot be deleted first.
    static void SaveBufferToFile(const String& fileName, const std::string& bytes);
    void DeleteTempFiles();

protected:
    // The display settings made before there was a browser reach it when it is made.
    void CreateWnd() override;

private:
    void LoadHTMLViaTempFile(const String& text);
    void LoadHTMLViaStream(const String& text);
    void TransformXML(const String& text, bool toFile);
    void ReadXMLEncoding(const String& text);
    void BeginLoad();
    void EndLoad() { FCanDownLoad = true; }
    void DocumentClick();
    void AnchorClick(web::THtmlElement& element, web::THtmlAnchor& anchor);
    void AreaClick(web::THtmlArea& area);
    void DocumentDblClick();
    void DocumentKeyDown();
    void DocumentMouseDown();
    void DocumentMouseUp();
    void DocumentCopy();
    void FetchImage(web::THtmlImage& img, const std::shared_ptr<web::THtmlImage>& element);
    void FetchVideo(web::THtmlImage& img);
    void CheckBackgroundSound(web::THtmlBGSound& sound);
    // Hands the buffer to the host and returns the file that should become the source.
    String OfferMedia(const String& source, int number, const char* extension,
                      const std::function<void(char*& src, int& cbSize)>& raise);
    String WorkFileName(const String& folder, int number, const char* extension) const;
    void ApplyInnerText(const String& value);
    void NavigateToFile(const String& name);
    void LoadStreamIntoDocument(const std::string& bytes);
    void BindDocumentParts();
    void CacheBody();
    void ApplyDirection(const WideString& direction, TTextOrient orient);
    std::shared_ptr<web::THtmlDocument> BrowserDocument();
    void Report(const String& text);

    TPageRewriter FRewriter;
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
    int FActiveSplit = 0;
    std::vector<String> FSplits;   // texts of the parts of a split page
    int FMemBufferSize = 65535;
    String FXMLEncoding;
    String FXSLFile;
    String FTempFileName;
    TTextOrient FTextOrient = TTextOrient::RTL;
};
