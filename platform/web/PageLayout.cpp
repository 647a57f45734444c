#include "platform/web/PageLayout.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

namespace web {

enum class TBoxKind { Block, Inline, Text, Break, Image, InlineBlock, Table, Row, Cell };

struct TLayoutBox {
    TBoxKind Kind = TBoxKind::Block;
    const THtmlNode* Node = nullptr;
    TComputedStyle Style;
    WideString Text;
    std::vector<std::unique_ptr<TLayoutBox>> Children;
    int ColSpan = 1;
    bool ListItem = false;
    int ListNumber = 0;
    bool PaintsBackground = true;   // false for the box whose background is the canvas
    int ImageWidth = 0;
    int ImageHeight = 0;
    // per layout pass
    bool MeasureValid = false;
    int MinWidth = 0;
    int MaxWidth = 0;
};

namespace {

constexpr int MaxWordChunk = 200;   // longer words are measured and broken in pieces of this many units
constexpr wchar_t ObjectChar = 0xFFFC;

bool IsBlockLevel(const TLayoutBox& b) { return b.Kind == TBoxKind::Block || b.Kind == TBoxKind::Table; }

// Marks stay with the letter they sit on: a word is never split before one.
bool IsCombiningMark(wchar_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
           (c >= 0x06D6 && c <= 0x06ED) || c == 0x200C || c == 0x200D;
}

bool IsCollapsible(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

TFontSpec FontOf(const TComputedStyle& s) {
    return TFontSpec{s.FontFamily, std::max(1, int(std::lround(s.FontSize))), s.Bold, s.Italic};
}

int Px(const TLength& l, int of) { return l.Unit == TLength::Auto ? 0 : l.Resolve(of); }

struct TEdges {
    int Top = 0, Right = 0, Bottom = 0, Left = 0;
    int Horizontal() const { return Left + Right; }
    int Vertical() const { return Top + Bottom; }
};

TEdges Margins(const TComputedStyle& s, int of) {
    return {Px(s.Margin[SideTop], of), Px(s.Margin[SideRight], of), Px(s.Margin[SideBottom], of), Px(s.Margin[SideLeft], of)};
}
TEdges Padding(const TComputedStyle& s, int of) {
    return {std::max(0, Px(s.Padding[SideTop], of)), std::max(0, Px(s.Padding[SideRight], of)),
            std::max(0, Px(s.Padding[SideBottom], of)), std::max(0, Px(s.Padding[SideLeft], of))};
}
TEdges Borders(const TComputedStyle& s) {
    return {s.Border[SideTop].Width, s.Border[SideRight].Width, s.Border[SideBottom].Width, s.Border[SideLeft].Width};
}

WideString Roman(int n, bool upper) {
    static const std::pair<int, const wchar_t*> table[] = {{1000, L"m"}, {900, L"cm"}, {500, L"d"}, {400, L"cd"},
                                                           {100, L"c"},  {90, L"xc"},  {50, L"l"},  {40, L"xl"},
                                                           {10, L"x"},   {9, L"ix"},   {5, L"v"},   {4, L"iv"},  {1, L"i"}};
    WideString out;
    n = std::clamp(n, 1, 3999);
    for (auto [v, s] : table)
        while (n >= v) {
            out += s;
            n -= v;
        }
    if (upper)
        for (wchar_t& c : out) c = wchar_t(c - 32);
    return out;
}

WideString MarkerText(const TComputedStyle& s, int number) {
    switch (s.ListStyle) {
    case TListStyle::Disc: return L"\u2022";
    case TListStyle::Circle: return L"\u25E6";
    case TListStyle::Square: return L"\u25AA";
    case TListStyle::Decimal: return std::to_wstring(number) + L".";
    case TListStyle::LowerAlpha: return WideString(1, wchar_t(L'a' + (number - 1) % 26)) + L".";
    case TListStyle::UpperAlpha: return WideString(1, wchar_t(L'A' + (number - 1) % 26)) + L".";
    case TListStyle::LowerRoman: return Roman(number, false) + L".";
    case TListStyle::UpperRoman: return Roman(number, true) + L".";
    case TListStyle::None: break;
    }
    return WideString();
}

// Boxes from the styled tree.
class TBoxBuilder {
public:
    TBoxBuilder(const TStyleResolver& styles, TLayoutServices& services) : FStyles(styles), FServices(services) {}

    std::unique_ptr<TLayoutBox> Build(const THtmlNode& element, const TComputedStyle& parent) {
        auto box = std::make_unique<TLayoutBox>();
        box->Node = &element;
        box->Style = FStyles.Compute(element, parent);
        const TComputedStyle& s = box->Style;
        switch (s.Display) {
        case TDisplay::None: return nullptr;
        case TDisplay::Inline: box->Kind = TBoxKind::Inline; break;
        case TDisplay::InlineBlock: box->Kind = TBoxKind::InlineBlock; break;
        case TDisplay::Table: box->Kind = TBoxKind::Table; break;
        case TDisplay::TableRow: box->Kind = TBoxKind::Row; break;
        case TDisplay::TableCell: box->Kind = TBoxKind::Cell; break;
        case TDisplay::ListItem: box->Kind = TBoxKind::Block; box->ListItem = true; break;
        default: box->Kind = TBoxKind::Block; break;
        }
        if (element.Is(L"br")) {
            box->Kind = TBoxKind::Break;
            return box;
        }
        if (element.Is(L"img")) {
            BuildImage(*box);
            return box;
        }
        if (box->Kind == TBoxKind::Cell) {
            const WideString span = element.Attribute(L"colspan");
            box->ColSpan = std::clamp(span.empty() ? 1 : std::max(1, int(std::wcstol(span.c_str(), nullptr, 10))), 1, 1000);
        }
        int number = 0;
        if (element.Is(L"ol")) {
            const WideString start = element.Attribute(L"start");
            number = start.empty() ? 0 : int(std::wcstol(start.c_str(), nullptr, 10)) - 1;
        }
        for (const auto& child : element.Children) {
            if (child->Kind == TNodeKind::Text) {
                auto text = std::make_unique<TLayoutBox>();
                text->Kind = TBoxKind::Text;
                text->Node = &element;
                text->Style = s;
                text->Text = child->Text;
                box->Children.push_back(std::move(text));
            } else if (child->IsElement()) {
                auto c = Build(*child, s);
                if (!c) continue;
                if (c->ListItem) c->ListNumber = ++number;
                box->Children.push_back(std::move(c));
            }
        }
        if (box->Kind == TBoxKind::Table) FlattenTable(*box);
        if (box->Kind == TBoxKind::Row || box->Kind == TBoxKind::Cell) {
            // a row or cell outside a table is an ordinary block
            if (parent.Display != TDisplay::Table && parent.Display != TDisplay::TableRowGroup &&
                parent.Display != TDisplay::TableRow)
                box->Kind = TBoxKind::Block;
        }
        if (box->Kind == TBoxKind::Inline &&
            std::any_of(box->Children.begin(), box->Children.end(), [](const auto& c) { return IsBlockLevel(*c); }))
            box->Kind = TBoxKind::Block;   // an inline element around blocks acts as one
        return box;
    }

private:
    void BuildImage(TLayoutBox& box) {
        box.Kind = TBoxKind::Image;
        const WideString src = box.Node->Attribute(L"src");
        auto size = src.empty() ? std::nullopt : FServices.ImageSize(src);
        int w = size ? size->first : 0, h = size ? size->second : 0;
        const TComputedStyle& s = box.Style;
        int sw = s.Width.Unit == TLength::Px ? s.Width.Resolve(0) : -1;
        int sh = s.Height.Unit == TLength::Px ? s.Height.Resolve(0) : -1;
        if (sw >= 0 && sh < 0) sh = w > 0 ? sw * h / w : 0;
        if (sh >= 0 && sw < 0) sw = h > 0 ? sh * w / h : 0;
        box.ImageWidth = std::clamp(sw >= 0 ? sw : w, 0, 20000);
        box.ImageHeight = std::clamp(sh >= 0 ? sh : h, 0, 20000);
    }

    // Rows straight below the table; cells straight below their rows.
    static void FlattenTable(TLayoutBox& table) {
        std::vector<std::unique_ptr<TLayoutBox>> rows;
        for (auto& c : table.Children) {
            if (c->Style.Display == TDisplay::TableRowGroup) {
                for (auto& r : c->Children)
                    if (r->Style.Display == TDisplay::TableRow) rows.push_back(std::move(r));
            } else if (c->Style.Display == TDisplay::TableRow) {
                rows.push_back(std::move(c));
            }
        }
        for (auto& r : rows) {
            r->Kind = TBoxKind::Row;
            std::vector<std::unique_ptr<TLayoutBox>> cells;
            for (auto& c : r->Children)
                if (c->Style.Display == TDisplay::TableCell) {
                    c->Kind = TBoxKind::Cell;
                    cells.push_back(std::move(c));
                }
            r->Children = std::move(cells);
        }
        table.Children = std::move(rows);
    }

    const TStyleResolver& FStyles;
    TLayoutServices& FServices;
};

struct TPiece {
    enum TKind { Word, Space, Break, Object } Kind = Word;
    std::size_t Start = 0;
    std::size_t Length = 0;
    const TLayoutBox* Box = nullptr;        // its text or object box
    std::optional<std::uint32_t> Background;
    int Width = 0;
    std::uint8_t Level = 0;
    bool BreakBefore = false;
    int ObjectHeight = 0;                   // objects: their margin box
    int ObjectWidth = 0;
};

struct TRun {
    WideString Text;
    std::vector<TPiece> Pieces;
    bool Visible = false;
};

class TEngine {
public:
    TEngine(TLayoutServices& services, std::vector<TPaintItem>& out) : S(services), FOut(&out) {}

    int LayoutBlockContents(TLayoutBox& box, int x, int y, int width);
    int PlaceBlock(TLayoutBox& box, int x, int y, int availWidth, int containerAlign);
    void MinMax(TLayoutBox& box, int& minW, int& maxW);
    int Sequence = 0;

private:
    int LayoutChildren(TLayoutBox& box, int x, int y, int width);
    int LayoutInlineRun(const TLayoutBox& container, std::vector<TLayoutBox*>& run, int x, int y, int width);
    void CollectRun(const TLayoutBox& container, std::vector<TLayoutBox*>& run, TRun& out, bool measuring, int width);
    void CollectInto(TLayoutBox& box, TRun& out, std::optional<std::uint32_t> background, bool& lastSpace, bool measuring,
                     int width);
    int LayoutTable(TLayoutBox& table, int x, int y, int availWidth, int containerAlign);
    void TableColumns(TLayoutBox& table, std::vector<int>& minC, std::vector<int>& maxC);
    int SpaceWidth(const TComputedStyle& s);
    TFontMetrics MetricsOf(const TComputedStyle& s);
    std::size_t Reserve(TPaintKind kind, const TLayoutBox& box) {
        FOut->push_back(TPaintItem{});
        FOut->back().Kind = kind;
        FOut->back().Node = box.Node;
        return FOut->size() - 1;
    }
    void EmitBoxDecorations(const TLayoutBox& box, const TPageRect& r, std::size_t& fill, std::size_t& image,
                            std::size_t& border);
    void Shift(std::size_t from, int dx, int dy) {
        for (std::size_t i = from; i < FOut->size(); ++i) {
            TPageRect& b = (*FOut)[i].Box;
            b.Left += dx;
            b.Right += dx;
            b.Top += dy;
            b.Bottom += dy;
        }
    }

    TLayoutServices& S;
    std::vector<TPaintItem>* FOut;
    std::map<std::pair<WideString, int>, int> FSpaceWidths;
    const TLayoutBox* FMarkerFor = nullptr;   // a list item waiting for its first line
    // inline blocks laid out at the origin, waiting for their place on a line
    std::vector<std::pair<const TLayoutBox*, std::vector<TPaintItem>>> FObjects;
    void EmitMarker(const TLayoutBox& item, int lineTop, int ascent, int contentLeft, int contentRight);
};

TFontMetrics TEngine::MetricsOf(const TComputedStyle& s) { return S.Metrics(FontOf(s)); }

int TEngine::SpaceWidth(const TComputedStyle& s) {
    TFontSpec f = FontOf(s);
    auto key = std::make_pair(f.Family + (f.Bold ? L"|b" : L"") + (f.Italic ? L"|i" : L""), f.Size);
    auto it = FSpaceWidths.find(key);
    if (it != FSpaceWidths.end()) return it->second;
    int w = S.Width(f, L" ", false);
    FSpaceWidths.emplace(key, w);
    return w;
}

void TEngine::EmitBoxDecorations(const TLayoutBox& box, const TPageRect& r, std::size_t& fill, std::size_t& image,
                                 std::size_t& border) {
    const TComputedStyle& s = box.Style;
    fill = image = border = SIZE_MAX;
    if (!box.PaintsBackground) return;
    if (s.BackgroundColor) {
        fill = Reserve(TPaintKind::Fill, box);
        (*FOut)[fill].Color = *s.BackgroundColor;
        (*FOut)[fill].Box = r;
    }
    if (!s.BackgroundImage.empty()) {
        image = Reserve(TPaintKind::Background, box);
        (*FOut)[image].Source = s.BackgroundImage;
        (*FOut)[image].Repeat = s.BackgroundRepeat;
        (*FOut)[image].Box = r;
    }
    if (s.Border[0].Width || s.Border[1].Width || s.Border[2].Width || s.Border[3].Width) {
        border = Reserve(TPaintKind::Border, box);
        std::copy(std::begin(s.Border), std::end(s.Border), (*FOut)[border].Sides);
        (*FOut)[border].Box = r;
    }
}

void TEngine::CollectInto(TLayoutBox& box, TRun& out, std::optional<std::uint32_t> background, bool& lastSpace,
                          bool measuring, int width) {
    const TComputedStyle& s = box.Style;
    // one character of the run's text, as a piece of its own
    auto addPiece = [&](TPiece::TKind kind, wchar_t c) {
        TPiece p;
        p.Kind = kind;
        p.Start = out.Text.size();
        p.Length = 1;
        p.Box = &box;
        p.Background = background;
        out.Text.push_back(c);
        out.Pieces.push_back(p);
        return &out.Pieces.back();
    };
    switch (box.Kind) {
    case TBoxKind::Text: {
        const bool pre = s.WhiteSpace == TWhiteSpace::Pre;
        const WideString& t = box.Text;
        for (std::size_t i = 0; i < t.size(); ++i) {
            wchar_t c = t[i];
            if (pre && (c == L'\n' || c == L'\r')) {
                if (c == L'\r' && i + 1 < t.size() && t[i + 1] == L'\n') ++i;
                addPiece(TPiece::Break, L'\n');
                lastSpace = false;
                continue;
            }
            if (!pre && IsCollapsible(c)) {
                if (lastSpace) continue;
                c = L' ';
                lastSpace = true;
            } else {
                if (c == L'\t') c = L' ';
                lastSpace = false;
                out.Visible = true;
            }
            if (c == L' ' && pre) lastSpace = false;
            bool space = c == L' ';
            TPiece::TKind kind = space ? TPiece::Space : TPiece::Word;
            // a new piece at each space, at a change of box and at the chunk limit
            if (!space && !out.Pieces.empty()) {
                TPiece& last = out.Pieces.back();
                if (last.Kind == TPiece::Word && last.Box == &box && last.Start + last.Length == out.Text.size() &&
                    last.Length < std::size_t(MaxWordChunk)) {
                    out.Text.push_back(c);
                    ++last.Length;
                    continue;
                }
            }
            addPiece(kind, c);
        }
        break;
    }
    case TBoxKind::Break: {
        addPiece(TPiece::Break, L'\n');
        lastSpace = true;
        out.Visible = true;
        break;
    }
    case TBoxKind::Image:
    case TBoxKind::InlineBlock: {
        TPiece& p = *addPiece(TPiece::Object, ObjectChar);
        p.Background.reset();
        TEdges m = Margins(s, width);
        if (box.Kind == TBoxKind::Image) {
            TEdges b = Borders(s);
            p.ObjectWidth = box.ImageWidth + b.Horizontal() + m.Horizontal();
            p.ObjectHeight = box.ImageHeight + b.Vertical() + m.Vertical();
        } else {
            int minW, maxW;
            MinMax(box, minW, maxW);
            int w = std::min(maxW, std::max(minW, width));
            if (measuring) {
                p.ObjectWidth = w;
                p.ObjectHeight = 0;
            } else {
                // laid out now at the origin, moved to its line later
                std::vector<TPaintItem> scratch;
                std::vector<TPaintItem>* saved = FOut;
                FOut = &scratch;
                int h = PlaceBlock(box, 0, 0, w, 0);
                FOut = saved;
                p.ObjectWidth = w;
                p.ObjectHeight = h;
                FObjects.emplace_back(&box, std::move(scratch));
            }
        }
        p.Width = p.ObjectWidth;
        lastSpace = false;
        out.Visible = true;
        break;
    }
    case TBoxKind::Inline: {
        std::optional<std::uint32_t> bg = s.BackgroundColor ? s.BackgroundColor : background;
        for (auto& c : box.Children) CollectInto(*c, out, bg, lastSpace, measuring, width);
        break;
    }
    default: break;
    }
}


void TEngine::CollectRun(const TLayoutBox& container, std::vector<TLayoutBox*>& run, TRun& out, bool measuring, int width) {
    bool lastSpace = true;
    for (TLayoutBox* b : run) CollectInto(*b, out, std::nullopt, lastSpace, measuring, width);
    const bool rtl = container.Style.RightToLeft;
    std::vector<std::uint8_t> levels;
    if (measuring || out.Text.empty()) levels.assign(out.Text.size(), rtl ? 1 : 0);
    else S.Levels(out.Text, rtl, levels);
    if (levels.size() != out.Text.size()) levels.assign(out.Text.size(), rtl ? 1 : 0);
    // words split where their level changes
    std::vector<TPiece> pieces;
    pieces.reserve(out.Pieces.size());
    for (const TPiece& p : out.Pieces) {
        std::size_t start = p.Start;
        const std::size_t end = p.Start + p.Length;
        while (start < end) {
            std::size_t stop = start + 1;
            if (p.Kind == TPiece::Word)
                while (stop < end && (levels[stop] == levels[start] || IsCombiningMark(out.Text[stop]))) ++stop;
            else
                stop = end;
            TPiece q = p;
            q.Start = start;
            q.Length = stop - start;
            q.Level = levels[start];
            pieces.push_back(q);
            start = stop;
        }
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        TPiece& p = pieces[i];
        const TComputedStyle& st = p.Box->Style;
        if (p.Kind == TPiece::Word)
            p.Width = S.Width(FontOf(st), std::wstring_view(out.Text).substr(p.Start, p.Length), (p.Level & 1) != 0);
        else if (p.Kind == TPiece::Space)
            p.Width = SpaceWidth(st);
        if (i == 0) continue;
        const TPiece& prev = pieces[i - 1];
        bool wraps = st.WhiteSpace == TWhiteSpace::Normal;
        bool chunk = p.Kind == TPiece::Word && prev.Kind == TPiece::Word && prev.Box == p.Box &&
                     prev.Length == std::size_t(MaxWordChunk) && prev.Level == p.Level;
        p.BreakBefore = prev.Kind == TPiece::Break ||
                        (wraps && (prev.Kind == TPiece::Space || p.Kind == TPiece::Object || prev.Kind == TPiece::Object || chunk));
    }
    out.Pieces = std::move(pieces);
}

void TEngine::EmitMarker(const TLayoutBox& item, int lineTop, int ascent, int contentLeft, int contentRight) {
    WideString text = MarkerText(item.Style, item.ListNumber);
    if (text.empty()) return;
    TFontSpec f = FontOf(item.Style);
    TFontMetrics m = S.Metrics(f);
    int w = S.Width(f, text, false);
    const bool rtl = item.Style.RightToLeft;
    TPaintItem t;
    t.Kind = TPaintKind::Text;
    t.Node = item.Node;
    t.Text = text;
    t.Font = f;
    t.Color = item.Style.Color;
    t.Ascent = m.Ascent;
    int gap = std::max(4, f.Size / 2);
    int x = rtl ? contentRight + gap : contentLeft - gap - w;
    int top = lineTop + ascent - m.Ascent;
    t.Box = {x, top, x + w, top + m.Ascent + m.Descent};
    FOut->push_back(std::move(t));
}

int TEngine::LayoutInlineRun(const TLayoutBox& container, std::vector<TLayoutBox*>& boxes, int x, int y, int width) {
    TRun run;
    CollectRun(container, boxes, run, false, width);
    if (!run.Visible) {
        FObjects.clear();
        return 0;
    }
    const TComputedStyle& cs = container.Style;
    const bool rtl = cs.RightToLeft;
    const TFontMetrics strut = MetricsOf(cs);
    std::vector<TPiece>& pieces = run.Pieces;
    const std::size_t n = pieces.size();
    int cursorY = y;
    std::size_t i = 0;
    bool firstLine = true;
    while (i < n) {
        const std::size_t lineStart = i;
        std::size_t lastBreak = SIZE_MAX;
        int lineWidth = 0;
        int indent = firstLine ? cs.TextIndent : 0;
        for (; i < n; ++i) {
            const TPiece& p = pieces[i];
            if (p.Kind == TPiece::Break) {
                ++i;
                break;
            }
            if (i > lineStart && p.BreakBefore) lastBreak = i;
            if (p.Kind != TPiece::Space && lastBreak != SIZE_MAX && lastBreak > lineStart &&
                lineWidth + indent + p.Width > width) {
                // back to the last place a line may end
                i = lastBreak;
                break;
            }
            lineWidth += p.Width;
        }
        std::size_t lineEnd = i;
        // the visible pieces: without the break and the spaces at the end
        std::size_t visEnd = lineEnd;
        while (visEnd > lineStart && (pieces[visEnd - 1].Kind == TPiece::Break || pieces[visEnd - 1].Kind == TPiece::Space))
            --visEnd;
        std::size_t visStart = lineStart;
        while (visStart < visEnd && pieces[visStart].Kind == TPiece::Space) ++visStart;
        std::vector<std::size_t> order;
        int used = 0;
        for (std::size_t k = visStart; k < visEnd; ++k) {
            order.push_back(k);
            used += pieces[k].Width;
        }
        // line metrics: the container's strut, then each piece's font or object
        int ascent = strut.Ascent, descent = strut.Descent;
        if (cs.LineHeight > 0) {
            int lead = (int(std::lround(cs.LineHeight)) - (ascent + descent)) / 2;
            ascent += lead;
            descent = int(std::lround(cs.LineHeight)) - ascent;
        }
        std::vector<int> pieceAscent(order.size());
        for (std::size_t k = 0; k < order.size(); ++k) {
            const TPiece& p = pieces[order[k]];
            if (p.Kind == TPiece::Object) {
                int up = p.ObjectHeight;
                if (p.Box->Style.VerticalAlign == TVerticalAlign::Middle) up = p.ObjectHeight / 2 + strut.Ascent / 3;
                pieceAscent[k] = up;
                ascent = std::max(ascent, up);
                descent = std::max(descent, p.ObjectHeight - up);
            } else {
                TFontMetrics m = MetricsOf(p.Box->Style);
                int a = m.Ascent, d = m.Descent;
                const float lh = p.Box->Style.LineHeight;
                if (lh > 0) {
                    int lead = (int(std::lround(lh)) - (a + d)) / 2;
                    a += lead;
                    d = int(std::lround(lh)) - a;
                }
                pieceAscent[k] = m.Ascent;
                ascent = std::max(ascent, a);
                descent = std::max(descent, d);
            }
        }
        // bidirectional order of the line (rule L2)
        if (!order.empty()) {
            std::uint8_t maxLevel = 0, minOdd = 255;
            for (std::size_t k : order) {
                maxLevel = std::max(maxLevel, pieces[k].Level);
                if (pieces[k].Level & 1) minOdd = std::min(minOdd, pieces[k].Level);
            }
            for (int level = maxLevel; level >= int(minOdd) && level > 0; --level) {
                std::size_t a = 0;
                while (a < order.size()) {
                    if (pieces[order[a]].Level < level) {
                        ++a;
                        continue;
                    }
                    std::size_t b = a;
                    while (b < order.size() && pieces[order[b]].Level >= level) ++b;
                    std::reverse(order.begin() + std::ptrdiff_t(a), order.begin() + std::ptrdiff_t(b));
                    a = b;
                }
            }
        }
        // where the line starts
        TTextAlign align = cs.TextAlign;
        if (align == TTextAlign::Start || align == TTextAlign::Justify) align = rtl ? TTextAlign::Right : TTextAlign::Left;
        int free = width - used - indent;
        int lineX = x;
        if (align == TTextAlign::Right) lineX = x + free + 0;
        else if (align == TTextAlign::Center) lineX = x + std::max(0, free) / 2;
        if (align == TTextAlign::Left && !rtl) lineX += indent;
        if (free < 0 && align != TTextAlign::Left) lineX = rtl ? x + free : x;
        // the pieces, left to right
        int penX = lineX;
        for (std::size_t k = 0; k < order.size(); ++k) {
            const TPiece& p = pieces[order[k]];
            const TComputedStyle& st = p.Box->Style;
            if (p.Kind == TPiece::Object) {
                TEdges m = Margins(st, width);
                int top = cursorY + ascent - pieceAscent[k] + m.Top;
                int left = penX + m.Left;
                if (p.Box->Kind == TBoxKind::Image) {
                    TEdges b = Borders(st);
                    TPaintItem img;
                    img.Kind = TPaintKind::Image;
                    img.Node = p.Box->Node;
                    img.Source = p.Box->Node->Attribute(L"src");
                    img.Box = {left + b.Left, top + b.Top, left + b.Left + p.Box->ImageWidth, top + b.Top + p.Box->ImageHeight};
                    FOut->push_back(std::move(img));
                    if (b.Horizontal() || b.Vertical()) {
                        TPaintItem br;
                        br.Kind = TPaintKind::Border;
                        br.Node = p.Box->Node;
                        std::copy(std::begin(st.Border), std::end(st.Border), br.Sides);
                        br.Box = {left, top, left + p.Box->ImageWidth + b.Horizontal(), top + p.Box->ImageHeight + b.Vertical()};
                        FOut->push_back(std::move(br));
                    }
                } else {
                    for (auto& [box, items] : FObjects) {
                        if (box != p.Box) continue;
                        std::size_t from = FOut->size();
                        for (auto& it : items) FOut->push_back(std::move(it));
                        items.clear();
                        Shift(from, penX, cursorY + ascent - pieceAscent[k]);
                    }
                }
            } else {
                TFontSpec f = FontOf(st);
                TFontMetrics m = MetricsOf(st);
                int top = cursorY + ascent - m.Ascent;
                if (p.Background) {
                    TPaintItem bg;
                    bg.Kind = TPaintKind::Fill;
                    bg.Node = p.Box->Node;
                    bg.Color = *p.Background;
                    bg.Box = {penX, top, penX + p.Width, top + m.Ascent + m.Descent};
                    FOut->push_back(std::move(bg));
                }
                TPaintItem t;
                t.Kind = TPaintKind::Text;
                t.Node = p.Box->Node;
                t.Text = run.Text.substr(p.Start, p.Length);
                t.Font = f;
                t.Color = st.Color;
                t.RightToLeft = (p.Level & 1) != 0;
                t.Underline = st.Underline;
                t.LineThrough = st.LineThrough;
                t.Ascent = m.Ascent;
                t.Sequence = Sequence + int(order[k]);
                t.Box = {penX, top, penX + p.Width, top + m.Ascent + m.Descent};
                FOut->push_back(std::move(t));
            }
            penX += p.Width;
        }
        if (FMarkerFor) {
            EmitMarker(*FMarkerFor, cursorY, ascent, x, x + width);
            FMarkerFor = nullptr;
        }
        cursorY += ascent + descent;
        firstLine = false;
        if (lineEnd == lineStart) ++i;   // never stays in place
    }
    Sequence += int(n);
    FObjects.clear();
    return cursorY - y;
}

// Min and max content widths of a box's margin box.
void TEngine::MinMax(TLayoutBox& box, int& minW, int& maxW) {
    if (box.MeasureValid) {
        minW = box.MinWidth;
        maxW = box.MaxWidth;
        return;
    }
    const TComputedStyle& s = box.Style;
    TEdges m = Margins(s, 0), p = Padding(s, 0), b = Borders(s);
    int extra = m.Horizontal() + p.Horizontal() + b.Horizontal();
    int lo = 0, hi = 0;
    if (box.Kind == TBoxKind::Table) {
        std::vector<int> minC, maxC;
        TableColumns(box, minC, maxC);
        int spacing = s.BorderCollapse ? 0 : s.BorderSpacing;
        for (int v : minC) lo += v;
        for (int v : maxC) hi += v;
        lo += spacing * int(minC.size() + 1);
        hi += spacing * int(maxC.size() + 1);
    } else {
        std::vector<TLayoutBox*> run;
        auto flush = [&] {
            if (run.empty()) return;
            TRun r;
            std::vector<TPaintItem> scratch;
            std::vector<TPaintItem>* saved = FOut;
            FOut = &scratch;
            CollectRun(box, run, r, true, 0);
            FOut = saved;
            int unit = 0, line = 0;
            for (std::size_t i = 0; i < r.Pieces.size(); ++i) {
                const TPiece& pc = r.Pieces[i];
                if (pc.BreakBefore) unit = 0;
                if (pc.Kind == TPiece::Break) {
                    hi = std::max(hi, line);
                    line = 0;
                    unit = 0;
                    continue;
                }
                line += pc.Width;
                if (pc.Kind != TPiece::Space) {
                    unit += pc.Width;
                    lo = std::max(lo, unit);
                }
            }
            hi = std::max(hi, line);
            run.clear();
        };
        for (auto& c : box.Children) {
            if (IsBlockLevel(*c)) {
                flush();
                int cl, ch;
                MinMax(*c, cl, ch);
                lo = std::max(lo, cl);
                hi = std::max(hi, ch);
            } else {
                run.push_back(c.get());
            }
        }
        flush();
    }
    if (s.Width.Unit == TLength::Px && box.Kind != TBoxKind::Table) {
        int w = s.Width.Resolve(0);
        lo = hi = std::max(w, box.Kind == TBoxKind::Cell ? lo : 0);
    } else if (s.Width.Unit == TLength::Px) {
        lo = std::max(lo, s.Width.Resolve(0) - p.Horizontal() - b.Horizontal());
        hi = std::max(lo, hi);
    }
    box.MinWidth = minW = lo + extra;
    box.MaxWidth = maxW = std::max(hi, lo) + extra;
    box.MeasureValid = true;
}

void TEngine::TableColumns(TLayoutBox& table, std::vector<int>& minC, std::vector<int>& maxC) {
    std::size_t cols = 0;
    for (auto& row : table.Children) {
        std::size_t c = 0;
        for (auto& cell : row->Children) c += std::size_t(cell->ColSpan);
        cols = std::max(cols, c);
    }
    cols = std::min<std::size_t>(cols, 1000);
    minC.assign(cols, 0);
    maxC.assign(cols, 0);
    const int spacing = table.Style.BorderCollapse ? 0 : table.Style.BorderSpacing;
    for (int pass = 0; pass < 2; ++pass) {
        for (auto& row : table.Children) {
            std::size_t c = 0;
            for (auto& cell : row->Children) {
                std::size_t span = std::min<std::size_t>(std::size_t(cell->ColSpan), cols - std::min(c, cols));
                if (span == 0) break;
                if ((span == 1) == (pass == 0)) {
                    int lo, hi;
                    MinMax(*cell, lo, hi);
                    if (span == 1) {
                        minC[c] = std::max(minC[c], lo);
                        maxC[c] = std::max(maxC[c], hi);
                    } else {
                        int haveLo = spacing * int(span - 1), haveHi = haveLo;
                        for (std::size_t k = c; k < c + span; ++k) {
                            haveLo += minC[k];
                            haveHi += maxC[k];
                        }
                        int addLo = std::max(0, lo - haveLo), addHi = std::max(0, hi - haveHi);
                        for (std::size_t k = c; k < c + span; ++k) {
                            minC[k] += addLo / int(span);
                            maxC[k] += addHi / int(span);
                        }
                    }
                }
                c += std::size_t(cell->ColSpan);
            }
        }
    }
    for (std::size_t k = 0; k < cols; ++k) maxC[k] = std::max(maxC[k], minC[k]);
}

int TEngine::LayoutTable(TLayoutBox& table, int x, int y, int availWidth, int containerAlign) {
    const TComputedStyle& s = table.Style;
    TEdges m = Margins(s, availWidth), p = Padding(s, availWidth), b = Borders(s);
    std::vector<int> minC, maxC;
    TableColumns(table, minC, maxC);
    const std::size_t cols = minC.size();
    const int spacing = s.BorderCollapse ? 0 : s.BorderSpacing;
    int sumMin = 0, sumMax = 0;
    for (std::size_t k = 0; k < cols; ++k) {
        sumMin += minC[k];
        sumMax += maxC[k];
    }
    const int extra = p.Horizontal() + b.Horizontal() + spacing * int(cols + 1);
    const int room = std::max(0, availWidth - m.Horizontal());
    int width;
    bool fixed = !s.Width.IsAuto();
    if (fixed) width = std::max(s.Width.Resolve(room), sumMin + extra);
    else width = std::max(std::min(room, sumMax + extra), sumMin + extra);
    int content = width - extra;
    std::vector<int> colW(cols, 0);
    if (content >= sumMax) {
        int left = content - sumMax;
        for (std::size_t k = 0; k < cols; ++k) {
            int add = fixed ? (sumMax > 0 ? int(std::int64_t(left) * maxC[k] / sumMax) : left / int(cols)) : 0;
            colW[k] = maxC[k] + add;
        }
    } else if (content > sumMin && sumMax > sumMin) {
        for (std::size_t k = 0; k < cols; ++k)
            colW[k] = minC[k] + int(std::int64_t(maxC[k] - minC[k]) * (content - sumMin) / (sumMax - sumMin));
    } else {
        colW = minC;
    }
    int used = 0;
    for (int w : colW) used += w;
    if (cols > 0 && (fixed || content < sumMax)) colW[cols - 1] += std::max(0, content - used);
    used = 0;
    for (int w : colW) used += w;
    width = used + extra;

    // where the table stands in its container
    int left = x + m.Left;
    const WideString align = table.Node ? table.Node->Attribute(L"align") : WideString();
    int free = room - width;
    if (align == L"center" || (align.empty() && containerAlign == 1)) left += std::max(0, free / 2);
    else if (align == L"right" || (align.empty() && containerAlign == 2)) left += std::max(0, free);
    const int top = y + m.Top;

    std::size_t fill, image, border;
    EmitBoxDecorations(table, {left, top, left + width, top}, fill, image, border);
    const bool rtl = s.RightToLeft;
    int cursor = top + b.Top + p.Top + spacing;
    const std::size_t rowCount = table.Children.size();
    for (std::size_t r = 0; r < rowCount; ++r) {
        TLayoutBox& row = *table.Children[r];
        std::size_t rowFill, rowImage, rowBorder;
        const int rowLeft = left + b.Left + p.Left + spacing;
        const int rowRight = left + width - b.Right - p.Right - spacing;
        EmitBoxDecorations(row, {rowLeft, cursor, rowRight, cursor}, rowFill, rowImage, rowBorder);
        struct TPlaced {
            TLayoutBox* Cell;
            std::size_t First;
            std::size_t Fill, Image, Border;
            int Height;
            TPageRect Box;
        };
        std::vector<TPlaced> placed;
        int rowHeight = row.Style.Height.Unit == TLength::Px ? row.Style.Height.Resolve(0) : 0;
        std::size_t c = 0;
        for (auto& cellPtr : row.Children) {
            if (c >= cols) break;
            TLayoutBox& cell = *cellPtr;
            std::size_t span = std::min<std::size_t>(std::size_t(cell.ColSpan), cols - c);
            int offset = 0;
            for (std::size_t k = 0; k < c; ++k) offset += colW[k] + spacing;
            int cw = spacing * int(span - 1);
            for (std::size_t k = c; k < c + span; ++k) cw += colW[k];
            int cx = rtl ? rowRight - offset - cw : rowLeft + offset;
            TComputedStyle& cs = cell.Style;
            if (s.BorderCollapse) {
                // neighbouring borders are drawn once: by the cell above and the cell before
                if (r > 0) cs.Border[SideTop].Width = 0;
                if (c > 0) cs.Border[rtl ? SideRight : SideLeft].Width = 0;
            }
            TPlaced pl;
            pl.Cell = &cell;
            pl.Box = {cx, cursor, cx + cw, cursor};
            EmitBoxDecorations(cell, pl.Box, pl.Fill, pl.Image, pl.Border);
            pl.First = FOut->size();
            TEdges cp = Padding(cs, cw), cb = Borders(cs);
            int inner = LayoutChildren(cell, cx + cb.Left + cp.Left, cursor + cb.Top + cp.Top, std::max(0, cw - cb.Horizontal() - cp.Horizontal()));
            pl.Height = inner + cb.Vertical() + cp.Vertical();
            if (cs.Height.Unit == TLength::Px) pl.Height = std::max(pl.Height, cs.Height.Resolve(0));
            rowHeight = std::max(rowHeight, pl.Height);
            placed.push_back(pl);
            c += std::size_t(cell.ColSpan);
        }
        for (TPlaced& pl : placed) {
            int dy = 0;
            switch (pl.Cell->Style.VerticalAlign) {
            case TVerticalAlign::Top: case TVerticalAlign::Baseline: break;
            case TVerticalAlign::Middle: dy = (rowHeight - pl.Height) / 2; break;
            case TVerticalAlign::Bottom: dy = rowHeight - pl.Height; break;
            }
            if (dy) {
                std::size_t end = FOut->size();
                for (std::size_t i = pl.First; i < end; ++i) {
                    TPageRect& bx = (*FOut)[i].Box;
                    bx.Top += dy;
                    bx.Bottom += dy;
                }
            }
            for (std::size_t idx : {pl.Fill, pl.Image, pl.Border})
                if (idx != SIZE_MAX) (*FOut)[idx].Box.Bottom = cursor + rowHeight;
        }
        for (std::size_t idx : {rowFill, rowImage, rowBorder})
            if (idx != SIZE_MAX) (*FOut)[idx].Box.Bottom = cursor + rowHeight;
        cursor += rowHeight + spacing;
    }
    int height = cursor - top + p.Bottom + b.Bottom;
    if (s.Height.Unit == TLength::Px) height = std::max(height, s.Height.Resolve(0));
    for (std::size_t idx : {fill, image, border})
        if (idx != SIZE_MAX) (*FOut)[idx].Box.Bottom = top + height;
    return height + m.Vertical();
}

// Lays out a block-level box whose margin box starts at (x, y) in a container of that width;
// returns the height of its margin box. containerAlign places a narrower box: 0 left, 1 centre,
// 2 right.
int TEngine::PlaceBlock(TLayoutBox& box, int x, int y, int availWidth, int containerAlign) {
    if (box.Kind == TBoxKind::Table) return LayoutTable(box, x, y, availWidth, containerAlign);
    const TComputedStyle& s = box.Style;
    TEdges m = Margins(s, availWidth), p = Padding(s, availWidth), b = Borders(s);
    int width = availWidth - m.Horizontal();
    const bool explicitWidth = !s.Width.IsAuto();
    if (explicitWidth) width = s.Width.Resolve(availWidth - m.Horizontal()) + p.Horizontal() + b.Horizontal();
    width = std::max(0, width);
    int left = x + m.Left;
    if (explicitWidth) {
        int free = availWidth - m.Horizontal() - width;
        bool autoL = s.Margin[SideLeft].IsAuto(), autoR = s.Margin[SideRight].IsAuto();
        WideString align = box.Node && box.Node->Is(L"hr") ? box.Node->Attribute(L"align") : WideString();
        if (box.Node && box.Node->Is(L"hr") && align.empty()) autoL = autoR = true;   // a short rule is centred
        if ((autoL && autoR) || align == L"center" || (align.empty() && containerAlign == 1 && !autoR))
            left += std::max(0, free / 2);
        else if ((autoL && !autoR) || align == L"right" || (align.empty() && containerAlign == 2 && !autoR))
            left += std::max(0, free);
    }
    const int top = y + m.Top;
    std::size_t fill, image, border;
    EmitBoxDecorations(box, {left, top, left + width, top}, fill, image, border);
    const TLayoutBox* outerMarker = FMarkerFor;
    if (box.ListItem) FMarkerFor = &box;
    const int contentX = left + b.Left + p.Left;
    const int contentW = std::max(0, width - b.Horizontal() - p.Horizontal());
    int inner = LayoutChildren(box, contentX, top + b.Top + p.Top, contentW);
    if (box.ListItem && FMarkerFor == &box) {
        EmitMarker(box, top + b.Top + p.Top, MetricsOf(s).Ascent, contentX, contentX + contentW);
        FMarkerFor = outerMarker;
    }
    int height = inner + b.Vertical() + p.Vertical();
    if (s.Height.Unit == TLength::Px) height = std::max(height, s.Height.Resolve(0) + b.Vertical() + p.Vertical());
    for (std::size_t idx : {fill, image, border})
        if (idx != SIZE_MAX) (*FOut)[idx].Box.Bottom = top + height;
    return height + m.Vertical();
}

int TEngine::LayoutChildren(TLayoutBox& box, int x, int y, int width) {
    int cursor = y;
    int pendingMargin = 0;
    std::vector<TLayoutBox*> run;
    const TTextAlign ta = box.Style.TextAlign;
    const bool rtl = box.Style.RightToLeft;
    // where a narrower box stands: tables and rules follow the old alignment of the text,
    // other blocks the start side of the container
    const int legacyAlign = ta == TTextAlign::Center                                   ? 1
                            : ta == TTextAlign::Right || (ta != TTextAlign::Left && rtl) ? 2
                                                                                        : 0;
    auto flush = [&] {
        if (run.empty()) return;
        int h = LayoutInlineRun(box, run, x, cursor + pendingMargin, width);
        if (h > 0) {
            cursor += pendingMargin + h;
            pendingMargin = 0;
        }
        run.clear();
    };
    for (auto& c : box.Children) {
        if (!IsBlockLevel(*c)) {
            run.push_back(c.get());
            continue;
        }
        flush();
        TEdges m = Margins(c->Style, width);
        int collapsed = std::max(pendingMargin, m.Top);
        if (m.Top < 0 || pendingMargin < 0) collapsed = pendingMargin + m.Top;
        int top = cursor + collapsed - m.Top;
        const bool legacy = c->Kind == TBoxKind::Table || (c->Node && c->Node->Is(L"hr"));
        int h = PlaceBlock(*c, x, top, width, legacy ? legacyAlign : rtl ? 2 : 0);
        cursor = top + h - m.Bottom;
        pendingMargin = m.Bottom;
    }
    flush();
    return cursor + pendingMargin - y;
}

int TEngine::LayoutBlockContents(TLayoutBox& box, int x, int y, int width) { return PlaceBlock(box, x, y, width, 0); }

void ResetMeasures(TLayoutBox& box) {
    std::vector<TLayoutBox*> stack{&box};
    while (!stack.empty()) {
        TLayoutBox* b = stack.back();
        stack.pop_back();
        b->MeasureValid = false;
        for (auto& c : b->Children) stack.push_back(c.get());
    }
}

const THtmlNode* AreaAt(const THtmlNode& image, const TPageRect& box, int x, int y) {
    WideString map = image.Attribute(L"usemap");
    if (map.empty()) return nullptr;
    if (map[0] == L'#') map.erase(0, 1);
    const THtmlNode* root = &image;
    while (root->Parent) root = root->Parent;
    const THtmlNode* found = nullptr;
    ForEachNode(const_cast<THtmlNode&>(*root), [&](THtmlNode& n) {
        if (!found && n.Is(L"map") && (n.Attribute(L"name") == map || n.Attribute(L"id") == map)) found = &n;
    });
    if (!found) return nullptr;
    const int px = x - box.Left, py = y - box.Top;
    const THtmlNode* hit = nullptr;
    ForEachNode(const_cast<THtmlNode&>(*found), [&](THtmlNode& a) {
        if (hit || !a.Is(L"area")) return;
        std::vector<int> c;
        WideString coords = a.Attribute(L"coords");
        WideString cur;
        for (wchar_t ch : coords + L",") {
            if (ch == L',' || ch == L' ') {
                if (!cur.empty()) c.push_back(int(std::wcstol(cur.c_str(), nullptr, 10)));
                cur.clear();
            } else {
                cur.push_back(ch);
            }
        }
        WideString shape = a.Attribute(L"shape");
        for (wchar_t& ch : shape) ch = wchar_t(std::towlower(ch));
        if (shape == L"default") {
            hit = &a;
        } else if ((shape == L"circle" || shape == L"circ") && c.size() >= 3) {
            long dx = px - c[0], dy = py - c[1];
            if (dx * dx + dy * dy <= long(c[2]) * c[2]) hit = &a;
        } else if ((shape == L"poly" || shape == L"polygon") && c.size() >= 6) {
            bool inside = false;
            std::size_t n = c.size() / 2;
            for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                int xi = c[2 * i], yi = c[2 * i + 1], xj = c[2 * j], yj = c[2 * j + 1];
                if ((yi > py) != (yj > py) && px < double(xj - xi) * (py - yi) / double(yj - yi) + xi) inside = !inside;
            }
            if (inside) hit = &a;
        } else if (c.size() >= 4) {
            if (px >= std::min(c[0], c[2]) && px < std::max(c[0], c[2]) && py >= std::min(c[1], c[3]) && py < std::max(c[1], c[3]))
                hit = &a;
        }
    });
    return hit;
}

}  // namespace

TPageLayout::TPageLayout() = default;
TPageLayout::~TPageLayout() = default;

void TPageLayout::Build(const THtmlNode& document, const TStyleResolver& styles, TLayoutServices& services) {
    FRoot.reset();
    FItems.clear();
    FCanvas = TPageCanvas{};
    const THtmlNode* html = nullptr;
    for (auto& c : document.Children)
        if (c->Is(L"html")) html = c.get();
    if (!html) return;
    TBoxBuilder builder(styles, services);
    FRoot = builder.Build(*html, TStyleResolver::Initial());
    if (!FRoot) return;
    FRoot->Kind = TBoxKind::Block;
    // the root's background, or else the body's, is the canvas's
    TLayoutBox* source = FRoot.get();
    if (!source->Style.BackgroundColor && source->Style.BackgroundImage.empty()) {
        for (auto& c : FRoot->Children)
            if (c->Node && c->Node->Is(L"body")) source = c.get();
    }
    FCanvas.Color = source->Style.BackgroundColor;
    FCanvas.Image = source->Style.BackgroundImage;
    FCanvas.Repeat = source->Style.BackgroundRepeat;
    source->PaintsBackground = false;
}

void TPageLayout::Clear() {
    FRoot.reset();
    FItems.clear();
    FCanvas = TPageCanvas{};
    FHeight = FWidth = 0;
}

void TPageLayout::Layout(int width, TLayoutServices& services) {
    FItems.clear();
    FWidth = std::max(0, width);
    FHeight = 0;
    if (!FRoot) return;
    ResetMeasures(*FRoot);
    TEngine engine(services, FItems);
    FHeight = engine.LayoutBlockContents(*FRoot, 0, 0, FWidth);
    for (const TPaintItem& it : FItems) {
        FHeight = std::max(FHeight, it.Box.Bottom);
        FWidth = std::max(FWidth, it.Box.Right);
    }
}

const THtmlNode* TPageLayout::HitTest(int x, int y) const {
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
        if (!it->Box.Contains(x, y) || !it->Node) continue;
        if (it->Kind == TPaintKind::Image && it->Node->Is(L"img")) {
            if (const THtmlNode* area = AreaAt(*it->Node, it->Box, x, y)) return area;
        }
        return it->Node;
    }
    return nullptr;
}

WideString TPageLayout::TextBetween(int from, int to) const {
    if (from > to) std::swap(from, to);
    std::vector<const TPaintItem*> texts;
    for (const TPaintItem& it : FItems)
        if (it.Kind == TPaintKind::Text && it.Sequence >= from && it.Sequence <= to) texts.push_back(&it);
    std::stable_sort(texts.begin(), texts.end(), [](const TPaintItem* a, const TPaintItem* b) { return a->Sequence < b->Sequence; });
    WideString out;
    int lastTop = INT_MIN;
    for (const TPaintItem* t : texts) {
        if (lastTop != INT_MIN && t->Box.Top >= lastTop + t->Box.Height() && !out.empty() && out.back() != L' ')
            out += L"\r\n";
        out += t->Text;
        lastTop = t->Box.Top;
    }
    return out;
}

int TPageLayout::SequenceAt(int x, int y) const {
    int best = -1;
    long bestDistance = LONG_MAX;
    for (const TPaintItem& it : FItems) {
        if (it.Kind != TPaintKind::Text || it.Sequence < 0) continue;
        if (y < it.Box.Top || y >= it.Box.Bottom) continue;
        long d = x < it.Box.Left ? it.Box.Left - x : x >= it.Box.Right ? x - it.Box.Right + 1 : 0;
        if (d < bestDistance) {
            bestDistance = d;
            best = it.Sequence;
        }
    }
    return best;
}

}  // namespace web
