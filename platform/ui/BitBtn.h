#pragma once
// TBitBtn: a push button over the system BUTTON class, drawn by itself with a glyph beside its
// caption. A Kind other than bkCustom gives the caption and the ModalResult of that kind.
#include <memory>
#include "platform/ui/Button.h"
#include "platform/ui/ButtonFace.h"

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
using enum TBitBtnKind;

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);

    void Click() override;                // bkClose closes the form
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
};
