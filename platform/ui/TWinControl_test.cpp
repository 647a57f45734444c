#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Panel.h"

namespace {

// A push button over the system BUTTON class that records what reaches it.
class TSpyButton : public TWinControl {
public:
    explicit TSpyButton(TComponent* owner) : TWinControl(owner) {
        // the system button captures the mouse and reports clicks itself
        ControlStyle &= ~(csCaptureMouse | csClickEvents);
    }
    std::vector<UINT> Seen;
    int Clicks = 0;
    String TextSeenAfterSetText;
    void WndProc(TMessage& m) override {
        Seen.push_back(m.Msg);
        switch (m.Msg) {
        case CN_COMMAND:
            if (HIWORD(m.WParam) == BN_CLICKED) ++Clicks;
            return;
        case WM_SETTEXT:
            // the platform's handling first, then ours sees its result
            TWinControl::WndProc(m);
            TextSeenAfterSetText = Text();
            return;
        default: TWinControl::WndProc(m);
        }
    }
    bool Got(UINT msg) const { return std::find(Seen.begin(), Seen.end(), msg) != Seen.end(); }
protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"BUTTON");
        p.Style |= BS_PUSHBUTTON;
    }
};

// An edit over EDIT whose WM_CHAR handler runs after the system's.
class TSpyEdit : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool CallInheritedFirst = true;
    String TextWhenCharHandled;
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_CHAR) {
            if (CallInheritedFirst) TWinControl::WndProc(m);
            TextWhenCharHandled = Text();
            return;
        }
        TWinControl::WndProc(m);
    }
protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"EDIT");
    }
};

class TRecorder : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<UINT> Seen;
    TColor Fill = clRed;
    void WndProc(TMessage& m) override {
        if (m.Msg >= CM_BASE && m.Msg < CN_BASE) Seen.push_back(m.Msg);
        TGraphicControl::WndProc(m);
    }
protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

struct FormFixture : ::testing::Test {
    TForm* Form = nullptr;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 40, 300, 200);
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }
};

}  // namespace

TEST_F(FormFixture, OwnerFreesAndParentFreesChildrenWhoeverOwnsThem) {
    auto* owner = new TComponent(nullptr);
    auto* button = new TSpyButton(owner);
    button->SetParent(Form);
    auto* label = new TRecorder(nullptr);
    label->SetParent(Form);
    EXPECT_EQ(Form->ControlCount(), 2);
    EXPECT_EQ(button->Owner(), owner);
    button->Free();                         // leaves its parent and its owner
    EXPECT_EQ(Form->ControlCount(), 1);
    EXPECT_EQ(owner->ComponentCount(), 0);
    owner->Free();
    // the windowless child, owned by no one, goes with its parent in TearDown
}

TEST_F(FormFixture, ReflectedCommandReachesTheChildAndPlatformHandlingComesFirst) {
    auto* button = new TSpyButton(Form);
    button->SetParent(Form);
    button->SetBounds(10, 10, 80, 24);
    button->SetCaption("Go");
    Form->Show();
    HWND h = button->Handle();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(FindControl(h), button);
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_EQ(button->Clicks, 1);

    button->SetCaption("Stop");
    EXPECT_EQ(button->TextSeenAfterSetText, "Stop");
    wchar_t buf[16] = {};
    GetWindowTextW(h, buf, 16);
    EXPECT_EQ(WideString(buf), L"Stop");

    // colour questions of the button come back to it as CN_CTLCOLORBTN
    HDC dc = GetDC(h);
    SendMessageW(Form->Handle(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h));
    ReleaseDC(h, dc);
    EXPECT_TRUE(button->Got(CN_CTLCOLORBTN));
}

TEST_F(FormFixture, DerivedCharHandlerSeesTheSystemsEditWhenItCallsInheritedFirst) {
    auto* edit = new TSpyEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 120, 22);
    HWND h = edit->Handle();
    SendMessageW(h, WM_CHAR, L'a', 0);
    EXPECT_EQ(edit->TextWhenCharHandled, "a");
    // Arabic arrives as UTF-16 and is one code-page byte inside the layer
    SendMessageW(h, WM_CHAR, 0x0627, 0);
    EXPECT_EQ(edit->TextWhenCharHandled, "a" + "ا"_a);
    edit->CallInheritedFirst = false;
    SendMessageW(h, WM_CHAR, L'b', 0);
    EXPECT_EQ(edit->Text(), "a" + "ا"_a);   // never reached the system's edit
}

TEST_F(FormFixture, KeyEventsWithPreviewAndByReferenceKeys) {
    auto* edit = new TSpyEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 10, 120, 22);
    std::vector<std::string> order;
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { order.push_back("form down " + std::to_string(key)); };
    edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { order.push_back("edit down " + std::to_string(key)); };
    Form->OnKeyPress = [&](TObject*, char& key) {
        order.push_back(std::string("form press ") + key);
        if (key == 'x') key = 0;
        if (key == 'q') key = 'Q';
    };
    edit->OnKeyPress = [&](TObject*, char& key) { order.push_back(std::string("edit press ") + key); };
    HWND h = edit->Handle();
    SendMessageW(h, WM_KEYDOWN, 'A', 0);
    SendMessageW(h, WM_CHAR, L'q', 0);
    SendMessageW(h, WM_CHAR, L'x', 0);
    EXPECT_EQ(order, (std::vector<std::string>{"form down 65", "edit down 65", "form press q", "edit press Q", "form press x"}));
    EXPECT_EQ(edit->Text(), "Q");

    std::string pressed;
    edit->OnKeyPress = [&](TObject*, char& key) { pressed = key; };
    Form->SetKeyPreview(false);
    SendMessageW(h, WM_CHAR, 0x0628, 0);    // Arabic beh
    EXPECT_EQ(pressed, "ب"_a);
}

TEST_F(FormFixture, RecreateWndKeepsCaptionAndBounds) {
    auto* button = new TSpyButton(Form);
    button->SetParent(Form);
    button->SetBounds(12, 14, 90, 26);
    button->SetCaption("First");
    HWND before = button->Handle();
    SetWindowTextW(before, L"Typed");      // text changed in the window itself
    button->RecreateWnd();
    HWND after = button->Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(button->Caption(), "Typed");
    RECT r;
    GetWindowRect(after, &r);
    MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 12);
    EXPECT_EQ(r.top, 14);
    EXPECT_EQ(r.right - r.left, 90);
    EXPECT_EQ(button->BoundsRect(), Bounds(12, 14, 90, 26));
    EXPECT_EQ(FindControl(after), button);
}

// The last control of the parent's list lies on top, whether it got there by being made last or
// by BringToFront, and whether its window existed then or was made later.
TEST_F(FormFixture, LaterSiblingsAndBroughtToFrontOnesLieOnTopBeforeAndAfterTheirWindowsExist) {
    // the system's hit test among the form's children, whatever other windows the screen shows
    auto topAt = [&](int x, int y) {
        return FindControl(ChildWindowFromPointEx(Form->Handle(), POINT{x, y}, CWP_SKIPINVISIBLE));
    };
    auto panel = [&](const char* name) {
        auto* p = new TPanel(Form);
        p->SetName(name);
        p->SetParent(Form);
        p->SetBounds(10, 10, 100, 100);
        return p;
    };
    TPanel* a = panel("A");
    TPanel* b = panel("B");
    TPanel* c = panel("C");
    a->BringToFront();        // no window yet
    c->SendToBack();
    Form->Show();
    Application->ProcessMessages();
    EXPECT_EQ(topAt(50, 50), a);
    b->BringToFront();        // windows exist now
    EXPECT_EQ(topAt(50, 50), b);
    b->RecreateWnd();         // a new window keeps its place
    Application->ProcessMessages();
    EXPECT_EQ(topAt(50, 50), b);
    b->SendToBack();
    a->SendToBack();
    EXPECT_EQ(topAt(50, 50), c);
}

TEST_F(FormFixture, PropertyChangesSendTheirComponentMessages) {
    auto* panel = new TWinControl(Form);
    panel->ControlStyle |= csAcceptsControls;
    panel->SetParent(Form);
    auto* child = new TRecorder(Form);
    child->SetParent(panel);
    child->Seen.clear();

    panel->SetColor(clYellow);
    EXPECT_EQ(child->Color(), clYellow);          // ParentColor follows
    EXPECT_TRUE(child->ParentColor());
    panel->Font()->SetHeight(-20);
    EXPECT_EQ(child->Font()->Height(), -20);
    EXPECT_TRUE(child->ParentFont());
    EXPECT_EQ(child->Seen, (std::vector<UINT>{CM_PARENTCOLORCHANGED, CM_COLORCHANGED, CM_PARENTFONTCHANGED, CM_FONTCHANGED}));

    child->Seen.clear();
    child->SetColor(clRed);
    child->SetColor(clRed);                       // no change, no message
    child->SetEnabled(false);
    child->Font()->SetColor(clBlue);
    EXPECT_EQ(child->Seen, (std::vector<UINT>{CM_COLORCHANGED, CM_ENABLEDCHANGED, CM_FONTCHANGED}));
    EXPECT_FALSE(child->ParentColor());
    EXPECT_FALSE(child->ParentFont());
    panel->SetColor(clAqua);
    EXPECT_EQ(child->Color(), clRed);

    std::vector<UINT> panelSeen;
    panel->WindowProc = [&, panel](TMessage& m) { panelSeen.push_back(m.Msg); panel->WndProc(m); };
    Form->Show();
    EXPECT_NE(std::find(panelSeen.begin(), panelSeen.end(), CM_SHOWINGCHANGED), panelSeen.end());
    EXPECT_TRUE(panel->Showing());
    EXPECT_TRUE(IsWindowVisible(panel->Handle()));
}

TEST_F(FormFixture, WindowlessChildrenArePaintedByTheirParentAndGetItsMouse) {
    auto* g = new TRecorder(Form);
    g->SetParent(Form);
    g->SetBounds(20, 30, 10, 10);
    int downs = 0, clicks = 0;
    TPoint at;
    g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { ++downs; at = Point(x, y); };
    g->OnClick = [&](TObject*) { ++clicks; };
    Form->SetColor(clWhite);

    TBitmap b;
    b.SetSize(300, 200);
    HDC dc = b.Canvas()->Handle();
    Form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    Form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    EXPECT_EQ(b.Canvas()->Pixels(20, 30), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(29, 39), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(30, 40), clWhite);
    EXPECT_EQ(b.Canvas()->Pixels(19, 30), clWhite);

    HWND h = Form->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(23, 35));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(23, 35));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(at, Point(3, 5));
    EXPECT_EQ(clicks, 1);
    g->SetEnabled(false);                     // a disabled windowless control gets no mouse
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(23, 35));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(23, 35));
    EXPECT_EQ(downs, 1);
}

TEST_F(FormFixture, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
    std::vector<String> shown;
    auto old = SetPlatformMessageBox([&](const String& text, const String& caption, UINT flags) {
        shown.push_back(caption + "|" + text);
        EXPECT_EQ(flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        return IDOK;
    });
    Application->SetTitle("Tapwise");
    auto* g = new TRecorder(Form);
    g->SetParent(Form);
    g->SetBounds(0, 0, 50, 50);
    g->OnClick = [](TObject*) { throw EConvertError("'x' is not a valid integer value"); };
    HWND h = Form->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    g->OnClick = [](TObject*) { Abort(); };
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SetPlatformMessageBox(old);
    EXPECT_EQ(shown, (std::vector<String>{"Tapwise|'x' is not a valid integer value."}));
}

TEST_F(FormFixture, AlignAndAnchorsFollowTheParentsSize) {
    auto* top = new TRecorder(Form);
    top->SetParent(Form);
    top->SetHeight(20);
    top->SetAlign(alTop);
    auto* rest = new TRecorder(Form);
    rest->SetParent(Form);
    rest->SetAlign(alClient);
    auto* corner = new TRecorder(Form);
    corner->SetParent(Form);
    corner->SetBounds(280, 180, 10, 10);
    corner->SetAnchors(akRight | akBottom);
    Form->HandleNeeded();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 20));
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 20, 300, 200));
    Form->SetBounds(40, 40, 400, 250);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 20));
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 20, 400, 250));
    EXPECT_EQ(corner->BoundsRect(), Bounds(380, 230, 10, 10));
}

namespace {

// An owner-drawn list over LISTBOX: its parent's measure and draw questions come back to it.
class TOwnerList : public TWinControl {
public:
    using TWinControl::TWinControl;
    int Measured = 0;
    std::vector<int> Drawn;
    void WndProc(TMessage& m) override {
        if (m.Msg == CN_MEASUREITEM) {
            ++Measured;
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = 18;
            m.Result = TRUE;
            return;
        }
        if (m.Msg == CN_DRAWITEM) {
            Drawn.push_back(static_cast<int>(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->itemID));
            m.Result = TRUE;
            return;
        }
        TWinControl::WndProc(m);
    }
protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        CreateSubClass(p, L"LISTBOX");
        p.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY;
    }
};

}  // namespace

TEST_F(FormFixture, OwnerDrawQuestionsReachTheListEvenDuringItsCreation) {
    auto* list = new TOwnerList(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 150, 100);
    Form->Show();
    HWND h = list->Handle();
    EXPECT_GE(list->Measured, 1);                    // asked while CreateWindowEx was still running
    EXPECT_EQ(SendMessageW(h, LB_GETITEMHEIGHT, 0, 0), 18);
    SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"one"));
    SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"two"));
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_NE(std::find(list->Drawn.begin(), list->Drawn.end(), 1), list->Drawn.end());
}

TEST_F(FormFixture, IdleBitmapsGiveTheirMemoryDCBackAfterEachMessage) {
    HWND h = Form->Handle();
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas()->FillRect(Rect(0, 0, 4, 4));
    long holding = gdi::LiveHandles();
    SendMessageW(h, WM_NULL, 0, 0);
    EXPECT_EQ(gdi::LiveHandles(), holding - 1);
    b.Canvas()->Lock();
    b.Canvas()->SetPixels(0, 0, clRed);
    long locked = gdi::LiveHandles();
    SendMessageW(h, WM_NULL, 0, 0);
    EXPECT_EQ(gdi::LiveHandles(), locked);        // a locked canvas keeps its DC
    b.Canvas()->Unlock();
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
}

// Siblings stack as their list says, the last on top, whether their windows exist before or
// after they are moved: a control brought to the front before any window exists is still the one
// the system finds where it covers the others.
TEST_F(FormFixture, TheLastSiblingLiesOnTopWhenEverItsWindowIsMade) {
    auto panel = [&](int left) {
        auto* p = new TPanel(Form);
        p->SetParent(Form);
        p->SetBounds(left, 10, 100, 100);
        return p;
    };
    TPanel* first = panel(10);
    TPanel* second = panel(40);
    TPanel* third = panel(70);
    first->BringToFront();                  // before any window exists
    Form->Show();
    // above the windows of other test processes on the same display
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto topAt = [&](int x) {
        TPoint p = Form->ClientToScreen(TPoint{x, 50});
        return WindowFromPoint(POINT{p.X, p.Y});
    };
    EXPECT_EQ(topAt(80), first->Handle());  // all three cover it
    EXPECT_EQ(topAt(50), first->Handle());
    EXPECT_EQ(topAt(150), third->Handle());
    third->BringToFront();                  // with the windows made
    EXPECT_EQ(topAt(80), third->Handle());
    third->SendToBack();
    EXPECT_EQ(topAt(80), first->Handle());
    EXPECT_EQ(topAt(130), second->Handle());
    // a window made later takes its place in the order too
    TPanel* late = panel(0);
    late->SendToBack();
    late->HandleNeeded();
    EXPECT_EQ(topAt(20), first->Handle());
    Form->Hide();
}

// A control painted into another DC: its own erase and paint at the point given, its windowed
// children at their places, nothing outside it.
TEST_F(FormFixture, PaintToDrawsTheControlAndItsChildrenAtThePointGiven) {
    auto flat = [&](TWinControl* parent, TColor color, int left, int top, int size) {
        auto* panel = new TPanel(Form);
        panel->SetParent(parent);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(color);
        panel->SetBounds(left, top, size, size);
        return panel;
    };
    TPanel* outer = flat(Form, clRed, 0, 0, 40);
    flat(outer, clBlue, 10, 10, 10);
    Form->Show();
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(60, 60);
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(Rect(0, 0, 60, 60));
    b.Canvas()->Lock();
    outer->PaintTo(b.Canvas()->Handle(), 5, 7);
    b.Canvas()->Unlock();
    EXPECT_EQ(b.Canvas()->Pixels(4, 20), clLime);
    EXPECT_EQ(b.Canvas()->Pixels(5, 7), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(44, 46), clRed);
    EXPECT_EQ(b.Canvas()->Pixels(45, 47), clLime);
    EXPECT_EQ(b.Canvas()->Pixels(5 + 10, 7 + 10), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(5 + 19, 7 + 19), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(5 + 20, 7 + 20), clRed);
}
