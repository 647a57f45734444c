#include "PageRewriter.h"
#include <array>
#include "platform/rtl/SysUtils.h"

TPathKind ProbePath(const String& path) {
    if (DirectoryExists(path)) return TPathKind::Folder;
    if (FileExists(path)) return TPathKind::File;
    return TPathKind::None;
}

namespace {

constexpr int MaxLen = 0x7FFFFFFF;
const char* const CRLF = "\r\n";

struct TClassRange {
    unsigned char First, Last, Class;
};

// Bytes not listed are class 4 (other).
constexpr TClassRange ClassRanges[] = {
    {0x00, 0x1F, 0}, {0x3F, 0x3F, 0}, {0x7F, 0x7F, 0}, {0x9F, 0x9F, 0},
    {0x80, 0x81, 1}, {0x8D, 0x90, 1}, {0x98, 0x98, 1}, {0x9D, 0x9E, 1}, {0xC1, 0xD6, 1},
    {0xD8, 0xDF, 1}, {0xE1, 0xE1, 1}, {0xE3, 0xE6, 1}, {0xEC, 0xED, 1},
    {0x8A, 0x8A, 2}, {0x9A, 0x9A, 2}, {0xAA, 0xAA, 2}, {0xF0, 0xF3, 2}, {0xF5, 0xF6, 2},
    {0xF8, 0xF8, 2}, {0xFA, 0xFA, 2},
    {0x41, 0x5A, 3}, {0x60, 0x7A, 3}, {0x83, 0x83, 3}, {0x8C, 0x8C, 3}, {0x99, 0x99, 3},
    {0x9C, 0x9C, 3}, {0xA2, 0xA2, 3}, {0xA9, 0xA9, 3}, {0xAE, 0xAE, 3}, {0xB2, 0xB4, 3},
    {0xB7, 0xB9, 3}, {0xC0, 0xC0, 3}, {0xD7, 0xD7, 3}, {0xE0, 0xE0, 3}, {0xE2, 0xE2, 3},
    {0xE7, 0xEB, 3}, {0xEE, 0xEF, 3}, {0xF4, 0xF4, 3}, {0xF7, 0xF7, 3}, {0xF9, 0xF9, 3},
    {0xFB, 0xFC, 3}, {0xFF, 0xFF, 3},
};

std::array<unsigned char, 256> MakeClassTable() {
    std::array<unsigned char, 256> t;
    t.fill(4);
    for (const TClassRange& r : ClassRanges)
        for (int b = r.First; b <= r.Last; ++b) t[b] = r.Class;
    return t;
}

// The text with everything after "<BODY" (through its "Y") followed by insert.
void InsertAfterBody(String& text, const String& insert) {
    int p = Pos("<BODY", UpperCase(text));
    if (p > 0) text = Copy(text, 1, p + 4) + insert + Copy(text, p + 5, MaxLen);
}

bool ContainsText(const String& text, const String& sub) { return Pos(UpperCase(sub), UpperCase(text)) > 0; }

String ReplaceChar(String s, char from, char to) {
    for (char& c : s)
        if (c == from) c = to;
    return s;
}

String LastComponent(const String& path) {
    std::size_t i = path.find_last_of("\\/");
    return i == String::npos ? path : path.substr(i + 1);
}

}  // namespace

const unsigned char* CharClassTable() {
    static const std::array<unsigned char, 256> table = MakeClassTable();
    return table.data();
}

int CharClassOf(unsigned char byte) { return CharClassTable()[byte]; }

TPageRewriter::TPageRewriter(TPathProbe probe) : FProbe(std::move(probe)) {}

void TPageRewriter::BuildCopyScript(const String& copyRightStr) {
    FCopyScriptHead = String(CRLF) + CRLF +
        "<SCRIPT>\r\n"
        "<!-- // Copy Script\r\n"
        "function SourceCopy() {\r\n"
        "\tevent.returnValue = false;\r\n"
        "\trange = document.selection.createRange();\r\n"
        "\tNewValue = range.text.substring(0, ";
    FCopyScriptTail = ") " + copyRightStr + ";\r\n"
        "\twindow.clipboardData.setData(\"Text\", NewValue);\r\n"
        "}\r\n"
        "-->\r\n"
        "</SCRIPT>\r\n"
        "\r\n";
    FCopyMenuBlock =
        "<STYLE>\r\n"
        ".menuItem {padding-right:10;background-Color:menu;color:black}\r\n"
        ".highlightItem {padding-right:10;background-Color:highlight;color:white}\r\n"
        "</STYLE>\r\n"
        "<SCRIPT>\r\n"
        "<!--\r\n"
        "function displayMenu() {\r\n"
        "\twhichDiv=event.srcElement;\r\n"
        "\trange = document.selection.createRange();\r\n"
        "\tif (range.text != \"\") {\r\n"
        "\t\tmenu1.style.leftPos+=10;\r\n"
        "\t\tmenu1.style.posLeft=event.offsetX;\r\n"
        "\t\tmenu1.style.posTop=event.offsetY;\r\n"
        "\t\tmenu1.style.display=\"\";\r\n"
        "\t\tmenu1.setCapture();\r\n"
        "\t}\r\n"
        "}\r\n"
        "function switchMenu() {\r\n"
        "\tif (event.srcElement.className==\"menuItem\") {\r\n"
        "\t\tevent.srcElement.className=\"highlightItem\";\r\n"
        "\t} else if (event.srcElement.className==\"highlightItem\") {\r\n"
        "\t\tevent.srcElement.className=\"menuItem\";\r\n"
        "\t}\r\n"
        "}\r\n"
        "function clickMenu() {\r\n"
        "\tmenu1.releaseCapture();\r\n"
        "\tmenu1.style.display=\"none\";\r\n"
        "\tif (event.srcElement.id==\"mnuCopy\") {\r\n"
        "\t\tSourceCopy();\r\n"
        "\t}\r\n"
        "}\r\n"
        "-->\r\n"
        "</SCRIPT>\r\n"
        "<div id=menu1 onclick=\"clickMenu()\" onmouseover=\"switchMenu()\" onmouseout=\"switchMenu()\"\r\n"
        "style=\"position:absolute;display:none;width:120;background-Color:menu; border: outset 1px black\">\r\n" +
        "<div class=\"menuItem\" id=mnuCopy>نسـخ/Copy</div>\r\n"_a +
        "</div>\r\n";
}

String TPageRewriter::FullCopyScript() const {
    return FCopyScriptHead + IntToStr(Settings.SelectionLength) + FCopyScriptTail;
}

void TPageRewriter::PrepareHTML(String& text) {
    EncodeArabicMarks(text);
    FixVMLComments(text);
    FixStyleSheetPath(text);
    FixScriptPath(text);
    FixBasePaths(text);
    FixAgentDirPaths(text);
    RemovePreHeaderText(text);
    AddCharsetMeta(text);
    HideArabicTagNames(text);
    AddBodyAttributes(text);
    InsertCopyScript(text);
    InsertCopyMenu(text);
}

void TPageRewriter::EncodeArabicMarks(String& text) {
    static const String Blessing = "صلى الله عليه وسلم"_a;
    String out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '<') {
            // a tag is copied as it stands, to the end of the text when it never closes
            std::size_t close = text.find('>', i);
            std::size_t end = close == String::npos ? text.size() : close + 1;
            out.append(text, i, end - i);
            i = end;
            continue;
        }
        switch (b) {
        case 0x80: out += Blessing; break;
        case 0x9A: out += "&#1764;"; break;
        case 0x8A: out += "&#1648;"; break;
        case 0x98: out += "&#1649;"; break;
        case 0xA0: break;
        default: out.push_back(char(b));
        }
        ++i;
    }
    text = std::move(out);
}

void TPageRewriter::FixVMLComments(String& text) {
    static const String VmlComment = "<!--[if gte vml 1]>";
    static const String NotVml = "<![if !vml]>";
    int p;
    while ((p = Pos(VmlComment, LowerCase(text))) > 0) {
        text[std::size_t(p - 1 + 16)] = '2';
        int q = Pos(NotVml, LowerCase(text));
        if (q > 0) text[std::size_t(q - 1 + 6)] = ' ';   // the '!' before "vml"
    }
}

void TPageRewriter::FixFilePath(String& text, const String& file) {
    if (!IsFile(file)) return;
    String name = ExtractFileName(file);
    int p = Pos(UpperCase(name), UpperCase(text));
    if (p <= 0) return;
    int cut = p - 1;
    String ref = name;
    if (ContainsText(text, "../" + name)) {
        ref = "../" + name;
        cut -= 3;
    } else if (ContainsText(text, "./" + name)) {
        ref = "./" + name;
        cut -= 2;
    }
    text = Copy(text, 1, cut) + file + Copy(text, cut + int(ref.size()) + 1, MaxLen);
}

void TPageRewriter::FixStyleSheetPath(String& text) { FixFilePath(text, Settings.StyleSheetFile); }

void TPageRewriter::FixScriptPath(String& text) { FixFilePath(text, Settings.JavaScriptFile); }

void TPageRewriter::FixBasePaths(String& text) {
    String& baseDir = Settings.BaseDir;
    baseDir = ReplaceChar(baseDir, '/', '\\');
    if (!IsFolder(baseDir)) return;
    baseDir = ReplaceChar(baseDir, '\\', '/');

    String a = "background=\"";
    String r = "background=\"./";
    if (Pos(a, text) == 0) {
        a = "background=";
        r = "background=./";
    }
    int p = Pos(a, text);
    if (p > 0) {
        std::size_t first = std::size_t(p - 1) + a.size();
        if (first + 2 <= text.size()) {
            char c1 = text[first];
            char c2 = text[first + 1];
            if (c1 != '.' && c1 != '/' && c1 != '\\' && c2 != ':') {
                text = StringReplace(text, a, r, 0);
                text = StringReplace(text, "././", "./", 0);
            }
        }
    }
    text = StringReplace(text, "../", Settings.BaseParent + "/", rfReplaceAll);
    text = StringReplace(text, "./", baseDir + "/", rfReplaceAll);
}

void TPageRewriter::FixAgentDirPaths(String& text) {
    const String& agentDir = Settings.AgentDir;
    if (!IsFolder(agentDir)) return;
    String name = LastComponent(agentDir);
    int p = Pos(LowerCase(name), LowerCase(text));
    if (p <= 0) return;
    int q = p;
    while (q >= 2 && text[std::size_t(q - 1)] != '"') --q;
    String prefix = Copy(text, q + 1, p - q - 1);
    text = StringReplace(text, prefix + name, agentDir, rfReplaceAll | rfIgnoreCase);
}

void TPageRewriter::RemovePreHeaderText(String& text) {
    if (!Settings.PemovePreHeaderText) return;
    String upper = UpperCase(text);
    int h = Pos("<HEAD>", upper);
    int b = Pos("<BODY", upper);
    int t = Pos("<HTML>", upper);
    if (h >= 1) text = Copy(text, h, MaxLen);
    else if (b > 0) text = Copy(text, b, MaxLen);
    else return;
    if (t > 0) text = "<Html>" + text;
}

void TPageRewriter::AddCharsetMeta(String& text) {
    String upper = UpperCase(text);
    int e = Pos("</HEAD", upper) - 1;
    int b = Pos("<BODY", upper);
    if (e < 0 && b == 0) return;
    if (e < 1) e = b - 1;
    text = Copy(text, 1, e) + " <meta http-equiv=Content-Type content=\"text/html;charset=windows-1256\">" +
           Copy(text, e + 1, MaxLen);
}

void TPageRewriter::HideArabicTagNames(String& text) {
    if (!Settings.HideArabicCommands) return;
    // a '<' before an Arabic letter would show as text; "</" makes it an unknown closing tag
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '<') continue;
        ++i;
        if (CharClassOf(static_cast<unsigned char>(text[i])) == 1) text[i] = '/';
    }
}

void TPageRewriter::AddBodyAttributes(String& text) {
    if (!ContainsText(text, "<BODY")) return;
    if (Pos("ondrag=\"return false\"", LowerCase(text)) == 0)
        InsertAfterBody(text, " ondrag=\"return false\" ondragstart=\"return false\"");
    if (!Settings.AddCopyMenu && Pos("oncontextmenu", LowerCase(text)) == 0 && !Settings.OnContextMenu)
        InsertAfterBody(text, " OnContextMenu=\"return false\" ");
    if (Settings.WaterMark) {
        FBgPropertiesText = " bgproperties=\"FIXED\" ";
        if (!ContainsText(text, "bgproperties=\"FIXED\"")) InsertAfterBody(text, FBgPropertiesText);
    }
    if (Pos("scroll", LowerCase(text)) == 0)
        InsertAfterBody(text, " scroll=\"" + Settings.ScrollText + "\" ");
}

void TPageRewriter::InsertCopyScript(String& text) {
    if (!Settings.AddCopyScript) return;
    if (Pos("oncopy=\"SourceCopy()\"", text) > 0) return;
    int p = Pos("<BODY ", UpperCase(text));
    if (p <= 0) return;
    String tag = Copy(text, p, 6);
    text = StringReplace(text, tag, FullCopyScript() + tag + " oncopy=\"SourceCopy()\" ", 0);
}

void TPageRewriter::InsertCopyMenu(String& text) {
    if (!Settings.AddCopyMenu) return;
    int p = Pos("<BODY ", UpperCase(text));
    if (p <= 0) return;
    String tag = Copy(text, p, 6);
    text = StringReplace(text, tag, FCopyMenuBlock + tag + "OnContextMenu=\"displayMenu();return false\"", 0);
}

void TPageRewriter::ExtractScriptBlock(String& text) {
    FPageScriptBlock.clear();
    String upper = UpperCase(text);
    int s = Pos("<SCRIPT", upper);
    int e = Pos("</SCRIPT", upper);
    if (s >= 1 && e > s) {
        int close = PosEx(">", text, e);
        FPageScriptBlock = close > 0 ? Copy(text, s, close - s + 1) : Copy(text, s, MaxLen);
    }
    if (!FPageScriptBlock.empty())
        text = StringReplace(text, FPageScriptBlock, ReplaceChar(FPageScriptBlock, '\\', '/'), rfReplaceAll);
}

void TPageRewriter::BuildHeadPart(const String& text) {
    FHeadPart.clear();
    String upper = UpperCase(text);
    int h = Pos("<HEAD", upper);
    if (h > 0) {
        int x = Pos("</HEAD>", upper);
        if (x > 0) FHeadPart = Copy(text, h, x - h);
    } else {
        FHeadPart = "<HEAD> ";
    }
    String head = UpperCase(FHeadPart);
    if (Pos("BASE ", head) == 0) FHeadPart += "<Base href=\"" + Settings.BaseDir + "\">";
    if (Pos("STYLESHEET", head) == 0)
        FHeadPart += "<LINK REL=\"stylesheet\" HREF=\"" + Settings.StyleSheetFile + "\">";
    FHeadPart += "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1256\"></head>";
}

void TPageRewriter::BuildBodyPart(const String& text) {
    FBodyPart.clear();
    int p = Pos("<body ", LowerCase(text));
    if (p > 0) {
        // up to the tag's '>'; an unclosed tag loses the text's last character
        for (std::size_t i = std::size_t(p - 1); i + 1 < text.size() && text[i] != '>'; ++i)
            FBodyPart.push_back(text[i]);
    } else {
        FBodyPart = "<Body ";
    }
    String body = UpperCase(FBodyPart);
    // the page's last attribute must not run into the first one added
    if (FBodyPart.back() != ' ') FBodyPart.push_back(' ');
    if (Pos("ONDRAG=", body) == 0) FBodyPart += "ondrag=\"return false\" ";
    if (Pos("SCROLL", body) == 0) FBodyPart += "scroll=\"" + Settings.ScrollText + "\" ";
    if (Pos("BACKGROUND", body) == 0) FBodyPart += "BACKGROUND=\"" + Settings.BackGroundImage + "\" ";
    if (Pos("ONCONTEXTMENU", body) == 0 && !Settings.OnContextMenu) FBodyPart += "OnContextMenu=\"return false\" ";
    if (Pos("BGPROPERTIES", body) == 0) FBodyPart += FBgPropertiesText;
    FBodyPart += "> </BODY>";
}

void TPageRewriter::SetDefaultHeadBody() {
    FHeadPart = "<Head></Head>";
    FBodyPart = "<Body></Body>";
}
