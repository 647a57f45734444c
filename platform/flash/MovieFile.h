#pragma once
// The movie format of our player: plain UTF-8 text, one element a line (data/interface/README.md).
// Portable: no system header here, so the parser also builds natively for fuzzing.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>
#include "platform/rtl/String.h"

struct MovieColor {
    unsigned char r = 0, g = 0, b = 0;
    bool operator==(const MovieColor&) const = default;
};

struct MovieRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

enum class MovieAlign { Left, Center, Right };

struct MovieTextStyle {
    WideString font = L"Tahoma";
    int size = 18;                          // pixels of stage, the character height
    bool bold = false;
    MovieColor color{255, 255, 255};
    MovieAlign align = MovieAlign::Left;
    bool rtl = false;                       // right-to-left reading
    bool wrap = false;                      // word-wrapped from the top, else one centred line
};

struct MovieText {
    MovieRect box;
    WideString text;
    MovieTextStyle style;
};

enum class MovieShapeKind { Rect, RoundRect, Ellipse, Line };

struct MovieShape {
    MovieShapeKind kind = MovieShapeKind::Rect;
    MovieRect box;                          // a line runs from (x, y) to (x + width, y + height)
    std::optional<MovieColor> fill;
    std::optional<MovieColor> border;
    int pen = 1;
    int radius = 0;                         // corner radius of a rounded rectangle
};

struct MovieButtonLook {
    std::optional<MovieColor> fill;
    MovieColor text{255, 255, 255};
    std::optional<MovieColor> border;
};

struct MovieButton {
    MovieRect box;
    WideString command;
    WideString args;
    WideString caption;
    MovieTextStyle style;                   // caption font; its colour comes from the look
    int radius = 0;
    int pen = 2;
    MovieButtonLook normal, hover, pressed;
};

struct MovieClipPlacement {
    std::size_t clip = 0;                   // index into MovieFile::clips
};

using MovieItem = std::variant<MovieText, MovieShape, MovieButton, MovieClipPlacement>;

struct MovieFrame {
    int number = 0;
    std::vector<MovieItem> items;           // never a clip placement: clips do not nest
};

struct MovieClip {
    WideString name;
    std::vector<WideString> aliases;        // further names that reach the clip (a key's character)
    std::vector<MovieFrame> frames;         // in file order
    const MovieFrame* Frame(int number) const;
};

enum class MovieBackgroundKind { None, Solid, VerticalGradient, HorizontalGradient, Picture };

struct MovieBackground {
    MovieBackgroundKind kind = MovieBackgroundKind::None;
    MovieColor from{255, 255, 255};         // the solid colour; top or left end of a gradient
    MovieColor to{255, 255, 255};
    WideString picture;                     // file name as written, relative to the movie's folder
};

struct MovieFile {
    int width = 0, height = 0;              // 0 x 0: the empty stage
    MovieBackground background;
    std::vector<MovieItem> items;           // drawn in order; clip placements draw a clip's frame
    std::vector<MovieClip> clips;
    // A clip by name or alias; a leading "/" of a target path is ignored. Null when absent.
    const MovieClip* FindClip(std::wstring_view target) const;
    int ClipIndex(std::wstring_view target) const;   // -1 when absent
    // A clip by its name alone: "8" is the clip named 8 even where a digit key answers to "8".
    int ClipNamed(std::wstring_view name) const;     // -1 when absent
};

// The stage area an item may paint: its box and its pen; a text's glyphs may stand out of its
// box by their size, and a wrapped text runs on below it.
MovieRect ItemArea(const MovieItem& item);
// The smallest rectangle holding both; an empty one (no width or height) adds nothing.
MovieRect UnionArea(const MovieRect& a, const MovieRect& b);

struct MovieParseError {
    WideString file;
    int line = 0;
    std::string message;                    // English, ASCII
    WideString Text() const;                // "file(line): message"
};

// Parses a movie. On a malformed line the error is filled and the movie holds what came before.
MovieFile ParseMovie(std::string_view utf8, const WideString& fileName, std::optional<MovieParseError>& error);

// True when the bytes begin with a real Flash signature ("FWS", "CWS", "ZWS").
bool HasFlashSignature(std::string_view bytes);

// Strict UTF-8 to UTF-16; false on a malformed sequence.
bool Utf8ToUtf16(std::string_view utf8, WideString& out);
