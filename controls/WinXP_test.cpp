#include "controls/WinXP.h"
#include <gtest/gtest.h>
#include <memory>
#include "platform/ui/Forms.h"
#include "platform/ui/Panel.h"

namespace {

TEST(WinXP, OnlyAFormMayOwnOne) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* panel = new TPanel(form.get());
    auto dataModule = std::make_unique<TComponent>(nullptr);
    for (TComponent* owner : {static_cast<TComponent*>(panel), dataModule.get(), static_cast<TComponent*>(nullptr)}) {
        int before = owner ? owner->ComponentCount() : 0;
        try {
            new TWinXP(owner);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Control parent must be a form!");
        }
        if (owner) EXPECT_EQ(owner->ComponentCount(), before);   // the half-made one is gone again
    }
}

TEST(WinXP, ASecondOneOnTheSameFormFailsAndTheFirstStays) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* first = new TWinXP(form.get());
    int before = form->ComponentCount();
    try {
        new TWinXP(form.get());
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Only one instance of TWinXP allowed on form");
    }
    EXPECT_EQ(form->ComponentCount(), before);
    EXPECT_EQ(form->Components(before - 1), first);
    // another form may have its own
    std::unique_ptr<TForm> other(new TForm(nullptr));
    EXPECT_NO_THROW(new TWinXP(other.get()));
}

}  // namespace
