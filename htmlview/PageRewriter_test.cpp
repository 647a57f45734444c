#include <gtest/gtest.h>
#include <map>
#include "htmlview/PageRewriter.h"
#include "htmlview/WebView.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A file system of named paths, so the tests decide what exists.
struct FakeDisk {
    std::map<String, TPathKind> paths;
    TPathProbe Probe() {
        return [this](const String& p) {
            auto it = paths.find(p);
            return it == paths.end() ? TPathKind::None : it->second;
        };
    }
};

const String Meta = " <meta http-equiv=Content-Type content=\"text/html;charset=windows-1256\">";

const String CopyScript500 =
    "\r\n\r\n<SCRIPT>\r\n<!-- // Copy Script\r\nfunction SourceCopy() {\r\n"
    "\tevent.returnValue = false;\r\n\trange = document.selection.createRange();\r\n"
    "\tNewValue = range.text.substring(0, 500) ;\r\n"
    "\twindow.clipboardData.setData(\"Text\", NewValue);\r\n}\r\n-->\r\n</SCRIPT>\r\n\r\n";

// The settings both host forms store.
void ApplyHostSettings(TWebView& view) {
    view.SetAddCopyMenu(false);
    view.SetAddCopyScript(true);
    view.SetSelectionLength(500);
    view.SetTextOrient(TTextOrient::RTL);
    view.SetVScroll(true);
    view.SetOnContextMenu(false);
    view.SetWaterMark(false);
}

}  // namespace

TEST(PageRewriterTest, ArabicMarksAreEncodedOutsideTagsOnly) {
    const String blessing = "صلى الله عليه وسلم"_a;
    ASSERT_EQ(blessing.size(), 18u);
    struct Case { String in, out; } cases[] = {
        {"<img alt=\"\x80\x9A\">a\x80" "b\x9A" "c", "<img alt=\"\x80\x9A\">a" + blessing + "b&#1764;c"},
        {"x\x8A" "y\x98" "z\xA0!", "x&#1648;y&#1649;z!"},
        {"t\x9A<b title=\x80 never closed \x9A\xA0", "t&#1764;<b title=\x80 never closed \x9A\xA0"},
        {"", ""},
    };
    for (const Case& c : cases) {
        String t = c.in;
        TPageRewriter::EncodeArabicMarks(t);
        EXPECT_EQ(t, c.out) << c.in;
    }
}

TEST(PageRewriterTest, CharClassTableCoversEveryByte) {
    struct Case { int byte, cls; } cases[] = {
        {0x00, 0}, {0x1F, 0}, {0x3F, 0}, {0x7F, 0}, {0x9F, 0},
        {0x80, 1}, {0x98, 1}, {0xC7, 1}, {0xDC, 1}, {0xE1, 1}, {0xED, 1},
        {0x8A, 2}, {0x9A, 2}, {0xF0, 2}, {0xFA, 2},
        {'A', 3}, {'z', 3}, {0x60, 3}, {0xD7, 3}, {0xFF, 3},
        {' ', 4}, {'0', 4}, {'@', 4}, {'[', 4}, {0xA0, 4}, {0xFE, 4},
    };
    for (const Case& c : cases) EXPECT_EQ(CharClassOf(static_cast<unsigned char>(c.byte)), c.cls) << c.byte;
    int counts[5] = {};
    for (int b = 0; b < 256; ++b) ++counts[CharClassTable()[b]];
    EXPECT_EQ(counts[0], 35);
    EXPECT_EQ(counts[1], 46);
    EXPECT_EQ(counts[2], 11);
    EXPECT_EQ(counts[3], 83);
    EXPECT_EQ(counts[4], 81);
}

TEST(PageRewriterTest, BodyOnlyPageWithTheHostSettings) {
    TWebView view(nullptr);
    ApplyHostSettings(view);
    String page = "<body >";
    view.PrepareHTML(page);
    EXPECT_EQ(page, Meta + CopyScript500 + "<body " + " oncopy=\"SourceCopy()\" " + "scroll=\"yes\" " +
                        " OnContextMenu=\"return false\" " +
                        " ondrag=\"return false\" ondragstart=\"return false\"" + " >");
}

TEST(PageRewriterTest, FullPageKeepsItsOwnAttributesAndSkipsWhatItHas) {
    TWebView view(nullptr);
    ApplyHostSettings(view);
    view.SetWaterMark(true);
    String page = "garbage<HTML><HEAD><title>t</title></HEAD>"
                  "<BODY oncontextmenu=\"x()\" scroll=\"no\">text</BODY></HTML>";
    view.PrepareHTML(page);
    EXPECT_EQ(page, "<Html><HEAD><title>t</title>" + Meta + "</HEAD>" + CopyScript500 + "<BODY " +
                        " oncopy=\"SourceCopy()\" " + "bgproperties=\"FIXED\" " +
                        " ondrag=\"return false\" ondragstart=\"return false\"" +
                        " oncontextmenu=\"x()\" scroll=\"no\">text</BODY></HTML>");
    EXPECT_EQ(view.Rewriter().BgPropertiesText(), " bgproperties=\"FIXED\" ");

    String again = page;   // a rewritten page gains nothing twice but the meta
    view.PrepareHTML(again);
    EXPECT_EQ(Pos(CopyScript500, again), Pos(CopyScript500, page) + int(Meta.size()));
    EXPECT_EQ(again.size(), page.size() + Meta.size());
}

TEST(PageRewriterTest, CopyMenuReplacesTheContextMenuAttribute) {
    TWebView view(nullptr);
    ApplyHostSettings(view);
    view.SetAddCopyMenu(true);
    view.SetAddCopyScript(false);
    String page = "<body >x";
    view.PrepareHTML(page);
    const String& menu = view.Rewriter().CopyMenuBlock();
    EXPECT_EQ(page, Meta + menu + "<body " + "OnContextMenu=\"displayMenu();return false\"" + "scroll=\"yes\" " +
                        " ondrag=\"return false\" ondragstart=\"return false\"" + " >x");
    EXPECT_EQ(menu.substr(0, 9), "<STYLE>\r\n");
    EXPECT_NE(Pos("<div class=\"menuItem\" id=mnuCopy>نسـخ/Copy</div>\r\n</div>\r\n"_a, menu), 0);
    EXPECT_EQ(menu.substr(menu.size() - 8), "</div>\r\n");
}

TEST(PageRewriterTest, CopyRightTextEntersTheScriptOnlyWhenBuilt) {
    TWebView view(nullptr);
    view.SetCopyRightStr("+ \" (c)\"");
    EXPECT_EQ(Pos("(c)", view.Rewriter().FullCopyScript()), 0);
    view.BuildCopyScript();
    EXPECT_NE(Pos("substring(0, 100) + \" (c)\";\r\n", view.Rewriter().FullCopyScript()), 0);
}

TEST(PageRewriterTest, BackgroundIsPrefixedAgainstAnExistingBaseDir) {
    struct Case { String in, out; } cases[] = {
        {"<body background=\"pic.jpg\">", "<body background=\"C:/app/lessons/pic.jpg\">"},
        {"<body background=pic.jpg>", "<body background=C:/app/lessons/pic.jpg>"},
        {"<body background=\"./pic.jpg\">", "<body background=\"C:/app/lessons/pic.jpg\">"},
        {"<body background=\".pic\">", "<body background=\".pic\">"},
        {"<body background=\"/pic.jpg\">", "<body background=\"/pic.jpg\">"},
        {"<body background=\"\\pic.jpg\">", "<body background=\"\\pic.jpg\">"},
        {"<body background=\"D:pic.jpg\">", "<body background=\"D:pic.jpg\">"},
        {"<body background=\"p", "<body background=\"p"},   // fewer than two characters follow
        {"<img src=\"../up.gif\"><img src=\"./here.gif\">",
         "<img src=\"C:/app/up.gif\"><img src=\"C:/app/lessons/here.gif\">"},
    };
    FakeDisk disk;
    disk.paths["C:\\app\\lessons"] = TPathKind::Folder;
    for (const Case& c : cases) {
        TPageRewriter r(disk.Probe());
        r.Settings.BaseDir = "C:/app/lessons";
        r.Settings.BaseParent = "C:/app";
        String t = c.in;
        r.FixBasePaths(t);
        EXPECT_EQ(t, c.out) << c.in;
        EXPECT_EQ(r.Settings.BaseDir, "C:/app/lessons");
    }
}

TEST(PageRewriterTest, MissingBaseDirLeavesPathsAndKeepsBackslashes) {
    FakeDisk disk;
    TPageRewriter r(disk.Probe());
    r.Settings.BaseDir = "C:/app/lessons";
    r.Settings.BaseParent = "C:/app";
    String t = "<body background=\"pic.jpg\"><img src=\"../a.gif\"><img src=\"./b.gif\">";
    const String before = t;
    r.FixBasePaths(t);
    EXPECT_EQ(t, before);
    EXPECT_EQ(r.Settings.BaseDir, "C:\\app\\lessons");
}

TEST(PageRewriterTest, VmlCommentsAreTurnedOff) {
    String t = "<!--[if gte vml 1]>a<![endif]--><![if !vml]>b<![endif]><!--[IF GTE VML 1]>c";
    TPageRewriter::FixVMLComments(t);
    EXPECT_EQ(t, "<!--[if gte vml 2]>a<![endif]--><![if  vml]>b<![endif]><!--[IF GTE VML 2]>c");
}

TEST(PageRewriterTest, ArabicTagNamesAreHidden) {
    struct Case { String in, out; bool hide; } cases[] = {
        {"<عنوان>نص</عنوان>"_a, "</نوان>نص</عنوان>"_a, true},
        {"<b>x</b>", "<b>x</b>", true},
        {"a <", "a <", true},
        {"<عنوان>"_a, "<عنوان>"_a, false},
    };
    for (const Case& c : cases) {
        TPageRewriter r;
        r.Settings.HideArabicCommands = c.hide;
        String t = c.in;
        r.HideArabicTagNames(t);
        EXPECT_EQ(t, c.out);
    }
}

TEST(PageRewriterTest, PreHeaderTextIsRemoved) {
    struct Case { String in, out; } cases[] = {
        {"junk<html><head>x</head>", "<Html><head>x</head>"},
        {"junk<head>x</head><body>", "<head>x</head><body>"},
        {"junk<html><body bgcolor=red>", "<Html><body bgcolor=red>"},
        {"only text <html>", "only text <html>"},
    };
    for (const Case& c : cases) {
        TPageRewriter r;
        String t = c.in;
        r.RemovePreHeaderText(t);
        EXPECT_EQ(t, c.out);
    }
}

TEST(PageRewriterTest, StyleSheetAndScriptReferencesBecomeFullPaths) {
    struct Case { String in, out; } cases[] = {
        {"<link href=\"../Main.css\">", "<link href=\"C:\\site\\main.css\">"},
        {"<link href=\"./main.css\">", "<link href=\"C:\\site\\main.css\">"},
        {"<link href=\"main.css\">", "<link href=\"C:\\site\\main.css\">"},
        {"<script src=\"../x.js\">", "<script src=\"C:\\site\\x.js\">"},
        {"<link href=\"other.css\">", "<link href=\"other.css\">"},
    };
    FakeDisk disk;
    disk.paths["C:\\site\\main.css"] = TPathKind::File;
    disk.paths["C:\\site\\x.js"] = TPathKind::File;
    for (const Case& c : cases) {
        TPageRewriter r(disk.Probe());
        r.Settings.StyleSheetFile = "C:\\site\\main.css";
        r.Settings.JavaScriptFile = "C:\\site\\x.js";
        String t = c.in;
        r.FixStyleSheetPath(t);
        r.FixScriptPath(t);
        EXPECT_EQ(t, c.out);
    }
    FakeDisk empty;
    TPageRewriter missing(empty.Probe());
    missing.Settings.StyleSheetFile = "C:\\site\\main.css";
    String t = "<link href=\"main.css\">";
    missing.FixStyleSheetPath(t);
    EXPECT_EQ(t, "<link href=\"main.css\">");
}

TEST(PageRewriterTest, AgentFolderReferencesBecomeTheAgentDir) {
    FakeDisk disk;
    disk.paths["C:\\app\\Data\\Agent\\wave caracter"] = TPathKind::Folder;
    TPageRewriter r(disk.Probe());
    r.Settings.AgentDir = "C:\\app\\Data\\Agent\\wave caracter";
    String t = "<bgsound src=\"../Agent/Wave Caracter/a.wav\"><img src=\"../agent/wave caracter/b.gif\">";
    r.FixAgentDirPaths(t);
    EXPECT_EQ(t, "<bgsound src=\"C:\\app\\Data\\Agent\\wave caracter/a.wav\">"
                 "<img src=\"C:\\app\\Data\\Agent\\wave caracter/b.gif\">");
}

TEST(PageRewriterTest, ScriptBlockIsExtractedWithSlashes) {
    TPageRewriter r;
    String t = "<head><SCRIPT type=\"agent\">Zarek.Play \"a\\b.wav\"</script></head><body>";
    r.ExtractScriptBlock(t);
    EXPECT_EQ(r.PageScriptBlock(), "<SCRIPT type=\"agent\">Zarek.Play \"a\\b.wav\"</script>");
    EXPECT_EQ(t, "<head><SCRIPT type=\"agent\">Zarek.Play \"a/b.wav\"</script></head><body>");

    String open = "<script>x\\y</script";
    r.ExtractScriptBlock(open);
    EXPECT_EQ(r.PageScriptBlock(), "<script>x\\y</script");
    EXPECT_EQ(open, "<script>x/y</script");

    String none = "<body>no script</body>";
    r.ExtractScriptBlock(none);
    EXPECT_EQ(r.PageScriptBlock(), "");
}

TEST(PageRewriterTest, HeadPartOfPagesWithAndWithoutHead) {
    const String base = "<Base href=\"C:/app\">";
    const String link = "<LINK REL=\"stylesheet\" HREF=\"s.css\">";
    const String meta = "<meta http-equiv=Content-Type content=\"text/html; charset=windows-1256\"></head>";
    struct Case { String in, out; } cases[] = {
        {"<html><head><title>t</title></head><body>", "<head><title>t</title>" + base + link + meta},
        {"<body>x</body>", "<HEAD> " + base + link + meta},
        {"<head><base href=\"x\"><link rel=stylesheet href=y></HEAD>",
         "<head><base href=\"x\"><link rel=stylesheet href=y>" + meta},
        {"<head><title>never closed", base + link + meta},
    };
    for (const Case& c : cases) {
        TPageRewriter r;
        r.Settings.BaseDir = "C:/app";
        r.Settings.StyleSheetFile = "s.css";
        r.BuildHeadPart(c.in);
        EXPECT_EQ(r.HeadPart(), c.out) << c.in;
    }
}

TEST(PageRewriterTest, BodyPartOfPagesWithAndWithoutBody) {
    const String added = "ondrag=\"return false\" scroll=\"yes\" BACKGROUND=\"bg.jpg\" OnContextMenu=\"return false\" ";
    struct Case { String in, out; bool contextMenu; } cases[] = {
        {"<p>no body</p>", "<Body " + added + "> </BODY>", false},
        {"<body>no blank</body>", "<Body " + added + "> </BODY>", false},
        {"<head></head><body bgcolor=red>x", "<body bgcolor=red " + added + "> </BODY>", false},
        {"<BODY scroll=no ondrag=\"y\" background=\"a.gif\">", "<BODY scroll=no ondrag=\"y\" background=\"a.gif\" > </BODY>", true},
        {"<body a=b", "<body a= " + added + "> </BODY>", false},   // unclosed: the last character is lost
    };
    for (const Case& c : cases) {
        TPageRewriter r;
        r.Settings.BackGroundImage = "bg.jpg";
        r.Settings.OnContextMenu = c.contextMenu;
        r.BuildBodyPart(c.in);
        EXPECT_EQ(r.BodyPart(), c.out) << c.in;
    }
}

TEST(WebViewTest, BaseDirIsKeptWithSlashes) {
    struct Case { String in, dir, parent; } cases[] = {
        {"C:\\app\\lessons\\", "C:/app/lessons", "C:/app"},
        {"C:\\app", "C:/app", "C:"},
        {"C:\\", "C:", "C:"},
    };
    for (const Case& c : cases) {
        TWebView view(nullptr);
        view.SetBaseDir(c.in);
        EXPECT_EQ(view.BaseDir(), c.dir);
        EXPECT_EQ(view.BaseParent(), c.parent);
        view.SetBaseDir("");
        EXPECT_EQ(view.BaseDir(), c.dir);
    }
    TWebView view(nullptr);
    EXPECT_TRUE(view.VScroll());
    view.SetVScroll(false);
    EXPECT_FALSE(view.VScroll());
}
