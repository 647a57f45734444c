#include "platform/web/HtmlTree.h"

namespace web {

THtmlNode::THtmlNode(TNodeKind kind, WideString tagOrText) : Kind(kind) {
    if (kind == TNodeKind::Element) Tag = std::move(tagOrText);
    else Text = std::move(tagOrText);
}

// Children are let go of from the bottom up, so that a deep tree does not recurse deeply.
THtmlNode::~THtmlNode() {
    for (auto& c : Children) c->Parent = nullptr;
    std::vector<THtmlNodePtr> pending = std::move(Children);
    while (!pending.empty()) {
        THtmlNodePtr node = std::move(pending.back());
        pending.pop_back();
        if (node && node.use_count() == 1) {
            for (auto& c : node->Children) {
                c->Parent = nullptr;
                pending.push_back(std::move(c));
            }
            node->Children.clear();
        }
    }
}

const WideString* THtmlNode::FindAttribute(std::wstring_view name) const {
    for (const auto& [n, v] : Attributes)
        if (n == name) return &v;
    return nullptr;
}

WideString THtmlNode::Attribute(std::wstring_view name) const {
    const WideString* v = FindAttribute(name);
    return v ? *v : WideString();
}

void THtmlNode::SetAttribute(std::wstring_view name, const WideString& value) {
    for (auto& [n, v] : Attributes) {
        if (n == name) {
            v = value;
            return;
        }
    }
    Attributes.emplace_back(WideString(name), value);
}

THtmlNode* THtmlNode::Append(THtmlNodePtr child) {
    child->Parent = this;
    Children.push_back(std::move(child));
    return Children.back().get();
}

void THtmlNode::InsertBefore(THtmlNodePtr child, const THtmlNode* before) {
    child->Parent = this;
    for (auto it = Children.begin(); it != Children.end(); ++it) {
        if (it->get() == before) {
            Children.insert(it, std::move(child));
            return;
        }
    }
    Children.push_back(std::move(child));
}

void THtmlNode::RemoveChildren() {
    for (auto& c : Children) c->Parent = nullptr;
    std::vector<THtmlNodePtr> gone = std::move(Children);
    Children.clear();
}

namespace {

bool IsVoidTag(const WideString& tag) {
    static const wchar_t* const tags[] = {L"area", L"base", L"basefont", L"bgsound", L"br", L"col", L"embed", L"hr", L"img",
                                          L"input", L"link", L"meta", L"param", L"wbr"};
    for (const wchar_t* t : tags)
        if (tag == t) return true;
    return false;
}

void Escape(WideString& out, const WideString& text, bool attribute) {
    for (wchar_t c : text) {
        if (c == L'&') out += L"&amp;";
        else if (c == L'<' && !attribute) out += L"&lt;";
        else if (c == L'>' && !attribute) out += L"&gt;";
        else if (c == L'"' && attribute) out += L"&quot;";
        else out.push_back(c);
    }
}

void Serialize(WideString& out, const THtmlNode& node) {
    switch (node.Kind) {
    case TNodeKind::Text:
        if (node.Parent && (node.Parent->Is(L"script") || node.Parent->Is(L"style"))) out += node.Text;
        else Escape(out, node.Text, false);
        return;
    case TNodeKind::Comment: out += L"<!--" + node.Text + L"-->"; return;
    case TNodeKind::Document:
        for (auto& c : node.Children) Serialize(out, *c);
        return;
    case TNodeKind::Element:
        out += L"<" + node.Tag;
        for (auto& [n, v] : node.Attributes) {
            out += L" " + n + L"=\"";
            Escape(out, v, true);
            out += L"\"";
        }
        out += L">";
        if (IsVoidTag(node.Tag)) return;
        for (auto& c : node.Children) Serialize(out, *c);
        out += L"</" + node.Tag + L">";
        return;
    }
}

}  // namespace

WideString THtmlNode::InnerHTML() const {
    WideString out;
    for (auto& c : Children) Serialize(out, *c);
    return out;
}

WideString THtmlNode::TextContent() const {
    WideString out;
    ForEachNode(const_cast<THtmlNode&>(*this), [&](THtmlNode& n) {
        if (n.Kind == TNodeKind::Text) out += n.Text;
    });
    return out;
}

THtmlNode* THtmlNode::Find(std::wstring_view tag) {
    THtmlNode* found = nullptr;
    ForEachNode(*this, [&](THtmlNode& n) {
        if (!found && n.Is(tag)) found = &n;
    });
    return found;
}

int THtmlNode::Depth() const {
    int d = 0;
    for (const THtmlNode* p = Parent; p; p = p->Parent) ++d;
    return d;
}

}  // namespace web
