#include <gtest/gtest.h>
#include "platform/testing/TestSupport.h"
#include "platform/ui/testing/ClientPixels.h"
#include "platform/ui/testing/ResourceCounts.h"
#include "platform/ui/testing/RichEditForm.h"

TEST_F(RichEditFixture, LineBreaksCountTwoPositionsAsTheTypingSurfaceNeeds) {
    Edit->Lines()->Add("ab");
    Edit->Lines()->Add("");
    Edit->Lines()->Add("cd");
    EXPECT_EQ(Edit->Lines()->Count(), 3);
    EXPECT_EQ(Edit->LineIndex(0), 0);
    EXPECT_EQ(Edit->LineIndex(1), 4);
    EXPECT_EQ(Edit->LineIndex(2), 6);
    EXPECT_EQ(Edit->Lines()->Strings(2), "cd");
    EXPECT_EQ(Edit->Text(), "ab\r\n\r\ncd\r\n");

    Edit->Lines()->Delete(1);
    EXPECT_EQ(Edit->Text(), "ab\r\ncd\r\n");
    Edit->SetSelStart(4);
    Edit->SetSelLength(1);
    EXPECT_EQ(Edit->SelText(), "c");
    EXPECT_EQ(Edit->LineFromChar(4), 1);
    EXPECT_EQ(Edit->CaretPos(), Point(0, 1));
    EXPECT_EQ(Edit->LineLength(4), 2);
    EXPECT_EQ(Edit->LineCount(), 3);      // the empty line after the last break too

    Edit->Lines()->Put(0, "xyz");
    Edit->Lines()->Insert(0, "top");
    EXPECT_EQ(Edit->Text(), "top\r\nxyz\r\ncd\r\n");
    Edit->Lines()->Put(1, "");               // the typing line emptied
    EXPECT_EQ(Edit->Text(), "top\r\n\r\ncd\r\n");
    EXPECT_EQ(Edit->Lines()->Count(), 3);
    Edit->SetText("no break");
    Edit->Lines()->Add("next");           // after a last line without a break
    EXPECT_EQ(Edit->Text(), "no break\r\nnext");
    EXPECT_THROW(Edit->Lines()->Strings(5), EListError);
}

TEST_F(RichEditFixture, ArabicCrossesAsUtf16BothByCodeAndByTyping) {
    String word = "سلام"_a;
    Edit->Lines()->Add(word);
    EXPECT_EQ(Edit->Lines()->Strings(0), word);
    EXPECT_EQ(Edit->Lines()->Count(), 1);
    Edit->SetSelStart(2);
    Edit->SetSelLength(1);
    EXPECT_EQ(Edit->SelText(), "ا"_a);     // one position per 1256 byte

    Edit->Clear();
    EXPECT_FALSE(Edit->Modified());
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    Type(0x0628);                          // beh
    EXPECT_EQ(changes, 1);
    Type(L'a');
    Type(13);                              // Enter: a line break of two positions
    Type(0x0627);
    EXPECT_EQ(Edit->Text(), "ب"_a + "a\r\n" + "ا"_a);
    EXPECT_EQ(Edit->SelStart(), 5);
    EXPECT_TRUE(Edit->Modified());
    EXPECT_EQ(changes, 4);
}

TEST_F(RichEditFixture, ReadOnlyTakesNoTypedCharacterButCodeStillWrites) {
    Edit->SetText("keep");
    Edit->SetReadOnly(true);
    Edit->SetSelStart(4);
    for (wchar_t c : {L'x', wchar_t(0x0627), wchar_t(13)}) Type(c);
    EXPECT_EQ(Edit->Text(), "keep");
    Edit->Lines()->Add("more");
    EXPECT_EQ(Edit->Lines()->Count(), 2);
}

TEST_F(RichEditFixture, SelectionAndDefaultAttributesReadBack) {
    Edit->SetText("red and plain");
    Edit->SetSelStart(0);
    Edit->SetSelLength(3);
    Edit->SelAttributes()->SetColor(clRed);
    Edit->SelAttributes()->SetStyle(fsBold | fsUnderline);
    Edit->SelAttributes()->SetName("Courier New");
    Edit->SelAttributes()->SetSize(14);
    EXPECT_EQ(Edit->SelAttributes()->Color(), clRed);
    EXPECT_EQ(Edit->SelAttributes()->Style(), fsBold | fsUnderline);
    EXPECT_EQ(Edit->SelAttributes()->Name(), "Courier New");
    EXPECT_EQ(Edit->SelAttributes()->Size(), 14);

    Edit->SetSelStart(8);
    Edit->SetSelLength(5);
    EXPECT_NE(Edit->SelAttributes()->Color(), clRed);
    EXPECT_EQ(Edit->SelAttributes()->Style(), 0u);

    Edit->Font()->SetColor(clBlue);        // the control's font is the default text's
    EXPECT_EQ(Edit->DefAttributes()->Color(), clBlue);
    Edit->DefAttributes()->SetCharset(ARABIC_CHARSET);
    EXPECT_EQ(Edit->DefAttributes()->Charset(), ARABIC_CHARSET);
}

TEST_F(RichEditFixture, RecreatedWindowKeepsTextFormatAndModifiedFlag) {
    Edit->SetPlainText(false);
    Edit->Lines()->Add("ab");
    Edit->Lines()->Add("سلام"_a);
    Edit->SetSelStart(0);
    Edit->SetSelLength(2);
    Edit->SelAttributes()->SetColor(clRed);
    Edit->SetModified(true);
    HWND before = Edit->Handle();
    Edit->SetHideScrollBars(false);
    Edit->SetScrollBars(ssVertical);
    EXPECT_NE(Edit->Handle(), before);
    EXPECT_EQ(Edit->Text(), "ab\r\n" + "سلام"_a + "\r\n");
    EXPECT_TRUE(Edit->Modified());
    Edit->SetSelStart(0);
    Edit->SetSelLength(2);
    EXPECT_EQ(Edit->SelAttributes()->Color(), clRed);
    EXPECT_NE(GetWindowLongW(Edit->Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(RichEditFixture, WordWrapMakesEveryShownLineALineOfItsOwn) {
    Edit->SetWidth(120);
    Edit->SetText("one two three four five six seven eight nine ten");
    EXPECT_GT(Edit->Lines()->Count(), 1);
    String joined;
    for (int i = 0; i < Edit->Lines()->Count(); ++i) joined += Edit->Lines()->Strings(i);
    EXPECT_EQ(joined, "one two three four five six seven eight nine ten");
    // the wrap changes in the window itself: same window, formatting kept
    HWND window = Edit->Handle();
    Edit->SetSelStart(0);
    Edit->SetSelLength(3);
    Edit->SelAttributes()->SetColor(clRed);
    Edit->SetWordWrap(false);
    EXPECT_EQ(Edit->Lines()->Count(), 1);
    EXPECT_EQ(Edit->Text(), "one two three four five six seven eight nine ten");
    Edit->SetWordWrap(true);
    EXPECT_GT(Edit->Lines()->Count(), 1);
    EXPECT_EQ(Edit->Handle(), window);
    Edit->SetSelStart(1);
    Edit->SetSelLength(1);
    EXPECT_EQ(Edit->SelAttributes()->Color(), clRed);
}

TEST_F(RichEditFixture, ReadingOrderAndAlignmentArePerParagraph) {
    Edit->SetBiDiMode(bdRightToLeft);
    Edit->Lines()->Add("سلام"_a);
    Edit->Lines()->Add("عليكم"_a);
    Edit->SetSelStart(Edit->LineIndex(1));
    EXPECT_TRUE(Edit->Paragraph()->RightToLeft());
    Edit->Paragraph()->SetAlignment(taCenter);
    EXPECT_EQ(Edit->Paragraph()->Alignment(), taCenter);
    Edit->SetSelStart(0);
    EXPECT_EQ(Edit->Paragraph()->Alignment(), taLeftJustify);
    Edit->Paragraph()->SetRightToLeft(false);
    EXPECT_FALSE(Edit->Paragraph()->RightToLeft());
}

// A right-to-left paragraph "left" aligned starts at the right edge, where an Arabic reader
// looks, whether or not the system's control reads alignments from the paragraph's side.
TEST_F(RichEditFixture, AlignmentIsReadFromTheParagraphsSide) {
    struct Case { bool rtl; TAlignment alignment; bool rightHalf; };
    const Case cases[] = {
        {true, taLeftJustify, true}, {true, taRightJustify, false}, {false, taLeftJustify, false}, {false, taRightJustify, true},
    };
    Edit->SetBiDiMode(bdRightToLeft);
    Edit->Lines()->SetText("سلام"_a);
    EXPECT_TRUE(Edit->Paragraph()->RightToLeft());
    EXPECT_EQ(Edit->Paragraph()->Alignment(), taLeftJustify);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rtl) + " " + std::to_string(int(c.alignment)));
        Edit->SetSelStart(0);
        Edit->Paragraph()->SetAlignment(c.alignment);
        Edit->Paragraph()->SetRightToLeft(c.rtl);
        EXPECT_EQ(Edit->Paragraph()->Alignment(), c.alignment);
        POINTL at{};
        SendMessageW(Edit->Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 0);
        EXPECT_EQ(at.x > Edit->ClientWidth() / 2, c.rightHalf) << at.x;
    }
}

// The vowel mark ending a line is placed by the font's mark positioning; the line stays where it
// stands whatever the mark's offset, so the words before it look the same with or without it.
TEST_F(RichEditFixture, AVowelMarkEndingALineLeavesTheLineWhereItStands) {
    Edit->SetBiDiMode(bdRightToLeft);
    Edit->Font()->SetName("Simplified Arabic Fixed");
    Edit->Font()->SetHeight(-20);
    Form->Show();
    // the right half, where the line begins, away from the last word
    auto beginning = [&](const String& lastWord) {
        const String line = "بَيْتٌ بَيْتٌ بَيْتٌ بَيْتٌ "_a + lastWord;
        Edit->Lines()->SetText(line + "\r\n" + line);
        Edit->SetSelStart(static_cast<int>(Edit->WindowText(false).size()));   // the caret at the far end
        RedrawWindow(Edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const TClientPixels shot = TClientPixels::Of(Edit->Handle());
        return shot.Block(shot.Width / 2, 0, shot.Width, shot.Height);
    };
    struct Case { String with, without; };
    const Case cases[] = {
        {"جَمِيلٌ"_a, "جَمِيل"_a},   // a mark above a tall letter
        {"كَبِيرٍ"_a, "كَبِير"_a},   // a mark below
        {"كُلٌّ"_a, "كُلٌ"_a},       // two marks stacked
    };
    for (const Case& c : cases) EXPECT_EQ(beginning(c.with), beginning(c.without)) << Cp1256ToUtf8(c.with);
}

TEST_F(RichEditFixture, LoadFromFileTakesTheBytesAsTheyAreOrRtf) {
    testing_support::TempFolder folder;
    folder.Write("a.txt", "ab\r\n" + "سلام"_a + "\nlast");
    Edit->Lines()->LoadFromFile(folder.File("a.txt"));
    EXPECT_EQ(Edit->Text(), "ab\r\n" + "سلام"_a + "\r\nlast");
    EXPECT_FALSE(Edit->Modified());

    folder.Write("b.rtf", "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 hot\\cf0  cold}");
    Edit->SetPlainText(false);
    Edit->Lines()->LoadFromFile(folder.File("b.rtf"));
    EXPECT_EQ(Edit->Lines()->Strings(0), "hot cold");
    Edit->SetSelStart(0);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->SelAttributes()->Color(), clRed);

    EXPECT_THROW(Edit->Lines()->LoadFromFile(folder.File("missing.txt")), EFOpenError);
    EXPECT_EQ(Edit->Lines()->Strings(0), "hot cold");
}

TEST_F(RichEditFixture, FreeingReleasesWindowsAndGdiObjects) {
    auto cycle = [&] {
        auto* e = new TRichEdit(Form);
        e->SetParent(Form);
        e->SetText("x");
        e->SelAttributes()->SetColor(clRed);
        e->Free();
    };
    for (int i = 0; i < 20; ++i) cycle();
    ResourceCounts before = ResourceCounts::Take();
    for (int i = 0, n = LeakCycles(); i < n; ++i) cycle();
    ExpectNoResourceGrowth(before, ResourceCounts::Take());
}

