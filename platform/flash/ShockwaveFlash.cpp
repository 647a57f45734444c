#include "platform/flash/ShockwaveFlash.h"
#include "platform/ui/Application.h"

TShockwaveFlash::TShockwaveFlash(TComponent* owner) : TWinControl(owner) {
    ControlStyle |= csOpaque;
    FWidth = 192;
    FHeight = 192;
    MoviePlayer& player = FEngine.Player();
    player.OnInvalidate = [this](const MovieRect* area) { FEngine.Invalidate(FHandle, area); };
    player.OnFSCommand = [this](const WideString& command, const WideString& args) { Command(command, args); };
}

TShockwaveFlash::~TShockwaveFlash() {
    // the window goes before the player it paints
    Destroying();
    DestroyHandle();
}

void TShockwaveFlash::SetMovie(const WideString& value) { FEngine.Player().SetMovie(value); }

void TShockwaveFlash::LoadMovieFromText(std::string_view utf8, const WideString& name) {
    FEngine.Player().LoadFromText(utf8, name);
}

void TShockwaveFlash::SetScaleMode(int value) { FEngine.Player().SetScaleMode(value); }

void TShockwaveFlash::DoObjectVerb(int verb) {
    // OLEIVERB_PRIMARY, _SHOW, _UIACTIVATE, _INPLACEACTIVATE
    if (verb != 0 && verb != -1 && verb != -4 && verb != -5)
        throw EInvalidOperation("Invalid verb " + IntToStr(verb) + " for the movie control");
    if (!FParent) return;
    HandleNeeded();
    Invalidate();
}

void TShockwaveFlash::TGotoFrame(const WideString& target, int frame) { FEngine.Player().GotoFrame(target, frame); }

int TShockwaveFlash::TCurrentFrame(const WideString& target) const { return FEngine.Player().CurrentFrame(target); }

void TShockwaveFlash::GotoNamedFrame(const WideString& name, int frame) { FEngine.Player().GotoNamedFrame(name, frame); }

int TShockwaveFlash::NamedFrame(const WideString& name) const { return FEngine.Player().NamedFrame(name); }

// An exception of a screen's command handler is reported and the movie goes on playing: the
// player's own state (hover, press) must stay consistent, so it stops here.
void TShockwaveFlash::Command(const WideString& command, const WideString& args) {
    if (!OnFSCommand) return;
    try {
        OnFSCommand(this, command, args);
    } catch (...) {
        HandleControlException(this);
    }
}

void TShockwaveFlash::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = L"Tapwise.ShockwaveFlash";
}

void TShockwaveFlash::CreateWnd() {
    TWinControl::CreateWnd();
    RECT r;
    GetClientRect(FHandle, &r);
    FEngine.Player().SetViewSize(r.right, r.bottom);
}

void TShockwaveFlash::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam) {   // a DC given by PaintTo or a parent
            FEngine.PaintTo(reinterpret_cast<HDC>(m.WParam));
            return;
        }
        [[fallthrough]];
    case WM_ERASEBKGND: case WM_MOUSEMOVE: case WM_MOUSELEAVE: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: case WM_CAPTURECHANGED:
        if (FHandle && FEngine.HandleMessage(FHandle, m.Msg, m.WParam, m.LParam, m.Result)) return;
        break;
    case WM_SIZE:
        if (FHandle) FEngine.HandleMessage(FHandle, m.Msg, m.WParam, m.LParam, m.Result);
        break;   // and the inherited handling
    default:
        break;
    }
    TWinControl::WndProc(m);
}
