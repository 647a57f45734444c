#pragma once
// TMediaPlayer over the system's MCI devices. A command waits for its end with Wait and reports
// its end through OnNotify with Notify; both hold for the next command only (Notify is on when not
// set, Wait off). Positions are milliseconds. Failures raise EMCIDeviceError with the MCI text.
#include <memory>
#include "platform/rtl/SysUtils.h"
#include "platform/ui/TCustomControl.h"
#include "platform/ui/UtilityWindow.h"

class EMCIDeviceError : public Exception { using Exception::Exception; };

enum class TMPModes { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
using enum TMPModes;
enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
using enum TMPNotifyValues;
enum class TMPDeviceTypes { dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther,
                            dtOverlay, dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio };
using enum TMPDeviceTypes;

class TMediaPlayer : public TCustomControl {
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    String FileName;
    TMPDeviceTypes DeviceType = dtAutoSelect;
    bool Shareable = false;
    bool AutoRewind = true;     // Play from the end starts again at the beginning

    void Open();
    void Close();
    void Play();
    void Pause();               // pauses a playing device, resumes a paused one
    void Resume();
    void Stop();
    void Rewind();
    int Position();
    void SetPosition(int value);
    int Length();
    TMPModes Mode();
    UINT DeviceID() const { return FDeviceID; }
    bool Opened() const { return FDeviceID != 0; }

    bool Notify() const { return FNotify; }
    void SetNotify(bool value) { FNotify = value; FUseNotify = true; }
    bool Wait() const { return FWait; }
    void SetWait(bool value) { FWait = value; FUseWait = true; }
    TMPNotifyValues NotifyValue() const { return FNotifyValue; }
    int Error() const { return static_cast<int>(FError); }
    String ErrorMessage() const;
    HWND NotifyWindow() const { return FWindow->Handle(); }   // receives MM_MCINOTIFY

    TNotifyEvent OnNotify;

protected:
    void Paint() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    DWORD CommandFlags();
    void Check(DWORD error);
    DWORD Send(UINT command, DWORD flags, void* params);
    void WindowMessage(TMessage& message);
    DWORD_PTR StatusItem(DWORD item);

    std::unique_ptr<TUtilityWindow> FWindow;
    UINT FDeviceID = 0;
    DWORD FError = 0;
    bool FNotify = true, FUseNotify = false;
    bool FWait = false, FUseWait = false;
    TMPNotifyValues FNotifyValue = nvSuccessful;
};
