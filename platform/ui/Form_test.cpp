#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Timer.h"

namespace {

// A fresh application for the test, so Terminate and the main form stay the test's own.
struct AppFixture : ::testing::Test {
    TApplication* Saved = nullptr;
    TApplication* App = nullptr;
    std::vector<std::string> log;   // outlives the forms, whose handlers may still run as they go
    void SetUp() override {
        Saved = Application;
        App = new TApplication(nullptr);
        App->SetTitle("Tapwise");
        Application = App;
    }
    void TearDown() override {
        App->Free();
        Application = Saved;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    template <class T = TForm>
    T* NewForm(int left, int top, int width = 200, int height = 120) {
        T* form = nullptr;
        App->CreateForm(form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(left, top, width, height);
        return form;
    }
};

class TTracked : public TCustomControl {
public:
    TTracked(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TCustomControl(owner), FLog(log), FName(std::move(name)) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_MOUSEENTER) FLog.push_back("enter " + FName);
        if (m.Msg == CM_MOUSELEAVE) FLog.push_back("leave " + FName);
        TCustomControl::WndProc(m);
    }
private:
    std::vector<std::string>& FLog;
    std::string FName;
};

class TTrackedGraphic : public TGraphicControl {
public:
    TTrackedGraphic(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TGraphicControl(owner), FLog(log), FName(std::move(name)) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == CM_MOUSEENTER) FLog.push_back("enter " + FName);
        if (m.Msg == CM_MOUSELEAVE) FLog.push_back("leave " + FName);
        TGraphicControl::WndProc(m);
    }
private:
    std::vector<std::string>& FLog;
    std::string FName;
};

}  // namespace

TEST_F(AppFixture, FirstCreatedFormIsTheMainFormAndOnCreateErrorsAreReported) {
    struct TFailing : TForm {
        explicit TFailing(TComponent* owner) : TForm(owner) {
            OnCreate = [this](TObject*) { Steps.push_back("create"); throw EFOpenError("Cannot open file \"fixed.ico\""); };
        }
        std::vector<std::string> Steps;
    };
    std::vector<String> shown;
    auto old = SetPlatformMessageBox([&](const String& t, const String& c, UINT) { shown.push_back(c + ": " + t); return IDOK; });
    TFailing* main = nullptr;
    App->CreateForm(main);
    TForm* second = nullptr;
    App->CreateForm(second);
    SetPlatformMessageBox(old);
    EXPECT_EQ(App->MainForm(), main);
    EXPECT_TRUE(main->HandleAllocated());
    EXPECT_EQ(main->Steps, (std::vector<std::string>{"create"}));
    EXPECT_EQ(shown, (std::vector<String>{"Tapwise: Cannot open file \"fixed.ico\""}));
    EXPECT_EQ(second->Owner(), App);
}

TEST_F(AppFixture, ModalLoopFromTheHookAndOnActivateOfTheCallerEachTimeItCloses) {
    TForm* main = NewForm(50, 50);
    TForm* modal = NewForm(80, 80);
    TForm* inner = NewForm(110, 110);
    main->OnActivate = [&](TObject*) { log.push_back("main activate"); };
    main->OnDeactivate = [&](TObject*) { log.push_back("main deactivate"); };
    modal->OnActivate = [&](TObject*) { log.push_back("modal activate"); };
    modal->OnClose = [&](TObject*, TCloseAction& a) { log.push_back("modal close"); EXPECT_EQ(a, caHide); };
    main->Show();
    App->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"main activate"}));
    EXPECT_EQ(Screen->ActiveForm(), main);

    log.clear();
    App->ModalHook = [&](TForm* f) {
        EXPECT_EQ(f, modal);
        EXPECT_TRUE(f->Visible());
        EXPECT_TRUE(modal->Active());
        EXPECT_FALSE(IsWindowEnabled(main->Handle()));
        f->SetModalResult(mrOk);
    };
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_FALSE(modal->Visible());
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(log, (std::vector<std::string>{"main deactivate", "modal activate", "modal close", "main activate"}));
    EXPECT_EQ(Screen->ActiveForm(), main);

    // closed by its window's close message, from inside its loop, with a nested modal form first
    log.clear();
    int innerShown = 0;
    App->ModalHook = [&](TForm* f) {
        if (f == modal) {
            EXPECT_EQ(inner->ShowModal(), mrCancel);
            EXPECT_TRUE(modal->Active());
            PostMessageW(modal->Handle(), WM_CLOSE, 0, 0);
        } else {
            ++innerShown;
            EXPECT_FALSE(IsWindowEnabled(modal->Handle()));
            inner->Close();
        }
    };
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_EQ(innerShown, 1);
    EXPECT_EQ(log.back(), "main activate");
    EXPECT_EQ(std::count(log.begin(), log.end(), "modal activate"), 2);

    // an OnClose that says caNone keeps the form up until it lets go
    int attempts = 0;
    modal->OnClose = [&](TObject*, TCloseAction& a) { if (++attempts == 1) a = caNone; };
    App->ModalHook = [&](TForm* f) {
        f->SetModalResult(mrYes);
        PostMessageW(f->Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_EQ(attempts, 2);
    EXPECT_THROW({ modal->Show(); modal->ShowModal(); }, EInvalidOperation);
}

TEST_F(AppFixture, AFormShownInactiveLeavesTheActiveFormActive) {
    TForm* main = NewForm(50, 50);
    TForm* aside = NewForm(80, 80);
    main->OnActivate = [&](TObject*) { log.push_back("main activate"); };
    main->OnDeactivate = [&](TObject*) { log.push_back("main deactivate"); };
    aside->OnActivate = [&](TObject*) { log.push_back("aside activate"); };
    aside->OnShow = [&](TObject*) { log.push_back("aside show"); };
    // shown from the main form's activation, as a form kept aside for the whole run
    main->OnActivate = [&](TObject*) {
        log.push_back("main activate");
        if (!aside->Visible()) aside->ShowInactive();
    };
    main->Show();
    App->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"main activate", "aside show"}));
    EXPECT_TRUE(aside->Visible());
    EXPECT_TRUE(IsWindowVisible(aside->Handle()));
    EXPECT_EQ(Screen->ActiveForm(), main);
    EXPECT_EQ(GetActiveWindow(), main->Handle());

    log.clear();
    aside->Show();   // an ordinary showing of the visible form takes the activation as ever
    SetActiveWindow(aside->Handle());
    App->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"main deactivate", "aside activate"}));
}

TEST_F(AppFixture, ClosingTheMainFormEndsTheRun) {
    TForm* main = NewForm(50, 50);
    main->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
    main->OnShow = [&](TObject*) {
        log.push_back("show");
        PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
    };
    App->Run();
    EXPECT_TRUE(App->Terminated());
    EXPECT_EQ(log, (std::vector<std::string>{"show", "close"}));
}

TEST_F(AppFixture, PositionStyleCaptionAndDirection) {
    TForm* main = NewForm(0, 0, 400, 300);
    main->SetPosition(poScreenCenter);
    main->SetCaption("Tapwise");
    main->Show();
    EXPECT_EQ(main->Left(), (Screen->Width() - 400) / 2);
    EXPECT_EQ(main->Top(), (Screen->Height() - 300) / 2);
    EXPECT_TRUE(GetWindowLongW(main->Handle(), GWL_STYLE) & WS_POPUP);
    EXPECT_FALSE(GetWindowLongW(main->Handle(), GWL_STYLE) & WS_CAPTION);
    main->SetClientSize(792, 566);
    EXPECT_EQ(main->ClientWidth(), 792);

    TForm* dialog = NewForm(0, 0, 300, 200);
    dialog->SetBorderStyle(bsSingle);
    EXPECT_FALSE(dialog->HandleAllocated());
    dialog->SetPosition(poMainFormCenter);
    dialog->SetCaption("Tapwise");
    dialog->SetBiDiMode(bdRightToLeft);
    dialog->SetClientSize(300, 200);
    dialog->Show();
    EXPECT_EQ(dialog->ClientWidth(), 300);
    EXPECT_EQ(dialog->ClientHeight(), 200);
    EXPECT_EQ(dialog->Left(), std::max(0, main->Left() + (main->Width() - dialog->Width()) / 2));
    wchar_t text[32] = {};
    GetWindowTextW(dialog->Handle(), text, 32);
    EXPECT_EQ(WideString(text), L"Tapwise");
    EXPECT_TRUE(GetWindowLongW(dialog->Handle(), GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), main->Handle());

    dialog->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(dialog->Handle()));
    int minimized = 0;
    App->OnMinimize = [&](TObject*) { ++minimized; };
    App->Minimize();
    EXPECT_TRUE(IsIconic(main->Handle()));
    EXPECT_EQ(minimized, 1);
}

TEST_F(AppFixture, MouseEnterAndLeaveFollowThePointerOverWindowedAndWindowlessControls) {
    TForm* form = NewForm(100, 100, 300, 200);
    auto* windowed = new TTracked(form, log, "windowed");
    windowed->SetParent(form);
    windowed->SetBounds(10, 10, 100, 50);
    auto* graphic = new TTrackedGraphic(form, log, "graphic");
    graphic->SetParent(form);
    graphic->SetBounds(150, 10, 100, 50);
    graphic->SetHint("Press to start");
    graphic->SetShowHint(true);
    App->HintPause = 0;
    form->Show();
    App->ProcessMessages();

    auto moveTo = [&](int x, int y) {
        SetCursorPos(x, y);
        App->ProcessMessages();
        App->DoMouseIdle();
    };
    moveTo(120, 120);
    EXPECT_EQ(App->MouseControl(), windowed);
    moveTo(260, 120);
    EXPECT_EQ(App->MouseControl(), graphic);
    EXPECT_TRUE(App->HintShowing());
    EXPECT_EQ(App->HintText(), "Press to start");
    graphic->SetEnabled(false);                     // a disabled windowless control still takes part
    moveTo(265, 125);
    moveTo(120, 120);
    EXPECT_FALSE(App->HintShowing());
    moveTo(5, 5);
    EXPECT_EQ(App->MouseControl(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"enter windowed", "leave windowed", "enter graphic", "leave graphic",
                                             "enter windowed", "leave windowed"}));
}

TEST(Timer, FiresByMessageOnlyWhileEnabledAndReportsErrors) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject* s) { EXPECT_EQ(s, &timer); ++ticks; };
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
    SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(true);
    timer.SetInterval(0);
    SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(ticks, 1);

    timer.SetInterval(10);
    std::vector<String> shown;
    auto old = SetPlatformMessageBox([&](const String& t, const String&, UINT) { shown.push_back(t); return IDOK; });
    timer.OnTimer = [](TObject*) { throw Exception("Timer went wrong"); };
    SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
    SetPlatformMessageBox(old);
    EXPECT_EQ(shown, (std::vector<String>{"Timer went wrong."}));
}

TEST(Timer, HeldSystemTimersLeaveTheTicksToMessages) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    HoldSystemTimers(true);
    timer.SetInterval(1);
    EXPECT_FALSE(KillTimer(timer.Handle(), 1));   // no system timer behind it
    SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(ticks, 1);
    HoldSystemTimers(false);
    timer.SetInterval(2);
    EXPECT_TRUE(KillTimer(timer.Handle(), 1));
}

TEST(ScreenTest, KnowsTheDesktopAndItsFonts) {
    EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
    const auto& fonts = Screen->Fonts();
    ASSERT_FALSE(fonts.empty());
    EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end(), [](const String& a, const String& b) { return CompareText(a, b) < 0; }));
}

namespace {

class TEditBox : public TWinControl {
public:
    explicit TEditBox(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"EDIT");
        p.Style |= ES_AUTOHSCROLL;
    }
};

}  // namespace

TEST_F(AppFixture, FocusTabOrderAndEnterExit) {
    TForm* form = NewForm(60, 60, 300, 200);
    auto* first = new TEditBox(form);
    first->SetParent(form);
    first->SetBounds(10, 10, 100, 22);
    auto* second = new TEditBox(form);
    second->SetParent(form);
    second->SetBounds(10, 40, 100, 22);
    auto* hidden = new TEditBox(form);
    hidden->SetParent(form);
    hidden->SetVisible(false);
    second->SetTabOrder(0);
    EXPECT_EQ(first->TabOrder(), 1);
    first->OnEnter = [&](TObject*) { log.push_back("enter first"); };
    first->OnExit = [&](TObject*) { log.push_back("exit first"); };
    second->OnEnter = [&](TObject*) { log.push_back("enter second"); };
    form->Show();
    App->ProcessMessages();

    first->SetFocus();
    EXPECT_TRUE(first->Focused());
    EXPECT_EQ(form->ActiveControl(), first);
    EXPECT_EQ(Screen->ActiveControl(), first);
    EXPECT_FALSE(hidden->CanFocus());
    EXPECT_THROW(hidden->SetFocus(), EInvalidOperation);

    // Tab goes through the key pre-processing to the form, which moves on in tab order (wrapping)
    PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    App->ProcessMessages();
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter first", "exit first", "enter second"}));
}
