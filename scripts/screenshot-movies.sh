#!/bin/bash
# Renders every shipped movie under Wine and Xvfb to build/screenshots/<movie>.png, plus a few
# states worth seeing (a hovered and a pressed button, a pressed key, a letterboxed stage).
. "$(dirname "$0")/screenshot-session.sh"
shot() {   # name movie [movieshot options...]
    local name=$1 movie=$2
    shift 2
    "$WINE" "$BUILD/platform/movieshot.exe" "$(winepath -w "data/interface/$movie")" \
        "$(winepath -w "$OUT/$name.bmp")" "$@" </dev/null || echo "movieshot reported a problem with $movie" >&2
    convert "$OUT/$name.bmp" "$OUT/$name.png"
    rm -f "$OUT/$name.bmp"
}
for f in data/interface/*.swf; do
    movie=$(basename "$f")
    case "$movie" in
        Message*.swf|Options*.swf|Results*.swf) shot "${movie%.swf}" "$movie" --frame Pages 9 ;;
        *) shot "${movie%.swf}" "$movie" ;;
    esac
done
shot MainAA-hover MainAA.swf --hover 660 104
shot MainAE-pressed MainAE.swf --press 130 155
shot KeyBoard-keys KeyBoard.swf --frame A 1 --frame 74 1 --frame 32 1
shot KeyBoardE-keys KeyBoardE.swf --frame F 1 --frame 74 1
shot ResultsAE-showall ResultsAE.swf 1000 566 0 --frame Pages 9
echo "screenshots in $OUT"
