#include "platform/web/HtmlParser.h"
#include <gtest/gtest.h>
#include <chrono>
#include <random>
#include "platform/web/PageEncoding.h"

using namespace web;

namespace {

WideString BodyMarkup(std::wstring_view html) {
    THtmlNodePtr doc = ParseHtml(html);
    THtmlNode* body = doc->Find(L"body");
    return body ? body->InnerHTML() : L"(no body)";
}

int MaxDepth(THtmlNode& root) {
    int deepest = 0;
    ForEachNode(root, [&](THtmlNode& n) { deepest = std::max(deepest, n.Depth()); });
    return deepest;
}

}  // namespace

TEST(HtmlParserTest, HandWrittenMarkupBecomesTheTreeABrowserBuilds) {
    struct TCase {
        const wchar_t* Html;
        const wchar_t* Body;
    } cases[] = {
        {L"<p>a<p>b", L"<p>a</p><p>b</p>"},
        {L"<ul><li>x<li>y</ul>z", L"<ul><li>x</li><li>y</li></ul>z"},
        {L"<table><tr><td>1<td>2<tr><td>3</table>", L"<table><tr><td>1</td><td>2</td></tr><tr><td>3</td></tr></table>"},
        {L"<TABLE><TD>x</TABLE>", L"<table><tr><td>x</td></tr></table>"},
        {L"<table>lost<tr><td>1</table>", L"lost<table><tr><td>1</td></tr></table>"},   // content outside cells goes before
        {L"<p>a<table><tr><td>t</table>", L"<p>a</p><table><tr><td>t</td></tr></table>"},
        {L"<B>bold</b><I>it</I>", L"<b>bold</b><i>it</i>"},
        {L"<font color=red size=+1 face='Arabic Transparent'>t</font>",
         L"<font color=\"red\" size=\"+1\" face=\"Arabic Transparent\">t</font>"},
        {L"<td nowrap>x", L"x"},   // a cell outside a table is dropped, its text kept
        {L"<input disabled value=a=b>", L"<input disabled=\"\" value=\"a=b\">"},
        {L"&amp;&lt;&#1575;&#x627;&nbsp;&copy &bogus; &#0; &", L"&amp;&lt;\u0627\u0627\u00a0\u00a9 &amp;bogus; \ufffd &amp;"},
        {L"a < b <3 <> </ >c", L"a &lt; b &lt;3 &lt;&gt; c"},
        {L"<!-- note --><b>x</b><!-- open", L"<b>x</b><!-- open-->"},   // the first goes to the head
        {L"<div><font color=red><p>x</font>y</div>", L"<div><font color=\"red\"><p>x</p></font>y</div>"},
        {L"<h1>a<h2>b</h2>", L"<h1>a</h1><h2>b</h2>"},
        {L"<a href=1>one<a href=2>two</a>", L"<a href=\"1\">one</a><a href=\"2\">two</a>"},
        {L"<pre>\nline</pre>", L"<pre>line</pre>"},
        {L"<p>x</b></td></p>y", L"<p>x</p>y"},
        {L"<\u0643\u0644\u0645\u0629>a</\u0643\u0644\u0645\u0629>", L"&lt;\u0643\u0644\u0645\u0629&gt;a"},
        {L"<b>cut <a href=\"x", L"<b>cut </b>"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Html);
        EXPECT_EQ(BodyMarkup(c.Html), c.Body);
    }
}

TEST(HtmlParserTest, HeadContentScriptAndStyleStayRaw) {
    THtmlNodePtr doc = ParseHtml(L"<html><head><title>T &amp; U</title></head><style>p{color:red}</style>"
                                 L"<body dir=rtl bgcolor=#229ECE><script type=\"text/x-character\">if (a<b) x='</p>';"
                                 L"</SCRIPT><BODY text=white>z");
    THtmlNode* head = doc->Find(L"head");
    ASSERT_TRUE(head);
    ASSERT_TRUE(head->Find(L"style"));
    EXPECT_EQ(head->Find(L"style")->TextContent(), L"p{color:red}");
    EXPECT_EQ(head->Find(L"title")->TextContent(), L"T & U");
    THtmlNode* body = doc->Find(L"body");
    EXPECT_EQ(body->Attribute(L"dir"), L"rtl");
    EXPECT_EQ(body->Attribute(L"bgcolor"), L"#229ECE");
    EXPECT_EQ(body->Attribute(L"text"), L"white");   // a second body tag adds what the first lacked
    ASSERT_TRUE(body->Find(L"script"));
    EXPECT_EQ(body->Find(L"script")->TextContent(), L"if (a<b) x='</p>';");
    EXPECT_EQ(body->TextContent(), L"if (a<b) x='</p>';z");
}

TEST(HtmlParserTest, MalformedInputEndsQuicklyWithSomethingSensible) {
    std::mt19937 random(20);
    std::wstring noise;
    for (int i = 0; i < 200000; ++i) noise.push_back(wchar_t(random() % 0x700));
    struct TCase {
        const char* Name;
        WideString Html;
        std::function<void(THtmlNode& doc)> Check;
    };
    auto bodyText = [](THtmlNode& doc) { return doc.Find(L"body")->TextContent(); };
    TCase cases[] = {
        {"unclosed tags", L"<div><p><b><i><table><tr><td><ul><li>text", [&](THtmlNode& d) { EXPECT_EQ(bodyText(d), L"text"); }},
        {"stray <", WideString(50000, L'<') + L" x", [&](THtmlNode& d) { EXPECT_EQ(bodyText(d).size(), 50002u); }},
        {"attribute without a value", L"<p align>x</p>", [&](THtmlNode& d) { EXPECT_TRUE(d.Find(L"p")->HasAttribute(L"align")); }},
        {"a 1 MB line", WideString(1000000, L'x'), [&](THtmlNode& d) { EXPECT_EQ(bodyText(d).size(), 1000000u); }},
        {"10,000 nested elements", [] {
             WideString s;
             for (int i = 0; i < 10000; ++i) s += L"<div>";
             s += L"deep";
             for (int i = 0; i < 10000; ++i) s += L"</div>";
             return s + L"after";
         }(),
         [&](THtmlNode& d) {
             EXPECT_LE(MaxDepth(d), MaxTreeDepth + 3);
             EXPECT_EQ(bodyText(d), L"deepafter");
         }},
        {"100,000 unclosed formatting tags", [] {
             WideString s;
             for (int i = 0; i < 100000; ++i) s += L"<b>";
             return s + L"x";
         }(),
         [&](THtmlNode& d) { EXPECT_EQ(bodyText(d), L"x"); }},
        {"bad entities", L"&#xZZ; &#99999999999; &amp &notanentity; &#x110000;",
         [&](THtmlNode& d) { EXPECT_EQ(bodyText(d), L"&#xZZ; \ufffd & &notanentity; \ufffd"); }},
        {"unterminated quote", L"<p title=\"never closed>text", [&](THtmlNode& d) { EXPECT_EQ(bodyText(d), L""); }},
        {"random characters", noise, [&](THtmlNode& d) { EXPECT_TRUE(d.Find(L"body")); }},
    };
    for (TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto start = std::chrono::steady_clock::now();
        THtmlNodePtr doc = ParseHtml(c.Html);
        ASSERT_TRUE(doc->Find(L"body"));
        c.Check(*doc);
        doc.reset();   // freeing a deep tree must not recurse either
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(), 3000);
    }
}

TEST(HtmlParserTest, PageBytesAreReadInTheirCharset) {
    struct TCase {
        std::string Bytes;
        TPageCharset Charset;
        WideString Text;
    } cases[] = {
        {"<meta http-equiv=Content-Type content=\"text/html; charset=windows-1256\">\xC7\xE1", TPageCharset::Windows1256, L"\u0627\u0644"},
        {"<meta charset=\"windows-1252\"><p>\x93q\x94", TPageCharset::Windows1252, L"\u201cq\u201d"},
        {"<META CONTENT='text/html;charset=iso-8859-1'>\xE9", TPageCharset::Windows1252, L"\u00e9"},
        {"\xEF\xBB\xBF\xD8\xA7", TPageCharset::Utf8, L"\u0627"},
        {"plain \xD8\xA7\xD9\x84", TPageCharset::Utf8, L"\u0627\u0644"},         // undeclared, valid UTF-8
        {"plain \xC7\xE1", TPageCharset::Windows1256, L"\u0627\u0644"},          // undeclared: the program's own code page
        {std::string("\xFF\xFE" "a\0\x27\x06", 6), TPageCharset::Utf16LE, L"a\u0627"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Bytes);
        EXPECT_EQ(DetectCharset(c.Bytes), c.Charset);
        WideString text = DecodePage(c.Bytes);
        EXPECT_EQ(text.substr(text.size() - c.Text.size()), c.Text);
    }
}
