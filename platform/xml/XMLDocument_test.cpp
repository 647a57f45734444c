#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"
#include "platform/win/OleError.h"
#include "platform/xml/XMLDocument.h"

namespace {

const String LessonXml =
    "<?xml version=\"1.0\" encoding=\"windows-1256\"?>"
    "<lesson><title>الدرس الأول</title><line>asdf</line><line>jkl;</line></lesson>"_a;

const char* const LessonXsl =
    "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
    "<xsl:output method=\"html\"/>"
    "<xsl:template match=\"/lesson\"><html><body><h1><xsl:value-of select=\"title\"/></h1>"
    "<xsl:for-each select=\"line\"><p><xsl:value-of select=\".\"/></p></xsl:for-each></body></html>"
    "</xsl:template></xsl:stylesheet>";

}  // namespace

TEST(XMLDocumentTest, TransformsWithAStyleSheetFromTextOrFile) {
    TXMLDocument xml;
    // the view hands the page over as UTF-16, whatever its declaration names
    ASSERT_TRUE(xml.LoadXML(ToWide(LessonXml)));
    EXPECT_EQ(xml.ParseError().ErrorCode, 0);

    TXMLDocument xsl;
    ASSERT_TRUE(xsl.LoadXML(ToWide(LessonXsl)));
    String out = FromWide(xml.TransformNode(xsl));
    const int title = Pos("<h1>الدرس الأول</h1>"_a, out);
    EXPECT_GT(title, 0) << out;
    EXPECT_GT(Pos("<p>asdf</p>", out), title);
    EXPECT_GT(Pos("<p>jkl;</p>", out), Pos("<p>asdf</p>", out));

    testing_support::TempFolder folder;
    folder.Write("lesson.xsl", LessonXsl);
    TXMLDocument fromFile;
    ASSERT_TRUE(fromFile.Load(folder.File("lesson.xsl")));
    EXPECT_EQ(FromWide(xml.TransformNode(fromFile)), out);
}

TEST(XMLDocumentTest, ParserRefusalsAreAnsweredWithTheParseError) {
    TXMLDocument xml;
    EXPECT_FALSE(xml.LoadXML(L"<lesson><title>x</lesson>"));
    TXMLParseError e = xml.ParseError();
    EXPECT_NE(e.ErrorCode, 0);
    EXPECT_FALSE(e.Reason.empty());

    testing_support::TempFolder folder;
    TXMLDocument missing;
    EXPECT_FALSE(missing.Load(folder.File("none.xsl")));
    EXPECT_NE(missing.ParseError().ErrorCode, 0);
}

TEST(XMLDocumentTest, TransformWithAnEmptyStyleSheetPassesOnTheParsersAnswer) {
    // parsers differ here: an empty text or a failure, which then arrives as EOleSysError
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadXML(ToWide(LessonXml)));
    TXMLDocument empty;
    try {
        EXPECT_EQ(xml.TransformNode(empty), L"");
    } catch (const EOleSysError& e) {
        EXPECT_LT(e.ErrorCode(), 0);
        EXPECT_FALSE(e.Message().empty());
    }
}
