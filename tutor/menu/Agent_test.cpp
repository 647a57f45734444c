#include "tutor/menu/Agent.h"
#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/web/testing/CharacterFixture.h"
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
    std::uint32_t Now = 10000;

    void SetUp() override {
        TutorFixture::SetUp();
        rtl::SetTickSource([this] { return Now; });
    }
    void TearDown() override {
        TutorFixture::TearDown();
        rtl::SetTickSource({});
    }
    void Page(const String& name, const String& text) { Dir.Write("Data\\Agent\\Html\\" + name, text); }
    // A page whose character stands at the layout's x, y and says hello in each language.
    void StoryPage(const String& name, int x, int y) {
        String page = "<html><head><script type=\"text/javascript\">function play() {}</script>\r\n";
        for (const char* language : {"A", "E"})
            page += String("<script type=\"text/x-character\" id=\"Character") + language + "\">\r\n" +
                    "Zarek.MoveTo " + IntToStr(x) + ", " + IntToStr(y) + "\r\nZarek.Show\r\n" +
                    "Zarek.Speak \"" + (String(language) == "A" ? "مرحبا"_a : String("Hello")) + "\", \"hi.wav\"\r\n" +
                    "Zarek.Hide\r\n</script>\r\n";
        Page(name, page + "</head><body><p>Zarek</p></body></html>\r\n");
    }
    void WriteCharacter() {
        character_testing::WriteCharacter(Dir, "Data\\Agent\\Character", "Zarek.ini");
        Dir.Write("Data\\Agent\\wave caracter\\hi.wav", character_testing::SilentWave(1000));
    }
    void LoadPendingPage() { SendMessageW(AgentForm->PageTimer->Handle(), WM_TIMER, 1, 0); }
    // The page goes in, its document completes, and the character's time runs to ms.
    void Play(std::uint32_t ms) {
        LoadPendingPage();
        App->ProcessMessages();
        At(ms);
    }
    void At(std::uint32_t ms) {
        Now = 10000 + ms;
        SendMessageW(Character().Handle(), WM_TIMER, web::TCharacterWindow::TimerId, 0);
    }
    web::TCharacterWindow& Character() { return AgentForm->Host().Character(); }
    bool CharacterShown() { return Character().Handle() && IsWindowVisible(Character().Handle()); }
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

// Where no HTML engine runs the page, the host reads its lines from the rendered document.
TEST_F(AgentTest, TheCharacterAppearsWhereThePagePutsItOnTheCallingScreenAndGoesOnClear) {
    WriteCharacter();
    StoryPage("zarek entr class.htm", 600, 400);
    WriteUserStore();
    Dir.Write("Data\\Topic.ini", "[Options]\r\nLanguage=E\r\n");
    Start();
    MainFrm->SetBounds(100, 50, 790, 566);
    Command(L"PlayAgent");
    EXPECT_FALSE(CharacterShown());   // nothing before the menu is painted
    Play(0);
    ASSERT_TRUE(CharacterShown());
    RECT r{};
    GetWindowRect(Character().Handle(), &r);
    EXPECT_EQ(r.left, 583);
    EXPECT_EQ(r.top, 349);
    At(300);
    EXPECT_EQ(Character().Balloon().Lines(), std::vector<WideString>{L"Hello"});
    EXPECT_FALSE(Character().RightToLeft());
    EXPECT_EQ(Character().Sound(), Dir.File("Data\\Agent\\wave caracter\\hi.wav"));

    // every screen clears the page on activation: the character goes at once
    AgentForm->ClearPage();
    EXPECT_FALSE(CharacterShown());
    EXPECT_EQ(Character().Pending(), 0);
    // the blank page that replaces it plays nothing
    App->ProcessMessages();
    At(400);
    EXPECT_FALSE(CharacterShown());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(AgentTest, TheArabicInterfacePlaysTheArabicLinesRightToLeft) {
    WriteCharacter();
    StoryPage("Class.htm", 700, 500);
    WriteUserStore();
    Start();
    ClassForm->SetBounds(0, 0, 1024, 768);
    AgentForm->PlayAgentPageFor(ClassForm, "Class.htm");
    Play(0);
    At(300);
    ASSERT_TRUE(Character().Speaking());
    EXPECT_EQ(Character().Balloon().Lines(), std::vector<WideString>{ToWide("مرحبا"_a)});
    EXPECT_TRUE(Character().RightToLeft());
    EXPECT_EQ(Character().Position().x, 700);
    EXPECT_EQ(Character().Position().y, 500);
}

TEST_F(AgentTest, WithTheAssistantOffNoCharacterShows) {
    WriteCharacter();
    StoryPage("zarek entr class.htm", 600, 400);
    Dir.Write("Data\\Topic.ini", "[Options]\r\nAssistant=0\r\n");
    Start();   // a first run: the menu would introduce itself
    Command(L"PlayAgent");
    Play(0);
    At(300);
    EXPECT_FALSE(CharacterShown());
    EXPECT_EQ(Character().Pending(), 0);
    EXPECT_TRUE(AgentForm->PlayedPages().empty());
}

}  // namespace
