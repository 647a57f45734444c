#pragma once
// The document seam over a small element tree in memory, for tests of the HTML view: what a
// page would hold is set up directly (elements and attributes, the active element, the event
// being delivered, the selection), and the document's events are fired into advised sinks.
#include <map>
#include <optional>
#include <vector>
#include "platform/web/HtmlDom.h"
#include "platform/web/MemoryEventSource.h"

namespace web {

class TMemoryHtmlStyle : public THtmlStyle {
public:
    void SetDirection(const WideString& value) override { Direction = value; }
    WideString Direction;
};

class TMemoryEventObj : public THtmlEventObj {
public:
    bool AltKey() override { return Alt; }
    bool CtrlKey() override { return Ctrl; }
    bool ShiftKey() override { return Shift; }
    int Button() override { return ButtonValue; }
    int X() override { return XValue; }
    int Y() override { return YValue; }
    int KeyCode() override { return KeyCodeValue; }
    void SetReturnValue(int value) override { ReturnValue = value; }

    bool Alt = false;
    bool Ctrl = false;
    bool Shift = false;
    int ButtonValue = 0;
    int XValue = 0;
    int YValue = 0;
    int KeyCodeValue = 0;
    std::optional<int> ReturnValue;   // set when the page's handler wrote it
};

// One element; it answers the anchor, area, image, background-sound and body views when its
// tag is A, AREA, IMG, BGSOUND or BODY. Attribute names are lower case.
class TMemoryHtmlElement : public THtmlElement,
                           public THtmlAnchor,
                           public THtmlArea,
                           public THtmlImage,
                           public THtmlBGSound,
                           public THtmlBody,
                           public std::enable_shared_from_this<TMemoryHtmlElement> {
public:
    explicit TMemoryHtmlElement(WideString tag);

    const WideString& Tag() const { return FTag; }
    WideString Attribute(const WideString& name) const;
    void SetAttribute(const WideString& name, const WideString& value) { FAttributes[name] = value; }
    std::shared_ptr<TMemoryHtmlElement> Add(const WideString& tag, std::map<WideString, WideString> attributes = {});
    const std::vector<std::shared_ptr<TMemoryHtmlElement>>& Children() const { return FChildren; }
    const WideString& InnerHTML() const { return FInnerHTML; }
    void SetInnerText(const WideString& value) { FInnerText = value; }
    TMemoryHtmlStyle& StyleObject() { return *FStyle; }
    bool StyleAnswers = true;   // false: the style object lacks the second style interface

    // THtmlElement
    WideString Id() override { return Attribute(L"id"); }
    WideString InnerText() override { return FInnerText; }
    void SetInnerHTML(const WideString& value) override;
    std::shared_ptr<THtmlAnchor> AsAnchor() override;
    std::shared_ptr<THtmlArea> AsArea() override;
    std::shared_ptr<THtmlImage> AsImage() override;
    std::shared_ptr<THtmlBGSound> AsBGSound() override;
    std::shared_ptr<THtmlBody> AsBody() override;
    // THtmlAnchor, THtmlArea
    WideString Href() override { return Attribute(L"href"); }
    WideString Name() override { return Attribute(L"name"); }
    WideString Pathname() override { return Attribute(L"pathname"); }
    WideString Alt() override { return Attribute(L"alt"); }
    // THtmlImage, THtmlBGSound
    WideString Src() override { return Attribute(L"src"); }
    void SetSrc(const WideString& value) override { SetAttribute(L"src", value); }
    WideString Dynsrc() override { return Attribute(L"dynsrc"); }
    void SetDynsrc(const WideString& value) override { SetAttribute(L"dynsrc", value); }
    // THtmlBody
    WideString BgColor() override { return Attribute(L"bgcolor"); }
    void SetBgColor(int rgb) override;
    void SetBackground(const WideString& value) override { SetAttribute(L"background", value); }
    std::shared_ptr<THtmlStyle> Style() override;

    void CollectInto(std::vector<std::shared_ptr<TMemoryHtmlElement>>& out);

private:
    template <class View>
    std::shared_ptr<View> ViewIf(const wchar_t* tag);

    WideString FTag;
    std::map<WideString, WideString> FAttributes;
    std::vector<std::shared_ptr<TMemoryHtmlElement>> FChildren;
    WideString FInnerHTML;
    WideString FInnerText;
    std::shared_ptr<TMemoryHtmlStyle> FStyle = std::make_shared<TMemoryHtmlStyle>();
};

class TMemoryHtmlDocument : public THtmlDocument, public std::enable_shared_from_this<TMemoryHtmlDocument> {
public:
    // An HTML element holding HEAD and BODY.
    TMemoryHtmlDocument();

    std::shared_ptr<TMemoryHtmlElement> Root() const { return FRoot; }
    std::shared_ptr<TMemoryHtmlElement> Head() const { return FHead; }
    std::shared_ptr<TMemoryHtmlElement> BodyElement() const { return FBody; }
    void RemoveBody();
    void SetActiveElement(std::shared_ptr<TMemoryHtmlElement> element) { FActive = std::move(element); }
    void SetEvent(std::shared_ptr<TMemoryEventObj> event) { FEvent = std::move(event); }
    void SetSelectedText(const WideString& text) { FSelectedText = text; }
    const WideString& SelectedText() const { return FSelectedText; }
    bool TextRangeAnswers = false;   // what a query of the document for the text range answers
    const std::string& LoadedBytes() const { return FLoadedBytes; }
    int LoadCount() const { return FLoadCount; }
    // Fires one of the document's events into every advised sink.
    void FireEvent(DISPID id) { FEvents.Fire(id); }
    TMemoryEventSource& Events() { return FEvents; }

    std::shared_ptr<THtmlElement> Body() override { return FBody; }
    std::shared_ptr<THtmlElement> ActiveElement() override { return FActive; }
    std::shared_ptr<THtmlWindow> ParentWindow() override;
    std::shared_ptr<THtmlSelection> Selection() override;
    std::shared_ptr<THtmlElementCollection> All() override;
    WideString Title() override { return FTitle; }
    void SetTitle(const WideString& value) override { FTitle = value; }
    bool AnswersTextRange() override { return TextRangeAnswers; }
    void LoadFromStream(IStream* stream) override;
    HRESULT Advise(IUnknown* sink, DWORD& cookie) override { return FEvents.Advise(sink, cookie); }
    HRESULT Unadvise(DWORD cookie) override { return FEvents.Unadvise(cookie); }

private:
    friend class TMemoryHtmlWindow;
    std::shared_ptr<TMemoryHtmlElement> FRoot;
    std::shared_ptr<TMemoryHtmlElement> FHead;
    std::shared_ptr<TMemoryHtmlElement> FBody;
    std::shared_ptr<TMemoryHtmlElement> FActive;
    std::shared_ptr<TMemoryEventObj> FEvent;
    WideString FSelectedText;
    WideString FTitle;
    std::string FLoadedBytes;
    int FLoadCount = 0;
    TMemoryEventSource FEvents;
};

}  // namespace web
