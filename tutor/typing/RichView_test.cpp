#include <gtest/gtest.h>
#include "platform/rtl/SysUtils.h"
#include "platform/testing/TestSupport.h"
#include "platform/ui/Application.h"
#include "platform/ui/testing/ClientPixels.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/typing/RichView.h"
#include "tutor/typing/TypingText.h"

namespace {

struct RichViewFixture : ::testing::Test {
    TForm* Form = nullptr;
    TRichView* View = nullptr;
    testing_support::TempFolder Folder;
    int Starts = 0, Finishes = 0, Judged = 0;

    void SetUp() override {
        ResetProgramValues();
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(20, 20, 640, 480);
        View = new TRichView(Form);
        View->SetParent(Form);
        View->SetBounds(10, 10, 600, 440);
        ApplySurfaceLook(View, false);
        View->OnStartTyping = [this](TObject*) { ++Starts; };
        View->OnFinishTyping = [this](TObject*, int&, int&, int&, int&) { ++Finishes; };
        View->OnKeyTruePress = [this](TObject*, char&, bool) { ++Judged; };
    }
    void TearDown() override { Form->Free(); Application->ProcessMessages(); }

    void Load(const std::string& bytes) {
        Folder.Write("text.txt", bytes);
        View->LoadTextFile(Folder.File("text.txt"));
    }
    // One WM_CHAR as the system sends it: UTF-16 in, the layer hands the surface the 1256 byte.
    void Key(char byte) {
        WideString w = byte >= 0 && byte < 32 ? WideString(1, static_cast<wchar_t>(byte)) : ToWide(String(1, byte));
        SendMessageW(View->Handle(), WM_CHAR, w[0], 0);
    }
    void Type(const String& keys) { for (char c : keys) Key(c); }
    String Line(int index) {
        int start = View->LineIndex(index);
        if (start < 0) return "<none>";
        return FromWide(std::wstring_view(View->WindowText(false)).substr(start, View->LineLength(start)));
    }
    TColor ColorAt(int position) {
        int keep = View->SelStart();
        View->SetSelStart(position);
        View->SetSelLength(1);
        TColor c = View->SelAttributes()->Color();
        View->SetSelStart(keep);
        return c;
    }
    int TypingStart(int pair) { return View->LineStart[pair] + static_cast<int>(Line(2 * pair).size()) + 2; }
};

}  // namespace

TEST_F(RichViewFixture, LoadsLinePairsWithLineStartsTwoNPlusFourApart) {
    Load("abc\r\nhello\r\nz\r\n");
    EXPECT_EQ(View->SourceLength, 9);
    EXPECT_EQ(View->Linecount, 3);
    EXPECT_EQ(View->Lines()->Count(), 6);
    EXPECT_EQ(Line(0), "abc");
    EXPECT_EQ(Line(1), " ");                 // the placeholder of the first typing line
    EXPECT_EQ(Line(2), "hello");
    EXPECT_EQ(View->LineStart[0], 0);
    EXPECT_EQ(View->LineStart[1], 10);       // 2 x 3 + 4
    EXPECT_EQ(View->LineStart[2], 24);       // + 2 x 5 + 4
    EXPECT_EQ(View->SelStart(), 5);          // the first typing line, its placeholder selected
    EXPECT_EQ(View->SelLength(), 1);
    EXPECT_TRUE(View->StartPending);
    EXPECT_EQ(View->LinesTextLength(), 9 + 3);
    EXPECT_EQ(View->CountTextLines(), 6);
    // the table holds once each typing line is as long as its source line
    Type("abcxxxxxz");
    EXPECT_EQ(View->LineIndex(2), 10);
    EXPECT_EQ(View->LineIndex(4), 24);
    EXPECT_EQ(Line(3), "xxxxx");
}

TEST_F(RichViewFixture, WrongKeyStaysInMistakeColourAndTheNextKeyTakesTheNextColumn) {
    Load("abc\r\nde\r\n");
    Type("xb");
    EXPECT_EQ(Line(1), "xb");
    EXPECT_EQ(ColorAt(5), View->MistakeColor());
    EXPECT_EQ(ColorAt(6), View->CorrectColor());
    EXPECT_EQ(View->WCount, 1);
    EXPECT_EQ(View->CCount, 1);
    EXPECT_EQ(View->CharWrong['x'], 1);
    EXPECT_EQ(View->CharCorrect['b'], 1);
    EXPECT_EQ(View->SelStart(), 7);          // right after the typed character
    EXPECT_EQ(View->CurLine, 0);
}

TEST_F(RichViewFixture, NKeysCompleteALineAndTheCaretMovesOnWhileEnterIsSwallowed) {
    Load("abc\r\nde\r\n");
    Type("abc");
    EXPECT_EQ(View->CurLine, 1);
    EXPECT_EQ(Line(3), "");                  // the next typing line gave up its placeholder
    EXPECT_EQ(View->SelStart(), TypingStart(1));

    // Enter through the message loop, which makes its character: the key-down drops that
    PostMessageW(View->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    Application->ProcessMessages();
    EXPECT_EQ(Line(3), "");
    EXPECT_EQ(View->LineCount(), 4);
    EXPECT_EQ(View->CCount, 3);

    // arrow and editing keys do nothing either
    for (WORD vk : {VK_LEFT, VK_HOME, VK_UP, VK_DELETE, VK_BACK}) SendMessageW(View->Handle(), WM_KEYDOWN, vk, 1);
    EXPECT_EQ(View->SelStart(), TypingStart(1));
    PostMessageW(View->Handle(), WM_KEYDOWN, 'D', 1);   // the same path makes a letter's character
    Application->ProcessMessages();
    Key('e');
    EXPECT_EQ(Line(3), "de");
    EXPECT_EQ(Line(1), "abc");
}

TEST_F(RichViewFixture, FirstKeyStartsOnceAndLastKeyFinishesOnceThenNothingMore) {
    Load("ab\r\nc\r\n");
    int finishedCount = -1, finishedLines = -1;
    View->OnFinishTyping = [&](TObject*, int& charCount, int& wCount, int& cCount, int& lines) {
        ++Finishes;
        finishedCount = charCount;
        finishedLines = lines;
        EXPECT_EQ(wCount + cCount, 3);
        cCount = 99;                             // the surface's own field, by reference
    };
    Key('a');
    EXPECT_EQ(Starts, 1);
    EXPECT_FALSE(View->StartPending);
    Type("bc");
    EXPECT_EQ(Starts, 1);
    EXPECT_EQ(Finishes, 1);
    EXPECT_EQ(finishedCount, 3);
    EXPECT_EQ(View->CharCount, View->SourceLength);
    EXPECT_EQ(finishedLines, 2);
    EXPECT_EQ(View->CCount, 99);
    EXPECT_EQ(View->LinesTextLength(), 2 * View->SourceLength);

    int judged = Judged;
    Type("xyz");
    EXPECT_EQ(Finishes, 1);
    EXPECT_EQ(Judged, judged);
    EXPECT_EQ(Line(3), "c");
    EXPECT_EQ(View->LinesTextLength(), 2 * View->SourceLength);
}

TEST_F(RichViewFixture, PerCharacterCountsSkipLineEndsAndAddUpOverTexts) {
    Load("ab\r\ncd\r\n");
    Type("aXcd");                 // b's line ends with a wrong X: counted in WCount only
    EXPECT_EQ(View->CCount, 3);
    EXPECT_EQ(View->WCount, 1);
    EXPECT_EQ(View->CharCorrect['a'], 1);
    EXPECT_EQ(View->CharWrong['X'], 0);
    EXPECT_EQ(View->CharCorrect['c'], 1);
    EXPECT_EQ(View->CharCorrect['d'], 0);   // the key that completes the text

    Load("aab\r\n");
    EXPECT_EQ(View->CCount, 0);
    EXPECT_EQ(View->WCount, 0);
    EXPECT_EQ(View->CurLine, 0);
    Type("aZb");
    EXPECT_EQ(View->CharCorrect['a'], 2);
    EXPECT_EQ(View->CharWrong['Z'], 1);
    EXPECT_EQ(View->CCount, 2);
    EXPECT_EQ(View->WCount, 1);
}

// What the host shows as the next key: seen from the judging of each key, wrong keys too, the
// caret crossing to the next line by itself.
TEST_F(RichViewFixture, UpcomingCharsRunAcrossLineEndsToTheEndOfTheText) {
    Load("abc\r\nde\r\n");
    EXPECT_EQ(View->UpcomingChars(2), "ab");
    std::vector<String> seen;
    View->OnKeyTruePress = [&](TObject*, char&, bool) { seen.push_back(View->UpcomingChars(2)); };
    Type("axcde");
    EXPECT_EQ(seen, (std::vector<String>{"bc", "cd", "de", "e", ""}));
    EXPECT_EQ(View->UpcomingChars(5), "");
    Load("abc\r\n\r\nde\r\n");
    EXPECT_EQ(View->UpcomingChars(9), "abcde");
    EXPECT_EQ(View->UpcomingChars(0), "");
}

TEST_F(RichViewFixture, KeyTruePressSeesTheKeyBeforeCountingAndMayReplaceIt) {
    Load("abc\r\n");
    std::vector<std::pair<char, bool>> seen;
    View->OnKeyTruePress = [&](TObject*, char& chr, bool correct) {
        seen.emplace_back(chr, correct);
        EXPECT_EQ(View->CCount + View->WCount, static_cast<int>(seen.size()) - 1);
        if (chr == 'q') chr = 'Q';
    };
    Type("aq");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair('a', true));
    EXPECT_EQ(seen[1], std::make_pair('q', false));
    EXPECT_EQ(View->CharWrong['Q'], 1);
    EXPECT_EQ(View->CharWrong['q'], 0);
}

TEST_F(RichViewFixture, HighlightPaintsTheTypedSourceCharacterWhiteOnlyWhenOn) {
    Load("abc\r\nde\r\n");
    TColor plain = ColorAt(0);
    View->SetHilightTypedChars(true);
    Type("aX");
    EXPECT_EQ(ColorAt(0), clWhite);
    EXPECT_EQ(ColorAt(1), clWhite);           // right or wrong
    EXPECT_EQ(ColorAt(2), plain);
    Key('c');                                  // the key that completes the line paints nothing
    EXPECT_EQ(ColorAt(2), plain);

    Load("abc\r\nde\r\n");
    View->SetHilightTypedChars(false);
    plain = ColorAt(0);
    Type("ab");
    EXPECT_EQ(ColorAt(0), plain);
    EXPECT_EQ(ColorAt(1), plain);
}

TEST_F(RichViewFixture, KeysArrivingWhileAKeyIsHandledAreDropped) {
    Load("abcd\r\n");
    View->OnKeyTruePress = [&](TObject*, char& chr, bool) {
        if (chr == 'a') Key('b');             // as a handler letting pending messages run
    };
    Key('a');
    EXPECT_EQ(Line(1), "a");
    EXPECT_FALSE(View->Busy);
    Type("bcd");
    EXPECT_EQ(View->CCount, 4);
    EXPECT_EQ(View->WCount, 0);
}

TEST_F(RichViewFixture, ControlCharactersAreWrongAndTakeExactlyOneColumn) {
    Load("abcde\r\nf\r\n");
    for (char c : {'\b', '\t', '\x1B', '\x01'}) Key(c);
    String marks(4, TRichView::ControlCharMark);
    EXPECT_EQ(Line(1), marks);
    EXPECT_EQ(Line(0), "abcde");
    EXPECT_EQ(View->WCount, 4);
    EXPECT_EQ(View->CharWrong[8], 1);
    EXPECT_EQ(View->CharWrong[27], 1);
    Key('e');
    EXPECT_EQ(View->CurLine, 1);
    EXPECT_EQ(View->SelStart(), TypingStart(1));
    EXPECT_EQ(View->LineIndex(2), View->LineStart[1]);
}

TEST_F(RichViewFixture, ReadOnlyCancelledAndClickedKeysLeaveTheTextAlone) {
    Load("abc\r\n");
    Key('a');
    View->SetReadOnly(true);
    Key('b');
    EXPECT_EQ(Line(1), "a");
    View->SetReadOnly(false);

    View->OnKeyPress = [](TObject*, char& key) { if (key == 'z') key = 0; };
    Key('z');
    EXPECT_EQ(Line(1), "a");
    EXPECT_EQ(View->CCount + View->WCount, 1);

    int caret = View->SelStart();
    SendMessageW(View->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(View->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(View->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(View->SelStart(), caret);
    EXPECT_EQ(View->SelLength(), 0);
    Type("bc");
    EXPECT_EQ(View->CCount, 3);
}

TEST_F(RichViewFixture, LongTextsAreCutTo120PairsAndBlankLinesLeftOut) {
    std::string text = "first\r\n\r\n   \r\n";
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    Load(text);
    EXPECT_EQ(View->Linecount, TRichView::MaxLinePairs);
    EXPECT_EQ(View->Lines()->Count(), 2 * TRichView::MaxLinePairs);
    EXPECT_EQ(Line(2), "line 0");
    EXPECT_EQ(Line(238), "line 118");
    EXPECT_EQ(View->LineStart[120], View->LineStart[119] + 2 * (static_cast<int>(Line(238).size()) + 2));

    Load("\r\n\r\n");                          // nothing to type: every key is dropped
    Key('a');
    EXPECT_EQ(Starts, 0);
    EXPECT_EQ(View->SourceLength, 0);

    EXPECT_THROW(View->LoadTextFile(Folder.File("missing.txt")), EFOpenError);
}

TEST_F(RichViewFixture, APairAboutToLeaveTheViewComesToItsTopAndTheCaretStaysInSight) {
    Form->Show();
    std::string text;
    for (int i = 0; i < 40; ++i) text += "ab" + std::to_string(i % 10) + "\r\n";
    Load(text);
    auto firstVisible = [&] { return static_cast<int>(SendMessageW(View->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); };
    auto inSight = [&](int position) {
        POINTL p{};
        SendMessageW(View->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), position);
        RECT r{};
        SendMessageW(View->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
        return p.y >= r.top && p.y < r.bottom;
    };
    int scrolls = 0, lastFirst = 0;
    for (int pair = 0; pair < 39; ++pair) {
        Type(Line(2 * pair));
        ASSERT_EQ(View->CurLine, pair + 1);
        EXPECT_TRUE(inSight(View->SelStart())) << pair;
        if (firstVisible() != lastFirst) {
            ++scrolls;
            lastFirst = firstVisible();
            // the pair being typed is the top one, unless the view reached the end of the text
            if (!inSight(View->LineIndex(View->LineCount() - 1))) EXPECT_EQ(lastFirst, 2 * View->CurLine) << pair;
        }
    }
    EXPECT_GE(scrolls, 2);
    EXPECT_LE(scrolls, 6);   // a page at a time, not two lines at every line
}

TEST_F(RichViewFixture, ArabicIsJudgedPerByteOnARightToLeftSurface) {
    ApplySurfaceLook(View, true);
    String word = "سلام عليكم"_a;
    Load(word + "\r\n");
    EXPECT_TRUE(View->Paragraph()->RightToLeft());
    EXPECT_EQ(View->Font()->Name(), "Simplified Arabic Fixed");
    EXPECT_EQ(View->SourceLength, static_cast<int>(word.size()));
    Type("سلا"_a);
    Type("ب"_a);                               // beh in place of meem
    EXPECT_EQ(Line(1), "سلاب"_a);
    EXPECT_EQ(View->CCount, 3);
    EXPECT_EQ(View->WCount, 1);
    EXPECT_EQ(View->CharCorrect[static_cast<unsigned char>("ل"_a[0])], 1);
    EXPECT_EQ(View->CharWrong[static_cast<unsigned char>("ب"_a[0])], 1);
    EXPECT_EQ(ColorAt(TypingStart(0) + 3), View->MistakeColor());
    Type(" عليكم"_a);
    EXPECT_EQ(Finishes, 1);
}

// Stacked vowel marks rise above the line the font gives a letter; each line of a text with marks
// keeps room for them inside its own rows, so that they show at the surface's top edge and stay
// when the line above them is painted again (at every key typed on it).
TEST_F(RichViewFixture, VowelMarksShowAboveTheirLettersEvenWhenTheLineAboveRepaints) {
    ApplySurfaceLook(View, true);
    Form->Show();
    const String line = "كُلٌّ جِدًّا"_a;    // shadda and a vowel over a lam, the tallest stack
    Load(line + "\r\n" + line + "\r\n");
    const int room = View->Paragraph()->SpaceBefore();
    auto top = [&](int position) {
        POINTL at{};
        SendMessageW(View->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
        return static_cast<int>(at.y);
    };
    // ink in the rows between the line's letters and the room's top, as painted now
    auto inkAbove = [&](int position) {
        Application->ProcessMessages();
        UpdateWindow(View->Handle());
        const TClientPixels shot = TClientPixels::Of(View->Handle());
        for (int y = std::max(0, top(position) - room); y < top(position); ++y)
            if (shot.RowHasInk(y, ColorToRGB(View->Color()), 0, shot.Width)) return true;
        return false;
    };
    EXPECT_GT(room, 0);
    EXPECT_TRUE(inkAbove(View->LineStart[0]));       // under the surface's top edge
    Type(line);                                       // each key paints typing line 0 again
    EXPECT_TRUE(inkAbove(View->LineStart[1]));
    EXPECT_TRUE(inkAbove(TypingStart(0)));            // the typed marks too
    EXPECT_EQ(View->WCount, 0);

    Load("abc\r\n");                                 // a text without marks keeps the font's lines
    EXPECT_EQ(View->Paragraph()->SpaceBefore(), 0);
    EXPECT_EQ(View->Paragraph()->SpaceAfter(), 0);
}

// Wine's shaping faults on a mark that starts a run of one colour, as each key's colouring makes
// them; the surface types marked text all the same, right or wrong, a mark first on a line too.
TEST_F(RichViewFixture, MarkedArabicIsTypedJudgedAndColouredLikeAnyText) {
    ApplySurfaceLook(View, true);
    Form->Show();
    Load("بَلْ لاً\r\nكتب\r\n"_a);
    Type("بَلْ لا"_a);
    Type("ٌ"_a);                               // a wrong mark on the lam-alef
    Application->ProcessMessages();
    EXPECT_EQ(Line(1), "بَلْ لاٌ"_a);
    EXPECT_EQ(View->CCount, 7);
    EXPECT_EQ(View->WCount, 1);
    EXPECT_EQ(View->CharCorrect[static_cast<unsigned char>("ْ"_a[0])], 1);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ColorAt(TypingStart(0) + i), View->CorrectColor()) << i;
    EXPECT_EQ(ColorAt(TypingStart(0) + 7), View->MistakeColor());
    // a typed letter turns white with its marks
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ColorAt(i), clWhite) << i;

    Type("ُتب"_a);                             // a wrong mark as the line's first key
    Application->ProcessMessages();
    EXPECT_EQ(Line(3), "ُتب"_a);
    EXPECT_EQ(View->WCount, 2);
    EXPECT_EQ(View->CCount, 9);
    EXPECT_EQ(View->CharWrong[static_cast<unsigned char>("ُ"_a[0])], 1);
    EXPECT_EQ(Finishes, 1);
}

TEST_F(RichViewFixture, SurfaceLooksFollowTheLanguage) {
    struct Case { bool arabic; const char* font; bool rtl; };
    for (Case c : {Case{false, "Courier New", false}, Case{true, "Simplified Arabic Fixed", true}}) {
        ApplySurfaceLook(View, c.arabic);
        EXPECT_EQ(View->Font()->Name(), c.font);
        EXPECT_EQ(View->UseRightToLeftReading(), c.rtl);
        EXPECT_EQ(View->Color(), 14527793);
        EXPECT_EQ(View->CorrectColor(), 0x400000);
        EXPECT_EQ(View->MistakeColor(), clRed);
        EXPECT_TRUE(View->HilightTypedChars());
        EXPECT_TRUE(View->PlainText());
        EXPECT_EQ(View->ScrollBars(), ssVertical);
        EXPECT_FALSE(View->HideScrollBars());
        EXPECT_EQ(View->Font()->Height(), -20);
    }
    TRichView bare(nullptr);
    EXPECT_FALSE(bare.HilightTypedChars());
    EXPECT_EQ(bare.CorrectColor(), 0);
    EXPECT_EQ(bare.MistakeColor(), 0);

    TBitmap picture;
    picture.SetSize(7, 5);
    bare.SetBackgnd(&picture);                  // a copy the surface owns
    picture.SetSize(1, 1);
    EXPECT_EQ(bare.Backgnd()->Width(), 7);
    EXPECT_NE(bare.Backgnd(), &picture);
}

TEST_F(RichViewFixture, PrepareRewrapsToTheNarrowedWidthThroughTheWorkFile) {
    Form->Show();
    View->SetWidth(330);
    std::string paragraph;
    for (int i = 0; i < 12; ++i) paragraph += "word" + std::to_string(i) + " ";
    Folder.Write("source.txt", paragraph + "\r\n\r\nshort\r\n");
    String work = Folder.File("Temp.Text");

    PrepareTypingText(View, Folder.File("source.txt"), work, 1);
    EXPECT_EQ(View->Width(), 330);
    EXPECT_FALSE(View->WordWrap());
    EXPECT_EQ(View->Font()->Name(), "Courier New");
    EXPECT_TRUE(View->Focused());
    TStringList prepared;
    prepared.LoadFromFile(work);
    ASSERT_GT(View->Linecount, 2);            // the long line was wrapped into several
    String joined;
    for (int k = 0; k < View->Linecount; ++k) {
        EXPECT_FALSE(Trim(Line(2 * k)).empty());
        if (k + 1 < View->Linecount) joined += Line(2 * k);
    }
    EXPECT_EQ(Line(2 * (View->Linecount - 1)), "short");   // the file's own break is kept
    EXPECT_EQ(Trim(joined), Trim(String(paragraph)));
    EXPECT_EQ(View->SelStart(), TypingStart(0));
    EXPECT_EQ(View->SelLength(), 1);
    Type(Line(0));
    EXPECT_EQ(View->CurLine, 1);
    EXPECT_EQ(View->WCount, 0);
    View->SetSelStart(0);
    View->SetSelLength(1);
    EXPECT_EQ(View->SelAttributes()->Name(), "Courier New");   // the text reads in the surface's font

    // the XP family joins the file's lines before the wrap, the words kept apart
    Folder.Write("two.txt", "ab\r\n\r\ncd  \r\nef\r\n");
    PrepareTypingText(View, Folder.File("two.txt"), work, 2);
    EXPECT_EQ(View->Linecount, 1);
    EXPECT_EQ(Line(0), "ab cd ef");
}

TEST_F(RichViewFixture, PrepareOfAMissingFileLeavesTheSurfaceAsItWas) {
    Load("keep\r\n");
    Key('k');
    bool wrap = View->WordWrap();
    EXPECT_THROW(PrepareTypingText(View, Folder.File("none.txt"), Folder.File("Temp.Text"), 1), EFOpenError);
    EXPECT_EQ(View->Width(), 600);
    EXPECT_EQ(View->WordWrap(), wrap);
    EXPECT_EQ(Line(0), "keep");
    EXPECT_EQ(Line(1), "k");
    EXPECT_FALSE(FileExists(Folder.File("Temp.Text")));
}

// The view shows whole lines only: whatever the control's height, the line that would stand cut
// at the bottom edge (its vowel marks too) is not drawn, at the text's top, after the pair being
// typed comes to the top, and after the scroll bar or the wheel moved the text.
TEST_F(RichViewFixture, TheViewEndsAtTheLastWholeLineAndNoCutLineShowsBelowIt) {
    struct Case { bool arabic; String line; int whole; int cutPercent; };
    const Case cases[] = {
        {true, "كُلٌّ جِدًّا بَيْتٍ"_a, 4, 50},   // stacked marks above, kasratan below
        {true, "كُلٌّ جِدًّا بَيْتٍ"_a, 2, 75},
        {false, "Wide Typing gyp", 4, 50},
        {false, "Wide Typing gyp", 6, 30},
    };
    Form->Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ApplySurfaceLook(View, c.arabic);
        View->SetHeight(440);
        std::string text;
        for (int i = 0; i < 30; ++i) text += c.line + "\r\n";
        Load(text);
        auto top = [&](int position) {
            POINTL at{};
            SendMessageW(View->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
            return static_cast<int>(at.y);
        };
        const int pitch = (top(View->LineStart[1]) - top(View->LineStart[0])) / 2;
        ASSERT_GT(pitch, 0);
        RECT view{}, client{}, window{};
        SendMessageW(View->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
        GetClientRect(View->Handle(), &client);
        GetWindowRect(View->Handle(), &window);
        const int frame = (window.bottom - window.top) - client.bottom;
        // the client area holds the whole lines and part of the next, a source line with ink
        View->SetHeight(frame + view.top + c.whole * pitch + pitch * c.cutPercent / 100);

        auto expectWholeLines = [&](const char* when) {
            SCOPED_TRACE(when);
            Application->ProcessMessages();
            UpdateWindow(View->Handle());
            RECT shown{};
            SendMessageW(View->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
            EXPECT_EQ(shown.bottom - shown.top, c.whole * pitch);
            POINT scroll{};
            SendMessageW(View->Handle(), EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
            EXPECT_EQ(scroll.y % pitch, 0) << scroll.y;
            const TClientPixels shot = TClientPixels::Of(View->Handle());
            const COLORREF plain = ColorToRGB(View->Color());
            int cutRows = 0, lastLineRows = 0;
            for (int y = shown.top + c.whole * pitch; y < shot.Height; ++y) cutRows += shot.RowHasInk(y, plain, 0, shot.Width);
            // the last source line in view is drawn in full
            const int first = scroll.y / pitch, last = (first + c.whole - 1) / 2 * 2;
            for (int y = shown.top + (last - first) * pitch; y < shown.top + (last - first + 1) * pitch; ++y)
                lastLineRows += shot.RowHasInk(y, plain, 0, shot.Width);
            EXPECT_EQ(cutRows, 0);
            EXPECT_GT(lastLineRows, pitch / 3);
        };
        expectWholeLines("at the top");
        for (int pair = 0; pair < c.whole / 2; ++pair) Type(Line(2 * pair));
        expectWholeLines("the pair being typed at the top");
        SendMessageW(View->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageW(View->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
        expectWholeLines("two scroll bar lines down");
        SendMessageW(View->Handle(), WM_VSCROLL, SB_LINEUP, 0);
        SendMessageW(View->Handle(), WM_VSCROLL, SB_LINEUP, 0);
        expectWholeLines("and up again");
        SendMessageW(View->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        expectWholeLines("a wheel notch down");
    }
}
