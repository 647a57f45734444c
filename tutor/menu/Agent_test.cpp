#include "tutor/menu/Agent.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "tutor/testing/TutorFixture.h"

using namespace tutor_testing;

namespace {

TEST(Agent, PosFromSearchesAtOrAfterItsStart) {
    const struct {
        const char* sub;
        const char* s;
        int start;
        int expected;
    } cases[] = {
        {",", "a,b,c", 1, 2}, {",", "a,b,c", 2, 2}, {",", "a,b,c", 3, 4}, {",", "a,b,c", 5, 0},
        {",", "a,b,c", 6, 0}, {"bc", "abcbc", 3, 4},  {"x", "abc", 1, 0},   {"bc", "abc", 3, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PosFrom(c.sub, c.s, c.start), c.expected) << c.s << " from " << c.start;
}

TEST(Agent, PositionsMoveFromTheLayoutIntoTheCallersRectangle) {
    const struct {
        const char* what;
        String page;
        int width, height, left, top;
        String expected;
    } cases[] = {
        {"no call", "<p>Zarek.Show</p>\r\n", 790, 566, 100, 50, "<p>Zarek.Show</p>\r\n"},
        {"a 790 x 566 screen at 100, 50", "Zarek.MoveTo 600, 400\r\n", 790, 566, 100, 50, "Zarek.MoveTo 583, 349\r\n"},
        {"several calls, each once", "Z.MoveTo 0, 0\r\nZ.Show\r\nZ.MoveTo 10, 20\r\n", 1000, 700, 0, 0,
         "Z.MoveTo -12, -34\r\nZ.Show\r\nZ.MoveTo -2, -14\r\n"},
        {"1024 x 768 at 0, 0", "Z.MoveTo 600, 400\r\nZ.MoveTo 5, 6\r\n", 1024, 768, 0, 0,
         "Z.MoveTo 600, 400\r\nZ.MoveTo 5, 6\r\n"},
        {"wider than 1024: half of a negative, towards zero", "Z.MoveTo 600, 400\r\n", 1029, 771, 0, 0,
         "Z.MoveTo 602, 401\r\n"},
        {"no blank after the comma", "Z.MoveTo 600,400\r\n", 1024, 768, 0, 0, "Z.MoveTo 600, 400\r\n"},
        {"blanks around the numbers", "Z.MoveTo  600 ,   400 \r\n", 1024, 768, 10, 20, "Z.MoveTo 610, 420\r\n"},
        {"a caller left of the screen", "Z.MoveTo 600, 400\r\n", 792, 566, -2000, 0, "Z.MoveTo -1516, 299\r\n"},
        {"a script's call is no line of the character", "host.MoveTo(x, y);\r\n", 790, 566, 100, 50,
         "host.MoveTo(x, y);\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitPagePositions(c.page, c.width, c.height, c.left, c.top), c.expected) << c.what;
}

TEST(Agent, AMalformedCallIsAnErrorOfThePage) {
    for (const char* page : {"Z.MoveTo 600\r\nZ.Show, now\r\n", "Z.MoveTo x, 400\r\n", "Z.MoveTo 600, \r\n",
                             "Z.MoveTo 600, 4OO\r\n", "Z.MoveTo , 400\r\n", "Z.MoveTo 600"})
        EXPECT_THROW(FitPagePositions(page, 790, 566, 0, 0), EConvertError) << page;
}

struct AgentTest : TutorFixture {
    void Page(const String& name, const String& text) { Dir.Write("Data\\Agent\\Html\\" + name, text); }
    void LoadPendingPage() { SendMessageW(AgentForm->PageTimer->Handle(), WM_TIMER, 1, 0); }
};

TEST_F(AgentTest, AMalformedPageIsNotPlayedAndTheCallingScreenGoesOn) {
    Page("zarek entr class.htm", "<script type=\"text/x-character\" id=\"CharacterA\">\r\nZarek.MoveTo 600\r\n</script>");
    Start();   // a first run: the menu introduces itself
    EXPECT_EQ(AgentForm->PlayedPages(), std::vector<String>{"zarek welcom.htm"});
    EXPECT_EQ(AgentForm->PlayingPage(), "");
    EXPECT_FALSE(MainFrm->FirstVisit);
    EXPECT_EQ(MainFrm->ShockwaveFlash->Movie(), ToWide(Dir.File("Data\\interface\\MainAA.swf")));
    LoadPendingPage();
    EXPECT_EQ(AgentForm->WebView->InnerText(), "");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(AgentTest, ThePageGoesIntoTheViewFittedToTheScreenOnceTheScreenIsPainted) {
    const String page = "<html><body>\r\n<script type=\"text/x-character\" id=\"CharacterE\">\r\n"
                        "Zarek.MoveTo 600, 400\r\nZarek.Speak \"Hi\", \"hi.wav\"\r\n</script></body></html>";
    Page("zarek entr class.htm", page);
    WriteUserStore();
    Dir.Write("Data\\Topic.ini", "[Options]\r\nLanguage=E\r\n");
    Start();
    MainFrm->SetBounds(100, 50, 790, 566);
    Command(L"PlayAgent");
    EXPECT_EQ(AgentForm->PlayingPage(), "zarek entr class.htm");
    EXPECT_EQ(AgentForm->WebView->InnerText(), "");   // not before the timer
    // cleared before it went in: nothing goes in
    AgentForm->ClearPage();
    LoadPendingPage();
    EXPECT_EQ(AgentForm->WebView->InnerText(), "");

    Command(L"PlayAgent");
    LoadPendingPage();
    EXPECT_NE(Pos("Zarek.MoveTo 583, 349\r\nZarek.Speak", AgentForm->WebView->InnerText()), 0);
    EXPECT_EQ(AgentForm->WebView->AgentDir(), Dir.File("Data\\Agent\\wave caracter"));
    EXPECT_EQ(AgentForm->Host().SoundFolder(), Dir.File("Data\\Agent\\wave caracter"));
    EXPECT_EQ(AgentForm->Host().Language(), L"E");
    EXPECT_FALSE(AgentForm->Host().Character().RightToLeft());
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
