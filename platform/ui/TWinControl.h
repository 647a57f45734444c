#pragma once
// TWinControl: a control with a window of its own, made on demand from CreateParams. The fields
// are the truth: the window can be destroyed and recreated from them at any time (RecreateWnd).
// A control over a system class calls CreateSubClass in CreateParams; the bottom of its message
// chain is then that class's window procedure.
#include <vector>
#include "platform/graphics/Brush.h"
#include "platform/ui/TControl.h"

struct TCreateParams {
    WideString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSW WindowClass{};
    WideString WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();                       // makes the window (and its parents') when there is none
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    WNDPROC DefWndProc() const { return FDefWndProc; }

    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    TControl* Controls(int index) const;  // the windowless children first, then the windowed ones
    bool ContainsControl(TControl* control) const;
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    virtual bool CanFocus();
    bool Focused() const;
    virtual void SetFocus();
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void GetTabOrderList(std::vector<TWinControl*>& list);

    TBrush* Brush() const { return FBrush.get(); }
    bool IsShowing() const override { return FShowing; }
    bool Showing() const { return FShowing; }

    void PaintControls(HDC dc, TControl* first);
    // The window as it shows, its frame, its client area (erased and painted by the control's
    // own messages, with this DC) and its windowed children, drawn into dc with the window's
    // top-left corner at (x, y).
    void PaintTo(HDC dc, int x, int y);
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);
    void RecreateWnd();
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign() { if (--FAlignLevel == 0) Realign(); }

    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void SetParent(TWinControl* value) override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    // Entry from the window procedure: exceptions stop here and go to the general handler.
    void MainWndProc(TMessage& message);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    friend class TControl;
    friend class TForm;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK InitWindowProc(HWND, UINT, WPARAM, LPARAM);

    virtual void CreateParams(TCreateParams& params);
    void CreateSubClass(TCreateParams& params, const wchar_t* systemClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    virtual void UpdateShowing();
    void UpdateControlState();
    virtual void AlignControls(TRect& rect);
    virtual void PaintWindow(HDC dc);
    void PaintHandler(HDC dc);
    void UpdateBounds();

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    bool DoKeyDown(TWMKey& message);
    bool DoKeyUp(TWMKey& message);
    bool DoKeyPress(TWMKey& message);

    void WMPaint(TWMPaint& message);
    void WMEraseBkgnd(TWMEraseBkgnd& message);
    void WMKeyDown(TWMKey& message);
    void WMKeyUp(TWMKey& message);
    void WMChar(TWMKey& message);
    void WMSetFocus(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void CNKeyDown(TWMKey& message);
    void CNChar(TWMKey& message);
    void CNCtlColor(TWMCtlColor& message);
    void CMShowingChanged(TMessage& message);
    void CMDialogKey(TMessage& message);
    void ReflectNotification(TMessage& message, HWND child);

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;

private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void ShowControl(TControl* control);
    void SetChildOrder(TControl* control, bool toFront);
    void AnchorChildren(int oldWidth, int oldHeight);

    std::vector<TControl*> FControls;        // windowless children, bottom first
    std::vector<TWinControl*> FWinControls;  // windowed children
    std::vector<TWinControl*> FTabList;
    std::unique_ptr<TBrush> FBrush;
    bool FTabStop = false;
    bool FShowing = false;
    int FAlignLevel = 0;
    int FLastClientWidth = -1, FLastClientHeight = -1;
};

// The framework control that owns a window of this process, or nullptr.
TWinControl* FindControl(HWND window);
