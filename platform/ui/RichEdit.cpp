#include "platform/ui/RichEdit.h"
#include <algorithm>
#include <cstring>
#include <richole.h>
#include <tom.h>
#include "platform/graphics/GlyphOffsets.h"
#include "platform/graphics/TextShaping.h"

namespace {

// The version-1 class lives in riched32.dll, loaded once for the whole run. Where the control's
// engine is riched20.dll (Wine), vowel marks at a run's end are drawn where they belong.
void LoadRichEditLibrary() {
    static HMODULE library = [] {
        HMODULE loaded = LoadLibraryW(L"riched32.dll");
        if (loaded) {
            CorrectGlyphOffsetsOf(loaded);
            CorrectGlyphOffsetsOf(GetModuleHandleW(L"riched20.dll"));
        }
        return loaded;
    }();
    if (!library) throw EOutOfResources("Cannot load riched32.dll");
}

struct StreamBuffer {
    std::string bytes;
    std::size_t position = 0;
};

DWORD CALLBACK CollectStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    reinterpret_cast<StreamBuffer*>(cookie)->bytes.append(reinterpret_cast<char*>(buffer), size);
    *done = size;
    return 0;
}

DWORD CALLBACK FeedStream(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* s = reinterpret_cast<StreamBuffer*>(cookie);
    std::size_t n = std::min<std::size_t>(size, s->bytes.size() - s->position);
    std::memcpy(buffer, s->bytes.data() + s->position, n);
    s->position += n;
    *done = static_cast<LONG>(n);
    return 0;
}

std::string WideBytes(const WideString& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

WideString BytesWide(const std::string& bytes) {
    WideString w(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(w.data(), bytes.data(), w.size() * sizeof(wchar_t));
    return w;
}

// Every line break as CR LF, the only break the version-1 control counts as two positions.
WideString WithCrLf(const WideString& text) {
    WideString out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r') {
            out += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

bool IsRtf(const String& text) { return text.compare(0, 5, "{\\rtf") == 0; }

// Whether the system's ANSI conversion carries this character to the ANSI window unchanged.
bool FitsAnsiCodePage(wchar_t c) {
    char buffer[4];
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, buffer, sizeof buffer, nullptr, &lossy);
    return n == 1 && !lossy;
}

void PutFaceName(CHARFORMATA& cf, const String& name) {
    WideString w = ToWide(name);
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, cf.szFaceName, LF_FACESIZE - 1, nullptr, nullptr);
}

DWORD StyleEffects(TFontStyles style) {
    DWORD effects = 0;
    if (style & fsBold) effects |= CFE_BOLD;
    if (style & fsItalic) effects |= CFE_ITALIC;
    if (style & fsUnderline) effects |= CFE_UNDERLINE;
    if (style & fsStrikeOut) effects |= CFE_STRIKEOUT;
    return effects;
}

void PutColor(CHARFORMATA& cf, TColor color) {
    if (color == clWindowText) cf.dwEffects |= CFE_AUTOCOLOR;
    else cf.crTextColor = ColorToRGB(color);
}

const IID TextDocumentIid = {0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

}  // namespace

// ---- TTextAttributes

CHARFORMATA TTextAttributes::Get() const {
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(FOwner->Handle(), EM_GETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&cf));
    return cf;
}

void TTextAttributes::Set(CHARFORMATA& cf) const {
    cf.cbSize = sizeof cf;
    if (FType == atDefaultText) {
        SendMessageW(FOwner->Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
        return;
    }
    // a letter and its marks take a format together
    CHARRANGE selection{};
    SendMessageW(FOwner->Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const CHARRANGE whole = selection.cpMin == selection.cpMax ? selection : FOwner->WholeLetters(selection);
    const bool grown = whole.cpMin != selection.cpMin || whole.cpMax != selection.cpMax;
    if (grown) SendMessageW(FOwner->Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&whole));
    SendMessageW(FOwner->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    if (grown) SendMessageW(FOwner->Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
}

TColor TTextAttributes::Color() const {
    CHARFORMATA cf = Get();
    return (cf.dwEffects & CFE_AUTOCOLOR) ? clWindowText : static_cast<TColor>(cf.crTextColor);
}

void TTextAttributes::SetColor(TColor value) {
    CHARFORMATA cf{};
    cf.dwMask = CFM_COLOR;
    PutColor(cf, value);
    Set(cf);
}

String TTextAttributes::Name() const {
    CHARFORMATA cf = Get();
    wchar_t wide[LF_FACESIZE] = {};
    MultiByteToWideChar(CP_ACP, 0, cf.szFaceName, -1, wide, LF_FACESIZE);
    return FromWide(wide);
}

void TTextAttributes::SetName(const String& value) {
    CHARFORMATA cf{};
    cf.dwMask = CFM_FACE;
    PutFaceName(cf, value);
    Set(cf);
}

int TTextAttributes::Size() const { return Get().yHeight / 20; }

void TTextAttributes::SetSize(int points) {
    CHARFORMATA cf{};
    cf.dwMask = CFM_SIZE;
    cf.yHeight = points * 20;
    Set(cf);
}

int TTextAttributes::Height() const { return MulDiv(Size(), ScreenPixelsPerInch(), 72); }
void TTextAttributes::SetHeight(int pixels) { SetSize(MulDiv(std::abs(pixels), 72, ScreenPixelsPerInch())); }

TFontStyles TTextAttributes::Style() const {
    DWORD e = Get().dwEffects;
    TFontStyles s = 0;
    if (e & CFE_BOLD) s |= fsBold;
    if (e & CFE_ITALIC) s |= fsItalic;
    if (e & CFE_UNDERLINE) s |= fsUnderline;
    if (e & CFE_STRIKEOUT) s |= fsStrikeOut;
    return s;
}

void TTextAttributes::SetStyle(TFontStyles value) {
    CHARFORMATA cf{};
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    cf.dwEffects = StyleEffects(value);
    Set(cf);
}

BYTE TTextAttributes::Charset() const { return Get().bCharSet; }

void TTextAttributes::SetCharset(BYTE value) {
    CHARFORMATA cf{};
    cf.dwMask = CFM_CHARSET;
    cf.bCharSet = value;
    Set(cf);
}

void TTextAttributes::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        // one message: each change of format lays the whole text out again
        CHARFORMATA cf{};
        cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_COLOR;
        PutFaceName(cf, font->Name());
        cf.yHeight = font->Size() * 20;
        cf.dwEffects = StyleEffects(font->Style());
        cf.bCharSet = font->Charset();
        PutColor(cf, font->Color());
        Set(cf);
    } else if (auto* other = dynamic_cast<TTextAttributes*>(source)) {
        CHARFORMATA cf = other->Get();
        cf.dwMask = CFM_ALL;
        Set(cf);
    } else {
        TPersistent::Assign(source);
    }
}

void TTextAttributes::AssignTo(TFont* font) const {
    font->SetName(Name());
    font->SetSize(Size());
    font->SetStyle(Style());
    font->SetCharset(Charset());
    font->SetColor(Color());
}

// ---- TParaAttributes

namespace {

// Whether the control itself starts a right-to-left paragraph at its right edge, alignments being
// read from the paragraph's own side; measured once on a hidden control. Wine's keeps such a
// paragraph at the left unless it is told PFA_RIGHT; there the layer turns the alignment itself.
bool AlignsFromTheReadingSide() {
    static const bool fromReadingSide = [] {
        LoadRichEditLibrary();
        constexpr int width = 200;
        HWND probe = CreateWindowExW(0, L"RICHEDIT", L"", WS_POPUP | ES_MULTILINE, 0, 0, width, 40, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
        if (!probe) return true;
        SetWindowTextW(probe, L"\u0627");
        SendMessageW(probe, EM_SETSEL, 0, -1);
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        pf.dwMask = PFM_RTLPARA;
        pf.wEffects = PFE_RTLPARA;
        SendMessageW(probe, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        POINTL at{};
        SendMessageW(probe, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 0);
        DestroyWindow(probe);
        return at.x > width / 2;
    }();
    return fromReadingSide;
}

WORD ParagraphAlignment(TAlignment value) {
    return value == taRightJustify ? PFA_RIGHT : value == taCenter ? PFA_CENTER : PFA_LEFT;
}

// The alignment the control is given for one read from the paragraph's own side, and back.
WORD SystemAlignment(WORD alignment, bool rightToLeft) {
    if (!rightToLeft || AlignsFromTheReadingSide()) return alignment;
    return alignment == PFA_LEFT ? PFA_RIGHT : alignment == PFA_RIGHT ? PFA_LEFT : alignment;
}

}  // namespace

PARAFORMAT2 TParaAttributes::Get() const {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageW(FOwner->Handle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf;
}

void TParaAttributes::Set(PARAFORMAT2& pf) const {
    pf.cbSize = sizeof pf;
    SendMessageW(FOwner->Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

// Left and right are read from the paragraph's side: a right-to-left paragraph "left" aligned
// starts at the right edge, on every system.
TAlignment TParaAttributes::Alignment() const {
    const PARAFORMAT2 pf = Get();
    switch (SystemAlignment(pf.wAlignment, (pf.wEffects & PFE_RTLPARA) != 0)) {
    case PFA_RIGHT: return taRightJustify;
    case PFA_CENTER: return taCenter;
    default: return taLeftJustify;
    }
}

void TParaAttributes::SetAlignment(TAlignment value) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = SystemAlignment(ParagraphAlignment(value), RightToLeft());
    Set(pf);
}

bool TParaAttributes::RightToLeft() const { return (Get().wEffects & PFE_RTLPARA) != 0; }

void TParaAttributes::SetRightToLeft(bool value) {
    const TAlignment alignment = Alignment();
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_RTLPARA | PFM_ALIGNMENT;
    pf.wEffects = value ? PFE_RTLPARA : 0;
    pf.wAlignment = SystemAlignment(ParagraphAlignment(alignment), value);
    Set(pf);
}

namespace {

int PixelsFromTwips(LONG twips) { return MulDiv(twips, ScreenPixelsPerInch(), 1440); }
LONG TwipsFromPixels(int pixels) { return MulDiv(pixels, 1440, ScreenPixelsPerInch()); }

}  // namespace

int TParaAttributes::SpaceBefore() const { return PixelsFromTwips(Get().dySpaceBefore); }

void TParaAttributes::SetSpaceBefore(int pixels) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_SPACEBEFORE;
    pf.dySpaceBefore = TwipsFromPixels(pixels);
    Set(pf);
}

int TParaAttributes::SpaceAfter() const { return PixelsFromTwips(Get().dySpaceAfter); }

void TParaAttributes::SetSpaceAfter(int pixels) {
    PARAFORMAT2 pf{};
    pf.dwMask = PFM_SPACEAFTER;
    pf.dySpaceAfter = TwipsFromPixels(pixels);
    Set(pf);
}

void TParaAttributes::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TParaAttributes*>(source)) {
        SetAlignment(other->Alignment());
        SetRightToLeft(other->RightToLeft());
        SetSpaceBefore(other->SpaceBefore());
        SetSpaceAfter(other->SpaceAfter());
    } else {
        TPersistent::Assign(source);
    }
}

// ---- TRichEditStrings

int TRichEditStrings::GetCount() const {
    int n = FOwner->LineCount();
    // the empty line after a final break is no line of the text
    if (n > 0 && FOwner->LineLength(FOwner->LineIndex(n - 1)) == 0) --n;
    return n;
}

String TRichEditStrings::Get(int index) const {
    int start = index < 0 ? -1 : FOwner->LineIndex(index);
    int length = start < 0 ? 0 : FOwner->LineLength(start);
    // the empty line after a final break is no line of the text
    if (start < 0 || (length == 0 && index == FOwner->LineCount() - 1)) Error("List index out of bounds (%d)", index);
    WideString all = FOwner->WindowText(false);
    if (start < 0 || static_cast<std::size_t>(start) > all.size()) return String();
    return FromWide(std::wstring_view(all).substr(start, length));
}

void TRichEditStrings::Insert(int index, const String& s) {
    if (index < 0 || index > GetCount()) Error("List index out of bounds (%d)", index);
    WideString text = ToWide(s);
    int at = FOwner->LineIndex(index);
    if (at >= 0) {
        text += L"\r\n";
    } else {
        // after a last line without a break
        int last = FOwner->LineIndex(index - 1);
        at = last + FOwner->LineLength(last);
        text = L"\r\n" + text;
    }
    SendMessageW(FOwner->Handle(), EM_SETSEL, at, at);
    FOwner->SetWindowText(text, true);
}

void TRichEditStrings::Delete(int index) {
    if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
    int start = FOwner->LineIndex(index);
    int end = FOwner->LineIndex(index + 1);
    if (end < 0) end = start + FOwner->LineLength(start);
    SendMessageW(FOwner->Handle(), EM_SETSEL, start, end);
    SendMessageW(FOwner->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void TRichEditStrings::Put(int index, const String& s) {
    if (index < 0 || index >= GetCount()) Error("List index out of bounds (%d)", index);
    int start = FOwner->LineIndex(index);
    SendMessageW(FOwner->Handle(), EM_SETSEL, start, start + FOwner->LineLength(start));
    FOwner->SetWindowText(ToWide(s), true);
}

void TRichEditStrings::Clear() { FOwner->Clear(); }

String TRichEditStrings::GetTextStr() const { return FromWide(FOwner->WindowText(false)); }

void TRichEditStrings::SetTextStr(const String& text) {
    if (!FOwner->PlainText() && IsRtf(text)) {
        FOwner->HandleNeeded();
        FOwner->StreamIn(text, SF_RTF);
        FOwner->ApplyReadingOrder();
    } else {
        FOwner->SetWindowText(ToWide(text), false);
    }
    FOwner->SetModified(false);
}

// ---- TRichEdit

TRichEdit::TRichEdit(TComponent* owner)
    : TWinControl(owner), FLines(std::make_unique<TRichEditStrings>(this)),
      FSelAttributes(std::make_unique<TTextAttributes>(this, atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(this, atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(this)) {
    ControlStyle &= ~csSetCaption;
    FWidth = 185;
    FHeight = 89;
    SetTabStop(true);
}

TRichEdit::~TRichEdit() {
    FDestroying = true;
    DestroyHandle();
}

void TRichEdit::CreateParams(TCreateParams& p) {
    LoadRichEditLibrary();
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"RICHEDIT");
    p.Caption.clear();     // the text follows through the stream, never through the ANSI conversion
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    if (!FHideScrollBars) p.Style |= ES_DISABLENOSCROLL;
    if (FReadOnly) p.Style |= ES_READONLY;
    if (!FHideSelection) p.Style |= ES_NOHIDESEL;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(FHandle, EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
    SendMessageW(FHandle, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageW(FHandle, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
    ApplyColorAndFont();
    if (!FSavedContent.empty()) {
        StreamIn(FSavedContent, FSavedFormat);
        FSavedContent.clear();
    } else if (!FText.empty()) {
        StreamInText(WindowMarks(WithCrLf(ToWide(FText))), 0);
    }
    ApplyReadingOrder();
    SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
}

void TRichEdit::DestroyWnd() {
    if (!FDestroying) {
        // the content, formatting included, outlives the window
        FSavedFormat = FPlainText ? (SF_TEXT | SF_UNICODE) : SF_RTF;
        FSavedContent = StreamOut(FSavedFormat);
        FModified = SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
    }
    TWinControl::DestroyWnd();
}

void TRichEdit::ApplyColorAndFont() {
    SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(Color()));
    FDefAttributes->Assign(Font());
}

// Wine shows no right-to-left reading from the window style; every paragraph says it itself.
void TRichEdit::ApplyReadingOrder() {
    if (!FHandle || !UseRightToLeftReading()) return;
    CHARRANGE saved{};
    SendMessageW(FHandle, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    SendMessageW(FHandle, EM_SETSEL, 0, -1);
    FParagraph->SetRightToLeft(true);
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
}

std::string TRichEdit::StreamOut(UINT format) {
    StreamBuffer buffer;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&buffer), 0, CollectStream};
    SendMessageW(Handle(), EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
    return buffer.bytes;
}

void TRichEdit::StreamIn(const std::string& bytes, UINT format) {
    StreamBuffer buffer{bytes, 0};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&buffer), 0, FeedStream};
    SendMessageW(Handle(), EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
}

WideString TRichEdit::StreamOutText(UINT flags) { return BytesWide(StreamOut(SF_TEXT | SF_UNICODE | flags)); }
void TRichEdit::StreamInText(const WideString& text, UINT flags) { StreamIn(WideBytes(text), SF_TEXT | SF_UNICODE | flags); }

WideString TRichEdit::WindowText(bool selectionOnly) {
    return LayerMarks(StreamOutText(selectionOnly ? SFF_SELECTION : 0));
}

void TRichEdit::SetWindowText(const WideString& text, bool selectionOnly, bool rtf) {
    if (rtf) StreamIn(FromWide(text), SF_RTF | (selectionOnly ? SFF_SELECTION : 0));
    else if (selectionOnly) InsertText(WithCrLf(text));
    else StreamInText(WindowMarks(WithCrLf(text)), 0);
    if (!selectionOnly) ApplyReadingOrder();
}

ITextDocument* TRichEdit::TextDocument() {
    if (!FTextDocumentAsked) {
        FTextDocumentAsked = true;
        IRichEditOle* ole = nullptr;
        if (SendMessageW(Handle(), EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) && ole)
            FTextDocument = TComPtr<IRichEditOle>::Attach(ole).As<ITextDocument>(TextDocumentIid);
    }
    return FTextDocument.Get();
}

void TRichEdit::SetRangeColor(int start, int length, TColor color) {
    const CHARRANGE whole = WholeLetters(CHARRANGE{start, start + length});
    start = whole.cpMin;
    length = whole.cpMax - whole.cpMin;
    const long rgb = color == clWindowText ? static_cast<long>(tomAutoColor) : static_cast<long>(ColorToRGB(color));
    // A text range of the object model colours without a selection: moving the selection there
    // and back would move the caret twice and repaint both places.
    if (ITextDocument* document = TextDocument()) {
        TComPtr<ITextRange> range;
        TComPtr<ITextFont> font;
        if (SUCCEEDED(document->Range(start, start + length, range.Out())) &&
            SUCCEEDED(range->GetFont(font.Out())) && SUCCEEDED(font->SetForeColor(rgb)))
            return;
    }
    CHARRANGE saved{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    CHARRANGE target{start, start + length};
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&target));
    FSelAttributes->SetColor(color);
    SendMessageW(FHandle, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
}

int TRichEdit::SelStart() {
    CHARRANGE r{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMin;
}

void TRichEdit::SetSelStart(int value) {
    CHARRANGE r{value, value};
    SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int TRichEdit::SelLength() {
    CHARRANGE r{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    return r.cpMax - r.cpMin;
}

void TRichEdit::SetSelLength(int value) {
    CHARRANGE r{};
    SendMessageW(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
    r.cpMax = r.cpMin + value;
    SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

String TRichEdit::SelText() { return FromWide(WindowText(true)); }

void TRichEdit::SetSelText(const String& value) {
    SetWindowText(ToWide(value), true);
    SendMessageW(FHandle, EM_SETMODIFY, TRUE, 0);
}

void TRichEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void TRichEdit::Clear() {
    SetWindowText(WideString(), false);
    SetModified(false);
}

bool TRichEdit::Modified() { return FHandle ? SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified; }

void TRichEdit::SetModified(bool value) {
    FModified = value;
    if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, value, 0);
}

int TRichEdit::LineCount() { return static_cast<int>(SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0)); }
int TRichEdit::LineIndex(int line) { return static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, line, 0)); }
int TRichEdit::LineFromChar(int position) { return static_cast<int>(SendMessageW(Handle(), EM_EXLINEFROMCHAR, 0, position)); }
int TRichEdit::LineLength(int position) { return static_cast<int>(SendMessageW(Handle(), EM_LINELENGTH, position, 0)); }

TPoint TRichEdit::CaretPos() {
    int start = SelStart();
    int line = LineFromChar(start);
    return Point(start - LineIndex(line), line);
}

void TRichEdit::SetCaretPos(TPoint value) {
    int start = LineIndex(value.Y);
    if (start >= 0) SetSelStart(start + value.X);
}

void TRichEdit::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    if (!FHandle) return;
    // The live window changes its wrap in place: a new window would carry the whole text over.
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, value ? style & ~ES_AUTOHSCROLL : style | ES_AUTOHSCROLL);
    SendMessageW(FHandle, EM_SETTARGETDEVICE, 0, value ? 0 : 1);
}

void TRichEdit::SetReadOnly(bool value) {
    if (value == FReadOnly) return;
    FReadOnly = value;
    if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TRichEdit::SetScrollBars(TScrollStyle value) {
    if (value == FScrollBars) return;
    FScrollBars = value;
    RecreateWnd();
}

void TRichEdit::SetHideScrollBars(bool value) {
    if (value == FHideScrollBars) return;
    FHideScrollBars = value;
    RecreateWnd();
}

void TRichEdit::SetHideSelection(bool value) {
    if (value == FHideSelection) return;
    FHideSelection = value;
    RecreateWnd();
}

void TRichEdit::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TRichEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_DESTROY) {
        FTextDocument.Reset();   // the object model goes with the window
        FTextDocumentAsked = false;
    }
    if (FHandle) {
        switch (m.Msg) {
        case WM_GETTEXTLENGTH:
            m.Result = static_cast<LRESULT>(WindowText(false).size());
            return;
        case WM_GETTEXT: {
            WideString text = WindowText(false);
            auto* out = reinterpret_cast<wchar_t*>(m.LParam);
            std::size_t room = m.WParam;
            if (!out || room == 0) { m.Result = 0; return; }
            std::size_t n = std::min(text.size(), room - 1);
            std::memcpy(out, text.data(), n * sizeof(wchar_t));
            out[n] = L'\0';
            m.Result = static_cast<LRESULT>(n);
            return;
        }
        case WM_SETTEXT: {
            auto* in = reinterpret_cast<const wchar_t*>(m.LParam);
            SetWindowText(in ? WideString(in) : WideString(), false);
            SendMessageW(FHandle, EM_SETMODIFY, FALSE, 0);
            m.Result = TRUE;
            return;
        }
        case CN_COMMAND:
            if (HIWORD(m.WParam) == EN_CHANGE) Change();
            return;
        default: break;
        }
    }
    TWinControl::WndProc(m);
    if (!FHandle) return;
    if (m.Msg == CM_COLORCHANGED) SendMessageW(FHandle, EM_SETBKGNDCOLOR, 0, ColorToRGB(Color()));
    if (m.Msg == CM_FONTCHANGED) FDefAttributes->Assign(Font());
}

void TRichEdit::DefaultHandler(TMessage& m) {
    if (m.Msg == WM_CHAR && FHandle && m.WParam >= 0x80) {
        // a character the ANSI window would lose to the system's code page goes in as UTF-16,
        // and a mark goes where it can be shaped
        char c = static_cast<char>(m.WParam & 0xFF);
        WideString w = ToWide(std::string_view(&c, 1));
        if (!w.empty() && (!FitsAnsiCodePage(w[0]) || IsArabicMark(w[0]))) {
            if (!FReadOnly) SetSelText(FromWide(w));
            m.Result = 0;
            return;
        }
    }
    TWinControl::DefaultHandler(m);
}
