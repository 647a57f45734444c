#include "platform/web/PageStyle.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include "platform/testing/TestSupport.h"
#include "platform/web/HtmlParser.h"

using namespace web;

namespace {

// The computed style of the element with that id in a page styled by its style elements.
struct TStyled {
    THtmlNodePtr Doc;
    std::vector<std::unique_ptr<TStyleSheet>> Sheets;
    TStyleResolver Resolver;

    explicit TStyled(std::wstring_view html) : Doc(ParseHtml(html)) {
        ForEachNode(*Doc, [&](THtmlNode& n) {
            if (!n.Is(L"style")) return;
            Sheets.push_back(std::make_unique<TStyleSheet>());
            Sheets.back()->Parse(n.TextContent());
            Resolver.AddSheet(*Sheets.back());
        });
    }
    TComputedStyle Of(std::wstring_view id) {
        THtmlNode* target = nullptr;
        ForEachNode(*Doc, [&](THtmlNode& n) {
            if (n.IsElement() && n.Attribute(L"id") == id) target = &n;
        });
        EXPECT_TRUE(target) << "no element " << WideString(id).size();
        std::vector<THtmlNode*> chain;
        for (THtmlNode* n = target; n && n->IsElement(); n = n->Parent) chain.insert(chain.begin(), n);
        TComputedStyle style = TStyleResolver::Initial();
        for (THtmlNode* n : chain) style = Resolver.Compute(*n, style);
        return style;
    }
};

}  // namespace

TEST(PageStyleTest, TheLessonSheetGivesItsCellsTheirColours) {
    TStyled page(L"<style>body{background:#229ECE;color:white;font-family:Arabic Transparent}td{background:#AEE2FF;"
                 L"color:navy;font-size:18pt;padding:3px 7px}td.n{background:yellow}td.u{color:#8AA}</style>"
                 L"<body dir=rtl id=b><center><font size=\"6\" id=f><b id=t>T</b></font><table dir=ltr id=tab><tr>"
                 L"<td class=n id=n>r</td><td id=plain>V</td><td class=\"u x\" id=u>u</td></tr></table></center>");
    TComputedStyle body = page.Of(L"b");
    EXPECT_EQ(body.BackgroundColor, 0x229ECEu);
    EXPECT_EQ(body.Color, 0xFFFFFFu);
    EXPECT_TRUE(body.RightToLeft);
    TComputedStyle title = page.Of(L"t");
    EXPECT_TRUE(title.Bold);
    EXPECT_EQ(title.FontSize, 32);            // size 6
    EXPECT_EQ(title.FontFamily, L"Arabic Transparent");
    EXPECT_EQ(title.TextAlign, TTextAlign::Center);
    EXPECT_FALSE(page.Of(L"tab").RightToLeft);
    EXPECT_EQ(page.Of(L"n").BackgroundColor, 0xFFFF00u);   // the class rule wins over the type rule
    EXPECT_EQ(page.Of(L"plain").BackgroundColor, 0xAEE2FFu);
    EXPECT_EQ(page.Of(L"plain").Color, 0x000080u);
    EXPECT_EQ(page.Of(L"u").Color, 0x88AAAAu);
    EXPECT_EQ(page.Of(L"u").FontSize, 24);                 // 18pt
    EXPECT_EQ(page.Of(L"u").Padding[SideLeft].Resolve(0), 7);
    EXPECT_EQ(page.Of(L"u").Padding[SideTop].Resolve(0), 3);
}

TEST(PageStyleTest, CascadeOrderAndSelectors) {
    TStyled page(L"<style>#x{color:red} .c{color:green} p{color:blue} div p{font-style:italic} div>b{color:#0A0B0C}"
                 L" p.c.d{text-decoration:underline} a:link{color:#010203} a:hover{color:#FFFFFF} q{bogus:1;color:#123}"
                 L" .imp{color:green !important} @media print{p{color:black}} td, th{vertical-align:top}</style>"
                 L"<div><p class=c id=x>1</p><p class=c id=c>2</p><p id=p style=\"color:#ABCDEF\">3</p>"
                 L"<span><b id=deep>4</b></span><b id=child>5</b><p class=\"c d\" id=cd>6</p>"
                 L"<font color=purple id=font>7</font><font color=purple class=c id=fontc>8</font>"
                 L"<p class=imp id=imp style=\"color:red\">9</p><a href=x id=a>a</a><a name=n id=n>n</a></div>"
                 L"<q id=q>q</q><table><tr><th id=th>h</th></tr></table>");
    EXPECT_EQ(page.Of(L"x").Color, 0xFF0000u);      // id over class over type, whatever the order
    EXPECT_EQ(page.Of(L"c").Color, 0x008000u);
    EXPECT_EQ(page.Of(L"p").Color, 0xABCDEFu);      // the style attribute over the sheets
    EXPECT_TRUE(page.Of(L"p").Italic);              // descendant step
    EXPECT_EQ(page.Of(L"child").Color, 0x0A0B0Cu);  // child step
    EXPECT_EQ(page.Of(L"deep").Color, 0x000000u);   // a grandchild is not a child
    EXPECT_TRUE(page.Of(L"cd").Underline);          // compound of two classes
    EXPECT_EQ(page.Of(L"font").Color, 0x800080u);   // the presentational colour ...
    EXPECT_EQ(page.Of(L"fontc").Color, 0x008000u);  // ... loses to any rule of the page
    EXPECT_EQ(page.Of(L"imp").Color, 0x008000u);    // !important over the style attribute
    EXPECT_EQ(page.Of(L"a").Color, 0x010203u);      // a link; hover never applies here
    EXPECT_EQ(page.Of(L"n").Color, 0x000000u);      // an anchor without href is no link
    EXPECT_EQ(page.Of(L"q").Color, 0x112233u);      // an unknown property is skipped, not the rule
    EXPECT_EQ(page.Of(L"th").VerticalAlign, TVerticalAlign::Top);
    EXPECT_EQ(page.Of(L"th").TextAlign, TTextAlign::Center);
}

TEST(PageStyleTest, PresentationalAttributesAndUnits) {
    TStyled page(L"<body bgcolor=FFFF99 text=#0000ff background=bg.bmp id=b><font size=+1 id=plus>a</font>"
                 L"<font size=-2 face=Tahoma id=minus>b</font><h1 id=h1>c</h1><p align=right dir=rtl id=p>d</p>"
                 L"<div style=\"font-size:20px;margin:1em 2px;padding:10%;width:50%;border:2px dashed #00f\" id=div>e</div>"
                 L"<ul dir=rtl id=ul><li>x</li></ul><table cellpadding=5 border=1><tr><td valign=bottom id=td>t</td></tr></table>"
                 L"<span style=\"display:none\" id=none>f</span><p style=\"font:italic bold 12pt/2 Tahoma, sans-serif\" id=font>g</p>");
    TComputedStyle body = page.Of(L"b");
    EXPECT_EQ(body.BackgroundColor, 0xFFFF99u);     // six digits without '#', as hand-written pages have them
    EXPECT_EQ(body.Color, 0x0000FFu);
    EXPECT_EQ(body.BackgroundImage, L"bg.bmp");
    EXPECT_EQ(page.Of(L"plus").FontSize, 18);
    EXPECT_EQ(page.Of(L"minus").FontSize, 10);
    EXPECT_EQ(page.Of(L"minus").FontFamily, L"Tahoma");
    EXPECT_EQ(page.Of(L"h1").FontSize, 32);
    EXPECT_EQ(page.Of(L"p").TextAlign, TTextAlign::Right);
    EXPECT_TRUE(page.Of(L"p").RightToLeft);
    TComputedStyle div = page.Of(L"div");
    EXPECT_EQ(div.Margin[SideTop].Resolve(0), 20);
    EXPECT_EQ(div.Margin[SideLeft].Resolve(0), 2);
    EXPECT_EQ(div.Padding[SideLeft].Resolve(300), 30);
    EXPECT_EQ(div.Width.Resolve(300), 150);
    EXPECT_EQ(div.Border[SideBottom].Width, 2);
    EXPECT_EQ(div.Border[SideBottom].Color, 0x0000FFu);
    TComputedStyle ul = page.Of(L"ul");             // a right-to-left list is indented from the right
    EXPECT_EQ(ul.Padding[SideRight].Resolve(0), 40);
    EXPECT_EQ(ul.Padding[SideLeft].Resolve(0), 0);
    TComputedStyle td = page.Of(L"td");
    EXPECT_EQ(td.VerticalAlign, TVerticalAlign::Bottom);
    EXPECT_EQ(td.Padding[SideTop].Resolve(0), 5);
    EXPECT_EQ(td.Border[SideTop].Width, 1);
    EXPECT_EQ(page.Of(L"none").Display, TDisplay::None);
    TComputedStyle font = page.Of(L"font");
    EXPECT_TRUE(font.Italic);
    EXPECT_TRUE(font.Bold);
    EXPECT_EQ(font.FontSize, 16);
    EXPECT_EQ(font.FontFamily, L"Tahoma, sans-serif");
}

TEST(PageStyleTest, ColoursAsPagesWriteThem) {
    struct TCase {
        const wchar_t* Text;
        std::optional<std::uint32_t> Rgb;
    } cases[] = {
        {L"yellow", 0xFFFF00}, {L"Navy", 0x000080}, {L"#8AA", 0x88AAAA}, {L"#229ECE", 0x229ECE}, {L"229ece", 0x229ECE},
        {L"rgb(1, 2, 300)", 0x0102FF}, {L"menu", 0xF0F0F0}, {L"#12345", std::nullopt}, {L"nocolour", std::nullopt},
        {L"", std::nullopt}, {L"#GGGGGG", std::nullopt},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << WideString(c.Text).size());
        EXPECT_EQ(ParseColor(c.Text), c.Rgb);
    }
}

// The table of what the renderer supports is one file, read here and by the data check.
TEST(PageStyleTest, TheSupportTableIsWhatTheRendererSupports) {
    std::ifstream file(testing_support::SourcePath("web/PageSupport.txt"));
    ASSERT_TRUE(file.good());
    std::vector<std::string> tags, properties;
    std::vector<std::string>* section = nullptr;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line == "[tags]") section = &tags;
        else if (line == "[properties]") section = &properties;
        else if (section) section->push_back(line);
    }
    auto narrow = [](const std::vector<const wchar_t*>& list) {
        std::vector<std::string> out;
        for (const wchar_t* w : list) out.push_back(FromWide(w));
        std::sort(out.begin(), out.end());
        return out;
    };
    std::sort(tags.begin(), tags.end());
    std::sort(properties.begin(), properties.end());
    EXPECT_EQ(tags, narrow(SupportedTags()));
    EXPECT_EQ(properties, narrow(SupportedProperties()));
    EXPECT_TRUE(IsSupportedTag(L"center"));
    EXPECT_FALSE(IsSupportedTag(L"marquee"));
    EXPECT_TRUE(IsSupportedProperty(L"border-bottom"));
    EXPECT_FALSE(IsSupportedProperty(L"position"));
}
