#include "platform/ui/Gauge.h"
#include "platform/graphics/Bitmap.h"
#include "platform/ui/testing/ShownForm.h"

using GaugeTest = ShownFormFixture;

TEST_F(GaugeTest, ProgressStaysWithinTheRangeAndFollowsItsChanges) {
    auto* gauge = new TGauge(Form);
    gauge->SetMaxValue(150);
    struct Case { int set; int progress; int percent; };
    for (Case c : {Case{75, 75, 50}, Case{151, 150, 100}, Case{-3, 0, 0}, Case{149, 149, 99}}) {
        gauge->SetProgress(c.set);
        EXPECT_EQ(gauge->Progress(), c.progress) << c.set;
        EXPECT_EQ(gauge->PercentDone(), c.percent) << c.set;
    }
    gauge->SetMaxValue(120);               // a smaller maximum pulls the progress down
    EXPECT_EQ(gauge->Progress(), 120);
    gauge->SetMinValue(10);
    gauge->SetProgress(0);
    EXPECT_EQ(gauge->Progress(), 10);
    EXPECT_THROW(gauge->SetMinValue(121), EInvalidOperation);
    EXPECT_THROW(gauge->SetMaxValue(9), EInvalidOperation);
    gauge->SetMaxValue(10);                // an empty range is 0 %
    EXPECT_EQ(gauge->PercentDone(), 0);
}

TEST_F(GaugeTest, BarFillsItsShareInTheForeColour) {
    auto* gauge = new TGauge(Form);
    gauge->SetParent(Form);
    gauge->SetBounds(0, 0, 102, 20);
    gauge->SetShowText(false);
    gauge->SetForeColor(clBlue);
    gauge->SetBackColor(clYellow);
    gauge->SetProgress(30);
    TBitmap shot;
    shot.SetSize(102, 20);
    auto paint = [&] { gauge->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas()->Handle()), 0); };
    paint();
    EXPECT_EQ(shot.Canvas()->Pixels(0, 10), clBlack);     // the border
    EXPECT_EQ(shot.Canvas()->Pixels(30, 10), clBlue);
    EXPECT_EQ(shot.Canvas()->Pixels(32, 10), clYellow);
    gauge->SetKind(gkNeedle);
    paint();                                                // a needle gauge paints too
    gauge->SetKind(gkPie);
    gauge->SetProgress(100);
    paint();
    EXPECT_EQ(shot.Canvas()->Pixels(51, 10), clBlue);
}
