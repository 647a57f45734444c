#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree and takes both typing
# tests as a new user would, once in each interface language:
#   the placement test: Train, Entrance Test, Start, the first text typed with a few mistakes,
#   Pause and Continue, the result, then the lesson form on the placed lesson;
#   the speed test: Test, the third text and one minute chosen, Start, some keys, the result
#   when the minute is up, and the test form after it.
# Saves build/screenshots/placement-{typing,paused,result,lesson}-{A,E}.png and
# speed-{typing,result,done}-{A,E}.png.
. "$(dirname "$0")/screenshot-session.sh"
WAIT=${SHOT_DELAY:-4}
message_x=245 message_y=268     # the message form, 790 x 487
ok() { click $((message_x + 430)) $((message_y + 397)); }

# The keys that type a text of the tree, every `every`-th one wrong (0: none).
keys_of() { python3 scripts/wine/typed-keys.py "$1" "$2"; }

for lang in A E; do
    tree=$(fresh_tree)
    first=$(iconv -f cp1256 -t utf-8 "$tree/Data/ASpeedText/Text.txt" | sed -n 1p | tr -d '\r')
    third=$(iconv -f cp1256 -t utf-8 "$tree/Data/ASpeedText/Text.txt" | sed -n 3p | tr -d '\r')
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        menu=667 side=667 exam=428 files=264 durations=88 every=4
    else
        menu=125 side=125 exam=164 files=528 durations=704 every=12
    fi

    # the placement test from the beginner form
    click $((form_x + menu)) $((form_y + 104))                 # Train
    sleep "$WAIT"
    click $((beginner_x + exam)) $((beginner_y + 290))          # Entrance Test
    sleep "$WAIT"
    click $((form_x + side)) $((form_y + 119))                  # Start
    sleep 2
    keys=$(keys_of "$tree/Data/ASpeedText/$first.txt" "$every")
    xdotool type --delay 60 "${keys:0:60}"
    sleep 1
    import -window root "$OUT/placement-typing-$lang.png"
    click $((form_x + side)) $((form_y + 183))                  # Pause
    import -window root "$OUT/placement-paused-$lang.png"
    click $((form_x + side)) $((form_y + 183))                  # Continue
    xdotool type --delay 40 "${keys:60}"
    sleep 2
    import -window root "$OUT/placement-result-$lang.png"
    ok
    sleep "$WAIT"
    import -window root "$OUT/placement-lesson-$lang.png"
    if [ "$lang" = A ]; then click $((form_x + 370)) $((form_y + 32)); else click $((form_x + 422)) $((form_y + 32)); fi
    sleep "$WAIT"

    # the speed test from the main menu: the third text, one minute
    click $((form_x + menu)) $((form_y + 154))                  # Test
    sleep "$WAIT"
    click $((form_x + files)) $((form_y + 100))                 # the text list
    xdotool key Down Down Return
    sleep 1
    click $((form_x + durations)) $((form_y + 100))             # the durations
    xdotool key Return
    sleep 1
    click $((form_x + side)) $((form_y + 119))                  # Start
    sleep 2
    keys=$(keys_of "$tree/Data/ASpeedText/$third.txt" 9)
    xdotool type --delay 150 "${keys:0:120}"
    import -window root "$OUT/speed-typing-$lang.png"
    sleep 58                                                    # the minute runs out
    import -window root "$OUT/speed-result-$lang.png"
    ok
    import -window root "$OUT/speed-done-$lang.png"
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
