#include <gtest/gtest.h>
#include <windows.h>
#include "platform/rtl/IniFiles.h"
#include "platform/testing/TestSupport.h"

using testing_support::TempFolder;

TEST(IniFileTest, ArabicValuesStayCodePage1256OnDisk) {
    TempFolder dir;
    TIniFile ini(dir.File("AResults.ini"));
    ini.WriteInteger("Results", "Count", 1);
    ini.WriteString("User1", "Name", "سالم الكاتب"_a);
    ini.WriteString("User1", "CChars", "\"0\"");
    EXPECT_EQ(dir.Read("AResults.ini"), "[Results]\r\nCount=1\r\n[User1]\r\nName=سالم الكاتب\r\nCChars=\"0\"\r\n"_a);
    TIniFile again(dir.File("AResults.ini"));
    EXPECT_EQ(again.ReadString("User1", "Name", ""), "سالم الكاتب"_a);
    EXPECT_EQ(again.ReadString("User1", "CChars", ""), "0") << "one pair of quotes is stripped";
    EXPECT_EQ(again.ReadInteger("Results", "Count", 0), 1);
}

TEST(IniFileTest, DefaultsForWhatIsMissingOrUnreadable) {
    TempFolder dir;
    TIniFile missing(dir.File("none.ini"));
    EXPECT_EQ(missing.ReadString("Options", "Language", "A"), "A");
    EXPECT_EQ(missing.ReadInteger("Options", "TextColor", 255), 255);
    EXPECT_TRUE(missing.ReadBool("Options", "SoundEffects", true));
    EXPECT_FALSE(missing.SectionExists("Options"));
    missing.EraseSection("Options");
    missing.DeleteKey("Options", "Language");
    EXPECT_FALSE(FileExists(dir.File("none.ini"))) << "removing from a missing file creates none";

    dir.Write("Topic.ini", "[Options]\r\nHex=0x1F\r\nDollar=$10\r\nWord=blue\r\nEmpty=\r\n"
                           "B1=1\r\nBMinus=-1\r\nB0=0\r\nBTrue=True\r\n");
    TIniFile ini(dir.File("Topic.ini"));
    struct { const char* key; int fallback; int value; } ints[] = {
        {"Hex", 7, 31}, {"Dollar", 7, 16}, {"Word", 7, 7}, {"Empty", 7, 7}, {"Absent", 7, 7},
    };
    for (auto& c : ints) EXPECT_EQ(ini.ReadInteger("Options", c.key, c.fallback), c.value) << c.key;
    struct { const char* key; bool fallback; bool value; } bools[] = {
        {"B1", false, true}, {"BMinus", false, true}, {"B0", true, false},
        {"BTrue", false, false}, {"BTrue", true, true}, {"Absent", true, true}, {"Absent", false, false},
    };
    for (auto& c : bools) EXPECT_EQ(ini.ReadBool("Options", c.key, c.fallback), c.value) << c.key << c.fallback;
    EXPECT_EQ(ini.ReadString("Options", "Empty", "x"), "") << "an empty value is a value";
    EXPECT_EQ(ini.ReadString("Other", "Word", "x"), "x");
}

TEST(IniFileTest, NamesWithoutRegardToCaseAndFirstMatchWins) {
    TempFolder dir;
    dir.Write("Topic.ini", "; settings\r\n[Options]\r\n  Language = E  \r\nSoundEffects=1\r\n\r\n"
                           "[Directories]\r\nCDDir=D:\\\r\n[options]\r\nlanguage=X\r\n");
    TIniFile ini(dir.File("Topic.ini"));
    EXPECT_EQ(ini.ReadString("OPTIONS", "language", ""), "E");
    EXPECT_EQ(ini.ReadString("directories", "cddir", ""), "D:\\");
    EXPECT_TRUE(ini.ValueExists("options", "SOUNDEFFECTS"));
    EXPECT_FALSE(ini.ValueExists("options", "Assistant"));

    ini.WriteString("options", "LANGUAGE", "A");         // the line keeps its spelling
    ini.WriteBool("Options", "HighlightText", false);    // a new key ends its section
    ini.WriteBool("Options", "Assistant", true);
    ini.WriteString("Agent", "Page", "زارك"_a);           // a new section goes last
    EXPECT_EQ(dir.Read("Topic.ini"),
              "; settings\r\n[Options]\r\nLanguage=A\r\nSoundEffects=1\r\nHighlightText=0\r\nAssistant=1\r\n\r\n"
              "[Directories]\r\nCDDir=D:\\\r\n[options]\r\nlanguage=X\r\n[Agent]\r\nPage=زارك\r\n"_a);
}

TEST(IniFileTest, SectionsListingAndRemoval) {
    TempFolder dir;
    dir.Write("a.ini", "[Results]\r\nCount=2\r\n[User1]\r\nName=a\r\nGoal=100\r\nname=dup\r\n[Empty]\r\n"
                       "[User2]\r\nName=b\r\n[user1]\r\nExtra=1\r\n");
    TIniFile ini(dir.File("a.ini"));
    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.Text(), "Results\r\nUser1\r\nEmpty\r\nUser2\r\n");
    ini.ReadSection("user1", list);
    EXPECT_EQ(list.Text(), "Name\r\nGoal\r\n");
    ini.ReadSectionValues("User1", list);
    EXPECT_EQ(list.Text(), "Name=a\r\nGoal=100\r\n");
    EXPECT_TRUE(ini.SectionExists("USER2"));
    EXPECT_FALSE(ini.SectionExists("Empty")) << "as the class library: a section without keys";

    ini.DeleteKey("User1", "name");
    EXPECT_EQ(ini.ReadString("User1", "Name", "gone"), "gone");
    ini.EraseSection("USER1");
    EXPECT_EQ(dir.Read("a.ini"), "[Results]\r\nCount=2\r\n[Empty]\r\n[User2]\r\nName=b\r\n");
    ini.UpdateFile();
    EXPECT_EQ(ini.ReadString("User2", "Name", ""), "b");
}

TEST(IniFileTest, FailedWritesRaiseAndLoseNothing) {
    TempFolder dir;
    TIniFile nowhere(dir.File("no folder\\x.ini"));
    EXPECT_THROW(nowhere.WriteString("S", "K", "V"), EIniFileException);

    dir.Write("x.ini", "[S]\r\nK=old\r\n");
    TIniFile ini(dir.File("x.ini"));
    {   // another program holds the file open without sharing
        HANDLE h = CreateFileW(ToWide(dir.File("x.ini")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        try {
            ini.WriteString("S", "K", "new");
            ADD_FAILURE() << "no error";
        } catch (const EIniFileException& e) {
            EXPECT_EQ(e.Message(), "Unable to write to " + dir.File("x.ini"));
        }
        EXPECT_EQ(ini.ReadString("S", "K", "unreadable"), "unreadable");
        CloseHandle(h);
    }
    EXPECT_EQ(dir.Read("x.ini"), "[S]\r\nK=old\r\n");

    ini.WriteString("S", "K", "line one\r\n[Injected]\r\nline two");
    EXPECT_EQ(dir.Read("x.ini"), "[S]\r\nK=line one  [Injected]  line two\r\n") << "a value stays on its line";
}

// The buffered form writes the same lines as the direct one, only all at once: until UpdateFile
// the file on the disk is the old one, and an update dropped half-way leaves it as it was.
TEST(IniFileTest, MemIniFileWritesEveryChangeInOneReplacement) {
    TempFolder dir;
    const std::string old = "; kept\r\n[Options]\r\nLanguage=E\r\n[Other]\r\nKey=1\r\n";
    dir.Write("direct.ini", old);
    dir.Write("held.ini", old);
    TIniFile direct(dir.File("direct.ini"));
    TMemIniFile held(dir.File("held.ini"));
    for (TCustomIniFile* ini : {static_cast<TCustomIniFile*>(&direct), static_cast<TCustomIniFile*>(&held)}) {
        ini->WriteString("options", "LANGUAGE", "A");
        ini->WriteInteger("Options", "TextColor", 255);
        ini->WriteBool("Options", "Assistant", false);
        ini->WriteString("User1", "Name", "سالم"_a);
        ini->DeleteKey("Other", "Key");
        ini->EraseSection("Missing");
    }
    EXPECT_EQ(held.ReadString("Options", "Language", ""), "A") << "reads see the changes held";
    EXPECT_EQ(held.ReadInteger("Options", "TextColor", 0), 255);
    EXPECT_FALSE(held.ValueExists("Other", "Key"));
    EXPECT_EQ(dir.Read("held.ini"), old);
    held.UpdateFile();
    EXPECT_EQ(dir.Read("held.ini"), dir.Read("direct.ini"));

    {   // an update that raises before its end writes nothing
        TMemIniFile update(dir.File("direct.ini"));
        update.WriteString("Options", "Language", "E");
        update.WriteString("Options", "TextColor", "0");
    }
    EXPECT_EQ(dir.Read("direct.ini"), dir.Read("held.ini"));

    TMemIniFile unchanged(dir.File("none.ini"));
    EXPECT_EQ(unchanged.ReadString("S", "K", "d"), "d");
    unchanged.UpdateFile();
    EXPECT_FALSE(FileExists(dir.File("none.ini"))) << "nothing changed, nothing written";
}

TEST(IniFileTest, MemIniFileNeverWritesOverAFileItCouldNotRead) {
    TempFolder dir;
    dir.Write("x.ini", "[S]\r\nK=old\r\n");
    HANDLE h = CreateFileW(ToWide(dir.File("x.ini")).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    TMemIniFile ini(dir.File("x.ini"));
    CloseHandle(h);
    EXPECT_EQ(ini.ReadString("S", "K", "unreadable"), "unreadable");
    ini.WriteString("S", "K", "new");
    EXPECT_THROW(ini.UpdateFile(), EIniFileException);
    EXPECT_EQ(dir.Read("x.ini"), "[S]\r\nK=old\r\n");

    TMemIniFile nowhere(dir.File("no folder\\x.ini"));
    nowhere.WriteString("S", "K", "V");
    EXPECT_THROW(nowhere.UpdateFile(), EIniFileException);
}
