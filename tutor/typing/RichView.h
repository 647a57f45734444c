#pragma once
// TRichView: the typing surface. A text to copy is shown as pairs of lines, each source line
// followed by the typing line on which the user copies it. Every key typed on a typing line is
// compared with the source character in the same column, coloured, counted and reported; the
// caret moves from one typing line to the next by itself, and no other way of editing or moving
// the caret reaches the control.
#include <array>
#include <functional>
#include <memory>
#include <vector>
#include "platform/graphics/Bitmap.h"
#include "platform/ui/RichEdit.h"

using TOnStartTypingEvent = std::function<void(TObject* sender)>;
using TOnKeyTruePressEvent = std::function<void(TObject* sender, char& chr, bool checkchar)>;
using TOnFinishTypingEvent =
    std::function<void(TObject* sender, int& CharCount, int& WCount, int& CCount, int& Linecount)>;

class TRichView : public TRichEdit {
public:
    static constexpr int MaxLinePairs = 120;
    // Shown on the typing line for a control character (Backspace, Tab, Escape, Ctrl+letter):
    // the key still takes exactly one column, so the line pairs keep their layout.
    static constexpr char ControlCharMark = '\xA4';

    explicit TRichView(TComponent* owner);
    ~TRichView() override;

    // The file's lines as they are, in the wrap font; the first half of PrepareTypingText.
    void PreLoadTextFile(const String& fileName);
    // Starts a text: loads the file as line pairs and puts the caret on the first typing line.
    // Empty lines are left out and at most MaxLinePairs lines are taken. Each line of a text with
    // vowel marks gets room above and below for them.
    void LoadTextFile(const String& fileName);
    int LinesTextLength();   // all lines now in the control, line breaks not counted
    // The source characters the next keys are judged against, at most count, across line ends
    // (the caret moves to the next line by itself); empty once the text is complete.
    String UpcomingChars(int count) const;
    int CountTextLines();    // the control's lines, less an empty last one

    bool HilightTypedChars() const { return FHilightTypedChars; }
    void SetHilightTypedChars(bool value) { FHilightTypedChars = value; }
    TColor MistakeColor() const { return FMistakeColor; }
    void SetMistakeColor(TColor value) { FMistakeColor = value; }
    TColor CorrectColor() const { return FCorrectColor; }
    void SetCorrectColor(TColor value) { FCorrectColor = value; }
    TBitmap* Backgnd() const { return FBackgnd.get(); }
    void SetBackgnd(TBitmap* value);   // copies the picture

    TOnStartTypingEvent OnStartTyping;
    TOnKeyTruePressEvent OnKeyTruePress;
    TOnFinishTypingEvent OnFinishTyping;

    int CurLine = 0;                          // line pair being typed
    std::array<int, MaxLinePairs + 1> LineStart{};   // first position of each line pair
    int CharCount = 0;                        // SourceLength once the text is complete
    bool StartPending = false;                // the next accepted key is the first of the text
    bool Busy = false;                        // a key is being handled
    int SourceLength = 0;                     // characters of the text, line breaks not counted
    int Linecount = 0;                        // lines of the text
    int CCount = 0;                           // correct keys of the current text
    int WCount = 0;                           // wrong keys of the current text
    // Per character code (index 1..255; 0 is unused); never reset, they add up over every text.
    std::array<int, 256> CharCorrect{};
    std::array<int, 256> CharWrong{};

    void WndProc(TMessage& message) override;

protected:
    void WMChar(TWMChar& message);
    void WMKeyDown(TWMKeyDown& message);
    void WMLButtonDown(TWMMouse& message);
    void WMLButtonDblClk(TWMMouse& message);

    // Judges ch typed at column x (1-based) of typing line y, the caret right after it.
    void CheckTypedChar(char ch, int x, int y, bool countPerChar);
    void MarkTypedSourceChar(int x, int y);

private:
    int TypingLineStart(int pair) const;
    bool Matches(char ch, int x, int pair) const;   // ch is the source character at column x
    void BringPairIntoView(int pair);
    int LinePitch();
    void ShowWholeLines();
    void SnapToWholeLines(int scrolledFrom);
    void SelectRange(int start, int length);
    void ColorSelection(TColor color);

    bool FHilightTypedChars = false;
    TColor FMistakeColor = 0;
    TColor FCorrectColor = 0;
    std::unique_ptr<TBitmap> FBackgnd;
    std::vector<String> FSource;   // the source lines of the text now loaded
    int FTyped = 0;                // characters typed on the current typing line
    bool FComplete = false;
};

// The look every surface of the program is built with: colours, plain text, vertical scroll bar,
// 20 px font; Arabic surfaces read right to left in "Simplified Arabic Fixed", English ones left
// to right in "Courier New".
void ApplySurfaceLook(TRichView* surface, bool arabic);
