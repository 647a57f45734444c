#!/bin/bash
# Pages as a learner sees them without a browser engine, in a fresh copy of the shipped tree:
#   build/screenshots/page-lesson12.png  the lesson form on lesson 12's first page (Arabic menu)
#   build/screenshots/help-A.png, help-E.png  the Help command's window in each interface language
. "$(dirname "$0")/screenshot-session.sh"
WAIT=${SHOT_DELAY:-4}
start() {   # tree language
    start_tutor "$1" "$2"
    sleep "$WAIT"
}
stop() {
    stop_tutor
    wineserver -k 2>/dev/null || true
    "$WINE" "$BUILD/keepalive.exe" </dev/null >/dev/null 2>&1 &
    sleep 1
}

tree=$(fresh_tree)
# a first visit makes the user and starts as a beginner; the user then stands at lesson 12
start "$tree" A
click $((form_x + 667)) $((form_y + 104))                  # Train
sleep "$WAIT"
click $((beginner_x + 164)) $((beginner_y + 290))          # Start As Beginner
sleep "$WAIT"
stop
sed -i 's/,[0-9]*\r$/,12\r/' "$tree/Data/AStudents.txt"
start "$tree" A
click $((form_x + 667)) $((form_y + 104))                  # Train: lesson 12
sleep "$WAIT"
import -window root "$OUT/page-lesson12.png"
stop

for lang in A E; do
    start "$tree" $lang
    if [ "$lang" = A ]; then help=667; else help=125; fi
    click $((form_x + help)) $((form_y + 414))             # Help
    sleep "$WAIT"
    import -window root "$OUT/help-$lang.png"
    stop
done
rm -rf "$tree"
echo "screenshots in $OUT"
