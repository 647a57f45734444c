#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/ColorDialog.h"
#include "platform/ui/FontDialog.h"
#include "platform/ui/OpenDialog.h"
#include "platform/ui/testing/ShownForm.h"

using CommonDialogTest = ShownFormFixture;

namespace {
// Answers the dialog as soon as it shows, as a user pressing OK or Cancel.
void Answer(TCommonDialog* dialog, int button, int& shown) {
    dialog->OnShow = [dialog, button, &shown](TObject*) {
        ++shown;
        EXPECT_NE(dialog->Handle(), nullptr);
        PostMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
}
}  // namespace

TEST_F(CommonDialogTest, ColorAndFontComeBackAsOffered) {
    int shown = 0;
    auto* colors = new TColorDialog(Form);
    colors->SetColor(static_cast<TColor>(0x123456));
    colors->CustomColors[3] = clRed;
    Answer(colors, IDOK, shown);
    ASSERT_TRUE(colors->Execute());
    EXPECT_EQ(colors->Color(), static_cast<TColor>(0x123456));
    EXPECT_EQ(colors->CustomColors[3], clRed);
    Answer(colors, IDCANCEL, shown);
    colors->SetColor(clBlue);
    EXPECT_FALSE(colors->Execute());
    EXPECT_EQ(colors->Color(), clBlue);

    auto* fonts = new TFontDialog(Form);
    fonts->Font()->SetName("Tahoma");   // a face Wine ships
    fonts->Font()->SetHeight(-20);
    fonts->Font()->SetStyle(fsBold);
    fonts->Font()->SetColor(clRed);
    Answer(fonts, IDOK, shown);
    ASSERT_TRUE(fonts->Execute());
    EXPECT_EQ(fonts->Font()->Style() & fsBold, fsBold);
    EXPECT_EQ(fonts->Font()->Color(), clRed);
    EXPECT_EQ(shown, 3);
}

TEST_F(CommonDialogTest, FileDialogsOfferTheFolderNameAndDefaultExtension) {
    testing_support::TempFolder folder;
    folder.Write("lesson.txt", "x");
    auto* open = new TOpenDialog(Form);
    open->Filter = "Text files (*.txt)|*.txt|All files|*.*";
    open->FilterIndex = 2;
    open->DefaultExt = "txt";
    open->InitialDir = folder.Path();
    open->FileName = "lesson.txt";
    open->Options |= ofFileMustExist;
    int shown = 0;
    Answer(open, IDOK, shown);
    ASSERT_TRUE(open->Execute());
    EXPECT_EQ(AnsiLowerCase(open->FileName), AnsiLowerCase(folder.File("lesson.txt")));
    EXPECT_EQ(open->Files().size(), 1u);
    EXPECT_EQ(open->FilterIndex, 2);
    Answer(open, IDCANCEL, shown);
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(shown, 2);

    // a name without extension gets the default one
    auto* save = new TSaveDialog(Form);
    save->DefaultExt = "txt";
    save->InitialDir = folder.Path();
    save->FileName = "results";
    Answer(save, IDOK, shown);
    ASSERT_TRUE(save->Execute());
    EXPECT_EQ(AnsiLowerCase(save->FileName), AnsiLowerCase(folder.File("results.txt")));

    EXPECT_EQ(FilterToSystem("A|*.a|B|*.b"), WideString(L"A\0*.a\0B\0*.b\0\0", 13));
}
