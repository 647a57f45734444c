#include <gtest/gtest.h>
#include "platform/ui/Application.h"
#include "platform/win/KeyboardLayout.h"

namespace {

class TSystemEdit : public TWinControl {
public:
    using TWinControl::TWinControl;
protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, L"EDIT");
        params.Style |= WS_TABSTOP;
    }
};

String EditText(TWinControl* edit) {
    wchar_t text[64] = {};
    GetWindowTextW(edit->Handle(), text, 64);
    return FromWide(text);
}

// Both message loops, the application's and a modal form's, type the activated layout.
TEST(ApplicationKeyboard, TheMessageLoopsTypeTheActivatedLayout) {
    TApplication* saved = Application;
    Application = new TApplication(nullptr);
    TForm* form = nullptr;
    Application->CreateForm(form);
    form->SetBorderStyle(bsNone);
    form->SetBounds(-2000, -2000, 300, 100);
    auto* edit = new TSystemEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, 24);
    std::vector<String> pressed;
    edit->OnKeyPress = [&](TObject*, char& key) {
        pressed.push_back(String(1, key));
        if (form->Modal()) form->SetModalResult(mrOk);
    };
    BYTE state[256] = {};
    SetKeyboardState(state);
    ASSERT_TRUE(LoadAndActivateLayout(ArabicLayoutName));

    form->Show();
    PostMessageW(edit->Handle(), WM_KEYDOWN, 'A', 1);
    Application->ProcessMessages();
    EXPECT_EQ(EditText(edit), "ش"_a);

    form->Hide();
    Application->ModalHook = [&](TForm*) { PostMessageW(edit->Handle(), WM_KEYDOWN, 'H', 1); };
    EXPECT_EQ(form->ShowModal(), mrOk);   // the key's character ended the loop
    EXPECT_EQ(EditText(edit), "شا"_a);
    EXPECT_EQ(pressed, (std::vector<String>{"ش"_a, "ا"_a}));

    LoadAndActivateLayout(EnglishLayoutName);
    Application->Free();
    Application = saved;
}

}  // namespace
