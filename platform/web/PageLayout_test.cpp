#include "platform/web/PageLayout.h"
#include <gtest/gtest.h>
#include "platform/web/HtmlParser.h"
#include "platform/web/testing/FixedLayoutServices.h"

using namespace web;

namespace {

struct TLaidOut {
    THtmlNodePtr Doc;
    std::vector<std::unique_ptr<TStyleSheet>> Sheets;
    TStyleResolver Styles;
    TFixedServices Services;
    TPageLayout Layout;

    TLaidOut(std::wstring_view html, int width) : Doc(ParseHtml(html)) {
        ForEachNode(*Doc, [&](THtmlNode& n) {
            if (!n.Is(L"style")) return;
            Sheets.push_back(std::make_unique<TStyleSheet>());
            Sheets.back()->Parse(n.TextContent());
            Styles.AddSheet(*Sheets.back());
        });
        Layout.Build(*Doc, Styles, Services);
        Layout.Layout(width, Services);
    }
    const TPaintItem& Text(std::wstring_view text) const {
        for (const TPaintItem& it : Layout.Items())
            if (it.Kind == TPaintKind::Text && it.Text == text) return it;
        ADD_FAILURE() << "no text item of that text";
        static TPaintItem none;
        return none;
    }
    std::vector<const TPaintItem*> Of(TPaintKind kind) const {
        std::vector<const TPaintItem*> out;
        for (const TPaintItem& it : Layout.Items())
            if (it.Kind == kind) out.push_back(&it);
        return out;
    }
};

const wchar_t* const Ar1 = L"\u0639\u0631\u0628\u064a";   // four letters
const wchar_t* const Ar2 = L"\u0643\u0644\u0645\u0629";

}  // namespace

TEST(PageLayoutTest, RightToLeftParagraphsStartAtTheRightInBidirectionalOrder) {
    // 16 px font: 8 px a character, 8 px a space; the body has no margin
    TLaidOut page(std::wstring(L"<body dir=rtl style=\"margin:0\"><p style=\"margin:0\">") + Ar1 + L" one two " + Ar2 +
                      L"</p><p style=\"margin:0\" dir=ltr>left</p>",
                  400);
    const TPaintItem& first = page.Text(Ar1);
    const TPaintItem& one = page.Text(L"one");
    const TPaintItem& two = page.Text(L"two");
    const TPaintItem& last = page.Text(Ar2);
    EXPECT_EQ(first.Box.Right, 400);             // the first word at the right edge
    EXPECT_TRUE(first.RightToLeft);
    EXPECT_FALSE(one.RightToLeft);
    EXPECT_LT(one.Box.Left, two.Box.Left);       // English keeps its own order inside
    EXPECT_LT(two.Box.Right, first.Box.Left);
    EXPECT_LT(last.Box.Right, one.Box.Left);     // the last Arabic word at the left end
    EXPECT_EQ(last.Box.Left, 400 - (4 + 1 + 3 + 1 + 3 + 1 + 4) * 8);
    EXPECT_EQ(page.Text(L"left").Box.Left, 0);   // a left-to-right paragraph starts at the left
}

TEST(PageLayoutTest, LinesBreakAtSpacesWithinTheWidth) {
    TLaidOut page(L"<body style=\"margin:0\">aaaa bbbb cccc dddd <b>ee</b>ee ffffffffffffffffffffffff</body>", 100);
    int lines = 0, lastTop = -1;
    for (const TPaintItem* t : page.Of(TPaintKind::Text)) {
        if (t->Text == L" ") continue;
        if (t->Box.Top != lastTop) ++lines;
        lastTop = t->Box.Top;
        if (t->Text.size() < 12) EXPECT_LE(t->Box.Right, 100) << t->Text.size();
    }
    EXPECT_GE(lines, 3);
    // a word split by a tag stays on one line
    std::vector<int> halves;
    for (const TPaintItem* t : page.Of(TPaintKind::Text))
        if (t->Text == L"ee") halves.push_back(t->Box.Top);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0], halves[1]);
}

TEST(PageLayoutTest, TablesTakeTheirColumnsFromTheirContentAndStandWhereTheTextDoes) {
    TLaidOut page(L"<body style=\"margin:0\"><center><table id=t style=\"border-spacing:0\"><tr><td>a</td>"
                  L"<td>bbbbbbbb</td></tr><tr><td colspan=2 bgcolor=yellow>cc</td></tr></table></center>"
                  L"<div dir=rtl><table style=\"border-spacing:0\"><tr><td>first</td><td>second</td></tr></table></div>",
                  400);
    const TPaintItem& a = page.Text(L"a");
    const TPaintItem& b = page.Text(L"bbbbbbbb");
    // columns as wide as their widest content (1 px cell padding each side), the table centred
    EXPECT_EQ(b.Box.Left - a.Box.Left, 8 + 2);
    const int tableWidth = (1 + 8) * 8 + 4;
    EXPECT_EQ(a.Box.Left, (400 - tableWidth) / 2 + 1);
    auto fills = page.Of(TPaintKind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->Color, 0xFFFF00u);
    EXPECT_EQ(fills[0]->Box.Width(), tableWidth);   // the spanning cell covers both columns
    // a right-to-left table puts its first column at the right, and stands at the right
    EXPECT_GT(page.Text(L"first").Box.Left, page.Text(L"second").Box.Left);
    EXPECT_EQ(page.Text(L"first").Box.Right, 400 - 1);
}

TEST(PageLayoutTest, HitsFindLinksPicturesAndMapAreas) {
    TLaidOut page(L"<body style=\"margin:0\"><a href=x.htm id=link>go</a><br><img src=map.bmp usemap=#m>"
                  L"<map name=m><area shape=rect coords=0,0,50,50 href=left.htm><area shape=circle coords=75,25,10 "
                  L"href=right.htm></map><p style=\"display:none\">hidden</p><img src=missing.bmp width=30 height=20></body>",
                  400);
    const TPaintItem& go = page.Text(L"go");
    const THtmlNode* hit = page.Layout.HitTest(go.Box.Left + 1, go.Box.Top + 1);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->Attribute(L"id"), L"link");
    auto images = page.Of(TPaintKind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->Box.Width(), 100);
    EXPECT_EQ(images[1]->Box.Width(), 30);   // a picture that cannot be read keeps its box
    const TPageRect& m = images[0]->Box;
    ASSERT_TRUE(page.Layout.HitTest(m.Left + 10, m.Top + 10));
    EXPECT_EQ(page.Layout.HitTest(m.Left + 10, m.Top + 10)->Attribute(L"href"), L"left.htm");
    EXPECT_EQ(page.Layout.HitTest(m.Left + 75, m.Top + 25)->Attribute(L"href"), L"right.htm");
    EXPECT_TRUE(page.Layout.HitTest(m.Left + 60, m.Top + 45)->Is(L"img"));   // no area there
    for (const TPaintItem* t : page.Of(TPaintKind::Text)) EXPECT_NE(t->Text, L"hidden");
    EXPECT_FALSE(page.Layout.HitTest(399, 399));
}

TEST(PageLayoutTest, ListsBackgroundsAndTheCanvas) {
    TLaidOut page(L"<body bgcolor=#229ECE><ol><li>one</li><li>two</li></ol><ul dir=rtl><li>x</li></ul>"
                  L"<div style=\"background:#010203;border:2px solid red;padding:4px\">box</div></body>",
                  300);
    EXPECT_EQ(page.Layout.Canvas().Color, 0x229ECEu);   // the body's colour fills the whole view
    EXPECT_EQ(page.Text(L"1.").Box.Right < page.Text(L"one").Box.Left, true);
    EXPECT_EQ(page.Text(L"2.").Box.Top, page.Text(L"two").Box.Top);
    EXPECT_GT(page.Text(L"\u2022").Box.Left, page.Text(L"x").Box.Right);   // a right-to-left bullet at the right
    const TPaintItem& box = page.Text(L"box");
    auto fills = page.Of(TPaintKind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->Box.Left, 8);
    EXPECT_EQ(box.Box.Left, 8 + 2 + 4);
    EXPECT_EQ(page.Of(TPaintKind::Border).size(), 1u);
}
