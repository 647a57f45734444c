#pragma once
// TPanel: a container that paints its bevels, border and caption; its children are laid out
// inside the bevels.
#include "platform/ui/Alignment.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TCustomControl.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
using enum TPanelBevel;
using TBevelCut = TPanelBevel;           // the bevel of any control that draws one
using TBorderStyle = TFormBorderStyle;   // bsNone or bsSingle for a control

class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(TRect& rect) override;
    void Paint() override;
    int BevelSpace() const;   // what the bevels and border take from each side

private:
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

// Draws a raised or lowered frame of the given width inside rect and shrinks rect by it.
void Frame3D(HDC dc, TRect& rect, TColor topColor, TColor bottomColor, int width);
