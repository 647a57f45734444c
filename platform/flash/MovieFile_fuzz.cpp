// Any bytes as a movie file: the parser takes them or names the line it refuses, and what the
// player then asks of the movie stays within it.
#include <cstdint>
#include "platform/flash/MovieFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)HasFlashSignature(bytes);
    std::optional<MovieParseError> error;
    MovieFile movie = ParseMovie(bytes, L"fuzz.swf", error);
    if (error) (void)error->Text();
    for (const MovieClip& clip : movie.clips) {
        if (movie.FindClip(clip.name) == nullptr) __builtin_trap();
        for (const WideString& alias : clip.aliases) (void)movie.ClipIndex(alias);
        for (const MovieFrame& frame : clip.frames)
            if (clip.Frame(frame.number) == nullptr) __builtin_trap();
    }
    for (const MovieItem& item : movie.items)
        if (const auto* placed = std::get_if<MovieClipPlacement>(&item))
            if (placed->clip >= movie.clips.size()) __builtin_trap();
    return 0;
}
