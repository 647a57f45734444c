#include "controls/CoolEdit.h"
#include "platform/win/Clipboard.h"

TCoolEdit::TCoolEdit(TComponent* owner) : TCustomEdit(owner), TCoolText(this, 0, false, fbPlain) {}

void TCoolEdit::Notification(TComponent* component, TOperation operation) {
    TCustomEdit::Notification(component, operation);
    SkinNotification(component, operation);
}

void TCoolEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE;
    AlignParams(p);
}

void TCoolEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    FCtrlEnterDown = key == VK_RETURN && shift == ssCtrl;
    if (key == VK_INSERT && shift == ssShift) {
        // pasting by key goes the same way as every other paste
        key = 0;
        Perform(WM_PASTE);
    }
}

void TCoolEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key == '\r' || FCtrlEnterDown) {
        key = 0;
        MessageBeep(0);
    }
    FCtrlEnterDown = false;
}

void TCoolEdit::Change() {
    TextChanged();
    TCustomEdit::Change();
}

// A multi-line window would take the pasted lines; the text stays on one line.
void TCoolEdit::PasteOneLine() {
    if (ReadOnly()) return;
    WideString text = ClipboardText(Handle());
    std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCoolEdit::WndProc(TMessage& m) {
    auto inherited = [this](TMessage& message) { TCustomEdit::WndProc(message); };
    if (m.Msg == WM_PASTE) {
        PasteOneLine();
        return;
    }
    if (!TextMessage(m, inherited)) inherited(m);
}
