#!/bin/bash
# Starts the tutor under Wine and Xvfb in a copy of the shipped tree, once with the Arabic and once
# with the English interface, and saves the screen to build/screenshots/menu-A.png and menu-E.png.
. "$(dirname "$0")/screenshot-session.sh"
for lang in A E; do
    tree=$(fresh_tree)
    start_tutor "$tree" "$lang"
    sleep "${SHOT_DELAY:-6}"
    import -window root "$OUT/menu-$lang.png"
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
