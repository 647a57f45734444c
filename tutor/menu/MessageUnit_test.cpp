#include "tutor/menu/MessageUnit.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/Alignment.h"
#include "platform/ui/Application.h"
#include "tutor/menu/MainUnit.h"

using testing_support::SourcePath;
using testing_support::TempFolder;

namespace {

// The OK button of the shipped message movies, in stage pixels (the stage fills the form).
constexpr int OkX = 430, OkY = 397;

std::string ReadBytes(const String& path) { return testing_support::ReadFileBytes(path); }

struct MessageFormTest : ::testing::Test {
    TempFolder App;
    TMessageForm* Form = nullptr;
    TForm* Caller = nullptr;   // the screen that shows the messages, active again after each

    void SetUp() override {
        ResetProgramValues();
        Caller = new TForm(nullptr);
        Caller->SetBorderStyle(bsNone);
        Caller->SetBounds(0, 0, 200, 100);
        Caller->Show();
        Application->ProcessMessages();
        ForceDirectories(App.File("Data\\interface"));
        for (const char* movie : {"Message.swf", "MessageE.swf"}) {
            std::string bytes = ReadBytes(SourcePath(String("..\\data\\interface\\") + movie));
            ASSERT_FALSE(bytes.empty()) << movie;
            App.Write(String("Data\\interface\\") + movie, bytes);
        }
        Form = new TMessageForm(nullptr);
        Form->AfterConstruction();
        Form->AppFolder = App.Path();
        MessageForm = Form;
    }
    void TearDown() override {
        Application->ModalHook = nullptr;
        MessageForm = nullptr;
        Form->Free();
        Caller->Free();
        Application->ProcessMessages();
    }

    std::vector<bool> PanelsShown() const {
        return {Form->Panel1->Visible(), Form->Panel2->Visible(), Form->Panel3->Visible(), Form->Panel4->Visible()};
    }
    void MouseOnMovie(UINT message, int x, int y) {
        SendMessageW(Form->ShockwaveFlash->Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    }
    void ClickOk() {
        MouseOnMovie(WM_LBUTTONDOWN, OkX, OkY);
        MouseOnMovie(WM_LBUTTONUP, OkX, OkY);
    }
};

// Paints a label alone into a bitmap.
std::unique_ptr<TBitmap> PaintLabel(TLabel* label) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(label->Width(), label->Height());
    b->Canvas()->Lock();
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()));
    b->Canvas()->Unlock();
    return b;
}

bool SameImage(const std::unique_ptr<TBitmap>& pa, const std::unique_ptr<TBitmap>& pb) {
    TBitmap& a = *pa;
    TBitmap& b = *pb;
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y)) return false;
    return true;
}

}  // namespace

TEST_F(MessageFormTest, OneLineShowsOnePanelOverThePagesFrameAndOkClosesAtOnce) {
    EXPECT_EQ(Form->ClientWidth(), 790);
    EXPECT_EQ(Form->ClientHeight(), 487);
    Form->Label1->SetCaption("Well done");
    bool hooked = false;
    Application->ModalHook = [&](TForm* f) {
        hooked = true;
        EXPECT_EQ(f, Form);
        EXPECT_EQ(PanelsShown(), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(FromWide(Form->ShockwaveFlash->Movie()), App.Path() + "\\Data\\interface\\Message.swf");
        EXPECT_EQ(Form->ShockwaveFlash->TCurrentFrame(L"Pages"), 9);
        EXPECT_EQ(Form->ShockwaveFlash->ScaleMode(), 2);
        EXPECT_EQ(Form->Panel1->BoundsRect(), Bounds(188, 157, 485, 28));
        EXPECT_EQ(Form->Panel4->BoundsRect(), Bounds(185, 287, 487, 28));
        EXPECT_EQ(Form->Label1->BoundsRect(), Bounds(0, 0, 485, 28));
        // the panel lies above the movie: the point in its middle belongs to it
        POINT p{188 + 240, 157 + 14};
        ClientToScreen(Form->Handle(), &p);
        EXPECT_EQ(WindowFromPoint(p), Form->Panel1->Handle());
        ClickOk();
        EXPECT_NE(Form->ModalResult(), mrNone);   // the loop ends without waiting for anything else
    };
    Form->ShowModal();
    EXPECT_TRUE(hooked);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->Label1->Caption(), "");
}

TEST_F(MessageFormTest, TheSecondMessageShowsNoLineOfTheFirst) {
    const char* lines[] = {"one", "two", "three", "four"};
    TLabel* labels[] = {Form->Label1, Form->Label2, Form->Label3, Form->Label4};
    for (int k = 0; k < 4; ++k) labels[k]->SetCaption(lines[k]);
    std::vector<std::vector<bool>> shown;
    Application->ModalHook = [&](TForm*) {
        shown.push_back(PanelsShown());
        ClickOk();
    };
    Form->ShowModal();
    for (TLabel* l : labels) EXPECT_EQ(l->Caption(), "");
    Form->Label3->SetCaption("only this");
    Form->ShowModal();
    EXPECT_EQ(shown, (std::vector<std::vector<bool>>{{true, true, true, true}, {false, false, true, false}}));
}

// A message arriving while the form is the open modal screen (a time-out over a result, say)
// shows its lines in the open form instead of raising "Cannot make a visible window modal".
TEST_F(MessageFormTest, AMessageWhileTheFormIsOpenShowsItsLinesWithoutRaising) {
    Form->Label1->SetCaption("first");
    int shown = 0;
    Application->ModalHook = [&](TForm*) {
        ++shown;
        Form->Label2->SetCaption("second");
        EXPECT_NO_THROW(EXPECT_EQ(Form->ShowFilled(), mrNone));
        EXPECT_EQ(PanelsShown(), (std::vector<bool>{true, true, false, false}));
        ClickOk();
    };
    Form->ShowFilled();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->Label2->Caption(), "");
}

// A line too wide for its panel is set smaller instead of wrapping into a second line that the
// panel would cut off; the next message starts at the form's size again.
TEST_F(MessageFormTest, ALongLineIsSetSmallerToStayOneLine) {
    const String lines[] = {" تهانينا نتيجة رائعة ...... لقد أنهيت تمرين رقم  1"_a,
                            " Congratulation .... you finish Exercise number 1", "OK"};
    std::vector<int> heights;
    Application->ModalHook = [&](TForm*) {
        TLabel* label = Form->Label1;
        heights.push_back(label->Font()->Height());
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, label->Font()->Handle());
        EXPECT_LE(ShapedTextWidth(dc, ToWide(label->Caption()), false), label->Width());
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        ClickOk();
    };
    for (const String& line : lines) {
        Form->Label1->SetCaption(line);
        Form->ShowFilled();
    }
    ASSERT_EQ(heights.size(), 3u);
    EXPECT_GT(heights[0], -21);
    EXPECT_GT(heights[1], -21);
    EXPECT_EQ(heights[2], -21);
}

TEST_F(MessageFormTest, OnlyOkClosesRollOverGoesToTheHookAndOtherCommandsAreIgnored) {
    std::vector<std::pair<String, String>> rolls;
    Form->OnRollOver = [&](const String& c, const String& a) { rolls.emplace_back(c, a); };
    Form->Label1->SetCaption("x");
    Application->ModalHook = [&](TForm*) {
        MouseOnMovie(WM_MOUSEMOVE, OkX, OkY);   // the pointer enters the OK button
        for (const wchar_t* c : {L"PlayAgent", L"ok", L"Return", L"RollOverOK"})
            Form->ShockwaveFlashFSCommand(Form->ShockwaveFlash, c, L"");
        EXPECT_EQ(Form->ModalResult(), mrNone);
        EXPECT_TRUE(Form->Visible());
        Form->ShockwaveFlashFSCommand(Form->ShockwaveFlash, L"cmd:OK", L"");
        EXPECT_NE(Form->ModalResult(), mrNone);
    };
    Form->ShowModal();
    EXPECT_EQ(rolls, (std::vector<std::pair<String, String>>{{"RollOver", "OK"}, {"RollOverOK", ""}}));
    EXPECT_EQ(Form->Label1->Caption(), "");
}

TEST_F(MessageFormTest, TheEnglishInterfaceLoadsTheEnglishMovieOnTheNextActivation) {
    Application->ModalHook = [&](TForm*) { ClickOk(); };
    Form->ShowModal();
    EXPECT_EQ(FromWide(Form->ShockwaveFlash->Movie()), App.Path() + "\\Data\\interface\\Message.swf");
    Form->Language = "E";
    Form->ShowModal();
    EXPECT_EQ(FromWide(Form->ShockwaveFlash->Movie()), App.Path() + "\\Data\\interface\\MessageE.swf");
}

TEST_F(MessageFormTest, ArabicLinesReadRightToLeft) {
    // In a right-to-left line a leading Latin word stands on the right, as it would after the
    // Arabic word in a left-to-right line.
    Form->Label2->SetCaption("Tapwise "_a + "تمرين"_a);
    auto rtl = PaintLabel(Form->Label2);
    Form->Label2->SetBiDiMode(bdLeftToRight);
    auto ltr = PaintLabel(Form->Label2);
    Form->Label2->SetCaption("تمرين"_a + " Tapwise"_a);
    auto mirrored = PaintLabel(Form->Label2);
    Form->Label2->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(SameImage(rtl, ltr));
    EXPECT_TRUE(SameImage(rtl, mirrored));

    // A picture of the whole form for a person to look at, when asked for.
    const char* shots = std::getenv("TAPWISE_SHOTS");
    if (!shots) return;
    Form->Label1->SetCaption("أحسنت! سرعتك 35 كلمة في الدقيقة"_a);
    Form->Label2->SetCaption("نرجو التدرب على الدرس التالي"_a);
    Form->Label3->SetCaption("Accuracy 97%");
    Application->ModalHook = [&](TForm*) {
        Application->ProcessMessages();
        RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT r;
        GetWindowRect(Form->Handle(), &r);
        TBitmap shot;
        shot.SetSize(r.right - r.left, r.bottom - r.top);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        shot.SaveToFile(String(shots) + "\\MessageForm.bmp");
        ClickOk();
    };
    Form->ShowModal();
}
