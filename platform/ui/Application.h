#pragma once
// TApplication: the forms, the message loop, the general exception handler, the tracking of the
// control under the mouse (CM_MOUSEENTER / CM_MOUSELEAVE) and the hint window.
#include <exception>
#include <functional>
#include <memory>
#include "platform/ui/Forms.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UtilityWindow.h"

class TCommonDialog;
class THintWindow;

using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }
    void Initialize();

    // new T(application); the first form made this way is the main form and gets its window.
    template <class T>
    void CreateForm(T*& reference) {
        reference = nullptr;
        T* form = new T(this);
        reference = form;
        form->AfterConstruction();
        if (!FMainForm) {
            FMainForm = form;
            form->HandleNeeded();
        }
    }
    TForm* MainForm() const { return FMainForm; }

    void Run();
    void HandleMessage();                 // one message, or idle processing and a wait when there is none
    void ProcessMessages();               // every waiting message; never idles and never waits
    bool Terminated() const { return FTerminated; }
    void Terminate();
    void Minimize();
    void Restore();

    // Reports the exception being handled (call from a catch block): EAbort is silent; otherwise
    // OnException, or the message in a message box with the title as caption.
    void HandleException(TObject* sender);
    void ShowException(const String& message);

    // The mouse tracking of the idle step: the control under the pointer gets CM_MOUSEENTER, the
    // one before it CM_MOUSELEAVE.
    void DoMouseIdle();
    TControl* MouseControl() const { return FMouseControl; }
    void ControlDestroyed(TControl* control);

    bool ShowHint = true;
    unsigned HintPause = 500;
    bool HintShowing() const { return FHintShowing; }
    const String& HintText() const { return FHintText; }
    void ActivateHint(TControl* control);
    void CancelHint();
    // The window the hints are shown in; made with the first hint.
    THintWindow* HintWindow() const { return FHintWindow.get(); }

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Called inside every ShowModal, after the form is shown and active and before its loop waits:
    // a test drives the modal form from here (and may open further modal forms).
    std::function<void(TForm* form)> ModalHook;
    // Called when a common dialog has shown, after its OnShow: a test answers a dialog that a
    // control opens itself.
    std::function<void(TCommonDialog* dialog)> DialogHook;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void Idle();
    TControl* FindTarget(POINT p);
    void UtilityMessage(TMessage& m);
    void SetMouseControl(TControl* control);

    String FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    TControl* FMouseControl = nullptr;
    std::unique_ptr<TUtilityWindow> FWindow;
    std::unique_ptr<THintWindow> FHintWindow;
    bool FHintShowing = false;
    String FHintText;
    TControl* FHintControl = nullptr;
};

extern TApplication* Application;
