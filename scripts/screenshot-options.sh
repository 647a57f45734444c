#!/bin/bash
# Starts the tutor under Wine and Xvfb in a copy of the shipped tree, once with the Arabic and once
# with the English interface, opens the options screen with a click on the menu's button, as a
# learner does, and saves the screen to build/screenshots/options-A.png and options-E.png.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/build.sh
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap wine_session_stop EXIT
OUT=build/screenshots
mkdir -p "$OUT"

# The menu's window once it is shown; its client area is the whole borderless window.
wait_for_menu() {
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name '^Tapwise$' 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "the menu did not appear" >&2
    exit 1
}

click_at() {   # window x y: a click at a point of the window's client area
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

for lang in A E; do
    tree=$(mktemp -d)
    cp -r "$BUILD/dist/." "$tree/"
    printf '[Options]\r\nLanguage=%s\r\n' "$lang" > "$tree/Data/Topic.ini"
    "$WINE" "$tree/tapwise.exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    menu=$(wait_for_menu)
    sleep "${SHOT_DELAY:-2}"
    # the menu's "Options" button: in the right-hand column in Arabic, the left-hand one in English
    if [ "$lang" = A ]; then click_at "$menu" 667 304; else click_at "$menu" 125 304; fi
    sleep "${SHOT_DELAY:-2}"
    import -window root "$OUT/options-$lang.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$tree"
done
echo "screenshots in $OUT"
