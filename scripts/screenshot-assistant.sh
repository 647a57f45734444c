#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree, once in each interface
# language, and catches Zarek, the assistant character, speaking: on the main menu (its Assistant
# button plays the menu's page again) and on the lesson form, which introduces itself on a first
# visit. Saves build/screenshots/assistant-menu-A.png, assistant-menu-E.png,
# assistant-lesson-A.png and assistant-lesson-E.png.
. "$(dirname "$0")/screenshot-session.sh"
WAIT=${SHOT_DELAY:-4}
# Zarek shows, waves and then speaks, from a little after the page is asked for.
SPEAKING=${SPEAK_DELAY:-3}
for lang in A E; do
    tree=$(fresh_tree)
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        assistant=258 train=667 beginner=164
    else
        assistant=536 train=125 beginner=428
    fi
    xdotool mousemove $((form_x + assistant)) $((form_y + 31)) click 1
    sleep "$SPEAKING"
    import -window root "$OUT/assistant-menu-$lang.png"
    click $((form_x + train)) $((form_y + 104))                # Train
    sleep "$WAIT"
    xdotool mousemove $((beginner_x + beginner)) $((beginner_y + 290)) click 1   # Start As Beginner
    sleep "$SPEAKING"
    import -window root "$OUT/assistant-lesson-$lang.png"
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
