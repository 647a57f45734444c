#pragma once
// TForm, a top-level window, and TScreen, what the application knows of the desktop and of
// which form and control are active.
#include <vector>
#include "platform/ui/TControlCanvas.h"
#include "platform/ui/TWinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using enum TFormBorderStyle;
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                       poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
using enum TPosition;
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
using enum TWindowState;
enum class TFormStyle { fsNormal, fsStayOnTop };
using enum TFormStyle;
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    // OnCreate runs here, after every constructor (Application->CreateForm calls it); an exception
    // in it is reported and the program goes on.
    void AfterConstruction() override;
    void BeforeDestruction() override;   // OnDestroy

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }
    bool Active() const;
    TCanvas* Canvas() const { return FCanvas.get(); }

    void Show();
    // Shown without taking the activation (the system's SW_SHOWNOACTIVATE): the active form
    // stays active and hears of nothing.
    void ShowInactive();
    void Hide() { SetVisible(false); }
    int ShowModal();
    void Close();
    bool CloseQuery();
    void Release();                      // frees the form once its messages are done

    void SetClientSize(int width, int height) override;
    TRect ClientRect() override;

    void FocusControl(TWinControl* control);
    bool SetFocusedControl(TWinControl* control);
    void DefocusControl(TWinControl* control, bool removing);

    void WndProc(TMessage& message) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;
    virtual void Paint() { if (OnPaint) OnPaint(this); }
    virtual void Activate() { if (OnActivate) OnActivate(this); }
    virtual void Deactivate() { if (OnDeactivate) OnDeactivate(this); }
    virtual void DoShow() { if (OnShow) OnShow(this); }
    virtual void DoHide() { if (OnHide) OnHide(this); }
    virtual void DoClose(TCloseAction& action) { if (OnClose) OnClose(this, action); }

private:
    void CMShowingChanged(TMessage& message);
    void WMActivate(TWMActivate& message);
    void ApplyPosition();
    void CloseModal();
    TRect FrameAdjust() ;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TFormStyle FFormStyle = fsNormal;
    TWindowState FWindowState = wsNormal;
    bool FKeyPreview = false;
    bool FModal = false;
    bool FShowInactive = false;          // the showing under way leaves the activation alone
    bool FCreated = false;
    bool FDestroyCalled = false;
    TModalResult FModalResult = mrNone;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    std::unique_ptr<TControlCanvas> FCanvas;
};

// The form a control sits on (its topmost parent, when that is a form).
TForm* GetParentForm(TControl* control);

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* owner);
    TWinControl* ActiveControl() const { return FActiveControl; }
    TForm* ActiveForm() const { return FActiveForm; }
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TForm* Forms(int index) const { return FForms.at(index); }
    const std::vector<String>& Fonts();   // the installed font families, sorted
    int Width() const;
    int Height() const;
    int PixelsPerInch() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    // Bookkeeping of the form and control classes.
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);
    TForm* FocusedForm() const { return FFocusedForm; }
    void SetFocused(TForm* form, TWinControl* control);
    // Sends CM_DEACTIVATE to the previous active form and CM_ACTIVATE to form when it changes.
    void FormActivated(TForm* form);
    void ControlDestroyed(TControl* control);

private:
    std::vector<TForm*> FForms;
    std::vector<String> FFonts;
    bool FFontsRead = false;
    TWinControl* FActiveControl = nullptr;
    TForm* FActiveForm = nullptr;
    TForm* FFocusedForm = nullptr;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
