#pragma once
#include "platform/graphics/Color.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/GraphicsObject.h"

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
using enum TBrushStyle;

class TBrush : public TGraphicsObject {
public:
    void Assign(TPersistent* source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value);
    HBRUSH Handle();      // made on first use, owned by the brush
protected:
    void Changed() override;
private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TGdiObject<HBRUSH> FHandle;
};
