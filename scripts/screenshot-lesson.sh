#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree and trains as a new
# user would, once in each interface language: Train, Start As Beginner, then a few keys of the
# first practice. Saves build/screenshots/lesson-A.png and lesson-E.png (lesson 1's first page),
# lesson-practice-A.png and lesson-practice-E.png (the practice begun), and keyboard-A.png and
# keyboard-E.png (the practice begun again, its first keys typed right and the next one held
# down: on the on-screen keyboard the key held down in amber, the key to press after it in green).
. "$(dirname "$0")/screenshot-session.sh"
WAIT=${SHOT_DELAY:-4}
for lang in A E; do
    tree=$(fresh_tree)
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        quiz1=667
    else
        quiz1=125
    fi
    train_as_beginner "$lang"
    import -window root "$OUT/lesson-$lang.png"
    click $((form_x + quiz1)) $((form_y + 109))                # Practice 1
    sleep 2
    xdotool type --delay 150 "fjdkfjdk"
    sleep 2
    import -window root "$OUT/lesson-practice-$lang.png"
    click $((form_x + quiz1)) $((form_y + 109))                # Practice 1 again
    sleep 2
    # it begins "بيت بنت": the Arabic layout puts them on f d j, space, f
    xdotool type --delay 200 "fdj f"
    sleep 1
    xdotool keydown k                                          # ن held (before it repeats): ت is next
    sleep 0.3
    import -window root "$OUT/keyboard-$lang.png"
    xdotool keyup k
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
