#include "platform/ui/MediaPlayer.h"
#include <mmsystem.h>
#include "platform/graphics/GdiObject.h"

namespace {
const wchar_t* DeviceTypeName(TMPDeviceTypes type) {
    switch (type) {
    case dtAVIVideo: return L"AVIVideo";
    case dtCDAudio: return L"CDAudio";
    case dtDAT: return L"DAT";
    case dtDigitalVideo: return L"DigitalVideo";
    case dtMMMovie: return L"MMMovie";
    case dtOther: return L"Other";
    case dtOverlay: return L"Overlay";
    case dtScanner: return L"Scanner";
    case dtSequencer: return L"Sequencer";
    case dtVCR: return L"VCR";
    case dtVideodisc: return L"Videodisc";
    case dtWaveAudio: return L"WaveAudio";
    default: return nullptr;
    }
}
}  // namespace

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TCustomControl(owner), FWindow(std::make_unique<TUtilityWindow>([this](TMessage& m) { WindowMessage(m); })) {
    SetBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() {
    if (FDeviceID) {
        MCI_GENERIC_PARMS p{};
        mciSendCommandW(FDeviceID, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&p));
        FDeviceID = 0;
    }
}

String TMediaPlayer::ErrorMessage() const {
    wchar_t text[256]{};
    if (!mciGetErrorStringW(FError, text, 256)) return "Unknown MCI error " + IntToStr(static_cast<int>(FError));
    return FromWide(text);
}

void TMediaPlayer::Check(DWORD error) {
    FError = error;
    if (error != 0) throw EMCIDeviceError(ErrorMessage());
}

// The flags of Notify and Wait for this command; both return to their defaults after it.
DWORD TMediaPlayer::CommandFlags() {
    DWORD flags = 0;
    if (!FUseNotify || FNotify) flags |= MCI_NOTIFY;
    if (FUseWait && FWait) flags |= MCI_WAIT;
    FUseNotify = false;
    FUseWait = false;
    FNotify = true;
    FWait = false;
    return flags;
}

DWORD TMediaPlayer::Send(UINT command, DWORD flags, void* params) {
    if (!FDeviceID) {
        FError = MCIERR_INVALID_DEVICE_ID;
        throw EMCIDeviceError(ErrorMessage());
    }
    auto* generic = static_cast<MCI_GENERIC_PARMS*>(params);
    generic->dwCallback = reinterpret_cast<DWORD_PTR>(FWindow->Handle());
    return mciSendCommandW(FDeviceID, command, flags, reinterpret_cast<DWORD_PTR>(params));
}

void TMediaPlayer::Open() {
    if (FDeviceID) Close();
    WideString element = ToWide(FileName);
    MCI_OPEN_PARMSW p{};
    DWORD flags = CommandFlags() & ~MCI_NOTIFY;   // opening waits; its end is not notified
    flags |= MCI_WAIT;
    if (!element.empty()) { flags |= MCI_OPEN_ELEMENT; p.lpstrElementName = element.c_str(); }
    if (const wchar_t* type = DeviceTypeName(DeviceType)) { flags |= MCI_OPEN_TYPE; p.lpstrDeviceType = type; }
    if (Shareable) flags |= MCI_OPEN_SHAREABLE;
    p.dwCallback = reinterpret_cast<DWORD_PTR>(FWindow->Handle());
    Check(mciSendCommandW(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&p)));
    FDeviceID = p.wDeviceID;
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandW(FDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set));
}

void TMediaPlayer::Close() {
    if (!FDeviceID) return;
    MCI_GENERIC_PARMS p{};
    DWORD error = Send(MCI_CLOSE, CommandFlags() | MCI_WAIT, &p);
    FDeviceID = 0;
    Check(error);
}

void TMediaPlayer::Play() {
    DWORD flags = CommandFlags();
    if (AutoRewind && FDeviceID && Position() >= Length() && Length() > 0) Rewind();
    MCI_PLAY_PARMS p{};
    Check(Send(MCI_PLAY, flags, &p));
}

void TMediaPlayer::Pause() {
    if (Mode() == mpPaused) { Resume(); return; }
    MCI_GENERIC_PARMS p{};
    Check(Send(MCI_PAUSE, CommandFlags(), &p));
}

void TMediaPlayer::Resume() {
    MCI_GENERIC_PARMS p{};
    DWORD flags = CommandFlags();
    DWORD error = Send(MCI_RESUME, flags, &p);
    // devices without resume continue with play
    if (error == MCIERR_UNSUPPORTED_FUNCTION) { MCI_PLAY_PARMS play{}; error = Send(MCI_PLAY, flags, &play); }
    Check(error);
}

void TMediaPlayer::Stop() {
    MCI_GENERIC_PARMS p{};
    Check(Send(MCI_STOP, CommandFlags(), &p));
}

void TMediaPlayer::Rewind() {
    MCI_SEEK_PARMS p{};
    Check(Send(MCI_SEEK, (CommandFlags() & ~MCI_NOTIFY) | MCI_SEEK_TO_START | MCI_WAIT, &p));
}

void TMediaPlayer::SetPosition(int value) {
    MCI_SEEK_PARMS p{};
    p.dwTo = static_cast<DWORD>(value < 0 ? 0 : value);
    Check(Send(MCI_SEEK, (CommandFlags() & ~MCI_NOTIFY) | MCI_TO | MCI_WAIT, &p));
}

DWORD_PTR TMediaPlayer::StatusItem(DWORD item) {
    MCI_STATUS_PARMS p{};
    p.dwItem = item;
    Check(Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &p));
    return p.dwReturn;
}

int TMediaPlayer::Position() { return static_cast<int>(StatusItem(MCI_STATUS_POSITION)); }
int TMediaPlayer::Length() { return static_cast<int>(StatusItem(MCI_STATUS_LENGTH)); }

TMPModes TMediaPlayer::Mode() {
    if (!FDeviceID) return mpNotReady;
    DWORD_PTR mode = StatusItem(MCI_STATUS_MODE);
    if (mode < MCI_MODE_NOT_READY || mode > MCI_MODE_OPEN) return mpNotReady;
    return static_cast<TMPModes>(mode - MCI_MODE_NOT_READY);
}

void TMediaPlayer::WindowMessage(TMessage& m) {
    if (m.Msg != MM_MCINOTIFY) {
        m.Result = DefWindowProcW(FWindow->Handle(), m.Msg, m.WParam, m.LParam);
        return;
    }
    switch (m.WParam) {
    case MCI_NOTIFY_SUPERSEDED: FNotifyValue = nvSuperseded; break;
    case MCI_NOTIFY_ABORTED: FNotifyValue = nvAborted; break;
    case MCI_NOTIFY_FAILURE: FNotifyValue = nvFailure; break;
    default: FNotifyValue = nvSuccessful; break;
    }
    if (OnNotify) OnNotify(this);
}

// The button bar: play, pause, stop, previous, next, as the user knows it.
void TMediaPlayer::Paint() {
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    TRect r = ClientRect();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    const int buttons = 5;
    int w = r.Width() / buttons;
    TGdiObject<HBRUSH> ink(CreateSolidBrush(ColorToRGB(Enabled() && Opened() ? clBtnText : clGrayText)));
    for (int i = 0; i < buttons; ++i) {
        RECT b{r.Left + i * w, r.Top, r.Left + (i + 1) * w, r.Bottom};
        DrawFrameControl(dc, &b, DFC_BUTTON, DFCS_BUTTONPUSH);
        int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2, s = std::min(w, r.Height()) / 4;
        TScopedSelect brush(dc, ink.Get());
        TScopedSelect pen(dc, GetStockObject(NULL_PEN));
        switch (i) {
        case 0: { POINT t[3] = {{cx - s, cy - s}, {cx + s, cy}, {cx - s, cy + s}}; Polygon(dc, t, 3); break; }
        case 1: Rectangle(dc, cx - s, cy - s, cx - s / 3, cy + s); Rectangle(dc, cx + s / 3, cy - s, cx + s, cy + s); break;
        case 2: Rectangle(dc, cx - s, cy - s, cx + s, cy + s); break;
        case 3: { POINT t[3] = {{cx + s, cy - s}, {cx - s / 2, cy}, {cx + s, cy + s}}; Polygon(dc, t, 3); Rectangle(dc, cx - s, cy - s, cx - s / 2, cy + s); break; }
        case 4: { POINT t[3] = {{cx - s, cy - s}, {cx + s / 2, cy}, {cx - s, cy + s}}; Polygon(dc, t, 3); Rectangle(dc, cx + s / 2, cy - s, cx + s, cy + s); break; }
        }
    }
}

// A click on the bar runs the button's command.
void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !Opened() || x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return;
    switch (x / std::max(1, ClientWidth() / 5)) {
    case 0: Play(); break;
    case 1: Pause(); break;
    case 2: Stop(); break;
    case 3: Rewind(); break;
    default: SetPosition(Length()); break;
    }
}
