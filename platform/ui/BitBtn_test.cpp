#include "platform/ui/BitBtn.h"
#include "platform/ui/testing/ShownForm.h"

using BitBtnTest = ShownFormFixture;

TEST_F(BitBtnTest, KindGivesCaptionAndResultAndTheButtonDrawsItsGlyph) {
    TForm* dialog = NewDialog();
    auto* ok = new TBitBtn(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 90, 30);
    ok->SetKind(bkOK);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->SetPixels(0, 15, clWhite);
    ok->SetGlyph(&glyph);
    ok->SetMargin(4);
    Application->ModalHook = [&](TForm*) {
        EXPECT_EQ(GetWindowLongW(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        TBitmap shot;
        shot.SetSize(90, 30);
        DRAWITEMSTRUCT d{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, ok->Handle(), shot.Canvas()->Handle(), {0, 0, 90, 30}, 0};
        SendMessageW(dialog->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
        EXPECT_EQ(shot.Canvas()->Pixels(4 + 8, 15), clBlue);
        SendMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    dialog->Free();
}
