#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree and starts both typing
# tests on every test text (Data/ASpeedText), once in each interface language:
#   the placement test from the lesson form (Train, Start As Beginner, Typist Level, Start), the
#   text list turned each time so that the text is its first, which is the one the test takes;
#   the speed test from the main menu (Test, the text chosen in the list, Start).
# Saves the typing surface of each as build/screenshots/test-texts/{placement,speed}-{A,E}-NN.png
# (NN the text's place in the list) and the whole form of the first text as
# build/screenshots/test-texts/form-{placement,speed}-{A,E}.png.
. "$(dirname "$0")/screenshot-session.sh"
OUT=$OUT/test-texts
mkdir -p "$OUT"
WAIT=${SHOT_DELAY:-4}
# the typing surface of a test form and, for the first text, the whole form
shoot() {
    import -window root -crop 522x260+$((form_x + room))+$((form_y + 136)) +repage "$(printf '%s/%s-%s-%02d.png' "$OUT" "$1" "$lang" "$2")"
    [ "$2" = 1 ] && import -window root -crop 792x566+$form_x+$form_y +repage "$OUT/form-$1-$lang.png"
    return 0
}
for lang in ${LANGUAGES:-A E}; do
    tree=$(fresh_tree)
    list="$tree/Data/ASpeedText/Text.txt"
    cp "$list" "$tree/Text.txt.shipped"
    count=$(grep -c . "$list" || true)
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        side=667 room=20 files=264 back=370
    else
        side=125 room=250 files=528 back=422
    fi

    train_as_beginner "$lang"
    for n in $(seq 1 "$count"); do
        # the list read from the n-th text on, the texts before it after the rest
        { tail -n +"$n" "$tree/Text.txt.shipped"; head -n $((n - 1)) "$tree/Text.txt.shipped"; } > "$list"
        click $((form_x + side)) $((form_y + 465))             # Typist Level
        sleep "$WAIT"
        click $((form_x + side)) $((form_y + 119))             # Start
        sleep 2
        shoot placement "$n"
        click $((form_x + side)) $((form_y + 395))             # Return
        sleep "$WAIT"
    done
    cp "$tree/Text.txt.shipped" "$list"
    click $((form_x + back)) $((form_y + 32))                  # Return to the main menu
    sleep "$WAIT"

    click $((form_x + side)) $((form_y + 154))                 # Test
    sleep "$WAIT"
    for n in $(seq 1 "$count"); do
        click $((form_x + files)) $((form_y + 100))            # the text list
        xdotool key Home
        for _ in $(seq 2 "$n"); do xdotool key Down; done
        xdotool key Return
        sleep 1
        click $((form_x + side)) $((form_y + 119))             # Start
        sleep 2
        shoot speed "$n"
        click $((form_x + side)) $((form_y + 247))             # Stop
        sleep 1
    done
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
