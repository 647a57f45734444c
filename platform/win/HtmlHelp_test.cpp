#include "platform/win/HtmlHelp.h"
#include <gtest/gtest.h>
#include "platform/testing/TestSupport.h"

namespace {

TEST(HtmlHelp, TheViewerOpensACompiledHelpFileAndClosesWithTheProgram) {
    ASSERT_TRUE(ShowHtmlHelp(GetDesktopWindow(), testing_support::SourcePath("win\\testdata\\Help.chm")));
    HWND viewer = FindWindowW(L"HH Parent", nullptr);
    EXPECT_TRUE(viewer && IsWindowVisible(viewer));
    CloseAllHtmlHelp();
    EXPECT_FALSE(IsWindow(viewer));
}

TEST(HtmlHelp, FilesTheViewerCannotOpenShowNothing) {
    testing_support::TempFolder dir;
    dir.Write("Broken.chm", "not a compiled help file");
    EXPECT_FALSE(ShowHtmlHelp(GetDesktopWindow(), ""));
    EXPECT_FALSE(ShowHtmlHelp(GetDesktopWindow(), dir.File("HelpA.chm")));
    EXPECT_FALSE(ShowHtmlHelp(GetDesktopWindow(), dir.File("Broken.chm")));
    EXPECT_FALSE(FindWindowW(L"HH Parent", nullptr));
}

}  // namespace
