#pragma once
// THintWindow: the box the application shows a control's hint in. A window of our own rather
// than the system's tooltip, so that the hint is measured and drawn shaped (joined Arabic letters,
// right to left) and the box fits what it shows; its font is the status font of the non-client
// metrics, at no less than a size that reads.
#include "platform/ui/TCustomControl.h"

class THintWindow : public TCustomControl {
public:
    static constexpr int SmallestPointSize = 12;
    static constexpr int Margin = 5;   // between the border and the text, on every side

    explicit THintWindow(TComponent* owner);

    // The box the hint needs, its lines broken at maxWidth, at the origin (border included).
    TRect CalcHintRect(int maxWidth, const String& hint, bool rightToLeft);
    // Shows the hint in rect (screen coordinates, moved into the work area) without taking the
    // focus; the pointer's clicks pass through it.
    void ActivateHint(TRect rect, const String& hint, bool rightToLeft);
    void Hide();

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    UINT TextFormat() const;

    bool FRightToLeft = false;
};
