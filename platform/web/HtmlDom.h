#pragma once
// The document seam: the few members of the browser's document object model that the HTML view
// calls, as thin wrappers. MshtmlDocument.h implements them over the browser's DOM,
// PageDocument.h over a small tree held in memory for tests.
//
// Texts are UTF-16, as the DOM holds them; the view converts where its events want bytes.
// A missing part (no body, no active element, no event object, a view the element does not
// answer) is an empty pointer; a DOM call that reports failure raises EOleSysError.
#include <memory>
#include <objidl.h>
#include <oaidl.h>
#include "platform/rtl/String.h"

namespace web {

// Event streams of the browser and its document, by DISPID, as the sink's Invoke receives them.
enum TDispId : long {
    DispDownloadComplete = 104,
    DispDownloadBegin = 106,
    DispBeforeNavigate2 = 250,
    DispDocumentComplete = 259,
    DispClick = -600,
    DispDblClick = -601,
    DispKeyDown = -602,
    DispMouseDown = -605,
    DispMouseUp = -607,
    DispCopyNotification = long(0x8001001B),
};

class THtmlStyle {
public:
    virtual ~THtmlStyle() = default;
    virtual void SetDirection(const WideString& value) = 0;   // "rtl" or "ltr"
};

class THtmlTxtRange {
public:
    virtual ~THtmlTxtRange() = default;
    virtual WideString Text() = 0;
};

class THtmlSelection {
public:
    virtual ~THtmlSelection() = default;
    virtual void Empty() = 0;
    virtual std::shared_ptr<THtmlTxtRange> CreateRange() = 0;
};

class THtmlEventObj {
public:
    virtual ~THtmlEventObj() = default;
    virtual bool AltKey() = 0;
    virtual bool CtrlKey() = 0;
    virtual bool ShiftKey() = 0;
    virtual int Button() = 0;
    virtual int X() = 0;
    virtual int Y() = 0;
    virtual int KeyCode() = 0;
    virtual void SetReturnValue(int value) = 0;   // 0 cancels the default action
};

class THtmlAnchor {
public:
    virtual ~THtmlAnchor() = default;
    virtual WideString Href() = 0;
    virtual WideString Name() = 0;
    virtual WideString Pathname() = 0;
};

class THtmlArea {
public:
    virtual ~THtmlArea() = default;
    virtual WideString Href() = 0;
    virtual WideString Pathname() = 0;
    virtual WideString Alt() = 0;
};

class THtmlImage {
public:
    virtual ~THtmlImage() = default;
    virtual WideString Src() = 0;
    virtual void SetSrc(const WideString& value) = 0;
    virtual WideString Dynsrc() = 0;
    virtual void SetDynsrc(const WideString& value) = 0;
};

class THtmlBGSound {
public:
    virtual ~THtmlBGSound() = default;
    virtual WideString Src() = 0;
};

class THtmlBody {
public:
    virtual ~THtmlBody() = default;
    // Empty when the page set no colour of its own.
    virtual WideString BgColor() = 0;
    virtual void SetBgColor(int rgb) = 0;          // 0xRRGGBB
    virtual void SetBackground(const WideString& value) = 0;
    // The body's style property, read through its dispatch interface; empty when the style
    // object does not answer the second style interface.
    virtual std::shared_ptr<THtmlStyle> Style() = 0;
};

class THtmlElement {
public:
    virtual ~THtmlElement() = default;
    virtual WideString Id() = 0;
    virtual WideString InnerText() = 0;
    virtual void SetInnerHTML(const WideString& value) = 0;
    virtual std::shared_ptr<THtmlAnchor> AsAnchor() = 0;
    virtual std::shared_ptr<THtmlArea> AsArea() = 0;
    virtual std::shared_ptr<THtmlImage> AsImage() = 0;
    virtual std::shared_ptr<THtmlBGSound> AsBGSound() = 0;
    virtual std::shared_ptr<THtmlBody> AsBody() = 0;
};

class THtmlElementCollection {
public:
    virtual ~THtmlElementCollection() = default;
    virtual int Length() = 0;
    virtual std::shared_ptr<THtmlElement> Item(int index) = 0;   // empty past the end
};

class THtmlWindow {
public:
    virtual ~THtmlWindow() = default;
    virtual std::shared_ptr<THtmlEventObj> Event() = 0;   // the event being delivered
};

class THtmlDocument {
public:
    virtual ~THtmlDocument() = default;
    virtual std::shared_ptr<THtmlElement> Body() = 0;
    virtual std::shared_ptr<THtmlElement> ActiveElement() = 0;
    virtual std::shared_ptr<THtmlWindow> ParentWindow() = 0;
    virtual std::shared_ptr<THtmlSelection> Selection() = 0;
    virtual std::shared_ptr<THtmlElementCollection> All() = 0;
    virtual WideString Title() = 0;
    virtual void SetTitle(const WideString& value) = 0;
    // Whether the document answers a query for the text-range interface.
    virtual bool AnswersTextRange() = 0;
    // Replaces the document's content with the stream's (IPersistStreamInit::Load).
    virtual void LoadFromStream(IStream* stream) = 0;
    // The document's event stream (HTMLDocumentEvents). Failures are answered, not raised, so
    // the caller can report them its own way.
    virtual HRESULT Advise(IUnknown* sink, DWORD& cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;
};

}  // namespace web
