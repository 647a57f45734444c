#pragma once
// TSimpleGButton: the push button of every screen. Its face is one frame of a horizontal strip
// of equally wide frames in Glyph, chosen by hover, press and Down, stretched over the whole
// button; the caption is drawn centred on one line over it. Hover is tracked with OnMouseEnter
// and OnMouseLeave; the rest (click, groups, Down, NumGlyphs) is the speed button's.
#include "platform/ui/SpeedButton.h"

class TSimpleGButton : public TSpeedButton {
public:
    explicit TSimpleGButton(TComponent* owner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool PositionEffect() const { return FPositionEffect; }
    void SetPositionEffect(bool value);
    bool Pressed() const { return FPressed; }   // a mouse button went down here and is not up yet
    bool Hover() const { return FHover; }       // the mouse is over the button
    int GlyphFrameWidth() const { return Glyph()->Width() / NumGlyphs(); }
    // Left edge in the glyph strip of the frame the current state shows.
    int FrameLeft() const;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void WndProc(TMessage& message) override;   // CM_MOUSEENTER, CM_MOUSELEAVE, then the speed button's

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void CMMouseEnter(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void GlyphChanged(TObject* sender);

    bool FAutoSize = false;
    bool FPressed = false;
    bool FPositionEffect = true;
    bool FHover = false;
};
