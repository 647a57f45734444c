#include "platform/ui/Memo.h"

// The lines of the memo's window, by the edit messages. A memo with no window and no parent to
// make one keeps its lines in its text.
class TCustomMemo::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}

    void Clear() override { FMemo->Clear(); }

    void Delete(int index) override {
        if (!Windowed()) { Detached([&](TStringList& l) { l.Delete(index); }); return; }
        HWND h = FMemo->Handle();
        LRESULT start = SendMessageW(h, EM_LINEINDEX, index, 0);
        if (start < 0) return;
        LRESULT end = SendMessageW(h, EM_LINEINDEX, index + 1, 0);
        if (end < 0) end = start + SendMessageW(h, EM_LINELENGTH, start, 0);
        Replace(start, end, WideString());
    }

    void Insert(int index, const String& s) override {
        if (index < 0) return;
        if (!Windowed()) { Detached([&](TStringList& l) { l.Insert(index, s); }); return; }
        HWND h = FMemo->Handle();
        LRESULT start = SendMessageW(h, EM_LINEINDEX, index, 0);
        WideString line;
        if (start >= 0) {
            line = ToWide(s) + L"\r\n";
        } else {
            // after the last line, which has no line break of its own
            start = SendMessageW(h, EM_LINEINDEX, index - 1, 0);
            if (start < 0) return;
            start += SendMessageW(h, EM_LINELENGTH, start, 0);
            line = L"\r\n" + ToWide(s);
        }
        Replace(start, start, line);
    }

    void Put(int index, const String& s) override {
        if (!Windowed()) { Detached([&](TStringList& l) { l.Put(index, s); }); return; }
        HWND h = FMemo->Handle();
        LRESULT start = SendMessageW(h, EM_LINEINDEX, index, 0);
        if (start < 0) return;
        Replace(start, start + SendMessageW(h, EM_LINELENGTH, start, 0), ToWide(s));
    }

protected:
    String Get(int index) const override {
        if (!Windowed()) {
            TStringList l;
            l.SetText(FMemo->Text());
            return l.Strings(index);
        }
        HWND h = FMemo->Handle();
        LRESULT start = SendMessageW(h, EM_LINEINDEX, index, 0);
        if (start < 0) return String();
        LRESULT length = SendMessageW(h, EM_LINELENGTH, start, 0);
        if (length <= 0) return String();
        WideString buf(static_cast<std::size_t>(std::max<LRESULT>(length, 1)), L'\0');
        buf[0] = static_cast<wchar_t>(length);   // EM_GETLINE reads the buffer's size from its first word
        LRESULT got = SendMessageW(h, EM_GETLINE, index, reinterpret_cast<LPARAM>(buf.data()));
        buf.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
        return FromWide(buf);
    }

    int GetCount() const override {
        if (!Windowed()) {
            TStringList l;
            l.SetText(FMemo->Text());
            return l.Count();
        }
        HWND h = FMemo->Handle();
        int count = static_cast<int>(SendMessageW(h, EM_GETLINECOUNT, 0, 0));
        // the empty line after a final line break is not a line
        if (SendMessageW(h, EM_LINELENGTH, SendMessageW(h, EM_LINEINDEX, count - 1, 0), 0) == 0) --count;
        return count;
    }

    void SetTextStr(const String& text) override { FMemo->SetText(text); }

    void SetUpdateState(bool updating) override {
        if (!FMemo->HandleAllocated()) return;
        SendMessageW(FMemo->Handle(), WM_SETREDRAW, !updating, 0);
        if (!updating) FMemo->Refresh();
    }

private:
    bool Windowed() const { return FMemo->HandleAllocated() || FMemo->Parent(); }

    void Replace(LRESULT start, LRESULT end, const WideString& text) {
        HWND h = FMemo->Handle();
        SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(start), end);
        SendMessageW(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    template <class F>
    void Detached(F change) {
        TStringList l;
        l.SetText(FMemo->Text());
        change(l);
        FMemo->SetText(l.Text());
    }

    TCustomMemo* FMemo;
};

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(this)) {
    SetAutoSize(false);
    SetBounds(FLeft, FTop, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style &= ~(ES_AUTOHSCROLL | ES_RIGHT | ES_CENTER);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
    if (FWantReturns) p.Style |= ES_WANTRETURN;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    UINT a = AlignmentFlag(FAlignment, UseRightToLeftAlignment());
    p.Style |= a == DT_CENTER ? ES_CENTER : a == DT_RIGHT ? ES_RIGHT : ES_LEFT;
}

void TCustomMemo::SetAlignment(TAlignment v) { if (v != FAlignment) { FAlignment = v; RecreateWnd(); } }
void TCustomMemo::SetScrollBars(TScrollStyle v) { if (v != FScrollBars) { FScrollBars = v; RecreateWnd(); } }
void TCustomMemo::SetWordWrap(bool v) { if (v != FWordWrap) { FWordWrap = v; RecreateWnd(); } }

TPoint TCustomMemo::CaretPos() {
    HWND h = Handle();
    DWORD start = 0;
    SendMessageW(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    int line = static_cast<int>(SendMessageW(h, EM_LINEFROMCHAR, start, 0));
    int column = static_cast<int>(start - SendMessageW(h, EM_LINEINDEX, line, 0));
    return Point(column, line);
}

void TCustomMemo::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if ((key == '\r' && !FWantReturns) || (key == '\t' && !FWantTabs)) key = 0;
}

void TCustomMemo::WndProc(TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        if (FWantTabs) m.Result |= DLGC_WANTTAB; else m.Result &= ~DLGC_WANTTAB;
        if (!FWantReturns) m.Result &= ~DLGC_WANTALLKEYS;
        return;
    }
    TCustomEdit::WndProc(m);
}
