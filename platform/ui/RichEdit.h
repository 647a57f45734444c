#pragma once
// TRichEdit over the version-1 rich edit class ("RICHEDIT" of riched32.dll), which counts every
// line break as two positions (CR LF), so positions in a 1256 string equal positions in the
// window. That class is an ANSI window: text crosses through the stream messages as UTF-16, never
// through the system's code-page conversion, so Arabic survives on any locale.
#include <memory>
#include "platform/rtl/Classes.h"
#include "platform/ui/ControlEnums.h"
#include "platform/ui/Forms.h"
#include "platform/win/ComPtr.h"
#include <richedit.h>

struct ITextDocument;

class TRichEdit;

enum class TAttributeType { atSelected, atDefaultText };
using enum TAttributeType;

// Character format of the selection (EM_SETCHARFORMAT SCF_SELECTION) or of the default text.
class TTextAttributes : public TPersistent {
public:
    TTextAttributes(TRichEdit* owner, TAttributeType type) : FOwner(owner), FType(type) {}
    TColor Color() const;
    void SetColor(TColor value);
    String Name() const;
    void SetName(const String& value);
    int Size() const;                 // points
    void SetSize(int points);
    int Height() const;               // pixels at the screen's resolution
    void SetHeight(int pixels);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);
    BYTE Charset() const;
    void SetCharset(BYTE value);
    void Assign(TPersistent* source) override;   // a TFont or other attributes
    void AssignTo(TFont* font) const;
private:
    CHARFORMATA Get() const;
    void Set(CHARFORMATA& format) const;
    TRichEdit* FOwner;
    TAttributeType FType;
};

// Paragraph format of the paragraphs the selection touches.
class TParaAttributes : public TPersistent {
public:
    explicit TParaAttributes(TRichEdit* owner) : FOwner(owner) {}
    TAlignment Alignment() const;
    void SetAlignment(TAlignment value);
    bool RightToLeft() const;         // reading order of the paragraph (PFE_RTLPARA)
    void SetRightToLeft(bool value);
    int SpaceBefore() const;          // pixels above the paragraph's first line
    void SetSpaceBefore(int pixels);
    int SpaceAfter() const;           // pixels below its last line
    void SetSpaceAfter(int pixels);
    void Assign(TPersistent* source) override;
private:
    PARAFORMAT2 Get() const;
    void Set(PARAFORMAT2& format) const;
    TRichEdit* FOwner;
};

// The lines of the window as it shows them: a wrapped line is a line of its own.
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TRichEdit* owner) : FOwner(owner) {}
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const String& s) override;
    void Put(int index, const String& s) override;
protected:
    String Get(int index) const override;
    int GetCount() const override;
    String GetTextStr() const override;
    void SetTextStr(const String& text) override;   // RTF when not PlainText and the text is RTF
private:
    TRichEdit* FOwner;
};

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* owner);
    ~TRichEdit() override;

    TStrings* Lines() const { return FLines.get(); }
    TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
    TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
    TParaAttributes* Paragraph() const { return FParagraph.get(); }

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    String SelText();
    void SetSelText(const String& value);     // replaces the selection, in the insertion point's format
    void SelectAll();
    void Clear();                             // no text, not modified
    bool Modified();
    void SetModified(bool value);

    // Line queries, in CR LF positions.
    int LineCount();                          // EM_GETLINECOUNT: lines as shown, the last empty one too
    int LineIndex(int line);                  // first position of a line, -1 past the end
    int LineFromChar(int position);
    int LineLength(int position);             // length of the line holding position
    TPoint CaretPos();                        // X the column, Y the line of the caret
    void SetCaretPos(TPoint value);

    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool value) { FPlainText = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool HideScrollBars() const { return FHideScrollBars; }
    void SetHideScrollBars(bool value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }   // bsNone or bsSingle
    void SetBorderStyle(TFormBorderStyle value);

    TNotifyEvent OnChange;

    // Colours length characters from start; the selection and the caret stay where they are and
    // only the lines holding those characters repaint.
    void SetRangeColor(int start, int length, TColor color);

    // Whole text of the window as UTF-16, CR LF breaks; and its replacement.
    WideString WindowText(bool selectionOnly);
    void SetWindowText(const WideString& text, bool selectionOnly, bool rtf = false);

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Change() { if (OnChange) OnChange(this); }

private:
    friend class TRichEditStrings;
    friend class TTextAttributes;
    void ApplyColorAndFont();
    void ApplyReadingOrder();
    std::string StreamOut(UINT format);
    void StreamIn(const std::string& bytes, UINT format);
    WideString StreamOutText(UINT flags);
    void StreamInText(const WideString& text, UINT flags);

    // RichEditMarks.cpp: marks kept where Wine can shape them
    static WideString LayerMarks(WideString windowText);
    static WideString WindowMarks(const WideString& text);
    WideString TextBetween(int from, int to);
    CHARRANGE WholeLetters(CHARRANGE range);
    bool OneFormat(int from, int to);
    void InsertText(const WideString& text);

    std::unique_ptr<TRichEditStrings> FLines;
    std::unique_ptr<TTextAttributes> FSelAttributes;
    std::unique_ptr<TTextAttributes> FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
    bool FPlainText = false;
    bool FWordWrap = true;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = ssNone;
    bool FHideScrollBars = true;
    bool FHideSelection = true;
    TFormBorderStyle FBorderStyle = bsSingle;
    bool FModified = false;
    bool FDestroying = false;
    ITextDocument* TextDocument();

    TComPtr<ITextDocument> FTextDocument;   // the window's text object model, asked for once
    bool FTextDocumentAsked = false;
    std::string FSavedContent;       // the content while there is no window (RTF, or UTF-16 text)
    UINT FSavedFormat = 0;
};
