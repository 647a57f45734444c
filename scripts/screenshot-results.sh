#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree and, as a new user
# would, takes the placement test (Train, Entrance Test, the first text with some mistakes) and
# two speed tests (Test, the second text, typed through twice), then opens Results and visits its
# four pages, once in each interface language. On the proficiency page it also shows the Shift
# keyboard, on the chart page a zoom.
# Saves build/screenshots/results-{summary,proficiency,shift,progress,graph,zoom}-{A,E}.png.
. "$(dirname "$0")/screenshot-session.sh"
WAIT=${SHOT_DELAY:-4}
message_x=245 message_y=268     # the message form, 790 x 487
ok() { click $((message_x + 430)) $((message_y + 397)); }
side() { click $((form_x + side)) $((form_y + $1)); }   # a button of a screen's command column
keys_of() { python3 scripts/wine/typed-keys.py "$1" "$2"; }

for lang in A E; do
    tree=$(fresh_tree)
    text() { iconv -f cp1256 -t utf-8 "$tree/Data/ASpeedText/Text.txt" | sed -n "$1p" | tr -d '\r'; }
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        side=667 exam=428 files=264 lesson_return=370 shift_key=44 room=20
    else
        side=125 exam=164 files=528 lesson_return=422 shift_key=44 room=250
    fi

    # the placement test from the beginner form, then back from the lesson form
    side 104                                                   # Train
    sleep "$WAIT"
    click $((beginner_x + exam)) $((beginner_y + 290))         # Entrance Test
    sleep "$WAIT"
    side 119                                                   # Start
    sleep 1
    xdotool type --delay 480 "$(keys_of "$tree/Data/ASpeedText/$(text 1).txt" 6)"
    sleep 2
    ok
    sleep "$WAIT"
    click $((form_x + lesson_return)) $((form_y + 32))         # Return
    sleep "$WAIT"

    # two speed tests on the second text, the shortest
    side 154                                                   # Test
    sleep "$WAIT"
    click $((form_x + files)) $((form_y + 100))
    xdotool key Down Return
    sleep 1
    for pace in "9 480" "4 500"; do                            # a mistake every n keys, ms a key
        set -- $pace
        side 119                                               # Start
        sleep 1
        xdotool type --delay "$2" "$(keys_of "$tree/Data/ASpeedText/$(text 2).txt" "$1")"
        sleep 2
        ok
    done
    side 395                                                   # Return
    sleep "$WAIT"

    side 254                                                   # Results
    sleep "$WAIT"
    import -window root "$OUT/results-summary-$lang.png"
    side 183                                                   # Proficiency
    import -window root "$OUT/results-proficiency-$lang.png"
    click $((form_x + room + shift_key)) $((form_y + 80 + 18 + 165))   # left Shift
    import -window root "$OUT/results-shift-$lang.png"
    side 247                                                   # Progress
    import -window root "$OUT/results-progress-$lang.png"
    side 311                                                   # Graph
    import -window root "$OUT/results-graph-$lang.png"
    click $((form_x + room + 200)) $((form_y + 80 + 416))      # Zoom In
    import -window root "$OUT/results-zoom-$lang.png"
    side 385                                                   # Return
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
