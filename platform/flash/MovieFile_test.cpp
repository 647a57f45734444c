#include "MovieFile.h"
#include <gtest/gtest.h>

namespace {

MovieFile Parse(const std::string& text, std::optional<MovieParseError>& error) {
    return ParseMovie(text, L"test.swf", error);
}

TEST(MovieFile, ReadsEveryElement) {
    std::optional<MovieParseError> error;
    MovieFile m = Parse(
        "# a comment\n"
        "movie 320 200\r\n"
        "background vgradient #102030 #405060\n"
        "text 10 10 300 30 \"\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \\\"x\\\"\" font=\"Arabic Transparent\" size=22 "
        "color=#FFEE00 align=right rtl bold\n"
        "rect 0 0 10 10 fill=none border=#000000 pen=3\n"
        "roundrect 1 2 3 4 radius=5\n"
        "ellipse 5 5 20 20 fill=#FF0000\n"
        "line 0 0 100 50 color=#00FF00 pen=2\n"
        "button 20 60 100 40 command=Train args=now caption=\"Go\" hover-fill=#FFFF00 down-color=#FF0000\n"
        "clip 65 alias=A\n"
        "frame 0\n"
        "rect 0 0 5 5\n"
        "frame 1\n"
        "end\n",
        error);
    ASSERT_FALSE(error) << std::string(error->message);
    EXPECT_EQ(m.width, 320);
    EXPECT_EQ(m.height, 200);
    EXPECT_EQ(m.background.kind, MovieBackgroundKind::VerticalGradient);
    EXPECT_EQ(m.background.to, (MovieColor{0x40, 0x50, 0x60}));
    ASSERT_EQ(m.items.size(), 7u);
    const auto& t = std::get<MovieText>(m.items[0]);
    EXPECT_EQ(t.text, L"\u0645\u0631\u062D\u0628\u0627 \"x\"");
    EXPECT_EQ(t.style.font, L"Arabic Transparent");
    EXPECT_TRUE(t.style.rtl && t.style.bold);
    EXPECT_EQ(t.style.align, MovieAlign::Right);
    EXPECT_FALSE(std::get<MovieShape>(m.items[1]).fill);
    EXPECT_EQ(std::get<MovieShape>(m.items[2]).radius, 5);
    const auto& line = std::get<MovieShape>(m.items[4]);
    EXPECT_EQ(line.box.width, 100);
    EXPECT_EQ(line.box.height, 50);
    const auto& b = std::get<MovieButton>(m.items[5]);
    EXPECT_EQ(b.command, L"Train");
    EXPECT_EQ(b.args, L"now");
    EXPECT_EQ(b.hover.fill, (MovieColor{255, 255, 0}));
    EXPECT_EQ(b.pressed.fill, b.hover.fill);       // a look not given falls back to the previous one
    EXPECT_EQ(b.pressed.text, (MovieColor{255, 0, 0}));
    ASSERT_EQ(m.clips.size(), 1u);
    EXPECT_EQ(m.clips[0].frames.size(), 2u);
    EXPECT_EQ(std::get<MovieClipPlacement>(m.items[6]).clip, 0u);
}

TEST(MovieFile, MalformedLineNamesFileAndLineAndKeepsWhatCameBefore) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"rect 1 2 3", "expected"},
        {"rect 1 2 x 4", "bad number"},
        {"rect 1 2 3 4 fill=#12345", "bad colour"},
        {"rect 1 2 3 4 colour=#123456", "unknown attribute 'colour'"},
        {"text 1 2 3 4 \"open", "unterminated"},
        {"text 1 2 3 4 \"\xC3\x28\"", "UTF-8"},
        {"button 1 2 3 4 caption=x", "command"},
        {"sprite 1 2", "unknown keyword 'sprite'"},
        {"frame 1", "outside a clip"},
        {"end", "without a clip"},
        {"background plaid", "unknown background"},
        {"movie 10 10", "twice"},
        {"rect 1 2 3 4 extra", "unexpected 'extra'"},
        {"text 1 2 3 4 \"a\" size=0", "size"},
    };
    for (const Case& c : cases) {
        std::optional<MovieParseError> error;
        std::string text = std::string("movie 100 80\nrect 0 0 10 10\n\n") + c.line + "\nrect 5 5 5 5\n";
        MovieFile m = Parse(text, error);
        ASSERT_TRUE(error) << c.line;
        EXPECT_EQ(error->line, 4) << c.line;
        EXPECT_NE(error->message.find(c.message), std::string::npos) << c.line << " -> " << error->message;
        EXPECT_EQ(error->Text().rfind(L"test.swf(4): ", 0), 0u) << c.line;
        EXPECT_EQ(m.width, 100) << c.line;
        EXPECT_EQ(m.items.size(), 1u) << c.line;    // the rectangle before the error, none after
    }
}

TEST(MovieFile, StructureErrors) {
    std::optional<MovieParseError> error;
    Parse("rect 0 0 1 1\n", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 1);

    MovieFile m = Parse("movie 10 10\nclip Pages\nframe 9\nrect 0 0 1 1\n", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 2);                        // the clip that was never closed
    ASSERT_EQ(m.clips.size(), 1u);
    EXPECT_EQ(m.clips[0].frames.size(), 1u);          // its content still shows

    Parse("movie 10 10\nclip A\nrect 0 0 1 1\nend\n", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 3);
    Parse("movie 10 10\nclip A\nframe 1\nframe 1\nend\n", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 4);
    Parse("movie 10 10\nclip A\nend\nclip A\nend\n", error);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 4);
    m = Parse("movie 10 10\nclip /\nend\nclip /Pages\nend\n", error);   // a path would reach "Pages"
    ASSERT_TRUE(error);
    EXPECT_EQ(error->line, 4);
    EXPECT_EQ(m.ClipIndex(L"/"), 0);
    Parse("", error);
    ASSERT_TRUE(error);
}

TEST(MovieFile, ClipsAnswerToNameAliasPathAndKeyCode) {
    std::optional<MovieParseError> error;
    MovieFile m = Parse("movie 10 10\nclip Pages\nframe 9\nend\nclip 65 alias=A\nframe 0\nend\n"
                        "clip 186 alias=\"\xD8\x9B\"\nframe 0\nend\nclip 13\nframe 0\nend\n"
                        "clip 8\nframe 0\nend\nclip 56 alias=8\nframe 0\nend\n", error);
    ASSERT_FALSE(error);
    EXPECT_EQ(m.ClipIndex(L"Pages"), 0);
    EXPECT_EQ(m.ClipIndex(L"/Pages"), 0);
    EXPECT_EQ(m.ClipIndex(L"A"), 1);
    EXPECT_EQ(m.ClipIndex(L"65"), 1);
    EXPECT_EQ(m.ClipIndex(L"\u061B"), 2);             // code 186 widened through code page 1256
    EXPECT_EQ(m.ClipIndex(L"\u00BA"), 2);             // and as its own code
    EXPECT_EQ(m.ClipIndex(L"\r"), 3);                 // Enter's character cannot stand in a file
    EXPECT_EQ(m.ClipIndex(L"8"), 5);                  // one character: the digit, not Backspace's code
    EXPECT_EQ(m.ClipIndex(L"/8"), 5);
    EXPECT_EQ(m.ClipIndex(L"56"), 5);
    EXPECT_EQ(m.ClipIndex(L"a"), -1);
    EXPECT_EQ(m.ClipIndex(L"pages"), -1);
    // by name alone: Backspace's clip, never the digit's alias
    EXPECT_EQ(m.ClipNamed(L"8"), 4);
    EXPECT_EQ(m.ClipNamed(L"A"), -1);
    EXPECT_EQ(m.ClipNamed(L"/Pages"), -1);
}

TEST(MovieFile, FlashSignatureAndUtf8) {
    EXPECT_TRUE(HasFlashSignature("FWS\x09"));
    EXPECT_TRUE(HasFlashSignature("CWS"));
    EXPECT_TRUE(HasFlashSignature("ZWS..."));
    EXPECT_FALSE(HasFlashSignature("FW"));
    EXPECT_FALSE(HasFlashSignature("movie 1 1"));
    WideString w;
    EXPECT_TRUE(Utf8ToUtf16("a\xD8\xB3\xF0\x9F\x98\x80", w));
    EXPECT_EQ(w, (WideString{L'a', 0x0633, 0xD83D, 0xDE00}));
    EXPECT_FALSE(Utf8ToUtf16("\xC0\x80", w));          // overlong
    EXPECT_FALSE(Utf8ToUtf16("\xED\xA0\x80", w));      // a surrogate
    EXPECT_FALSE(Utf8ToUtf16("\xD8", w));              // cut short
}

}  // namespace
