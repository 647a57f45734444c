#pragma once
#include "platform/graphics/Color.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/GraphicsObject.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
using enum TPenStyle;
enum class TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                      pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
using enum TPenMode;

class TPen : public TGraphicsObject {
public:
    void Assign(TPersistent* source) override;
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);
    int Rop2() const;        // the ROP2 code of Mode
    HPEN Handle();           // made on first use, owned by the pen
protected:
    void Changed() override;
private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TGdiObject<HPEN> FHandle;
};
