#!/bin/bash
# Walks the games menu and the flying-words game under Wine and Xvfb as a learner does, once with
# the Arabic and once with the English interface: the games menu with the pointer on the Flying
# Words picture, then the game started from it, a round being typed, and the round's result.
# Saves build/screenshots/games-A.png, games-E.png, words-A-round.png, words-A-result.png,
# words-E-round.png and words-E-result.png.
. "$(dirname "$0")/screenshot-session.sh"

# points on the 792 x 566 screens, and their picture
X=$form_x; Y=$form_y
at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
click() { at "$1" "$2"; xdotool click 1; }
shot() { import -window root -crop 792x566+$X+$Y "$OUT/$1"; }

for lang in A E; do
    tree=$(fresh_tree)
    start_tutor "$tree" "$lang"
    sleep "${SHOT_DELAY:-6}"
    # the main menu's Games button: on the right in Arabic, on the left in English
    if [ $lang = A ]; then click 667 206; else click 125 206; fi
    sleep 2
    at 649 212          # on the Flying Words picture: red frame and hint
    sleep 1.5
    shot games-$lang.png
    xdotool click 1     # starts Words.exe
    sleep 4
    game=$(pgrep -n -f "$(basename "$tree").Games.Words.Words" || true)
    # the game starts in Arabic; the English learner switches it
    if [ $lang = E ]; then click 513 526; sleep 0.5; letters=etaoinsrhldcumfpgwybvk; else letters=hgjdkflamvbuiorfsqgjh; fi
    click 100 526       # Start
    at 400 300
    sleep 1
    for i in $(seq 14); do xdotool key "${letters:$((i % ${#letters})):1}"; sleep 0.15; done
    shot words-$lang-round.png
    # the rest of the round's 50 letters
    for i in $(seq 36); do xdotool key "${letters:$((i * 7 % ${#letters})):1}"; sleep 0.08; done
    sleep 1.2
    shot words-$lang-result.png
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    stop_tutor
    rm -rf "$tree"
done
echo "screenshots in $OUT"
