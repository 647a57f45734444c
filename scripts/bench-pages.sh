#!/bin/bash
# Times the page renderer under Wine: read, parse, style, lay out and first paint of the largest
# lesson page and of the largest help page in each language (median over the rounds).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/build.sh >/dev/null
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap wine_session_stop EXIT
ROUNDS=${ROUNDS:-50}
lesson=$(python3 - <<'PY'
import glob, os
best = max(glob.glob("data/ALess/ALess*.txt"),
           key=lambda p: max(len(l.split(b",", 1)[1]) for l in open(p, "rb").read().split(b"\r\n")[1:] if l.count(b",") == 2))
print(best)
PY
)
bench() { "$WINE" "$BUILD/platform/pagebench.exe" "$(winepath -w "$1")" "${@:2}" --rounds "$ROUNDS" </dev/null; }
bench "$lesson" --lesson --width 500 --height 220
for lang in en ar; do
    bench "$(ls -S data/help/$lang/*.htm | head -1)" --width 680 --height 590
done
