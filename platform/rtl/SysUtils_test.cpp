#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"

TEST(SysUtilsTest, RoundsHalfToEven) {
    struct { long double in; long long out; } cases[] = {
        {72.5L, 72}, {73.5L, 74}, {2.5L, 2}, {7.5L, 8}, {0.5L, 0}, {-2.5L, -2}, {-3.5L, -4},
        {72.49L, 72}, {72.51L, 73}, {1e12L + 0.5L, 1000000000000LL},
    };
    for (auto& c : cases) EXPECT_EQ(Round(c.in), c.out) << static_cast<double>(c.in);
}

TEST(SysUtilsTest, IntegerConversions) {
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("$FF"), 255);
    for (const char* bad : {"", "abc", "12a", "2147483648", "+", "1 2", "$"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("'") + bad + "' is not a valid integer value");
        }
        EXPECT_EQ(StrToIntDef(bad, -7), -7);
    }
    EXPECT_EQ(IntToStr(-15), "-15");
}

TEST(SysUtilsTest, SubstringsCountFromOne) {
    EXPECT_EQ(Pos("cd", "abcdcd"), 3);
    EXPECT_EQ(PosEx("cd", "abcdcd", 4), 5);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 3, 100), "c");
    EXPECT_EQ(Copy("abc", 4, 1), "");
    String s = "abef";
    Insert("cd", s, 3);
    EXPECT_EQ(s, "abcdef");
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 9, 1);
    EXPECT_EQ(s, "adef");
}

TEST(SysUtilsTest, TrimCaseAndReplace) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(UpperCase("abc\x9C"), "ABC\x9C");        // ASCII only
    EXPECT_EQ(AnsiUpperCase("abc\x9C"), "ABC\x8C");    // oe ligature has a capital in the code page
    EXPECT_EQ(AnsiUpperCase("سلام"_a), "سلام"_a);     // Arabic has no case
    EXPECT_TRUE(SameText("NoUserName", "noUSERname"));
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll), "aXb-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfIgnoreCase), "a-bxc");
}

TEST(SysUtilsTest, FormatsTheFormsInUse) {
    EXPECT_EQ(Format("Field '%s' not found", {"name"}), "Field 'name' not found");
    EXPECT_EQ(Format("%d of %d%%", {3, 10}), "3 of 10%");
    EXPECT_EQ(Format("[%5d][%-3s]", {42, "a"}), "[   42][a  ]");
    EXPECT_EQ(Format("%.2f", {1.005 + 1}), "2.00");
    EXPECT_THROW(Format("%d", {"text"}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
}

TEST(SysUtilsTest, FileNameParts) {
    EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFileDir("C:\\b.txt"), "C:\\");
    EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFileExt("C:\\a.d\\b"), "");
    EXPECT_EQ(ChangeFileExt("x\\page.htm", ".xml"), "x\\page.xml");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
}

// Plain files always come; folders and hidden files only when asked for.
TEST(SysUtilsTest, FolderSearchKeepsTheSpecialEntriesOutUnlessAsked) {
    testing_support::TempFolder folder;
    folder.Write("a.txt", "a");
    folder.Write("h.txt", "h");
    SetFileAttributesW(ToWide(folder.File("h.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDir(folder.File("d"));
    auto names = [&](int attr) {
        std::set<String> found;
        TSearchRec f;
        for (int r = FindFirst(folder.File("*.*"), attr, f); r == 0; r = FindNext(f)) found.insert(f.Name);
        FindClose(f);
        return found;
    };
    EXPECT_EQ(names(0), (std::set<String>{"a.txt"}));
    EXPECT_EQ(names(faDirectory), (std::set<String>{".", "..", "a.txt", "d"}));
    EXPECT_EQ(names(faHidden | faArchive), (std::set<String>{"a.txt", "h.txt"}));
    TSearchRec f;
    EXPECT_NE(FindFirst(folder.File("missing\\*.*"), faAnyFile, f), 0);
    FindClose(f);
    SetFileAttributesW(ToWide(folder.File("h.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SysUtilsTest, TickSeamDrivesTimeWithoutSleeping) {
    std::uint32_t now = 1000;
    rtl::SetTickSource([&] { return now; }, [&](std::uint32_t ms) { now += ms; });
    EXPECT_EQ(rtl::GetTickCount(), 1000u);
    rtl::Sleep(250);
    EXPECT_EQ(rtl::GetTickCount(), 1250u);
    rtl::SetTickSource({});
    EXPECT_NE(rtl::GetTickCount(), 1250u);
}

TEST(SysUtilsTest, ParamStrGivesTheProgramAndItsArguments) {
    String self = ParamStr(0);
    EXPECT_NE(self.find("_tests.exe"), String::npos) << self;
    EXPECT_NE(self.find(":\\"), String::npos) << self;   // the full path
    EXPECT_GE(ParamCount(), 0);
    EXPECT_EQ(ParamStr(ParamCount() + 1), "");
    EXPECT_EQ(ParamStr(-1), "");
}
