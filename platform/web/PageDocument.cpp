#include "platform/web/PageDocument.h"
#include <cwctype>
#include "platform/web/CompiledHelp.h"
#include "platform/web/HtmlParser.h"
#include "platform/web/PageEncoding.h"
#include "platform/web/PageResources.h"

namespace web {

namespace {

WideString Lower(WideString s) {
    for (wchar_t& c : s) c = wchar_t(std::towlower(c));
    return s;
}

class TPageTxtRange : public THtmlTxtRange {
public:
    explicit TPageTxtRange(WideString text) : FText(std::move(text)) {}
    WideString Text() override { return FText; }
private:
    WideString FText;
};

class TPageSelection : public THtmlSelection {
public:
    explicit TPageSelection(std::shared_ptr<TPageDocument> document) : FDocument(std::move(document)) {}
    void Empty() override {
        FDocument->SetSelection(-1, -1, WideString());
        FDocument->Changed();
    }
    std::shared_ptr<THtmlTxtRange> CreateRange() override { return std::make_shared<TPageTxtRange>(FDocument->SelectedText()); }
private:
    std::shared_ptr<TPageDocument> FDocument;
};

class TPageWindow : public THtmlWindow {
public:
    explicit TPageWindow(std::shared_ptr<TPageDocument> document) : FDocument(std::move(document)) {}
    std::shared_ptr<THtmlEventObj> Event() override { return FDocument->CurrentEvent(); }
private:
    std::shared_ptr<TPageDocument> FDocument;
};

// The document's all collection, read afresh on every call as a live collection is.
class TPageCollection : public THtmlElementCollection {
public:
    explicit TPageCollection(std::shared_ptr<TPageDocument> document) : FDocument(std::move(document)) {}
    int Length() override { return int(Elements().size()); }
    std::shared_ptr<THtmlElement> Item(int index) override {
        auto all = Elements();
        if (index < 0 || index >= int(all.size())) return nullptr;
        return FDocument->Wrap(all[std::size_t(index)]);
    }
private:
    std::vector<const THtmlNode*> Elements() {
        std::vector<const THtmlNode*> all;
        ForEachNode(const_cast<THtmlNode&>(FDocument->Tree()), [&](THtmlNode& n) {
            if (n.IsElement()) all.push_back(&n);
        });
        return all;
    }
    std::shared_ptr<TPageDocument> FDocument;
};

class TPageStyleObject : public THtmlStyle {
public:
    explicit TPageStyleObject(std::shared_ptr<TPageElement> element) : FElement(std::move(element)) {}
    void SetDirection(const WideString& value) override {
        // the style attribute keeps its other declarations
        WideString kept;
        for (const TCssDeclaration& d : ParseDeclarations(FElement->Attribute(L"style"))) {
            if (d.Property == L"direction") continue;
            kept += d.Property + L":" + d.Value + L";";
        }
        FElement->SetAttribute(L"style", kept + L"direction:" + value);
    }
private:
    std::shared_ptr<TPageElement> FElement;
};

WideString CollapsedText(const WideString& text) {
    WideString out;
    bool space = true;
    for (wchar_t c : text) {
        if (std::iswspace(c)) {
            if (!space) out.push_back(L' ');
            space = true;
        } else {
            out.push_back(c);
            space = false;
        }
    }
    if (!out.empty() && out.back() == L' ') out.pop_back();
    return out;
}

}  // namespace

// Elements

TPageElement::TPageElement(std::shared_ptr<TPageDocument> document, THtmlNodePtr node)
    : FDocument(document), FNode(std::move(node)) {}

WideString TPageElement::Tag() const {
    WideString t = FNode->Tag;
    for (wchar_t& c : t) c = wchar_t(std::towupper(c));
    return t;
}

void TPageElement::Changed() {
    if (auto doc = FDocument.lock()) {
        doc->Invalidate();
        doc->Changed();
    }
}

void TPageElement::SetAttribute(const WideString& name, const WideString& value) {
    FNode->SetAttribute(Lower(name), value);
    Changed();
}

std::shared_ptr<TPageElement> TPageElement::Add(const WideString& tag, std::map<WideString, WideString> attributes) {
    auto node = std::make_shared<THtmlNode>(TNodeKind::Element, Lower(tag));
    for (auto& [n, v] : attributes) node->SetAttribute(Lower(n), v);
    FNode->Append(node);
    Changed();
    auto doc = FDocument.lock();
    return doc ? doc->Wrap(node.get()) : std::make_shared<TPageElement>(nullptr, node);
}

std::vector<std::shared_ptr<TPageElement>> TPageElement::Children() const {
    std::vector<std::shared_ptr<TPageElement>> out;
    auto doc = FDocument.lock();
    for (auto& c : FNode->Children)
        if (c->IsElement()) out.push_back(doc ? doc->Wrap(c.get()) : std::make_shared<TPageElement>(nullptr, c));
    return out;
}

WideString TPageElement::StyleProperty(const WideString& name) const {
    WideString value;
    for (const TCssDeclaration& d : ParseDeclarations(Attribute(L"style")))
        if (d.Property == name) value = d.Value;
    return value;
}

void TPageElement::SetInnerHTML(const WideString& value) {
    FNode->RemoveChildren();
    for (auto& n : ParseHtmlFragment(value)) FNode->Append(std::move(n));
    Changed();
}

template <class View>
std::shared_ptr<View> TPageElement::ViewIf(const wchar_t* tag) {
    if (FNode->Tag != tag) return nullptr;
    return std::shared_ptr<View>(shared_from_this(), static_cast<View*>(this));
}

std::shared_ptr<THtmlAnchor> TPageElement::AsAnchor() { return ViewIf<THtmlAnchor>(L"a"); }
std::shared_ptr<THtmlArea> TPageElement::AsArea() { return ViewIf<THtmlArea>(L"area"); }
std::shared_ptr<THtmlImage> TPageElement::AsImage() { return ViewIf<THtmlImage>(L"img"); }
std::shared_ptr<THtmlBGSound> TPageElement::AsBGSound() { return ViewIf<THtmlBGSound>(L"bgsound"); }
std::shared_ptr<THtmlBody> TPageElement::AsBody() { return ViewIf<THtmlBody>(L"body"); }

WideString TPageElement::Href() {
    const WideString* href = FNode->FindAttribute(L"href");
    if (!href) return WideString();
    auto doc = FDocument.lock();
    return doc ? doc->Resolve(*href) : *href;
}

WideString TPageElement::Pathname() {
    const WideString href = Href();
    switch (UrlKind(href)) {
    case TUrlKind::File: return FilePathOf(href);
    case TUrlKind::CompiledHelp: {
        WideString chm, inner;
        SplitCompiledHelpUrl(href, chm, inner);
        std::size_t cut = inner.find_first_of(L"#?");
        return cut == WideString::npos ? inner : inner.substr(0, cut);
    }
    default: return WideString();
    }
}

void TPageElement::SetBgColor(int rgb) {
    // read back as the browser spells a colour it was given as a number
    wchar_t text[8];
    std::swprintf(text, 8, L"#%06x", unsigned(rgb) & 0xFFFFFFu);
    SetAttribute(L"bgcolor", text);
}

std::shared_ptr<THtmlStyle> TPageElement::Style() {
    if (!StyleAnswers) return nullptr;
    return std::make_shared<TPageStyleObject>(shared_from_this());
}

// Document

TPageDocument::TPageDocument() : FTree(ParseHtml(L"")) {}

void TPageDocument::Load(const std::string& bytes, const WideString& url) {
    FUrl = url;
    Load(bytes);
}

void TPageDocument::Load(const std::string& bytes) {
    FLoadedBytes = bytes;
    ++FLoadCount;
    std::string_view content(bytes);
    if (content.size() > MaxPageBytes) content = content.substr(0, MaxPageBytes);
    FTree = ParseHtml(DecodePage(content));
    FTitle.reset();
    FActive.reset();
    FSelectedText.clear();
    FSelectionFrom = FSelectionTo = -1;
    Invalidate();
    if (OnChanged) OnChanged(true);
}

void TPageDocument::LoadFromStream(IStream* stream) {
    std::string bytes;
    char buffer[65536];
    ULONG read = 0;
    while (bytes.size() <= MaxPageBytes && SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
        bytes.append(buffer, read);
    Load(bytes);
}

THtmlNode* TPageDocument::BodyNode() const { return FTree->Find(L"body"); }

std::shared_ptr<TPageElement> TPageDocument::Wrap(const THtmlNode* node) {
    if (!node) return nullptr;
    auto it = FElements.find(node);
    if (it != FElements.end()) {
        if (auto element = it->second.lock()) return element;
    }
    if (FElements.size() > 256) {
        for (auto e = FElements.begin(); e != FElements.end();) e = e->second.expired() ? FElements.erase(e) : std::next(e);
    }
    auto element = std::make_shared<TPageElement>(shared_from_this(), const_cast<THtmlNode*>(node)->shared_from_this());
    FElements[node] = element;
    return element;
}

std::shared_ptr<TPageElement> TPageDocument::BodyElement() { return Wrap(BodyNode()); }
std::shared_ptr<TPageElement> TPageDocument::Head() { return Wrap(FTree->Find(L"head")); }

WideString TPageDocument::BaseUrl() const {
    if (THtmlNode* head = FTree->Find(L"head")) {
        for (auto& c : head->Children)
            if (c->Is(L"base") && c->HasAttribute(L"href")) return BaseFolder(ResolveUrl(FUrl, c->Attribute(L"href")));
    }
    return FUrl;
}

WideString TPageDocument::Resolve(const WideString& reference) const { return ResolveUrl(BaseUrl(), reference); }

WideString TPageDocument::Title() {
    if (FTitle) return *FTitle;
    THtmlNode* title = FTree->Find(L"title");
    return title ? CollapsedText(title->TextContent()) : WideString();
}

void TPageDocument::SetSelection(int from, int to, const WideString& text) {
    FSelectionFrom = from;
    FSelectionTo = to;
    FSelectedText = text;
}

std::shared_ptr<THtmlWindow> TPageDocument::ParentWindow() { return std::make_shared<TPageWindow>(shared_from_this()); }
std::shared_ptr<THtmlSelection> TPageDocument::Selection() { return std::make_shared<TPageSelection>(shared_from_this()); }
std::shared_ptr<THtmlElementCollection> TPageDocument::All() { return std::make_shared<TPageCollection>(shared_from_this()); }

void TPageDocument::Relayout(int width, TLayoutServices& services) {
    if (FNeedsBuild) {
        FSheets.clear();
        FStyles.ClearSheets();
        ForEachNode(*FTree, [&](THtmlNode& n) {
            if (n.Is(L"style")) {
                FSheets.push_back(std::make_unique<TStyleSheet>());
                FSheets.back()->Parse(n.TextContent());
            } else if (n.Is(L"link") && Lower(n.Attribute(L"rel")).find(L"stylesheet") != WideString::npos && ReadResource) {
                if (auto bytes = ReadResource(Resolve(n.Attribute(L"href")))) {
                    FSheets.push_back(std::make_unique<TStyleSheet>());
                    FSheets.back()->Parse(DecodePage(*bytes));
                }
            }
        });
        for (auto& sheet : FSheets) FStyles.AddSheet(*sheet);
        FLayout.Build(*FTree, FStyles, services);
        FNeedsBuild = false;
    }
    FLayout.Layout(width, services);
    FLaidWidth = width;
}

}  // namespace web
