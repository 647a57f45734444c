#include <gtest/gtest.h>
#include "platform/win/KeyboardLayout.h"
#include "tutor/lessons/ClassKeyboard.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/testing/LessonFormFixture.h"

using namespace tutor_testing;

namespace {


// The key and the Shift each text is typed with, by the clips that draw them.
TEST(KeyMap, TheNextCharactersMarkTheirKeyAndTheShiftOfTheOtherHand) {
    struct Case { String upcoming; const char* key; const char* shift; };
    const Case arabic[] = {
        {"بت"_a, "70", ""},
        {"لا"_a, "66", ""},          // one key types both
        {"لب"_a, "71", ""},
        {"لأ"_a, "71", "161"},       // Shift+G, a left-hand key: the right Shift
        {"أ"_a, "72", "16"},         // Shift+H, a right-hand key: the left Shift
        {"\u064E"_a, "81", "161"},   // fatha, Shift+Q
        {"!", "49", "161"},
        {"؟"_a, "191", "16"},
        {"\\", "220", ""},
        {" ", "32", ""},
        {"x", "", ""},               // on no key of the layout, in no line of the list
        {"", "", ""},
    };
    TStringList shipped;
    shipped.LoadFromFile(testing_support::SourcePath("..\\data\\Akeys.txt"));
    TKeyMap map;
    map.Load(shipped, ArabicLayoutName);
    for (const Case& c : arabic) {
        SCOPED_TRACE(Cp1256ToUtf8(c.upcoming));
        const TKeyMark mark = map.MarkFor(c.upcoming);
        EXPECT_EQ(map.ClipOfTag(mark.Tag), c.key);
        EXPECT_EQ(mark.ShiftClip, c.shift);
    }
    // the named keys of the list have their clips; Ctrl and Alt none in the movie, but a name
    EXPECT_EQ(map.ClipOfTag(49), "9");
    EXPECT_EQ(map.ClipOfTag(52), TKeyMap::RightShiftClip);
    EXPECT_EQ(map.ClipOfTag(54), "8");
    EXPECT_EQ(map.ClipOfTag(57), "");

    // the list is searched without regard to case: "a" and "A" are one key, "A" with Shift
    TStringList latin;
    latin.SetText("A\r\nb\r\n");
    map.Load(latin, EnglishLayoutName);
    EXPECT_EQ(map.MarkFor("a"), (TKeyMark{1, ""}));
    EXPECT_EQ(map.MarkFor("A"), (TKeyMark{1, TKeyMap::RightShiftClip}));
    EXPECT_EQ(map.MarkFor("B"), (TKeyMark{2, TKeyMap::RightShiftClip}));
    EXPECT_EQ(map.ClipOfTag(1), "65");
}

struct KeyboardTest : LessonFormTest {
    void WritePractice(const String& text) { Dir.Write("Data\\ALess\\Qless1_1.txt", text + "\r\n"); }
    TShockwaveFlash* Keyboard() const { return ClassForm->KeyBoardFlash; }
    int Frame(const char* clip) const { return Keyboard()->NamedFrame(ToWide(clip)); }
    // The clips the learner sees marked as the keys to press next.
    std::set<String> Marked() const {
        std::set<String> out;
        for (const MovieClip& clip : Keyboard()->Player().File().clips)
            if (Keyboard()->NamedFrame(clip.name) == 2) out.insert(FromWide(clip.name));
        return out;
    }
    // The line of the key list whose button is down; empty for none.
    String DownKey() const {
        for (TSimpleGButton* b : ClassForm->KeyButtons)
            if (b->Down()) return b->Tag ? ClassForm->ListBox1->Items()->Strings(int(b->Tag) - 1) : String("b58");
        return String();
    }
    void KeyEvent(UINT message, WORD vk) { SendMessageW(ClassForm->ActiveRichView->Handle(), message, vk, 1); }
    void ReleaseTick() { SendMessageW(ClassForm->KeyUpTimer->Handle(), WM_TIMER, 1, 0); }
};

// In both interface languages the keyboard is the typing language's, in its room above the
// lesson movie; the layout is the typing language's; 57 key buttons under the movies.
TEST_F(KeyboardTest, TheKeyboardOfTheTypingLanguageIsSetUpAtEachLessonLoad) {
    for (const char* language : {"E", "A"}) {
        SCOPED_TRACE(language);
        Train(language, [&] {
            EXPECT_EQ(FromWide(Keyboard()->Movie()), AppDir + "\\Data\\interface\\KeyBoard.swf");
            EXPECT_EQ(Keyboard()->ScaleMode(), 2);
            EXPECT_EQ(ClassForm->ShockwaveFlash->ScaleMode(), 2);
            EXPECT_TRUE(IsWindowVisible(Keyboard()->Handle()));
            EXPECT_EQ(Keyboard()->Left(), String(language) == "A" ? 20 : 250);
            EXPECT_EQ(ActiveLayoutName(), ArabicLayoutName);
            EXPECT_EQ(ClassForm->ListBox1->Items()->Count(), 56);
            EXPECT_FALSE(ClassForm->ListBox1->Visible());
            // each key button lies over its key; b58 marks none
            TSimpleGButton* f = ClassForm->KeyButtons[29];
            EXPECT_EQ(ClassForm->ListBox1->Items()->Strings(29), "ب"_a);
            EXPECT_GT(f->Width(), 20);
            EXPECT_GE(f->Left(), Keyboard()->Left());
            EXPECT_LE(f->Left() + f->Width(), Keyboard()->Left() + Keyboard()->Width());
            EXPECT_GT(f->Top(), Keyboard()->Top() + Keyboard()->Height() / 3);
        });
    }
    std::vector<String> names;
    for (TSimpleGButton* b : ClassForm->KeyButtons) {
        EXPECT_EQ(b->GroupIndex(), 1);
        EXPECT_TRUE(b->AllowAllUp());
        EXPECT_EQ(b->NumGlyphs(), 2);
        EXPECT_EQ(b->Tag, b->Name() == "b58" ? 0 : StrToInt(b->Name().substr(1)));
        names.push_back(b->Name());
    }
    EXPECT_EQ(names.size(), 57u);
    EXPECT_EQ(names.front(), "B1");
    EXPECT_EQ(names[55], "b56");
    EXPECT_EQ(names.back(), "b58");
    EXPECT_TRUE(Messages.empty());
}

// Each key judged, right or wrong, moves the mark to the key of the next character; a shifted
// character marks the Shift of the other hand too, lam-alef one key; the end marks nothing.
TEST_F(KeyboardTest, TheNextKeyOfThePracticeIsMarkedAfterEachKey) {
    struct Step { char typed; const char* line; std::set<String> marked; };
    const char none = 0;
    const Step steps[] = {
        {none, "ب", {"70"}},
        {"ب"_a[0], "ت", {"74"}},
        {WrongKey, " ", {"32"}},
        {' ', "ا", {"72", "16"}},             // أ: Shift+H
        {"أ"_a[0], " ", {"32"}},
        {' ', "لا", {"66"}},                   // the lam-alef key
        {"ل"_a[0], "ا", {"72"}},
        {"ا"_a[0], "1", {"49", "161"}},       // !: Shift+1
        {'!', "", {}},
    };
    WritePractice("بت أ لا!"_a);
    Train("E", [&] {
        Send(L"StartHist");   // the second page: the previous-page button is down
        EXPECT_TRUE(ClassForm->PrevButton->Down());
        EXPECT_TRUE(Marked().empty());
        Send(L"Quiz1");
        for (const Step& s : steps) {
            SCOPED_TRACE(int(static_cast<unsigned char>(s.typed)));
            if (s.typed != none) Key(s.typed);
            EXPECT_EQ(DownKey(), String(s.line) == "" ? String() : Utf8ToCp1256(s.line));
            EXPECT_EQ(Marked(), s.marked);
        }
        EXPECT_FALSE(ClassForm->PrevButton->Down());   // one group with the keys
        EXPECT_EQ(Messages.size(), 1u);                 // the measures of the finished text

        // a page shows no marks; the next practice marks its first key again
        Send(L"Quiz1");
        EXPECT_EQ(Marked(), std::set<String>{"70"});
        // the keyboard gives the keys back to the surface
        Keyboard()->SetFocus();
        EXPECT_TRUE(ClassForm->ActiveRichView->Focused());
        Send(L"PrevHist");
        EXPECT_TRUE(Marked().empty());
        EXPECT_EQ(DownKey(), "");
    });
}

TEST_F(KeyboardTest, AKeyListLineBeyondTheFiftySixthHasNoButton) {
    String list;
    for (int i = 1; i <= 56; ++i) list += "k" + IntToStr(i) + "\r\n";
    Dir.Write("Data\\Akeys.txt", list + "ب\r\nت\r\n"_a);
    WritePractice("تب"_a);
    Train("E", [&] {
        Send(L"Quiz1");
        EXPECT_EQ(DownKey(), "");
        EXPECT_TRUE(Marked().empty());
        EXPECT_EQ(ClassForm->ListBox1->Items()->Count(), 58);
    });
}

// Key down shows the key down at once; key up lets it go 150 ms later from a timer, while the
// keys typed meanwhile are handled at once. Keys are found by their clip's name: Backspace (8)
// and Tab (9) never flash the digits 8 and 9. Leaving lets every key go at once.
TEST_F(KeyboardTest, KeysGoDownAtOnceAndUpAfterTheirMomentWithoutHoldingTheKeysBack) {
    WritePractice("ببت"_a);
    Train("E", [&] {
        Send(L"Quiz1");
        KeyEvent(WM_KEYDOWN, 'A');
        EXPECT_EQ(Frame("65"), 1);
        KeyEvent(WM_KEYUP, 'A');
        EXPECT_EQ(Frame("65"), 1);
        EXPECT_TRUE(ClassForm->KeyUpTimer->Enabled());
        Now += 100;
        KeyEvent(WM_KEYDOWN, 'F');
        Key("ب"_a[0]);
        EXPECT_EQ(Frame("70"), 1);                 // held, and the next key too
        EXPECT_EQ(ClassForm->Label1->Caption(), "1");
        ReleaseTick();
        EXPECT_EQ(Frame("65"), 1);
        Now += 50;
        ReleaseTick();
        EXPECT_EQ(Frame("65"), 0);
        EXPECT_EQ(Frame("70"), 1);                 // still held
        KeyEvent(WM_KEYUP, 'F');
        Now += 150;
        ReleaseTick();
        EXPECT_EQ(Frame("70"), 2);                 // up, still the next key
        EXPECT_FALSE(ClassForm->KeyUpTimer->Enabled());

        struct Named { WORD vk; const char* clip; const char* untouched; };
        for (const Named& k : {Named{VK_BACK, "8", "56"}, Named{VK_TAB, "9", "57"}, Named{VK_SHIFT, "16", "161"}}) {
            SCOPED_TRACE(k.clip);
            KeyEvent(WM_KEYDOWN, k.vk);
            EXPECT_EQ(Frame(k.clip), 1);
            KeyEvent(WM_KEYUP, k.vk);
            EXPECT_EQ(Frame(k.clip), 1);
            EXPECT_EQ(Frame(k.untouched), 0);
            Now += 150;
            ReleaseTick();
            EXPECT_EQ(Frame(k.clip), 0);
        }

        KeyEvent(WM_KEYDOWN, 'D');
        KeyEvent(WM_KEYDOWN, 'S');
        KeyEvent(WM_KEYUP, 'S');
        Send(L"Return");
        KeyEvent(WM_KEYUP, 'D');                   // released as the form is left: no wait
        EXPECT_EQ(Frame("68"), 0);
        EXPECT_EQ(Frame("83"), 1);
    });
    EXPECT_EQ(Frame("83"), 0);
    EXPECT_FALSE(ClassForm->KeyUpTimer->Enabled());
    EXPECT_TRUE(Marked().empty());
}

// A missing keyboard movie or key list is told in the interface language, for the file the
// lesson form actually reads; the lesson goes on without it.
TEST_F(KeyboardTest, AMissingKeyboardMovieOrKeyListIsToldAndTheLessonGoesOn) {
    struct Case { const char* language; const char* removed; const char* text; };
    const Case cases[] = {
        {"E", "Data\\interface\\KeyBoard.swf", "File Does not Exist "},
        {"A", "Data\\interface\\KeyBoard.swf", "الملف غير موجود "},
        {"E", "Data\\Akeys.txt", "File Does not Exist "},
        {"E", "", ""},   // the English interface reads no KeyBoardE.swf
    };
    const std::string movie = ReadBytes(Dir.File("Data\\interface\\KeyBoard.swf"));
    const std::string list = ReadBytes(Dir.File("Data\\Akeys.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.removed);
        Dir.Write("Data\\interface\\KeyBoard.swf", movie);
        Dir.Write("Data\\Akeys.txt", list);
        if (*c.removed) RemoveFile(Dir.File(c.removed));
        Messages.clear();
        WritePractice("بت"_a);
        Train(c.language, [&] {
            EXPECT_TRUE(Shows("P1-A"));
            Send(L"Quiz1");
            Key("ب"_a[0]);
            EXPECT_EQ(ClassForm->Label1->Caption(), "1");
        });
        std::vector<String> expected;
        if (*c.removed) {
            const String path = String(c.removed).substr(5);
            expected.push_back(Utf8ToCp1256(c.text) + AppDir + "\\" + (path == "Akeys.txt" ? "data\\" : "Data\\") + path);
        }
        EXPECT_EQ(Messages, expected);
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
