#include "MemoryHtmlDocument.h"
#include <cwchar>
#include <cwctype>

namespace web {

namespace {

WideString Upper(WideString s) {
    for (wchar_t& c : s) c = wchar_t(std::towupper(c));
    return s;
}

// The text a browser would show for a piece of markup: everything outside its tags.
WideString TextOf(const WideString& html) {
    WideString out;
    bool inTag = false;
    for (wchar_t c : html) {
        if (c == L'<') inTag = true;
        else if (c == L'>' && inTag) inTag = false;
        else if (!inTag) out.push_back(c);
    }
    return out;
}

class TMemoryTxtRange : public THtmlTxtRange {
public:
    explicit TMemoryTxtRange(WideString text) : FText(std::move(text)) {}
    WideString Text() override { return FText; }
private:
    WideString FText;
};

class TMemorySelection : public THtmlSelection {
public:
    explicit TMemorySelection(std::shared_ptr<TMemoryHtmlDocument> document) : FDocument(std::move(document)) {}
    void Empty() override { FDocument->SetSelectedText(WideString()); }
    std::shared_ptr<THtmlTxtRange> CreateRange() override { return std::make_shared<TMemoryTxtRange>(FDocument->SelectedText()); }
private:
    std::shared_ptr<TMemoryHtmlDocument> FDocument;
};

class TMemoryCollection : public THtmlElementCollection {
public:
    explicit TMemoryCollection(std::shared_ptr<TMemoryHtmlElement> root) : FRoot(std::move(root)) {}
    // Read afresh on every call, as the live collection of a document is.
    int Length() override { return int(Elements().size()); }
    std::shared_ptr<THtmlElement> Item(int index) override {
        auto all = Elements();
        if (index < 0 || index >= int(all.size())) return nullptr;
        return all[std::size_t(index)];
    }
private:
    std::vector<std::shared_ptr<TMemoryHtmlElement>> Elements() {
        std::vector<std::shared_ptr<TMemoryHtmlElement>> all;
        FRoot->CollectInto(all);
        return all;
    }
    std::shared_ptr<TMemoryHtmlElement> FRoot;
};

}  // namespace

class TMemoryHtmlWindow : public THtmlWindow {
public:
    explicit TMemoryHtmlWindow(std::shared_ptr<TMemoryHtmlDocument> document) : FDocument(std::move(document)) {}
    std::shared_ptr<THtmlEventObj> Event() override { return FDocument->FEvent; }
private:
    std::shared_ptr<TMemoryHtmlDocument> FDocument;
};

TMemoryHtmlElement::TMemoryHtmlElement(WideString tag) : FTag(Upper(std::move(tag))) {}

WideString TMemoryHtmlElement::Attribute(const WideString& name) const {
    auto it = FAttributes.find(name);
    return it == FAttributes.end() ? WideString() : it->second;
}

std::shared_ptr<TMemoryHtmlElement> TMemoryHtmlElement::Add(const WideString& tag, std::map<WideString, WideString> attributes) {
    auto child = std::make_shared<TMemoryHtmlElement>(tag);
    child->FAttributes = std::move(attributes);
    FChildren.push_back(child);
    return child;
}

void TMemoryHtmlElement::SetInnerHTML(const WideString& value) {
    FChildren.clear();
    FInnerHTML = value;
    FInnerText = TextOf(value);
}

template <class View>
std::shared_ptr<View> TMemoryHtmlElement::ViewIf(const wchar_t* tag) {
    if (FTag != tag) return nullptr;
    return std::shared_ptr<View>(shared_from_this(), static_cast<View*>(this));
}

std::shared_ptr<THtmlAnchor> TMemoryHtmlElement::AsAnchor() { return ViewIf<THtmlAnchor>(L"A"); }
std::shared_ptr<THtmlArea> TMemoryHtmlElement::AsArea() { return ViewIf<THtmlArea>(L"AREA"); }
std::shared_ptr<THtmlImage> TMemoryHtmlElement::AsImage() { return ViewIf<THtmlImage>(L"IMG"); }
std::shared_ptr<THtmlBGSound> TMemoryHtmlElement::AsBGSound() { return ViewIf<THtmlBGSound>(L"BGSOUND"); }
std::shared_ptr<THtmlBody> TMemoryHtmlElement::AsBody() { return ViewIf<THtmlBody>(L"BODY"); }

void TMemoryHtmlElement::SetBgColor(int rgb) {
    // read back as the browser spells a colour it was given as a number
    wchar_t text[8];
    std::swprintf(text, 8, L"#%06x", unsigned(rgb) & 0xFFFFFFu);
    SetAttribute(L"bgcolor", text);
}

std::shared_ptr<THtmlStyle> TMemoryHtmlElement::Style() {
    if (!StyleAnswers) return nullptr;
    return FStyle;
}

void TMemoryHtmlElement::CollectInto(std::vector<std::shared_ptr<TMemoryHtmlElement>>& out) {
    out.push_back(shared_from_this());
    for (auto& c : FChildren) c->CollectInto(out);
}

TMemoryHtmlDocument::TMemoryHtmlDocument()
    : FRoot(std::make_shared<TMemoryHtmlElement>(L"HTML")) {
    FHead = FRoot->Add(L"HEAD");
    FBody = FRoot->Add(L"BODY");
}

void TMemoryHtmlDocument::RemoveBody() {
    // a frameset page has none
    auto root = std::make_shared<TMemoryHtmlElement>(L"HTML");
    root->Add(L"HEAD");
    FRoot = root;
    FHead = root->Children().front();
    FBody.reset();
}

std::shared_ptr<THtmlWindow> TMemoryHtmlDocument::ParentWindow() {
    return std::make_shared<TMemoryHtmlWindow>(shared_from_this());
}

std::shared_ptr<THtmlSelection> TMemoryHtmlDocument::Selection() {
    return std::make_shared<TMemorySelection>(shared_from_this());
}

std::shared_ptr<THtmlElementCollection> TMemoryHtmlDocument::All() { return std::make_shared<TMemoryCollection>(FRoot); }

void TMemoryHtmlDocument::LoadFromStream(IStream* stream) {
    FLoadedBytes.clear();
    char buffer[4096];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) FLoadedBytes.append(buffer, read);
    ++FLoadCount;
}

}  // namespace web
