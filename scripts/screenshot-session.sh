# Sourced by the screenshot scripts: builds, starts Xvfb and a warm Wine session that ends with the
# script, and gives the helpers that run the tutor in a fresh copy of the shipped tree. Screenshots
# go to $OUT.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/build.sh
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap wine_session_stop EXIT
OUT=build/screenshots
mkdir -p "$OUT"

# The display is 1280 x 1024 and the screens stand centred on it.
form_x=244 form_y=229           # the main menu, the lesson form, the tests: 792 x 566
beginner_x=344 beginner_y=328   # the beginner form, 592 x 368
# A click at a point of the display, with a second for the screen to answer.
click() { xdotool mousemove "$1" "$2" click 1; sleep 1; }

# Prints the folder of a fresh copy of the shipped tree.
fresh_tree() {
    local tree
    tree=$(mktemp -d)
    cp -r "$BUILD/dist/." "$tree/"
    echo "$tree"
}

# Starts the tutor of a tree in an interface language (A or E); its process is $pid.
start_tutor() {   # tree language
    printf '[Options]\r\nLanguage=%s\r\n' "$2" > "$1/Data/Topic.ini"
    "$WINE" "$1/tapwise.exe" </dev/null >/dev/null 2>&1 &
    pid=$!
}

# From the main menu to lesson 1 on the lesson form as a new learner: Train, Start As Beginner,
# with $WAIT seconds for each screen to open. The menu stands on the language's side.
train_as_beginner() {   # language
    local menu=667 beginner=164
    [ "$1" = A ] || menu=125 beginner=428
    click $((form_x + menu)) $((form_y + 104))                 # Train
    sleep "${WAIT:-4}"
    click $((beginner_x + beginner)) $((beginner_y + 290))     # Start As Beginner
    sleep "${WAIT:-4}"
}

stop_tutor() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
