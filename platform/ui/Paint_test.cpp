#include <gtest/gtest.h>
#include "platform/graphics/Graphics.h"
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"

namespace {

// Paints with every kind of GDI object the layer makes, changing them each time.
class TBusyPainter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;
    TBitmap Glyph;
protected:
    void Paint() override {
        ++Paints;
        TCanvas* c = Canvas();
        c->Brush()->SetColor(Paints % 2 ? clRed : clNavy);
        c->FillRect(ClientRect());
        c->Font()->SetHeight(-10 - Paints % 5);
        c->Font()->SetStyle(Paints % 2 ? fsBold : 0);
        c->Pen()->SetColor(Paints % 3 ? clLime : clYellow);
        c->Pen()->SetWidth(1 + Paints % 2);
        c->MoveTo(0, 0);
        c->LineTo(20, 20);
        c->TextOut(2, 2, "Tapwise " + IntToStr(Paints));
        c->Draw(30, 5, &Glyph);
        c->StretchDraw(Rect(40, 5, 60, 25), &Glyph);
    }
};

class TBusyGraphic : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;
protected:
    void Paint() override {
        ++Paints;
        Canvas()->Brush()->SetColor(Paints % 2 ? clTeal : clMaroon);
        Canvas()->Rectangle(0, 0, Width(), Height());
        Canvas()->TextOut(1, 1, "g");
    }
};

}  // namespace

TEST(Painting, AThousandPaintsMakeNoGdiObjectsThatOutliveThem) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 240, 120);
    auto* painter = new TBusyPainter(form);
    painter->SetParent(form);
    painter->SetBounds(0, 0, 120, 60);
    painter->Glyph.SetSize(8, 8);
    painter->Glyph.Canvas()->Brush()->SetColor(clAqua);
    painter->Glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
    auto* graphic = new TBusyGraphic(form);
    graphic->SetParent(form);
    graphic->SetBounds(130, 10, 50, 30);
    form->Show();
    Application->ProcessMessages();
    for (int i = 0; i < 10; ++i) { painter->Repaint(); graphic->Repaint(); }

    HANDLE process = GetCurrentProcess();
    DWORD systemBefore = GetGuiResources(process, GR_GDIOBJECTS);
    long layerBefore = gdi::LiveHandles();
    int paintsBefore = painter->Paints, graphicBefore = graphic->Paints;
    for (int i = 0; i < 1000; ++i) {
        (void)painter->Canvas()->Pixels(1, 1);   // a canvas DC taken outside painting, given back after the next message
        painter->Repaint();
        graphic->Repaint();
        Application->ProcessMessages();
    }
    EXPECT_EQ(painter->Paints - paintsBefore, 1000);
    EXPECT_EQ(graphic->Paints - graphicBefore, 1000);
    EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), systemBefore) << systemBefore;
    EXPECT_LE(gdi::LiveHandles(), layerBefore) << layerBefore;
    form->Free();
}
