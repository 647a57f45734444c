#!/bin/bash
# Starts the tutor under Wine and Xvfb in a copy of the shipped tree, once with the Arabic and once
# with the English interface, and saves the screen to build/screenshots/menu-A.png and menu-E.png.
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
for lang in A E; do
    tree=$(mktemp -d)
    cp -r "$BUILD/dist/." "$tree/"
    printf '[Options]\r\nLanguage=%s\r\n' "$lang" > "$tree/Data/Topic.ini"
    "$WINE" "$tree/tapwise.exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    sleep "${SHOT_DELAY:-6}"
    import -window root "$OUT/menu-$lang.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$tree"
done
echo "screenshots in $OUT"
