#pragma once
// The parsed page: a tree of elements, texts and comments. Portable (no system header), so the
// parser and the layout can be built and fuzzed natively.
#include <memory>
#include <string_view>
#include <utility>
#include <vector>
#include "platform/rtl/String.h"

namespace web {

enum class TNodeKind { Document, Element, Text, Comment };

struct THtmlNode : std::enable_shared_from_this<THtmlNode> {
    explicit THtmlNode(TNodeKind kind, WideString tagOrText = WideString());
    ~THtmlNode();
    THtmlNode(const THtmlNode&) = delete;
    THtmlNode& operator=(const THtmlNode&) = delete;

    TNodeKind Kind;
    WideString Tag;        // elements: lower case
    WideString Text;       // texts and comments; the raw content of script and style is a text child
    std::vector<std::pair<WideString, WideString>> Attributes;   // names lower case, first one wins
    THtmlNode* Parent = nullptr;
    std::vector<std::shared_ptr<THtmlNode>> Children;

    bool IsElement() const { return Kind == TNodeKind::Element; }
    bool Is(std::wstring_view tag) const { return Kind == TNodeKind::Element && Tag == tag; }
    const WideString* FindAttribute(std::wstring_view name) const;
    bool HasAttribute(std::wstring_view name) const { return FindAttribute(name) != nullptr; }
    WideString Attribute(std::wstring_view name) const;
    void SetAttribute(std::wstring_view name, const WideString& value);
    THtmlNode* Append(std::shared_ptr<THtmlNode> child);
    void InsertBefore(std::shared_ptr<THtmlNode> child, const THtmlNode* before);
    void RemoveChildren();
    // The markup of what is below this node.
    WideString InnerHTML() const;
    // The concatenated text of every text below, in document order.
    WideString TextContent() const;
    // The first element of that tag at or below this node, in document order.
    THtmlNode* Find(std::wstring_view tag);
    // Depth of this node below the root.
    int Depth() const;
};

using THtmlNodePtr = std::shared_ptr<THtmlNode>;

// Calls f(node) for this node and every node below it, in document order, without recursion.
template <class F>
void ForEachNode(THtmlNode& root, F&& f) {
    std::vector<std::pair<THtmlNode*, std::size_t>> stack{{&root, 0}};
    f(root);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next >= node->Children.size()) {
            stack.pop_back();
            continue;
        }
        THtmlNode* child = node->Children[next++].get();
        f(*child);
        stack.push_back({child, 0});
    }
}

}  // namespace web
