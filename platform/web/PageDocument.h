#pragma once
// The document seam over our own page renderer: the parsed tree of a page, its style and its
// layout, with the elements, window, event object, selection and event stream the HTML view
// calls. Without a window (in tests) it is the page in memory; the engine-less browser
// (PageBrowser.h) gives it a window, lays it out, paints it and turns input into its events.
#include <functional>
#include <map>
#include <optional>
#include <vector>
#include "platform/web/HtmlDom.h"
#include "platform/web/HtmlTree.h"
#include "platform/web/MemoryEventSource.h"
#include "platform/web/PageLayout.h"
#include "platform/web/PageStyle.h"

namespace web {

class TPageDocument;

// The event being delivered: what the browser saw of the mouse and keys.
class TPageEventObj : public THtmlEventObj {
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
    std::optional<int> ReturnValue;   // set when a handler wrote it; 0 cancels the default action
};

// One element of the page. It answers the anchor, area, image, background-sound and body views
// when its tag is a, area, img, bgsound or body.
class TPageElement : public THtmlElement,
                     public THtmlAnchor,
                     public THtmlArea,
                     public THtmlImage,
                     public THtmlBGSound,
                     public THtmlBody,
                     public std::enable_shared_from_this<TPageElement> {
public:
    TPageElement(std::shared_ptr<TPageDocument> document, THtmlNodePtr node);

    THtmlNode& Node() const { return *FNode; }
    const THtmlNodePtr& NodePtr() const { return FNode; }
    // Tag in upper case, as the browser's DOM spells it.
    WideString Tag() const;
    WideString Attribute(const WideString& name) const { return FNode->Attribute(name); }
    void SetAttribute(const WideString& name, const WideString& value);
    // A new element of that tag at the end of this one.
    std::shared_ptr<TPageElement> Add(const WideString& tag, std::map<WideString, WideString> attributes = {});
    std::vector<std::shared_ptr<TPageElement>> Children() const;
    // A property of the element's style attribute ("direction"), empty when it sets none.
    WideString StyleProperty(const WideString& name) const;
    // What a query of the body's style for its second style interface answers: the renderer's
    // always does; false stands for a style object that does not.
    bool StyleAnswers = true;

    // THtmlElement
    WideString Id() override { return Attribute(L"id"); }
    WideString InnerText() override { return FNode->TextContent(); }
    WideString InnerHTML() const { return FNode->InnerHTML(); }
    void SetInnerHTML(const WideString& value) override;
    std::shared_ptr<THtmlAnchor> AsAnchor() override;
    std::shared_ptr<THtmlArea> AsArea() override;
    std::shared_ptr<THtmlImage> AsImage() override;
    std::shared_ptr<THtmlBGSound> AsBGSound() override;
    std::shared_ptr<THtmlBody> AsBody() override;
    // THtmlAnchor, THtmlArea: href made absolute against the page; pathname the local path it
    // leads to (the inner path for a compiled help file), empty for other places
    WideString Href() override;
    WideString Name() override { return Attribute(L"name"); }
    WideString Pathname() override;
    WideString Alt() override { return Attribute(L"alt"); }
    // THtmlImage, THtmlBGSound: the source as written
    WideString Src() override { return Attribute(L"src"); }
    void SetSrc(const WideString& value) override { SetAttribute(L"src", value); }
    WideString Dynsrc() override { return Attribute(L"dynsrc"); }
    void SetDynsrc(const WideString& value) override { SetAttribute(L"dynsrc", value); }
    // THtmlBody
    WideString BgColor() override { return Attribute(L"bgcolor"); }
    void SetBgColor(int rgb) override;
    void SetBackground(const WideString& value) override { SetAttribute(L"background", value); }
    std::shared_ptr<THtmlStyle> Style() override;

private:
    template <class View>
    std::shared_ptr<View> ViewIf(const wchar_t* tag);
    void Changed();

    std::weak_ptr<TPageDocument> FDocument;
    THtmlNodePtr FNode;
};

class TPageDocument : public THtmlDocument, public std::enable_shared_from_this<TPageDocument> {
public:
    // An empty page: html holding head and body.
    TPageDocument();

    // Replaces the page with one read from bytes (its charset found from them).
    void Load(const std::string& bytes);
    void Load(const std::string& bytes, const WideString& url);
    // The address the page came from; relative references resolve against it (or its base).
    const WideString& Url() const { return FUrl; }
    void SetUrl(const WideString& url) { FUrl = url; }
    // The folder relative references resolve against: the page's base element, else its URL's.
    WideString BaseUrl() const;
    WideString Resolve(const WideString& reference) const;
    const THtmlNode& Tree() const { return *FTree; }
    THtmlNode* BodyNode() const;
    // The one element object of a node while anyone holds it, as a DOM keeps its elements.
    std::shared_ptr<TPageElement> Wrap(const THtmlNode* node);
    std::shared_ptr<TPageElement> BodyElement();
    std::shared_ptr<TPageElement> Head();
    // Called after the page is replaced (loaded true) and after a change to its tree (false).
    std::function<void(bool loaded)> OnChanged;
    // Reads what linked style sheets name; without it they are skipped.
    std::function<std::optional<std::string>(const WideString& url)> ReadResource;
    void Changed() { if (OnChanged) OnChanged(false); }

    // Layout: styles from the page's style elements and linked sheets.
    void Relayout(int width, TLayoutServices& services);
    const TPageLayout& Layout() const { return FLayout; }
    bool NeedsBuild() const { return FNeedsBuild; }
    void Invalidate() {
        FNeedsBuild = true;
        FLayout.Clear();
    }

    void SetActiveElement(std::shared_ptr<TPageElement> element) { FActive = std::move(element); }
    void SetEvent(std::shared_ptr<TPageEventObj> event) { FEvent = std::move(event); }
    std::shared_ptr<TPageEventObj> CurrentEvent() const { return FEvent; }
    // The selection: the text the user chose, and for painting the sequences of its first and
    // last words in the layout (-1 when it is not in the layout).
    void SetSelectedText(const WideString& text) { SetSelection(-1, -1, text); }
    void SetSelection(int from, int to, const WideString& text);
    const WideString& SelectedText() const { return FSelectedText; }
    int SelectionFrom() const { return FSelectionFrom; }
    int SelectionTo() const { return FSelectionTo; }
    // What a query of the document for the text-range interface answers; the browser's
    // document does not answer it, and neither does this one unless told.
    bool TextRangeAnswers = false;
    const std::string& LoadedBytes() const { return FLoadedBytes; }
    int LoadCount() const { return FLoadCount; }
    // Fires one of the document's events into every advised sink.
    void FireEvent(DISPID id) { FEvents.Fire(id); }
    TMemoryEventSource& Events() { return FEvents; }

    // THtmlDocument
    std::shared_ptr<THtmlElement> Body() override { return BodyElement(); }
    std::shared_ptr<THtmlElement> ActiveElement() override { return FActive; }
    std::shared_ptr<THtmlWindow> ParentWindow() override;
    std::shared_ptr<THtmlSelection> Selection() override;
    std::shared_ptr<THtmlElementCollection> All() override;
    WideString Title() override;
    void SetTitle(const WideString& value) override { FTitle = value; }
    bool AnswersTextRange() override { return TextRangeAnswers; }
    void LoadFromStream(IStream* stream) override;
    HRESULT Advise(IUnknown* sink, DWORD& cookie) override { return FEvents.Advise(sink, cookie); }
    HRESULT Unadvise(DWORD cookie) override { return FEvents.Unadvise(cookie); }

private:
    THtmlNodePtr FTree;
    std::map<const THtmlNode*, std::weak_ptr<TPageElement>> FElements;
    WideString FUrl;
    std::optional<WideString> FTitle;
    std::shared_ptr<TPageElement> FActive;
    std::shared_ptr<TPageEventObj> FEvent;
    WideString FSelectedText;
    int FSelectionFrom = -1;
    int FSelectionTo = -1;
    std::string FLoadedBytes;
    int FLoadCount = 0;
    TMemoryEventSource FEvents;
    TPageLayout FLayout;
    std::vector<std::unique_ptr<TStyleSheet>> FSheets;
    TStyleResolver FStyles;
    bool FNeedsBuild = true;
    int FLaidWidth = -1;
};

}  // namespace web
