#include <gtest/gtest.h>
#include "platform/testing/TestSupport.h"
#include "platform/ui/Application.h"
#include "platform/ui/FileListBox.h"
#include "platform/ui/testing/ResourceCounts.h"

namespace {

struct FileListBoxFixture : ::testing::Test {
    TForm* Form = nullptr;
    TFileListBox* Box = nullptr;
    testing_support::TempFolder Folder;
    void SetUp() override {
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Box = new TFileListBox(Form);
        Box->SetParent(Form);
        for (const String& name : {String("b.txt"), String("a.txt"), String("c.dat"), "درس"_a + ".txt"})
            Folder.Write(name, "x");
        Folder.Write("sub\\inner.txt", "x");
        Box->SetMask("*.txt");
        Box->SetDirectory(Folder.Path());
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }
};

}  // namespace

TEST_F(FileListBoxFixture, ListsTheFilesOfTheFolderThatMatchTheMask) {
    EXPECT_EQ(Box->Items()->Text(), "a.txt\r\nb.txt\r\n" + "درس"_a + ".txt\r\n");
    Box->SetMask("*.dat; *.txt");
    EXPECT_EQ(Box->Items()->Count(), 4);
    Box->SetFileType(ftNormal | ftDirectory);
    EXPECT_EQ(Box->Items()->IndexOf("[sub]"), -1);    // folders match the mask too
    Box->SetMask("*.*");
    EXPECT_GE(Box->Items()->IndexOf("[sub]"), 0);
    EXPECT_GE(Box->Items()->IndexOf("[..]"), 0);
    Box->SetDirectory(Folder.File("missing"));
    EXPECT_EQ(Box->Items()->Count(), 0);
}

TEST_F(FileListBoxFixture, FileNameFollowsTheSelectionAndUpdateRereads) {
    EXPECT_EQ(Box->FileName(), "");
    Box->SetItemIndex(1);
    EXPECT_EQ(Box->FileName(), Folder.File("b.txt"));
    Box->SetFileName(Folder.File("sub\\inner.txt"));
    EXPECT_EQ(Box->Directory(), Folder.File("sub"));
    EXPECT_EQ(Box->FileName(), Folder.File("sub\\inner.txt"));

    Folder.Write("sub\\added.txt", "x");
    EXPECT_EQ(Box->Items()->Count(), 1);
    Box->Update();
    EXPECT_EQ(Box->Items()->Text(), "added.txt\r\ninner.txt\r\n");
    Box->RecreateWnd();
    EXPECT_EQ(Box->Items()->Count(), 2);
}

TEST_F(FileListBoxFixture, FreeingReleasesWindowsAndGdiObjects) {
    auto cycle = [&] {
        auto* box = new TFileListBox(Form);
        box->SetParent(Form);
        box->SetMask("*.txt");
        box->SetDirectory(Folder.Path());
        box->HandleNeeded();
        box->Free();
    };
    for (int i = 0; i < 20; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}
