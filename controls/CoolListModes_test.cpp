#include <set>
#include "controls/CoolListBox.h"
#include "controls/testing/CoolListFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Printers.h"

namespace {

std::vector<String> ItemsOf(TCoolListBox* box) {
    std::vector<String> items;
    for (int i = 0; i < box->Items()->Count(); ++i) items.push_back(box->Items()->Strings(i));
    return items;
}

struct CoolListModesTest : CoolListFixture {
    void TearDown() override {
        SetPrinterSource(nullptr);
        CoolListFixture::TearDown();
    }
    // The pixels of an item's picture place that are not the list's colour.
    int PicturePixels(int index, int from = 2, int to = 18) {
        auto item = DrawItemWith(index, 0);
        TRect r = Box->ItemRect(index);
        return r.Height() * (to - from) - Count(*item, Rect(from, r.Top, to, r.Bottom), RGBOf(Box->Color()));
    }
};

}  // namespace

// The light list holds the sixteen colours in their order; a click or the setter selects one,
// a colour that no item names selects nothing, and Ctrl+Enter adds the colour chosen.
TEST_F(CoolListModesTest, TheColourListSelectsByClickByValueAndByDialog) {
    Box->SetExtendedStyle(ctColorControl);
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                                                 "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"}));
    TColor seenByClick = 0;
    Box->OnClick = [&](TObject*) { seenByClick = Box->SelectedColor(); };
    Box->SetTopIndex(9);
    TRect red = Box->ItemRect(9);
    ClickItemAt(40, red.Top + 5);
    EXPECT_EQ(Box->ItemIndex(), 9);
    EXPECT_EQ(Box->SelectedColor(), clRed);
    EXPECT_EQ(seenByClick, clRed);

    Box->SetSelectedColor(clBlue);
    EXPECT_EQ(Box->ItemIndex(), 12);
    EXPECT_EQ(Box->SelectedColor(), clBlue);
    Box->SetSelectedColor(0x123456);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->SelectedColor(), -1);

    ChooseInColorDialog(0x123456);
    Key(VK_RETURN, true);
    ASSERT_EQ(Box->Items()->Count(), 17);
    EXPECT_EQ(Box->Items()->Strings(16), "$00123456");
    EXPECT_EQ(Box->ItemIndex(), 16);
    EXPECT_EQ(Box->SelectedColor(), 0x123456);
    Application->DialogHook = [](TCommonDialog*) { ADD_FAILURE() << "Enter alone opens no dialog"; };
    Key(VK_RETURN);

    // an item that names no colour: selectable, no colour, no sample
    Box->Items()->Add("Custom");
    Box->SetTopIndex(17);
    ClickItemAt(40, Box->ItemRect(17).Top + 5);
    EXPECT_EQ(Box->ItemIndex(), 17);
    EXPECT_EQ(Box->SelectedColor(), -1);
    EXPECT_EQ(PicturePixels(17, 2, 4), 0);   // its text starts where a sample would be
    EXPECT_GT(PicturePixels(16), 100);       // the "$00123456" sample

    Box->SetLightColorControl(false);
    std::vector<String> named;
    GetColorValues([&](const String& name) { named.push_back(name); });
    EXPECT_EQ(ItemsOf(Box), named);
    Box->SetSelectedColor(clRed);
    EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "clRed");
    Box->SetTrueType(true);                  // empties the list in any mode
    EXPECT_EQ(Box->Items()->Count(), 0);
}

// The sample: the colour in a black outline, kept visible when it equals the list's colour.
TEST_F(CoolListModesTest, ColourSamplesShowTheirColourInAnOutline) {
    Box->SetExtendedStyle(ctColorControl);
    Box->SetColor(clWhite);
    Box->SetTopIndex(9);
    auto item = DrawItemWith(9, 0);              // Red
    TRect r = Box->ItemRect(9);
    EXPECT_EQ(At(*item, 2 + 8, r.Top + 8), clRed);
    EXPECT_EQ(At(*item, 2, r.Top + 8), clBlack);
    EXPECT_EQ(At(*item, 2 + 8, r.Top + 2), clBlack);
    EXPECT_EQ(At(*item, 2 + 8, r.Top), clWhite);
    Box->SetColor(clRed);
    item = DrawItemWith(9, 0);
    EXPECT_EQ(At(*item, 2, r.Top + 8), clBlack);
    EXPECT_EQ(At(*item, 2 + 8, r.Top + 8), clRed);
}

// Fonts: the screen's list, its TrueType part, the mark of each, and the dialog.
TEST_F(CoolListModesTest, TheFontListFollowsTheScreenAndTheDialog) {
    Box->SetExtendedStyle(ctFontControl);
    EXPECT_EQ(ItemsOf(Box), Screen->Fonts());
    Box->SetTrueType(true);
    std::vector<String> trueType;
    for (const String& f : Screen->Fonts())
        if (IsTrueTypeFont(f)) trueType.push_back(f);
    EXPECT_EQ(ItemsOf(Box), trueType);

    int tahoma = Box->Items()->IndexOf("Tahoma");
    ASSERT_GE(tahoma, 0);
    Box->SetTopIndex(tahoma);
    auto item = DrawItemWith(tahoma, 0);
    EXPECT_EQ(At(*item, 2 + 1, Box->ItemRect(tahoma).Top + 1), clGray);   // the TrueType mark

    Box->SetItemIndex(tahoma);
    EXPECT_EQ(Box->SelectedFont()->Name(), "Tahoma");
    TFont wanted;
    wanted.SetName(Box->Items()->Strings(0));
    Box->SetSelectedFont(&wanted);
    EXPECT_EQ(Box->ItemIndex(), 0);

    int clicks = 0;
    Box->OnClick = [&](TObject*) { ++clicks; };
    Box->SetItemIndex(tahoma);
    CloseDialogsWith(IDOK);
    Key(VK_RETURN, true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Box->ItemIndex(), tahoma);
    CloseDialogsWith(IDCANCEL);
    Key(VK_RETURN, true);
    EXPECT_EQ(clicks, 1);
}

// Printers come from the printer list; a form's loading refills the printer list, not the
// colour list it stored.
TEST_F(CoolListModesTest, PrintersAndTheRefillAfterLoading) {
    SetPrinterSource([] { return std::vector<String>{"Laser", "Ink jet"}; });
    Box->SetExtendedStyle(ctPrinterControl);
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"Laser", "Ink jet"}));
    auto item = DrawItemWith(0, 0);
    EXPECT_EQ(At(*item, 2 + 4, Box->ItemRect(0).Top + 1), clBlack);   // the printer mark

    SetPrinterSource([] { return std::vector<String>{"Plotter"}; });
    Box->BeginLoading();
    Box->EndLoading();
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"Plotter"}));

    Box->SetExtendedStyle(ctColorControl);
    Box->Items()->Add("Custom");
    Box->BeginLoading();
    Box->EndLoading();
    EXPECT_EQ(Box->Items()->Count(), 17);
}

// A folder's entries: its folders (".." among them) before its files, by attribute; ".." in a
// name walks up a whole folder and keeps what follows, and going up from a root stays there.
TEST_F(CoolListModesTest, TheFolderListWalksFoldersAndFiltersByAttribute) {
    testing_support::TempFolder dir;
    CreateDir(dir.File("sub"));
    CreateDir(dir.File("sub\\deeper"));
    dir.Write("b.txt", "b");
    dir.Write("a.txt", "a");
    dir.Write(".h.txt", "h");
    SetFileAttributesW(ToWide(dir.File(".h.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    const String folder = dir.Path() + "\\";
    Box->SetExtendedStyle(ctFolderControl);
    Box->SetFolderName(dir.File("sub\\deeper\\..\\.."));
    EXPECT_EQ(Box->FolderName(), folder);
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"..", "sub", "a.txt", "b.txt"}));
    Box->SetFileType(ftDirectory);
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"..", "sub"}));
    // ".." has no icon, so its text starts where the icon would be
    EXPECT_EQ(PicturePixels(0, 2, 4), 0);
    EXPECT_GT(PicturePixels(0, 4, 12), 0);
    EXPECT_GT(PicturePixels(1), 20);
    EXPECT_EQ(PicturePixels(1, 18, 20), 0);
    Box->SetFileType(ftArchive | ftHidden);
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{".h.txt", "a.txt", "b.txt"}));
    SetFileAttributesW(ToWide(dir.File(".h.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
    Box->SetFolderName(dir.File("sub\\..\\sub"));
    EXPECT_EQ(Box->FolderName(), folder + "sub\\");
    EXPECT_TRUE(ItemsOf(Box).empty());
    Box->SetFolderName(dir.File("missing"));
    EXPECT_TRUE(ItemsOf(Box).empty());

    // the root: no "..", and its parent is itself, not the drive's current folder
    Box->SetFileType(ftDirectory | ftArchive);
    std::set<String> root;
    TSearchRec f;
    for (int r = FindFirst("C:\\*.*", faDirectory | faArchive, f); r == 0; r = FindNext(f))
        if ((f.Attr & (faDirectory | faArchive)) && f.Name != ".") root.insert(f.Name);
    FindClose(f);
    for (const char* name : {"C:\\", "C:\\..\\", "C:"}) {
        Box->SetFolderName(name);
        EXPECT_EQ(Box->FolderName(), "C:\\") << name;
        std::vector<String> items = ItemsOf(Box);
        EXPECT_EQ(std::set<String>(items.begin(), items.end()), root) << name;
    }
}

// A click that starts another fill while one lets messages through ends the first: the list
// holds the second folder only. A control freed meanwhile is not touched again.
TEST_F(CoolListModesTest, AFillInterruptedByAnotherOrByFreeingStopsCleanly) {
    testing_support::TempFolder many, few;
    for (int i = 0; i < 30; ++i) many.Write("m" + IntToStr(i) + ".txt", "m");
    few.Write("f.txt", "f");
    Box->SetExtendedStyle(ctFolderControl);
    Box->SetFileType(ftArchive);
    Box->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        Box->OnMouseDown = nullptr;
        Box->SetFolderName(few.Path());
    };
    PostMessageW(Box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(Box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Box->SetFolderName(many.Path());
    EXPECT_EQ(ItemsOf(Box), (std::vector<String>{"f.txt"}));
    EXPECT_EQ(Box->FolderName(), few.Path() + "\\");

    bool freed = false;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        Box->Free();
        freed = true;
    };
    PostMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    Box->SetFolderName(many.Path());
    EXPECT_TRUE(freed);
    Box = nullptr;
    EXPECT_EQ(GetWindow(Form->Handle(), GW_CHILD), nullptr);
}

// Check mode: a click in the check area toggles, one beside it only selects, Space toggles the
// selected item; states survive a new window; the items' own data survives entering and
// leaving check mode, whole pointers included.
TEST_F(CoolListModesTest, CheckBoxesToggleByClickAndSpaceAndKeepTheItemsData) {
    for (const char* s : {"a", "b", "c"}) Box->Items()->Add(s);
    auto* data = reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(0x123456789ABCull));
    Box->Items()->PutObject(1, data);
    Box->SetExtendedStyle(ctCheckControl);
    EXPECT_EQ(Box->Items()->Objects(1), data);
    EXPECT_FALSE(Box->Checked(1));
    Box->SetChecked(1, true);
    EXPECT_EQ(Box->Items()->Objects(1), data);

    ClickItemAt(5, Box->ItemRect(0).Top + 5);
    EXPECT_TRUE(Box->Checked(0));
    EXPECT_EQ(Box->ItemIndex(), 0);
    ClickItemAt(60, Box->ItemRect(2).Top + 5);
    EXPECT_FALSE(Box->Checked(2));
    EXPECT_EQ(Box->ItemIndex(), 2);
    Key(VK_SPACE);
    EXPECT_TRUE(Box->Checked(2));
    Key(VK_SPACE);
    EXPECT_FALSE(Box->Checked(2));

    Box->SetOptions(ocNoCaption | ocFlatBorder);     // a new window
    EXPECT_EQ((std::vector<bool>{Box->Checked(0), Box->Checked(1), Box->Checked(2)}),
              (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Box->Items()->Objects(1), data);
    Box->Items()->Delete(0);
    EXPECT_TRUE(Box->Checked(0));
    EXPECT_EQ(Box->Items()->Objects(0), data);
    try {
        Box->Checked(5);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Unable to obtain data");
    }

    Box->SetExtendedStyle(ctCoolControl);
    EXPECT_EQ(Box->Items()->Objects(0), data);
    EXPECT_FALSE(Box->Checked(0));
}

// The check box is 14 x 14 at (1, 1) of its picture whatever the item height, ticked when
// checked; with ExtendedCheck it stands before the mode's own picture.
TEST_F(CoolListModesTest, CheckBoxPicturesKeepTheirSizeAndStandBeforeTheModePicture) {
    Box->SetItemHeight(20);
    Box->SetColor(clYellow);
    Box->SetExtendedStyle(ctCheckControl);
    Box->Items()->Add("plain");
    Box->Items()->Add("ticked");
    Box->SetChecked(1, true);
    for (int i : {0, 1}) {
        auto item = DrawItemWith(i, 0);
        TRect r = Box->ItemRect(i);
        EXPECT_NE(At(*item, 2 + 1, r.Top + 1), clYellow) << i;        // the box's corner
        EXPECT_NE(At(*item, 2 + 14, r.Top + 14), clYellow) << i;
        EXPECT_EQ(At(*item, 2 + 15, r.Top + 15), clYellow) << i;      // olive around it is transparent
        EXPECT_EQ(At(*item, 2 + 0, r.Top + 0), clYellow) << i;
        int mark = Count(*item, Rect(2 + 3, r.Top + 3, 2 + 13, r.Top + 13), clBlack);
        if (i == 1) EXPECT_GT(mark, 5);
        else EXPECT_EQ(mark, 0);
    }

    Box->SetExtendedStyle(ctColorControl);
    Box->SetExtendedCheck(true);
    Box->SetChecked(9, true);
    Box->SetTopIndex(9);
    auto item = DrawItemWith(9, 0);      // Red: a check box, then the sample
    TRect r = Box->ItemRect(9);
    EXPECT_GT(Count(*item, Rect(2 + 3, r.Top + 3, 2 + 13, r.Top + 13), clBlack), 5);
    EXPECT_EQ(At(*item, 4 + 20 + 10, r.Top + 10), clRed);
}
