#pragma once
// The text work an HTML view does on a page before the browser sees it: code-page-1256 bytes in,
// bytes out. No window and no browser here, so it builds and tests anywhere.
#include <functional>
#include "platform/rtl/String.h"

// What a path names; the one question the rewriting asks the file system.
enum class TPathKind { None, File, Folder };
using TPathProbe = std::function<TPathKind(const String& path)>;
TPathKind ProbePath(const String& path);   // the system's answer

// The view's settings that the rewriting reads (and, for BaseDir, writes back).
struct TPageSettings {
    String BaseDir;            // kept with '/'
    String BaseParent;         // BaseDir without its last component
    String AgentDir;
    String StyleSheetFile;
    String JavaScriptFile;
    bool PemovePreHeaderText = true;
    bool HideArabicCommands = true;
    bool AddCopyMenu = false;
    bool AddCopyScript = true;
    bool OnContextMenu = false;   // True keeps the browser's own context menu
    bool WaterMark = true;
    String ScrollText = "yes";
    String BackGroundImage;
    int SelectionLength = 100;
};

// Character classes of the code page: 0 control, 1 Arabic letter, 2 Arabic mark, 3 Latin letter,
// 4 other.
const unsigned char* CharClassTable();
int CharClassOf(unsigned char byte);

class TPageRewriter {
public:
    explicit TPageRewriter(TPathProbe probe = ProbePath);

    TPageSettings Settings;

    // Built once, with the copyright text of that moment.
    void BuildCopyScript(const String& copyRightStr);
    const String& CopyScriptHead() const { return FCopyScriptHead; }
    const String& CopyScriptTail() const { return FCopyScriptTail; }
    const String& CopyMenuBlock() const { return FCopyMenuBlock; }
    String FullCopyScript() const;

    void PrepareHTML(String& text);
    void ExtractScriptBlock(String& text);
    void BuildHeadPart(const String& text);
    void BuildBodyPart(const String& text);
    void SetDefaultHeadBody();

    const String& HeadPart() const { return FHeadPart; }
    const String& BodyPart() const { return FBodyPart; }
    const String& PageScriptBlock() const { return FPageScriptBlock; }
    const String& BgPropertiesText() const { return FBgPropertiesText; }

    // The steps of PrepareHTML, in its order.
    static void EncodeArabicMarks(String& text);
    static void FixVMLComments(String& text);
    void FixStyleSheetPath(String& text);
    void FixScriptPath(String& text);
    void FixBasePaths(String& text);
    void FixAgentDirPaths(String& text);
    void RemovePreHeaderText(String& text);
    static void AddCharsetMeta(String& text);
    void HideArabicTagNames(String& text);
    void AddBodyAttributes(String& text);
    void InsertCopyScript(String& text);
    void InsertCopyMenu(String& text);

private:
    void FixFilePath(String& text, const String& file);
    bool IsFile(const String& path) const { return FProbe(path) == TPathKind::File; }
    bool IsFolder(const String& path) const { return FProbe(path) == TPathKind::Folder; }

    TPathProbe FProbe;
    String FCopyScriptHead;
    String FCopyScriptTail;
    String FCopyMenuBlock;
    String FHeadPart;
    String FBodyPart;
    String FPageScriptBlock;
    String FBgPropertiesText;
};
