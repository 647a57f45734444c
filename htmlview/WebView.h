#pragma once
// TWebView: the HTML view of lesson and assistant pages. This part holds the view's stored
// settings and the page rewriting; the browser host it derives from comes with the window layer.
#include "htmlview/PageRewriter.h"
#include "platform/rtl/String.h"

enum class TTextOrient { RTL, LTR };

class TWebView {
public:
    TWebView();

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
    const String& BackGroundImage() const { return FRewriter.Settings.BackGroundImage; }
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

    // Kept with '/' and without a trailing separator; an empty value changes nothing.
    const String& BaseDir() const { return FRewriter.Settings.BaseDir; }
    void SetBaseDir(const String& value);
    const String& BaseParent() const { return FRewriter.Settings.BaseParent; }
    bool VScroll() const { return FRewriter.Settings.ScrollText == "yes"; }
    void SetVScroll(bool value) { FRewriter.Settings.ScrollText = value ? "yes" : "no"; }

    void PrepareHTML(String& text) { FRewriter.PrepareHTML(text); }
    void ExtractScriptBlock(String& text) { FRewriter.ExtractScriptBlock(text); }
    void BuildHeadPart(const String& text) { FRewriter.BuildHeadPart(text); }
    void BuildBodyPart(const String& text) { FRewriter.BuildBodyPart(text); }
    void BuildCopyScript() { FRewriter.BuildCopyScript(FCopyRightStr); }
    TPageRewriter& Rewriter() { return FRewriter; }

private:
    TPageRewriter FRewriter;
    String FCopyRightStr;
    char FSlashCharacter = '/';
    TTextOrient FTextOrient = TTextOrient::RTL;
    String FTempFileName;
    String FXSLFile;
    int FMemBufferSize = 65535;
};
