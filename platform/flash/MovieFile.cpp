#include "MovieFile.h"
#include <algorithm>
#include <stdexcept>

const MovieFrame* MovieClip::Frame(int number) const {
    for (const MovieFrame& f : frames)
        if (f.number == number) return &f;
    return nullptr;
}

int MovieFile::ClipIndex(std::wstring_view target) const {
    // "/Pages" and "Pages" reach the same clip; a lone "/" stays a key's character
    while (target.size() > 1 && target.front() == L'/') target.remove_prefix(1);
    auto byName = [&](std::wstring_view name) { return ClipNamed(name); };
    auto byAlias = [&](std::wstring_view name) {
        for (std::size_t i = 0; i < clips.size(); ++i)
            for (const WideString& a : clips[i].aliases)
                if (a == name) return static_cast<int>(i);
        return -1;
    };
    if (target.size() != 1) {
        int i = byName(target);
        return i >= 0 ? i : byAlias(target);
    }
    // One character is a key's character (the key down of the keyboard movies): "8" is the
    // digit's key even though Backspace's code is 8.
    int i = byAlias(target);
    if (i < 0) i = byName(target);
    // A character no file can hold (Enter, Shift...) reaches the key named by its code, unless
    // that code is one digit and so a character of its own.
    if (i < 0 && target[0] >= 10 && target[0] < 256) i = byName(std::to_wstring(static_cast<int>(target[0])));
    return i;
}

int MovieFile::ClipNamed(std::wstring_view name) const {
    for (std::size_t i = 0; i < clips.size(); ++i)
        if (clips[i].name == name) return static_cast<int>(i);
    return -1;
}

MovieRect ItemArea(const MovieItem& item) {
    auto inflated = [](MovieRect r, int by) { return MovieRect{r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by}; };
    if (const MovieText* t = std::get_if<MovieText>(&item)) {
        MovieRect r = inflated(t->box, t->style.size);
        if (t->style.wrap) r.height = 1 << 20;
        return r;
    }
    if (const MovieShape* s = std::get_if<MovieShape>(&item)) {
        MovieRect r = s->box;   // a line's box may run backwards
        if (r.width < 0) r = MovieRect{r.x + r.width, r.y, -r.width, r.height};
        if (r.height < 0) r = MovieRect{r.x, r.y + r.height, r.width, -r.height};
        return inflated(r, s->pen + 1);
    }
    if (const MovieButton* b = std::get_if<MovieButton>(&item)) return inflated(b->box, b->pen + 1);
    return MovieRect{};
}

MovieRect UnionArea(const MovieRect& a, const MovieRect& b) {
    if (a.width <= 0 || a.height <= 0) return b;
    if (b.width <= 0 || b.height <= 0) return a;
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width), bottom = std::max(a.y + a.height, b.y + b.height);
    return MovieRect{left, top, right - left, bottom - top};
}

const MovieClip* MovieFile::FindClip(std::wstring_view target) const {
    int i = ClipIndex(target);
    return i < 0 ? nullptr : &clips[static_cast<std::size_t>(i)];
}

WideString MovieParseError::Text() const {
    WideString out = file + L"(" + std::to_wstring(line) + L"): ";
    for (char c : message) out.push_back(static_cast<unsigned char>(c));
    return out;
}

bool HasFlashSignature(std::string_view bytes) {
    if (bytes.size() < 3) return false;
    std::string_view sig = bytes.substr(0, 3);
    return sig == "FWS" || sig == "CWS" || sig == "ZWS";
}

bool Utf8ToUtf16(std::string_view s, WideString& out) {
    out.clear();
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if (c >= 0xC2 && c < 0xE0) { cp = c & 0x1F; extra = 1; }
        else if (c >= 0xE0 && c < 0xF0) { cp = c & 0x0F; extra = 2; }
        else if (c >= 0xF0 && c < 0xF5) { cp = c & 0x07; extra = 3; }
        else return false;
        if (extra > 0 && i + static_cast<std::size_t>(extra) >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (n & 0x3F);
        }
        // overlong forms, surrogates and values past the last plane are not text
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp < 0xE000))
            return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
        i += 1 + extra;
    }
    return true;
}

namespace {

struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Token {
    std::string key;        // empty for a positional token
    std::string value;
    bool quoted = false;
    bool used = false;
};

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    bool quoted = false;
    auto readValue = [&](std::string& out) {
        if (i < line.size() && line[i] == '"') {
            quoted = true;
            ++i;
            while (true) {
                if (i >= line.size()) throw LineError("unterminated quoted text");
                char c = line[i++];
                if (c == '"') break;
                if (c == '\\') {
                    if (i >= line.size()) throw LineError("unterminated quoted text");
                    char e = line[i++];
                    if (e == 'n') out.push_back('\n');
                    else if (e == '"' || e == '\\') out.push_back(e);
                    else throw LineError(std::string("unknown escape \\") + e);
                } else {
                    out.push_back(c);
                }
            }
            if (i < line.size() && line[i] != ' ' && line[i] != '\t') throw LineError("text after a closing quote");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
                if (line[i] == '"') throw LineError("quote inside a word");
                out.push_back(line[i++]);
            }
        }
    };
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        Token t;
        if (line[i] != '"') {
            std::size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '=' && line[i] != '"') ++i;
            if (i < line.size() && line[i] == '=') {
                t.key = std::string(line.substr(start, i - start));
                if (t.key.empty()) throw LineError("'=' without a name");
                ++i;
            } else {
                i = start;
            }
        }
        quoted = false;
        readValue(t.value);
        t.quoted = quoted;
        tokens.push_back(std::move(t));
    }
    return tokens;
}

int ParseInt(const std::string& s, const char* what) {
    std::size_t i = s.size() > 0 && s[0] == '-' ? 1 : 0;
    if (i == s.size() || s.size() > 7) throw LineError(std::string("bad number for ") + what + ": '" + s + "'");
    int v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') throw LineError(std::string("bad number for ") + what + ": '" + s + "'");
        v = v * 10 + (s[i] - '0');
    }
    return s[0] == '-' ? -v : v;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<MovieColor> ParseColorOrNone(const std::string& s) {
    if (s == "none") return std::nullopt;
    if (s.size() != 7 || s[0] != '#') throw LineError("bad colour '" + s + "' (use #RRGGBB or none)");
    int d[6];
    for (int k = 0; k < 6; ++k) {
        d[k] = HexDigit(s[1 + k]);
        if (d[k] < 0) throw LineError("bad colour '" + s + "' (use #RRGGBB or none)");
    }
    return MovieColor{static_cast<unsigned char>(d[0] * 16 + d[1]), static_cast<unsigned char>(d[2] * 16 + d[3]),
                      static_cast<unsigned char>(d[4] * 16 + d[5])};
}

MovieColor ParseColor(const std::string& s) {
    std::optional<MovieColor> c = ParseColorOrNone(s);
    if (!c) throw LineError("a colour is needed here, not 'none'");
    return *c;
}

WideString ToText(const std::string& utf8) {
    WideString w;
    if (!Utf8ToUtf16(utf8, w)) throw LineError("text is not valid UTF-8");
    return w;
}

// One line's tokens, consumed by name; whatever is left over is an error.
class LineReader {
public:
    LineReader(std::vector<Token> tokens) : FTokens(std::move(tokens)) {}

    const std::string& Keyword() const { return FTokens[0].value; }

    std::vector<std::string> Positional(std::size_t count, const char* usage) {
        std::vector<std::string> out;
        for (std::size_t i = 1; i < FTokens.size() && out.size() < count; ++i) {
            if (FTokens[i].used) continue;
            if (!FTokens[i].key.empty()) break;
            if (!FTokens[i].quoted && IsFlag(FTokens[i].value)) break;
            FTokens[i].used = true;
            out.push_back(FTokens[i].value);
        }
        if (out.size() != count) throw LineError(std::string("expected: ") + usage);
        return out;
    }

    std::vector<int> Numbers(std::size_t count, const char* usage) {
        std::vector<int> out;
        for (const std::string& s : Positional(count, usage)) out.push_back(ParseInt(s, "a position or size"));
        return out;
    }

    const std::string* Attribute(const char* key) {
        const std::string* found = nullptr;
        for (Token& t : FTokens) {
            if (t.key == key) {
                if (found) throw LineError(std::string("'") + key + "' given twice");
                t.used = true;
                found = &t.value;
            }
        }
        return found;
    }

    std::vector<std::string> Attributes(const char* key) {
        std::vector<std::string> out;
        for (Token& t : FTokens)
            if (t.key == key) { t.used = true; out.push_back(t.value); }
        return out;
    }

    bool Flag(const char* name) {
        bool on = false;
        for (Token& t : FTokens)
            if (t.key.empty() && !t.used && !t.quoted && t.value == name) { t.used = true; on = true; }
        return on;
    }

    void Finish() {
        FTokens[0].used = true;
        for (const Token& t : FTokens) {
            if (t.used) continue;
            if (!t.key.empty()) throw LineError("unknown attribute '" + t.key + "'");
            throw LineError("unexpected '" + t.value + "'");
        }
    }

private:
    static bool IsFlag(const std::string& v) { return v == "bold" || v == "rtl" || v == "wrap"; }
    std::vector<Token> FTokens;
};

MovieRect ReadBox(LineReader& r, const char* usage) {
    std::vector<int> n = r.Numbers(4, usage);
    if (n[2] < 0 || n[3] < 0) throw LineError("width and height must not be negative");
    return MovieRect{n[0], n[1], n[2], n[3]};
}

void ReadTextStyle(LineReader& r, MovieTextStyle& s) {
    if (const std::string* v = r.Attribute("font")) {
        s.font = ToText(*v);
        if (s.font.empty()) throw LineError("empty font name");
    }
    if (const std::string* v = r.Attribute("size")) {
        s.size = ParseInt(*v, "size");
        if (s.size < 1 || s.size > 400) throw LineError("size must lie between 1 and 400");
    }
    if (const std::string* v = r.Attribute("align")) {
        if (*v == "left") s.align = MovieAlign::Left;
        else if (*v == "center") s.align = MovieAlign::Center;
        else if (*v == "right") s.align = MovieAlign::Right;
        else throw LineError("align must be left, center or right");
    }
    if (r.Flag("bold")) s.bold = true;
    if (r.Flag("rtl")) s.rtl = true;
    if (r.Flag("wrap")) s.wrap = true;
}

MovieText ReadText(LineReader& r) {
    MovieText t;
    t.box = ReadBox(r, "text X Y WIDTH HEIGHT \"TEXT\" [attributes]");
    t.text = ToText(r.Positional(1, "text X Y WIDTH HEIGHT \"TEXT\" [attributes]")[0]);
    ReadTextStyle(r, t.style);
    if (const std::string* v = r.Attribute("color")) t.style.color = ParseColor(*v);
    return t;
}

void ReadShapeColours(LineReader& r, MovieShape& s) {
    if (const std::string* v = r.Attribute("fill")) s.fill = ParseColorOrNone(*v);
    if (const std::string* v = r.Attribute("border")) s.border = ParseColorOrNone(*v);
    if (const std::string* v = r.Attribute("pen")) {
        s.pen = ParseInt(*v, "pen");
        if (s.pen < 1 || s.pen > 100) throw LineError("pen must lie between 1 and 100");
    }
}

MovieShape ReadShape(LineReader& r, MovieShapeKind kind) {
    MovieShape s;
    s.kind = kind;
    if (kind == MovieShapeKind::Line) {
        std::vector<int> n = r.Numbers(4, "line X1 Y1 X2 Y2 [color=#RRGGBB] [pen=N]");
        s.box = MovieRect{n[0], n[1], n[2] - n[0], n[3] - n[1]};
        s.border = MovieColor{255, 255, 255};
        if (const std::string* v = r.Attribute("color")) s.border = ParseColor(*v);
        if (const std::string* v = r.Attribute("pen")) {
            s.pen = ParseInt(*v, "pen");
            if (s.pen < 1 || s.pen > 100) throw LineError("pen must lie between 1 and 100");
        }
        return s;
    }
    s.box = ReadBox(r, "SHAPE X Y WIDTH HEIGHT [fill=#RRGGBB] [border=#RRGGBB] [pen=N]");
    s.fill = MovieColor{255, 255, 255};
    ReadShapeColours(r, s);
    if (kind == MovieShapeKind::RoundRect) {
        s.radius = 12;
        if (const std::string* v = r.Attribute("radius")) s.radius = ParseInt(*v, "radius");
        if (s.radius < 0) throw LineError("radius must not be negative");
    }
    return s;
}

void ReadLook(LineReader& r, const char* prefix, MovieButtonLook& look) {
    std::string p = prefix;
    if (const std::string* v = r.Attribute((p + "fill").c_str())) look.fill = ParseColorOrNone(*v);
    if (const std::string* v = r.Attribute((p + "color").c_str())) look.text = ParseColor(*v);
    if (const std::string* v = r.Attribute((p + "border").c_str())) look.border = ParseColorOrNone(*v);
}

MovieButton ReadButton(LineReader& r) {
    MovieButton b;
    b.box = ReadBox(r, "button X Y WIDTH HEIGHT command=NAME [attributes]");
    const std::string* command = r.Attribute("command");
    if (!command || command->empty()) throw LineError("a button needs command=NAME");
    b.command = ToText(*command);
    if (const std::string* v = r.Attribute("args")) b.args = ToText(*v);
    if (const std::string* v = r.Attribute("caption")) b.caption = ToText(*v);
    b.style.align = MovieAlign::Center;
    ReadTextStyle(r, b.style);
    if (const std::string* v = r.Attribute("radius")) b.radius = ParseInt(*v, "radius");
    if (b.radius < 0) throw LineError("radius must not be negative");
    if (const std::string* v = r.Attribute("pen")) {
        b.pen = ParseInt(*v, "pen");
        if (b.pen < 1 || b.pen > 100) throw LineError("pen must lie between 1 and 100");
    }
    b.normal.fill = MovieColor{34, 158, 206};
    ReadLook(r, "", b.normal);
    b.hover = b.normal;                     // a look not given falls back to the previous one
    ReadLook(r, "hover-", b.hover);
    b.pressed = b.hover;
    ReadLook(r, "down-", b.pressed);
    return b;
}

MovieBackground ReadBackground(LineReader& r) {
    MovieBackground bg;
    const std::string kind = r.Positional(1, "background color|vgradient|hgradient|picture ...")[0];
    if (kind == "color") {
        bg.kind = MovieBackgroundKind::Solid;
        bg.from = bg.to = ParseColor(r.Positional(1, "background color #RRGGBB")[0]);
    } else if (kind == "vgradient" || kind == "hgradient") {
        bg.kind = kind == "vgradient" ? MovieBackgroundKind::VerticalGradient : MovieBackgroundKind::HorizontalGradient;
        std::vector<std::string> c = r.Positional(2, "background vgradient|hgradient #RRGGBB #RRGGBB");
        bg.from = ParseColor(c[0]);
        bg.to = ParseColor(c[1]);
    } else if (kind == "picture") {
        bg.kind = MovieBackgroundKind::Picture;
        bg.picture = ToText(r.Positional(1, "background picture \"FILE\"")[0]);
        if (bg.picture.empty()) throw LineError("empty picture file name");
        if (const std::string* v = r.Attribute("color")) bg.from = bg.to = ParseColor(*v);
    } else {
        throw LineError("unknown background '" + kind + "' (color, vgradient, hgradient or picture)");
    }
    return bg;
}

class Parser {
public:
    Parser(MovieFile& movie) : FMovie(movie) {}

    void Line(std::string_view text) {
        std::vector<Token> tokens = Tokenize(text);
        if (tokens.empty()) return;
        if (!tokens[0].key.empty()) throw LineError("a line starts with a keyword");
        LineReader r(std::move(tokens));
        const std::string& k = r.Keyword();
        if (k == "movie") {
            if (FHaveStage) throw LineError("'movie' given twice");
            std::vector<int> n = r.Numbers(2, "movie WIDTH HEIGHT");
            if (n[0] < 1 || n[1] < 1 || n[0] > 10000 || n[1] > 10000)
                throw LineError("stage size must lie between 1 and 10000");
            r.Finish();
            FMovie.width = n[0];
            FMovie.height = n[1];
            FHaveStage = true;
            return;
        }
        if (!FHaveStage) throw LineError("the first line must be 'movie WIDTH HEIGHT'");
        if (k == "background") {
            if (FClip) throw LineError("a background belongs to the stage, not to a clip");
            MovieBackground bg = ReadBackground(r);
            r.Finish();
            FMovie.background = bg;
        } else if (k == "clip") {
            if (FClip) throw LineError("clips do not nest: 'end' the clip first");
            MovieClip c;
            c.name = ToText(r.Positional(1, "clip NAME [alias=NAME]...")[0]);
            if (c.name.empty()) throw LineError("empty clip name");
            // a target path drops its leading '/': no path could reach such a clip
            if (c.name.size() > 1 && c.name[0] == L'/') throw LineError("a clip's name cannot begin with '/'");
            for (const std::string& a : r.Attributes("alias")) c.aliases.push_back(ToText(a));
            r.Finish();
            for (const MovieClip& other : FMovie.clips)
                if (other.name == c.name) throw LineError("a second clip with the same name");
            FMovie.clips.push_back(std::move(c));
            FMovie.items.push_back(MovieClipPlacement{FMovie.clips.size() - 1});
            FClip = &FMovie.clips.back();
            FFrame = nullptr;
            FClipLine = FLineNumber;
        } else if (k == "frame") {
            if (!FClip) throw LineError("'frame' outside a clip");
            int number = ParseInt(r.Positional(1, "frame NUMBER")[0], "the frame");
            if (number < 0) throw LineError("frame numbers start at 0");
            r.Finish();
            if (FClip->Frame(number)) throw LineError("frame " + std::to_string(number) + " given twice");
            FClip->frames.push_back(MovieFrame{number, {}});
            FFrame = &FClip->frames.back();
        } else if (k == "end") {
            if (!FClip) throw LineError("'end' without a clip");
            r.Finish();
            FClip = nullptr;
            FFrame = nullptr;
        } else {
            MovieItem item = ReadItem(r, k);
            r.Finish();
            if (FClip) {
                if (!FFrame) throw LineError("a clip's items follow a 'frame' line");
                FFrame->items.push_back(std::move(item));
            } else {
                FMovie.items.push_back(std::move(item));
            }
        }
    }

    void Finish() {
        if (!FHaveStage) throw LineError("the first line must be 'movie WIDTH HEIGHT'");
        if (FClip) {
            FLineNumber = FClipLine;
            throw LineError("clip without its 'end'");
        }
    }

    int FLineNumber = 0;

private:
    MovieItem ReadItem(LineReader& r, const std::string& k) {
        if (k == "text") return ReadText(r);
        if (k == "rect") return ReadShape(r, MovieShapeKind::Rect);
        if (k == "roundrect") return ReadShape(r, MovieShapeKind::RoundRect);
        if (k == "ellipse") return ReadShape(r, MovieShapeKind::Ellipse);
        if (k == "line") return ReadShape(r, MovieShapeKind::Line);
        if (k == "button") return ReadButton(r);
        throw LineError("unknown keyword '" + k + "'");
    }

    MovieFile& FMovie;
    bool FHaveStage = false;
    MovieClip* FClip = nullptr;     // vector growth happens only while no clip is open
    MovieFrame* FFrame = nullptr;
    int FClipLine = 0;
};

}  // namespace

MovieFile ParseMovie(std::string_view text, const WideString& fileName, std::optional<MovieParseError>& error) {
    error.reset();
    MovieFile movie;
    Parser parser(movie);
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    try {
        std::size_t pos = 0;
        while (pos <= text.size()) {
            std::size_t eol = text.find('\n', pos);
            std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++parser.FLineNumber;
            std::size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos && line[first] != '#') parser.Line(line);
            if (eol == std::string_view::npos) break;
            pos = eol + 1;
        }
        parser.Finish();
    } catch (const LineError& e) {
        error = MovieParseError{fileName, parser.FLineNumber, e.what()};
    }
    return movie;
}
