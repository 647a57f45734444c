#pragma once
// TSpeedButton: a windowless button with a glyph strip (NumGlyphs frames: up, disabled, down,
// held down). Buttons with the same GroupIndex under one parent act as a group: pressing one
// releases the one that was down; AllowAllUp lets the down button of a group come up again.
#include <memory>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/ButtonFace.h"
#include "platform/ui/TGraphicControl.h"


class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }   // its OnChange repaints; a subclass may route it
    void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);                     // 1 to 4
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);                        // -1 centres glyph and caption

    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Tells the other buttons of the group under the same parent that this one went down.
    void UpdateExclusive();

    TButtonState FState = bsUp;
    bool FMouseInControl = false;
    bool FDragging = false;

private:
    void CMButtonPressed(TMessage& message);
    void GlyphChanged(TObject* sender) { Invalidate(); }

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
};
