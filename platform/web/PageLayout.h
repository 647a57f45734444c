#pragma once
// Block, inline and table layout of a parsed and styled page: boxes from the tree, lines broken
// on measured words, right-to-left paragraphs and mixed Arabic and English lines put in their
// bidirectional order, tables with automatic column widths. The result is a list of things to
// paint at page coordinates, and the hit test over it. Portable: text is measured and its
// bidirectional levels found through TLayoutServices, which the window side answers with
// Uniscribe.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#include "platform/web/HtmlTree.h"
#include "platform/web/PageStyle.h"

namespace web {

struct TFontSpec {
    WideString Family;   // a list, as the style gives it
    int Size = 16;       // pixels
    bool Bold = false;
    bool Italic = false;
    bool operator==(const TFontSpec&) const = default;
};

struct TFontMetrics {
    int Ascent = 0;
    int Descent = 0;
};

struct TPageRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

class TLayoutServices {
public:
    virtual ~TLayoutServices() = default;
    virtual TFontMetrics Metrics(const TFontSpec& font) = 0;
    // The width of a run of text drawn in one direction, shaped (joined letters).
    virtual int Width(const TFontSpec& font, std::wstring_view text, bool rightToLeft) = 0;
    // The bidirectional embedding level of each code unit of a paragraph of that base direction.
    virtual void Levels(std::wstring_view paragraph, bool rightToLeft, std::vector<std::uint8_t>& levels) = 0;
    // A picture's size in pixels; none when it is missing or cannot be read.
    virtual std::optional<std::pair<int, int>> ImageSize(const WideString& source) = 0;
};

enum class TPaintKind { Fill, Border, Text, Image, Background };

struct TPaintItem {
    TPaintKind Kind = TPaintKind::Fill;
    TPageRect Box;
    std::uint32_t Color = 0;
    const THtmlNode* Node = nullptr;   // the element it shows (a text's parent element)
    // text
    WideString Text;
    TFontSpec Font;
    bool RightToLeft = false;
    bool Underline = false;
    bool LineThrough = false;
    int Ascent = 0;
    int Sequence = -1;                 // logical order of texts in the page, for selection
    // picture and background
    WideString Source;
    bool Repeat = true;
    // border
    TBorderSide Sides[4];
};

// The canvas behind everything: the root's or the body's background.
struct TPageCanvas {
    std::optional<std::uint32_t> Color;
    WideString Image;
    bool Repeat = true;
};

struct TLayoutBox;

class TPageLayout {
public:
    TPageLayout();
    ~TPageLayout();
    TPageLayout(const TPageLayout&) = delete;
    TPageLayout& operator=(const TPageLayout&) = delete;

    // Styles the tree into boxes; the tree must outlive the layout (or the next Build).
    void Build(const THtmlNode& document, const TStyleResolver& styles, TLayoutServices& services);
    // Lays the boxes out for a view of that width.
    void Layout(int width, TLayoutServices& services);

    const std::vector<TPaintItem>& Items() const { return FItems; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const TPageCanvas& Canvas() const { return FCanvas; }
    bool Built() const { return FRoot != nullptr; }
    // Forgets the boxes and items (the tree they point into is about to change).
    void Clear();
    // The element under a point of the page: the topmost text, picture or box there; an image
    // map's area when the picture uses one. nullptr outside everything.
    const THtmlNode* HitTest(int x, int y) const;
    // Texts of the items whose sequence lies in [from, to], in logical order.
    WideString TextBetween(int from, int to) const;
    // The sequence of the text item nearest a point on its line; -1 when none.
    int SequenceAt(int x, int y) const;

private:
    std::unique_ptr<TLayoutBox> FRoot;
    std::vector<TPaintItem> FItems;
    int FWidth = 0;
    int FHeight = 0;
    TPageCanvas FCanvas;
};

}  // namespace web
