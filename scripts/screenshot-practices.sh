#!/bin/bash
# Starts the tutor under Wine and Xvfb in a fresh copy of the shipped tree and opens every practice
# of every lesson on the lesson form, once in each interface language: Train, Start As Beginner,
# then Practice 1, 2 and 3 of the lesson and Next Lesson, up to the last lesson. Saves the typing
# surface of each practice as build/screenshots/practices/{A,E}-LL-P.png (lesson LL, practice P)
# and the whole form of lesson 20's practices as build/screenshots/practices/form-{A,E}-20-P.png;
# lesson 20's first practice is also begun, its first words typed with one wrong vowel mark, in
# build/screenshots/practices/form-{A,E}-20-typed.png, and typed on into its third line, which
# brings that line's pair to the top, in form-{A,E}-20-scrolled.png.
# LESSONS=N stops after lesson N, FIRST=N takes no shots before lesson N; LANGUAGES="A" takes one
# interface language.
. "$(dirname "$0")/screenshot-session.sh"
OUT=$OUT/practices
mkdir -p "$OUT"
WAIT=${SHOT_DELAY:-4}
# The keys that type line n of a text of the tree.
line_keys() { sed -n "$2p" "$1" > "$tree/line.txt"; python3 scripts/wine/typed-keys.py "$tree/line.txt" 0; }
for lang in ${LANGUAGES:-A E}; do
    tree=$(fresh_tree)
    lessons=${LESSONS:-$(grep -c . "$tree/Data/ALessons.txt" || true)}
    start_tutor "$tree" "$lang"
    sleep "$WAIT"
    if [ "$lang" = A ]; then
        side=667 room=20
    else
        side=125 room=250
    fi
    train_as_beginner "$lang"
    for lesson in $(seq 1 "$lessons"); do
        for practice in 1 2 3; do
            [ "$lesson" -lt "${FIRST:-1}" ] && continue
            click $((form_x + side)) $((form_y + 109 + 56 * (practice - 1)))   # Practice N
            shot=$(printf '%s/%s-%02d-%d.png' "$OUT" "$lang" "$lesson" "$practice")
            # the practice room: the typing surface and the counters under it
            import -window root -crop 522x224+$((form_x + room))+$((form_y + 76)) +repage "$shot"
            if [ "$lesson" = 20 ]; then
                import -window root -crop 792x566+$form_x+$form_y +repage "$OUT/form-$lang-20-$practice.png"
                if [ "$practice" = 1 ]; then
                    # its first line typed with a wrong tanween (Shift+W) in place of the right
                    # one, then the rest of it, the second line and the start of the third, which scrolls
                    first=$(line_keys "$tree/Data/ALess/Qless20_1.txt" 1)
                    second=$(line_keys "$tree/Data/ALess/Qless20_1.txt" 2)
                    third=$(line_keys "$tree/Data/ALess/Qless20_1.txt" 3)
                    xdotool type --delay 200 "${first:0:4}W${first:5:6}"
                    sleep 1
                    import -window root -crop 792x566+$form_x+$form_y +repage "$OUT/form-$lang-20-typed.png"
                    xdotool type --delay 100 "${first:11}$second${third:0:6}"
                    sleep 1
                    import -window root -crop 792x566+$form_x+$form_y +repage "$OUT/form-$lang-20-scrolled.png"
                fi
            fi
        done
        click $((form_x + side)) $((form_y + 343))              # Next Lesson
    done
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
