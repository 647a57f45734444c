#pragma once
// TControl: bounds, parent, visibility, text, font and colour inheritance, mouse events and the
// message chain. Windowless controls (TGraphicControl) get their messages by Perform only.
#include <functional>
#include <memory>
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Messages.h"
#include "platform/rtl/TComponent.h"
#include "platform/rtl/Errors.h"

class TWinControl;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;
using TAnchors = unsigned;
constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
using enum TBiDiMode;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;
HCURSOR CursorHandle(TCursor cursor);

using TControlStyle = unsigned;
constexpr TControlStyle csAcceptsControls = 1 << 0, csCaptureMouse = 1 << 1, csDesignInteractive = 1 << 2,
                        csClickEvents = 1 << 3, csFramed = 1 << 4, csSetCaption = 1 << 5, csOpaque = 1 << 6,
                        csDoubleClicks = 1 << 7, csFixedWidth = 1 << 8, csFixedHeight = 1 << 9,
                        csNoDesignVisible = 1 << 10, csReplicatable = 1 << 11, csNoStdEvents = 1 << 12;
using TControlState = unsigned;
constexpr TControlState csLButtonDown = 1 << 0, csClicked = 1 << 1, csPalette = 1 << 2, csReadingState = 1 << 3,
                        csAlignmentNeeded = 1 << 4, csFocusing = 1 << 5, csCreating = 1 << 6,
                        csPaintCopy = 1 << 7, csCustomPaint = 1 << 8, csDestroyingHandle = 1 << 9;

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

TShiftState KeysToShiftState(UINT keys);          // the MK_ flags of a mouse message
TShiftState KeyDataToShiftState(LPARAM keyData);  // the keyboard's state during a key message

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
    void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
    virtual void SetClientSize(int width, int height);
    virtual TPoint ClientOrigin();                     // screen position of the client area's corner
    TPoint ClientToScreen(TPoint p);
    TPoint ScreenToClient(TPoint p);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show();
    void Hide() { SetVisible(false); }
    virtual bool IsShowing() const;                     // visible with its whole parent chain
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);

    String Caption() const { return Text(); }
    void SetCaption(const String& value) { SetText(value); }
    String Text() const;
    void SetText(const String& value);
    void SetName(const String& value) override;

    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value);
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value) { FAnchors = value; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);

    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState ControlState = 0;

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Replaceable entry of the message chain; WndProc unless someone hooks it.
    std::function<void(TMessage&)> WindowProc;
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

protected:
    friend class TWinControl;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    virtual void Changed() {}
    void InvalidateControl(bool erase);
    bool IsWindowed() const { return FIsWindowed; }

    void WMButtonDown(TWMMouse& message, TMouseButton button, bool doubleClick);
    void WMButtonUp(TWMMouse& message, TMouseButton button);
    void WMMouseMove(TWMMouse& message);
    void CMEnabledChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMParentColorChanged(TMessage& message);
    void CMParentFontChanged(TMessage& message);
    void CMParentBiDiModeChanged(TMessage& message);
    void CMParentShowHintChanged(TMessage& message);

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FIsWindowed = false;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    String FText;

private:
    void FontChanged(TObject* sender);

    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    TCursor FCursor = crDefault;
};

// The control (or windowless child of it) that holds the mouse capture, if any.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// Exceptions caught at a window procedure or timer go here (the application's general handler).
void HandleControlException(TObject* sender);
