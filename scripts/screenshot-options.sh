#!/bin/bash
# Starts the tutor under Wine and Xvfb in a copy of the shipped tree, once with the Arabic and once
# with the English interface, opens the options screen with a click on the menu's button, as a
# learner does, and saves the screen to build/screenshots/options-A.png and options-E.png; then rests
# the pointer on the colour of wrong characters for its hint: options-hint-A.png, options-hint-E.png.
. "$(dirname "$0")/screenshot-session.sh"

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
    tree=$(fresh_tree)
    start_tutor "$tree" "$lang"
    menu=$(wait_for_menu)
    sleep "${SHOT_DELAY:-2}"
    # the menu's "Options" button: in the right-hand column in Arabic, the left-hand one in English
    if [ "$lang" = A ]; then click_at "$menu" 667 304; else click_at "$menu" 125 304; fi
    sleep "${SHOT_DELAY:-2}"
    import -window root "$OUT/options-$lang.png"
    # the colour of wrong characters, the last of the three in the language's reading order
    if [ "$lang" = A ]; then x=196; else x=596; fi
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $((X + x - 2)) $((Y + 464)); sleep 0.2; xdotool mousemove $((X + x)) $((Y + 466))
    sleep 1.5
    import -window root "$OUT/options-hint-$lang.png"
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
