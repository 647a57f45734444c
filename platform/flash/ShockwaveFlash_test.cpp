#include "platform/flash/ShockwaveFlash.h"
#include <gtest/gtest.h>
#include <vector>
#include "platform/flash/testing/BmpFile.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/Application.h"
#include "platform/ui/testing/ResourceCounts.h"

namespace {

// stage 200 x 100: one button (stage centre 40, 30) and a "Pages" clip whose frame 9 paints red
const char* const Movie =
    "movie 200 100\n"
    "background color #102030\n"
    "button 20 20 40 20 command=Train args=lesson fill=#0000FF\n"
    "clip Pages\n"
    "frame 0\n"
    "frame 9\n"
    "rect 100 50 100 50 fill=#FF0000\n"
    "end\n";

struct Command {
    WideString command, args;
    bool operator==(const Command&) const = default;
};

struct FlashFixture : ::testing::Test {
    TApplication* Saved = nullptr;
    TApplication* App = nullptr;
    TForm* Form = nullptr;
    TShockwaveFlash* Flash = nullptr;
    std::vector<Command> Commands;

    void SetUp() override {
        Saved = Application;
        App = new TApplication(nullptr);
        Application = App;
        App->CreateForm(Form);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(-2000, -2000, 400, 200);
        Flash = new TShockwaveFlash(Form);
        Flash->SetParent(Form);
        Flash->SetAlign(alClient);
        Flash->OnFSCommand = [this](TObject* sender, const WideString& c, const WideString& a) {
            EXPECT_EQ(sender, Flash);
            Commands.push_back({c, a});
        };
        Form->Show();
        App->ProcessMessages();
    }
    void TearDown() override {
        App->Free();
        Application = Saved;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    void Post(UINT msg, int x, int y) {
        PostMessageW(Flash->Handle(), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
        App->ProcessMessages();
    }
    void Click(int x, int y) {
        Post(WM_MOUSEMOVE, x, y);
        Post(WM_LBUTTONDOWN, x, y);
        Post(WM_LBUTTONUP, x, y);
    }
    // What the control paints, through its own paint message.
    COLORREF PaintedAt(int x, int y) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, Flash->Width(), -Flash->Height(), 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, dib);
        Flash->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        GdiFlush();
        std::uint32_t v = static_cast<std::uint32_t*>(bits)[y * Flash->Width() + x];
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(dib);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

TEST_F(FlashFixture, CoversTheClientAreaAndAClickSendsTheButtonsCommandAfterOneRollOver) {
    Flash->LoadMovieFromText(Movie, L"text.swf");
    Flash->DoObjectVerb(-1);
    Flash->SetScaleMode(2);
    EXPECT_EQ(Flash->BoundsRect(), Form->ClientRect());
    EXPECT_EQ(Flash->Player().ViewWidth(), 400);

    // exact fit doubles both ways: the stage centre 40, 30 lies at 80, 60
    Post(WM_MOUSEMOVE, 75, 55);
    Post(WM_MOUSEMOVE, 80, 60);
    EXPECT_EQ(Commands, (std::vector<Command>{{L"RollOver", L"Train"}}));
    Click(80, 60);
    EXPECT_EQ(Commands, (std::vector<Command>{{L"RollOver", L"Train"}, {L"Train", L"lesson"}}));
    EXPECT_NE(GetCapture(), Flash->Handle());

    // the form grows: the movie follows it
    Commands.clear();
    Form->SetBounds(-2000, -2000, 600, 300);
    App->ProcessMessages();
    EXPECT_EQ(Flash->Width(), 600);
    EXPECT_EQ(Flash->Player().ViewHeight(), 300);
    Post(WM_MOUSEMOVE, 0, 0);
    Click(120, 90);
    EXPECT_EQ(Commands.back(), (Command{L"Train", L"lesson"}));
}

TEST_F(FlashFixture, ScaleModesMapTheButtonToItsWindowPoint) {
    struct Case { int scaleMode, width, height, x, y; };
    // show all keeps the proportions and centres the stage; exact fit stretches it
    for (Case c : {Case{2, 400, 300, 80, 90}, Case{0, 400, 300, 80, 110}, Case{0, 600, 200, 180, 60}}) {
        SCOPED_TRACE(c.scaleMode * 10000 + c.width);
        Form->SetBounds(-2000, -2000, c.width, c.height);
        Flash->LoadMovieFromText(Movie, L"text.swf");
        Flash->SetScaleMode(c.scaleMode);
        EXPECT_EQ(Flash->ScaleMode(), c.scaleMode);
        Commands.clear();
        Post(WM_MOUSEMOVE, 0, 0);
        Click(c.x, c.y);
        EXPECT_EQ(Commands, (std::vector<Command>{{L"RollOver", L"Train"}, {L"Train", L"lesson"}}));
    }
}

TEST_F(FlashFixture, MoviesFromFilesAndTheFrameOfANamedClip) {
    testing_support::TempFolder folder;
    folder.Write("Menu.swf", Movie);
    WideString path = ToWide(folder.File("Menu.swf"));
    Flash->SetMovie(path);
    Flash->DoObjectVerb(-1);
    Flash->SetScaleMode(2);
    EXPECT_EQ(Flash->Movie(), path);
    EXPECT_EQ(PaintedAt(300, 150), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(Flash->TCurrentFrame(L"Pages"), 0);

    Flash->TGotoFrame(L"Pages", 9);
    EXPECT_EQ(Flash->TCurrentFrame(L"Pages"), 9);
    EXPECT_EQ(PaintedAt(300, 150), RGB(255, 0, 0));
    Flash->TGotoFrame(L"Pages", 4);                // no such frame: stays
    Flash->TGotoFrame(L"Nothing", 1);
    EXPECT_EQ(Flash->TCurrentFrame(L"Pages"), 9);

    // a missing file: an empty stage, nothing reported, nothing to click
    std::vector<String> boxes;
    auto old = SetPlatformMessageBox([&](const String& t, const String&, UINT) { boxes.push_back(t); return IDOK; });
    Flash->SetMovie(ToWide(folder.File("Missing.swf")));
    Flash->DoObjectVerb(-1);
    App->ProcessMessages();
    SetPlatformMessageBox(old);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Flash->Player().LastError().empty());
    EXPECT_EQ(PaintedAt(300, 150), RGB(255, 255, 255));
    Commands.clear();
    Click(80, 60);
    EXPECT_TRUE(Commands.empty());
    EXPECT_THROW(Flash->DoObjectVerb(7), EInvalidOperation);
}

TEST_F(FlashFixture, AThrowingHandlerReachesTheApplicationAndTheMovieGoesOn) {
    Flash->LoadMovieFromText(Movie, L"text.swf");
    Flash->SetScaleMode(2);
    std::vector<String> reported;
    App->OnException = [&](TObject* sender, const std::exception& e) {
        EXPECT_EQ(sender, Flash);
        reported.push_back(e.what());
    };
    int calls = 0;
    Flash->OnFSCommand = [&](TObject*, const WideString& c, const WideString&) {
        ++calls;
        if (c == L"Train") throw EInOutError("No lesson file");
    };
    Click(80, 60);
    EXPECT_EQ(reported, (std::vector<String>{"No lesson file"}));
    EXPECT_EQ(calls, 2);
    EXPECT_NE(GetCapture(), Flash->Handle());
    Click(80, 60);                                  // pressed and released again: clicks again
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(calls, 3);
}

// Every handle the player draws with is the layer's: the picture it keeps for its background is
// counted while the player lives, and painting again and again leaves nothing behind.
TEST_F(FlashFixture, ThePlayersHandlesAreTheLayersAndPaintingLeavesNone) {
    testing_support::TempFolder dir;
    const std::string rows(static_cast<std::size_t>(movie_testing::BmpStride(4)) * 4, '\x40');
    dir.Write("back.bmp", movie_testing::BmpFile(4, 4, rows.data()));
    dir.Write("all.swf",
              "movie 200 100\nbackground picture \"back.bmp\" color=#102030\n"
              "text 10 10 180 20 \"نص عربي and English\" size=16 rtl wrap\n"
              "roundrect 10 40 60 30 radius=8 fill=#FF0000 border=#FFFFFF pen=2\n"
              "ellipse 80 40 30 30 fill=#00FF00 border=none\nline 120 40 60 30 border=#0000FF\n"
              "button 130 70 60 24 command=Go caption=\"A very long caption\" fill=#0000FF\n"_a);
    const long before = gdi::LiveHandles();
    Flash->SetMovie(ToWide(dir.File("all.swf")));
    EXPECT_EQ(PaintedAt(100, 2), RGB(0x40, 0x40, 0x40));
    EXPECT_EQ(gdi::LiveHandles(), before + 1);   // the background picture, kept for the next paint
    ResourceCounts counts = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) {
        PaintedAt(0, 0);
        Flash->Repaint();
    }
    ExpectNoResourceGrowth(counts, ResourceCounts::Take());
    Flash->Free();
    EXPECT_EQ(gdi::LiveHandles(), before);
}

}  // namespace
