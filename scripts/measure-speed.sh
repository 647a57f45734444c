#!/bin/bash
# Times the tutor against the floor Wine sets, in one run, on this machine as loaded now:
#  - the typing benchmark (a key's handling on the typing surface, preparing a 120-line text);
#  - key latency from a real key press to the window's first repaint: the typing surface against
#    a bare window that repaints one strip per key and against a bare rich edit control typing by
#    itself (what any surface on that control costs), interleaved;
#  - start-up to a settled main menu, warm and cold, against a bare 792 x 566 window, interleaved.
# ROUNDS (default 5) sets the rounds of each comparison. Figures move with the load: compare the
# two sides of each line, never figures of different runs.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
ROOT=$PWD
ROUNDS=${ROUNDS:-5}
bash scripts/build.sh >/dev/null
TOOLS=$ROOT/$BUILD/measure
mkdir -p "$TOOLS"
cc -O2 scripts/measure/keylat.c -o "$TOOLS/keylat" -lX11 -lXtst -lXdamage -lXfixes
cc -O2 scripts/measure/mapwait2.c -o "$TOOLS/mapwait2" -lX11 -lXdamage -lXfixes
for tool in bare barekeys barerichedit; do
    x86_64-w64-mingw32-gcc -O2 -mwindows "scripts/measure/$tool.c" -o "$TOOLS/$tool.exe"
done
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap 'pkill -f "typing_bench.exe keys" 2>/dev/null || true; wine_session_stop' EXIT
TREE=$(mktemp -d)
cp -r "$BUILD/dist/." "$TREE/"
WORK=$(mktemp -d)

median() { sort -n | awk '{v[NR]=$1} END {if (NR) printf "%.2f", (NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2)}'; }
window_of() {
    for _ in $(seq 100); do
        w=$(xdotool search --name "^$1\$" 2>/dev/null | tail -1 || true)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
}
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== typing benchmark"
(cd "$WORK" && "$WINE" "$ROOT/$BUILD/tutor/typing_bench.exe" </dev/null)

echo "== key latency, ms from key press to first repaint ($ROUNDS rounds of 105 keys, 60 ms apart)"
KEYS="the quick brown fox jumps over the lazy dog and runs back home again while the cat sleeps on the warm mat"
keys_of() {   # title command...: the median and p90 of one window
    local title=$1; shift
    "$@" </dev/null >/dev/null 2>&1 &
    local pid=$! w
    w=$(window_of "$title")
    sleep 1.5
    "$TOOLS/keylat" "$w" "$KEYS" 60 | tail -1
    kill "$pid" 2>/dev/null || true
    pkill -f "typing_bench.exe keys" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.5
}
: >"$WORK/keys"
for _ in $(seq "$ROUNDS"); do
    echo "floor $(keys_of barekeys "$WINE" "$TOOLS/barekeys.exe")" | tee -a "$WORK/keys"
    echo "richedit $(keys_of barerichedit "$WINE" "$TOOLS/barerichedit.exe")" | tee -a "$WORK/keys"
    echo "surface $(cd "$WORK" && keys_of typing_bench "$WINE" "$ROOT/$BUILD/tutor/typing_bench.exe" keys)" | tee -a "$WORK/keys"
done
for side in floor richedit surface; do
    m=$(grep "^$side " "$WORK/keys" | sed 's/.*median=\([0-9.]*\).*/\1/' | median)
    p=$(grep "^$side " "$WORK/keys" | sed 's/.*p90=\([0-9.]*\).*/\1/' | median)
    echo "$side: median of medians $m ms, of p90s $p ms" | tee -a "$WORK/keysum"
done
of() { sed -n "s/^$1: median of medians \([0-9.]*\).*/\1/p" "$WORK/keysum"; }
echo "surface / floor: $(awk -v s="$(of surface)" -v f="$(of floor)" 'BEGIN {printf "%.2f", s / f}');" \
     "surface / rich edit: $(awk -v s="$(of surface)" -v f="$(of richedit)" 'BEGIN {printf "%.2f", s / f}')"

settled() { MW_OR=1 MW_MIN=100 MW_KILL=1 "$TOOLS/mapwait2" 60 2000 "$WINE" "$@" 2>/dev/null | sed 's/.*settled=\([0-9]*\).*/\1/'; }
startups() {   # warm|cold
    : >"$WORK/$1.tapwise"; : >"$WORK/$1.bare"
    for _ in $(seq "$ROUNDS"); do
        [ "$1" = cold ] && { wineserver -k; sleep 1; }
        (cd "$TREE" && settled "$TREE/tapwise.exe") >>"$WORK/$1.tapwise"
        [ "$1" = cold ] && { wineserver -k; sleep 1; }
        settled "$TOOLS/bare.exe" >>"$WORK/$1.bare"
    done
    t=$(median <"$WORK/$1.tapwise"); b=$(median <"$WORK/$1.bare")
    echo "$1: tapwise $t ms ($(paste -sd' ' "$WORK/$1.tapwise")), bare $b ms ($(paste -sd' ' "$WORK/$1.bare")); difference $(awk -v t="$t" -v b="$b" 'BEGIN {printf "%.0f", t - b}') ms"
}
echo "== start-up to a settled main menu, ms (median of $ROUNDS, each start listed)"
(cd "$TREE" && settled "$TREE/tapwise.exe" >/dev/null)   # the first run of a tree creates its user files
startups warm
startups cold
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -rf "$TREE" "$WORK"
