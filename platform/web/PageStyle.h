#pragma once
// The style of each element: the page's style elements and linked sheets, its style attributes
// and its presentational attributes (bgcolor, font, align, ...), over the renderer's own sheet
// of defaults. Selectors: type, class, id, their compounds, descendant and child steps, and
// a:link. What it does not know (properties, selectors, at-rules) it ignores. Portable.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>
#include "platform/web/HtmlTree.h"

namespace web {

enum class TDisplay { None, Inline, Block, InlineBlock, ListItem, Table, TableRowGroup, TableRow, TableCell, TableCaption };
enum class TTextAlign { Start, Left, Right, Center, Justify };
enum class TVerticalAlign { Baseline, Top, Middle, Bottom };
enum class TWhiteSpace { Normal, Pre, NoWrap };
enum class TListStyle { Disc, Circle, Square, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, None };

// A length as written: pixels once resolved, or a percentage, or auto.
struct TLength {
    enum TUnit : std::uint8_t { Auto, Px, Percent };
    float Value = 0;
    TUnit Unit = Auto;
    static TLength Pixels(float v) { return {v, Px}; }
    bool IsAuto() const { return Unit == Auto; }
    // Pixels of a length against the width it is a part of; auto counts as fallback.
    int Resolve(int of, int fallback = 0) const;
};

struct TBorderSide {
    int Width = 0;                 // 0 when the style is none
    std::uint32_t Color = 0;       // 0xRRGGBB
};

struct TComputedStyle {
    TDisplay Display = TDisplay::Inline;
    std::uint32_t Color = 0x000000;
    std::optional<std::uint32_t> BackgroundColor;   // none: transparent
    WideString BackgroundImage;                      // as written in url(...) or the attribute
    bool BackgroundRepeat = true;
    WideString FontFamily = L"Times New Roman";     // a list, as written
    float FontSize = 16;                             // pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool LineThrough = false;
    TTextAlign TextAlign = TTextAlign::Start;
    bool RightToLeft = false;
    TWhiteSpace WhiteSpace = TWhiteSpace::Normal;
    float LineHeight = 0;                            // pixels; 0: the font's own
    TVerticalAlign VerticalAlign = TVerticalAlign::Baseline;
    TListStyle ListStyle = TListStyle::Disc;
    TLength Margin[4];                               // top, right, bottom, left
    TLength Padding[4];
    TBorderSide Border[4];
    TLength Width;
    TLength Height;
    bool BorderCollapse = false;
    int BorderSpacing = 2;
    int TextIndent = 0;
};

enum TSide { SideTop = 0, SideRight = 1, SideBottom = 2, SideLeft = 3 };

struct TCssDeclaration {
    WideString Property;   // lower case
    WideString Value;
    bool Important = false;
};

// A style sheet's rules, kept as parsed selectors with their declarations.
class TStyleSheet {
public:
    void Parse(std::wstring_view text);
    struct TCompound {
        WideString Tag;                 // empty: any
        WideString Id;
        std::vector<WideString> Classes;
        bool Link = false;              // :link or :visited
    };
    struct TSelector {
        std::vector<TCompound> Steps;   // from the outermost to the subject
        std::vector<bool> ChildSteps;   // before step i (i >= 1): true for '>', false for a descendant
        int Specificity = 0;
    };
    struct TRule {
        TSelector Selector;
        std::vector<TCssDeclaration> Declarations;
        int Order = 0;
    };
    const std::vector<TRule>& Rules() const { return FRules; }

private:
    std::vector<TRule> FRules;
};

// The declarations of a style attribute or a rule's body.
std::vector<TCssDeclaration> ParseDeclarations(std::wstring_view text);
// A CSS or presentational colour: names, #rgb, #rrggbb, rrggbb, rgb(r, g, b); none when unreadable.
std::optional<std::uint32_t> ParseColor(std::wstring_view text);

class TStyleResolver {
public:
    TStyleResolver();
    // Author sheets, in document order; later rules of equal weight win.
    void AddSheet(const TStyleSheet& sheet) { FSheets.push_back(&sheet); }
    void ClearSheets() { FSheets.clear(); }
    // The style of an element whose parent has the given style.
    TComputedStyle Compute(const THtmlNode& element, const TComputedStyle& parent) const;
    // The style at the root (the html element's parent).
    static TComputedStyle Initial();

private:
    bool Matches(const TStyleSheet::TSelector& s, const THtmlNode& element) const;
    std::vector<const TStyleSheet*> FSheets;
};

// What the renderer gives a look or a meaning of its own; the data check reads the same table.
bool IsSupportedTag(std::wstring_view tag);
bool IsSupportedProperty(std::wstring_view property);
const std::vector<const wchar_t*>& SupportedTags();
const std::vector<const wchar_t*>& SupportedProperties();

}  // namespace web
