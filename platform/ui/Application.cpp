#include "platform/ui/Application.h"
#include "platform/rtl/Errors.h"
#include "platform/graphics/TextShaping.h"
#include "platform/ui/HintWindow.h"
#include "platform/win/KeyboardLayout.h"

TApplication* Application = new TApplication(nullptr);   // lives as long as the process

namespace {

constexpr UINT_PTR HintTimer = 1;
constexpr int HintMaxWidth = 400;
constexpr int HintBelowPointer = 20;

String ExeTitle() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    String name = ExtractFileName(FromWide(path));
    auto dot = name.find('.');
    return dot == String::npos ? name : name.substr(0, dot);
}

// At the end of the program the forms are freed, last created first, so their OnDestroy runs.
struct TFinalizer {
    ~TFinalizer() { if (Application) Application->DestroyComponents(); }
} Finalizer;

}  // namespace

void HandleControlException(TObject* sender) {
    if (Application) Application->HandleException(sender);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FTitle(ExeTitle()) {}

TApplication::~TApplication() {
    DestroyComponents();
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

void TApplication::Run() {
    if (!FMainForm) return;
    FMainForm->Show();
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND wnd = GetCapture() ? GetCapture() : msg.hwnd;
    TWinControl* target = nullptr;
    for (HWND w = wnd; w && !target; w = GetParent(w)) target = FindControl(w);
    if (!target) return false;
    WPARAM wp = msg.wParam;
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        wchar_t c = static_cast<wchar_t>(wp);
        String b = FromWide(std::wstring_view(&c, 1));
        wp = b.empty() ? 0 : static_cast<unsigned char>(b[0]);
    }
    try {
        return target->Perform(CN_BASE + msg.message, wp, msg.lParam) != 0;
    } catch (...) {
        HandleException(target);
        return true;
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && !IsKeyMsg(msg)) {
        TranslateKeyMessage(msg);   // the layer types the active layout where the system does not
        DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {}
}

void TApplication::Idle() {
    DoMouseIdle();
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
    if (done) WaitMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::Minimize() {
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_RESTORE);
    if (OnRestore) OnRestore(this);
}

void TApplication::HandleException(TObject* sender) {
    if (GetCapture()) ReleaseCapture();
    std::exception_ptr current = std::current_exception();
    if (!current) return;
    try {
        std::rethrow_exception(current);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        if (OnException) OnException(sender, e);
        else ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
}

void TApplication::ShowException(const String& message) {
    String text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    PlatformMessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

TControl* TApplication::FindTarget(POINT p) {
    HWND w = WindowFromPoint(p);
    TWinControl* control = nullptr;
    for (; w && !control; w = GetParent(w)) control = FindControl(w);
    if (!control || (control->ComponentState() & csDesigning)) return nullptr;
    POINT c = p;
    ScreenToClient(control->Handle(), &c);
    if (TControl* g = control->ControlAtPos(Point(c.x, c.y), true)) return g;
    return control;
}

void TApplication::SetMouseControl(TControl* control) {
    if (control == FMouseControl) return;
    TControl* capture = GetCaptureControl();
    TControl* old = FMouseControl;
    FMouseControl = control;
    if (old && (!capture || capture == old)) old->Perform(CM_MOUSELEAVE);
    if (control && FMouseControl == control && (!capture || capture == control)) control->Perform(CM_MOUSEENTER);
    CancelHint();
    if (control && ShowHint && control->ShowHint() && !control->Hint().empty()) {
        FHintControl = control;
        if (HintPause == 0) { ActivateHint(control); return; }
        if (!FWindow) FWindow = std::make_unique<TUtilityWindow>([this](TMessage& m) { UtilityMessage(m); });
        SetTimer(FWindow->Handle(), HintTimer, HintPause, nullptr);
    }
}

void TApplication::DoMouseIdle() {
    POINT p;
    if (!GetCursorPos(&p)) return;
    try {
        SetMouseControl(FindTarget(p));
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::ControlDestroyed(TControl* control) {
    if (FMouseControl == control) FMouseControl = nullptr;
    if (FHintControl == control) CancelHint();
    if (FMainForm == control) FMainForm = nullptr;
}

void TApplication::UtilityMessage(TMessage& m) {
    if (m.Msg == WM_TIMER && m.WParam == HintTimer) {
        KillTimer(FWindow->Handle(), HintTimer);
        if (FHintControl && FHintControl == FMouseControl) ActivateHint(FHintControl);
        return;
    }
    m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
}

// The hint stands just below the pointer, read right to left where its control reads so or its
// text is Arabic.
void TApplication::ActivateHint(TControl* control) {
    if (!control || control->Hint().empty()) return;
    if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>(nullptr);
    const String& hint = control->Hint();
    const bool rightToLeft = control->UseRightToLeftReading() || IsComplexText(ToWide(hint));
    const TRect box = FHintWindow->CalcHintRect(HintMaxWidth, hint, rightToLeft);
    POINT p{};
    GetCursorPos(&p);
    const int top = p.y + HintBelowPointer;
    FHintWindow->ActivateHint(Rect(p.x, top, p.x + box.Width(), top + box.Height()), hint, rightToLeft);
    FHintShowing = true;
    FHintText = hint;
    FHintControl = control;
}

void TApplication::CancelHint() {
    if (FWindow) KillTimer(FWindow->Handle(), HintTimer);
    if (FHintWindow && FHintShowing) FHintWindow->Hide();
    FHintShowing = false;
    FHintText.clear();
    FHintControl = nullptr;
}
