// TWebView: the browser's and the document's events, as the host sink hands them on.
#include "WebView.h"
#include "platform/rtl/SysUtils.h"

namespace {

TShiftState ShiftOf(web::THtmlEventObj& event) {
    TShiftState shift = 0;
    if (event.AltKey()) shift |= ssAlt;
    if (event.CtrlKey()) shift |= ssCtrl;
    if (event.ShiftKey()) shift |= ssShift;
    return shift;
}

TMouseButton ButtonOf(web::THtmlEventObj& event) {
    switch (event.Button()) {
        case 2: return mbRight;
        case 4: return mbMiddle;
        default: return mbLeft;
    }
}

// A path's parts as the anchor and area clicks hand them on: the folder through its last
// backslash or colon, and what follows it.
std::size_t AfterLastSeparator(const WideString& path) {
    std::size_t i = path.find_last_of(L"\\:");
    return i == WideString::npos ? 0 : i + 1;
}
WideString FolderPart(const WideString& path) { return path.substr(0, AfterLastSeparator(path)); }
WideString NamePart(const WideString& path) { return path.substr(AfterLastSeparator(path)); }

}  // namespace

HRESULT TWebView::HandleInvoke(DISPID dispId, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    // The browser expects S_OK, and an exception must not unwind into it: errors go to the
    // application's handler.
    try {
        switch (dispId) {
            case web::DispDownloadComplete: FetchPageMedia(); break;
            case web::DispDocumentComplete: AdviseDocument(); break;
            case web::DispClick: DocumentClick(); break;
            case web::DispDblClick: DocumentDblClick(); break;
            case web::DispKeyDown: DocumentKeyDown(); break;
            case web::DispMouseDown: DocumentMouseDown(); break;
            case web::DispMouseUp: DocumentMouseUp(); break;
            case web::DispCopyNotification: DocumentCopy(); break;
            default: break;   // DownloadBegin, BeforeNavigate2 and the rest: nothing to do
        }
    } catch (const std::exception& e) {
        if (HandleException) HandleException(e);
    } catch (...) {
        if (HandleException) HandleException(Exception("Unknown error in an event of the HTML view"));
    }
    return S_OK;
}

void TWebView::DocumentClick() {
    if (!FWindow || !FDocument) return;
    auto active = FDocument->ActiveElement();
    if (!active) return;
    FActiveElement = active;
    if (auto anchor = active->AsAnchor()) {
        AnchorClick(*active, *anchor);
        return;
    }
    if (auto area = active->AsArea()) {
        AreaClick(*area);
        return;
    }
    const WideString title = FDocument->Title();
    FDocumentTitle = FromWide(title);
    if (title == L"JAPANESE") {
        Stop();
        return;
    }
    if (auto event = FWindow->Event()) {
        if (OnClick) OnClick(EventSender, event->X(), event->Y());
    }
}

// Only anchors with the id "QZV" are the host's; the browser follows every other link itself.
void TWebView::AnchorClick(web::THtmlElement& element, web::THtmlAnchor& anchor) {
    try {
        auto event = FWindow->Event();
        if (!event) return;
        if (element.Id() != L"QZV") return;
        Stop();
        event->SetReturnValue(0);
        WideString name = anchor.Name();
        const WideString pathname = anchor.Pathname();
        if (name.empty()) name = FolderPart(pathname);
        const WideString href = pathname.empty() ? anchor.Href() : NamePart(pathname);
        if (OnAnchor) OnAnchor(EventSender, href, name);
    } catch (...) {
        // a link the host cannot take is simply not taken
    }
}

void TWebView::AreaClick(web::THtmlArea& area) {
    try {
        Stop();
        auto event = FWindow->Event();
        if (!event) return;
        event->SetReturnValue(0);
        const String href = FromWide(NamePart(area.Pathname()));
        const String alt = FromWide(area.Alt());
        if (OnHtmlArea) OnHtmlArea(EventSender, href, alt);
    } catch (...) {
        // as for anchors
    }
}

void TWebView::DocumentDblClick() {
    if (!FWindow || !FDocument || !FDocument->ActiveElement()) return;
    if (auto event = FWindow->Event()) {
        if (OnDblClick) OnDblClick(EventSender, event->X(), event->Y());
    }
}

void TWebView::DocumentKeyDown() {
    if (!FWindow) return;
    auto event = FWindow->Event();
    if (!event) return;
    // what the handler writes into the key stays with the handler
    std::uint16_t key = std::uint16_t(event->KeyCode() & 0xFFFF);
    const TShiftState shift = ShiftOf(*event);
    if (OnKeyDown) OnKeyDown(EventSender, key, shift);
}

void TWebView::DocumentMouseDown() {
    if (!OnMouseDown || !FWindow || !FDocument || !FDocument->ActiveElement()) return;
    auto event = FWindow->Event();
    if (!event) return;
    OnMouseDown(EventSender, ButtonOf(*event), ShiftOf(*event), event->X(), event->Y());
}

void TWebView::DocumentMouseUp() {
    if (!OnMouseUp || !FWindow || !FDocument) return;
    auto active = FDocument->ActiveElement();
    if (!active) return;
    auto event = FWindow->Event();
    if (!event) return;
    FActiveElement = active;
    OnMouseUp(EventSender, ButtonOf(*event), ShiftOf(*event), event->X(), event->Y());
}

void TWebView::DocumentCopy() {
    if (OnCopy) OnCopy(EventSender);
}
