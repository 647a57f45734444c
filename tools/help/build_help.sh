#!/bin/bash
# Compiles the help pages of data/help/<lang> into data/chm/Help<letter>.chm with chmcmd (Debian's
# fp-utils). The compiler stamps every file with the time, so a fresh file replaces the committed
# one only when its content differs; re-running on unchanged pages leaves the repository clean.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tools/help"
command -v chmcmd >/dev/null || { echo "chmcmd not found: install fp-utils" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# lang folder, file letter, language id, window title (ASCII: the viewer shows the title in the
# system's code page, the contents and the index in the code page of the language id). Neither file
# has full-text search: chmcmd indexes only the letters a-z, so the Arabic file cannot have it, and
# the pages describe the contents and the index that the system's viewer and our own window share.
build_one() {
    local lang=$1 letter=$2 lcid=$3 title=$4
    # tri-pane, auto-sync, favourites, title from the page, user position
    local props=0x43120
    local src="$root/data/help/$lang" out="$root/data/chm/Help$letter.chm"
    local dir="$work/$lang"
    mkdir -p "$dir"
    cp "$src"/* "$dir"/
    {
        printf '[OPTIONS]\r\n'
        printf 'Compatibility=1.1 or later\r\n'
        printf 'Compiled file=Help%s.chm\r\n' "$letter"
        printf 'Contents file=toc.hhc\r\n'
        printf 'Index file=index.hhk\r\n'
        printf 'Default topic=index.htm\r\n'
        printf 'Default Window=main\r\n'
        printf 'Display compile progress=No\r\n'
        printf 'Full-text search=No\r\n'
        printf 'Language=%s\r\n' "$lcid"
        printf 'Title=%s\r\n' "$title"
        printf '\r\n[WINDOWS]\r\n'
        printf 'main="%s","toc.hhc","index.hhk","index.htm","index.htm",,,,,%s,250,0x387e,[60,40,960,700],,,,,,,0\r\n' "$title" "$props"
        printf '\r\n[FILES]\r\n'
        (cd "$dir" && LC_ALL=C ls -1 | grep -v -E '\.(hhp|hhc|hhk)$' | sed 's/$/\r/')
    } > "$dir/Help$letter.hhp"
    (cd "$dir" && chmcmd --verbosity 1 "Help$letter.hhp" >"$work/$lang.log" 2>&1) || {
        cat "$work/$lang.log" >&2; echo "chmcmd failed for $lang" >&2; exit 1; }
    [ -s "$dir/Help$letter.chm" ] || { cat "$work/$lang.log" >&2; echo "no Help$letter.chm written" >&2; exit 1; }
    mkdir -p "$root/data/chm"
    if [ -f "$out" ] && python3 "$here/chm_equal.py" "$out" "$dir/Help$letter.chm"; then
        echo "Help$letter.chm unchanged"
    else
        cp "$dir/Help$letter.chm" "$out"
        echo "Help$letter.chm written ($(stat -c %s "$out") bytes)"
    fi
}

build_one en E '0x409 English (United States)' 'Tapwise Help'
build_one ar A '0x401 Arabic (Saudi Arabia)' 'Tapwise'
