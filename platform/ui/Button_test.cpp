#include "platform/ui/Button.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/testing/ShownForm.h"

using ButtonTest = ShownFormFixture;

TEST_F(ButtonTest, ClickOfAButtonWithModalResultEndsTheModalFormWithIt) {
    TForm* dialog = NewDialog();
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    auto* plain = new TButton(dialog);
    plain->SetParent(dialog);
    plain->SetTop(40);
    int plainClicks = 0, okClicks = 0;
    plain->OnClick = [&](TObject*) { ++plainClicks; };
    ok->OnClick = [&](TObject*) { ++okClicks; };
    Application->ModalHook = [&](TForm* f) {
        // a button without a result leaves the loop running
        SendMessageW(plain->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(f->ModalResult(), mrNone);
        SendMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(dialog->Visible());
    dialog->Free();
}

TEST_F(ButtonTest, CheckBoxFollowsTheSystemClickAndCodeAlike) {
    auto* box = new TCheckBox(Form);
    box->SetParent(Form);
    box->SetCaption("Sound");
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);                 // before the window exists
    EXPECT_EQ(clicks, 1);
    HWND h = box->Handle();
    EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(h, BM_CLICK, 0, 0);       // as the user clicks it
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, 2);
    box->SetChecked(false);                // no change, no click
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    SendMessageW(h, BM_CLICK, 0, 0);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    box->RecreateWnd();                    // the state outlives the window
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}
