#include <functional>
#include "platform/ui/BitBtn.h"
#include "platform/ui/Button.h"
#include "platform/ui/Image.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Gauge.h"
#include "platform/ui/Label.h"
#include "platform/ui/MediaPlayer.h"
#include "platform/ui/Memo.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Notebook.h"
#include "platform/ui/Panel.h"
#include "platform/ui/SpeedButton.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/ui/testing/ShownForm.h"

using StdControlsLeakTest = ShownFormFixture;

// Every control made, shown, painted and freed again and again leaves no window and no GDI object.
// Wine reports no GDI or USER counts (0), so the layer's own handle count and the windows decide there.
TEST_F(StdControlsLeakTest, ControlsReleaseTheirWindowsAndGdiObjects) {
    struct Case { const char* name; std::function<TControl*(TComponent*)> make; };
    TBitmap glyph;
    glyph.SetSize(32, 16);
    std::vector<Case> cases = {
        {"button", [](TComponent* o) { auto* c = new TButton(o); c->SetCaption("OK"); return c; }},
        {"check box", [](TComponent* o) { auto* c = new TCheckBox(o); c->SetChecked(true); return c; }},
        {"label", [](TComponent* o) { auto* c = new TLabel(o); c->SetCaption("نص"_a); c->Font()->SetStyle(fsBold); return c; }},
        {"panel", [](TComponent* o) { auto* c = new TPanel(o); c->SetCaption("p"); c->SetBevelInner(bvLowered); return c; }},
        {"speed button", [&](TComponent* o) { auto* c = new TSpeedButton(o); c->SetGlyph(&glyph); c->SetNumGlyphs(2); c->SetCaption("s"); return c; }},
        {"edit", [](TComponent* o) { auto* c = new TEdit(o); c->SetText("e"); return c; }},
        {"memo", [](TComponent* o) { auto* c = new TMemo(o); c->Lines()->Add("m"); c->SetScrollBars(ssBoth); return c; }},
        {"gauge", [](TComponent* o) { auto* c = new TGauge(o); c->SetKind(gkNeedle); c->SetProgress(40); return c; }},
        {"image", [&](TComponent* o) { auto* c = new TImage(o); c->Picture()->SetGraphic(&glyph); c->SetStretch(true); c->SetTransparent(true); return c; }},
        {"bit button", [&](TComponent* o) { auto* c = new TBitBtn(o); c->SetGlyph(&glyph); c->SetKind(bkCancel); return c; }},
        {"media player", [](TComponent* o) { return new TMediaPlayer(o); }},
        {"notebook", [](TComponent* o) { auto* c = new TNotebook(o); c->Pages()->Add("two"); c->SetPageIndex(1); return c; }},
    };
    auto cycle = [&](const Case& c) {
        TControl* control = c.make(Form);
        control->SetParent(Form);
        control->SetBounds(10, 10, 80, 40);
        Form->Repaint();
        control->Free();
    };
    for (const Case& c : cases) {
        cycle(c);                 // first use fills caches (classes, stock objects)
        ResourceCounts before = ResourceCounts::Take();
        for (int i = 0, n = LeakCycles(); i < n; ++i) cycle(c);
        ResourceCounts after = ResourceCounts::Take();
        EXPECT_EQ(after.LayerGdi, before.LayerGdi) << c.name;
        EXPECT_LE(after.Gdi, before.Gdi + 2) << c.name;
        EXPECT_LE(after.User, before.User + 2) << c.name;
        EXPECT_EQ(after.Windows, before.Windows) << c.name;
        EXPECT_EQ(GetWindow(Form->Handle(), GW_CHILD), nullptr) << c.name;
    }

    // menus: their command ids and system menus
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) {
        auto* menu = new TPopupMenu(nullptr);
        auto* item = new TMenuItem(menu);
        menu->Items()->Add(item);
        auto* sub = new TMenuItem(nullptr);
        item->Add(sub);
        item->Add(new TMenuItem(nullptr));
        DestroyMenu(menu->Items()->BuildMenu(true));
        menu->Free();
    }
    ResourceCounts after = ResourceCounts::Take();
    EXPECT_LE(after.User, before.User + 2);
    EXPECT_EQ(after.Windows, before.Windows);
}
