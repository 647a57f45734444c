#!/bin/bash
# Installs everything the build and the tests need on a fresh Debian 12 machine (as root),
# and cross-builds libjpeg-turbo once into the build folder. Quick when all is present.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}

PACKAGES=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    cmake ninja-build googletest
    clang-16 libclang-rt-16-dev llvm-16
    wine wine64 xvfb xauth xdotool x11-utils
    imagemagick sox espeak-ng fp-utils python3 hunspell hunspell-ar
    fonts-dejavu-core fonts-dejavu-extra fonts-kacst fonts-hosny-amiri fonts-liberation
    dpkg-dev
    gcc libc6-dev libx11-dev libxtst-dev libxdamage-dev libxfixes-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# libjpeg-turbo comes from Debian's source package, so the source indices must be reachable: a
# deb-src entry beside each of the machine's own entries for its release, whatever mirror they name.
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
derive_sources() {
    shopt -s nullglob
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ "$f" = /etc/apt/sources.list.d/tapwise-src.sources ] && continue
        # deb822 stanzas: fields, continuation lines starting with a blank, stanzas between blank lines
        awk -v release="$codename" '
            function flush(   i, suites, n, found) {
                if (types ~ /(^| )deb( |$)/ && enabled != "no") {
                    n = split(fields["Suites"], suites, " ")
                    for (i = 1; i <= n; i++) if (suites[i] == release) found = 1
                    if (found) {
                        print "Types: deb-src"
                        print "URIs:" fields["URIs"]
                        print "Suites: " release
                        print "Components:" fields["Components"]
                        if ("Signed-By" in fields) printf "Signed-By:%s\n", fields["Signed-By"]
                        print ""
                    }
                }
                delete fields; types = ""; enabled = ""; last = ""
            }
            /^#/ { next }
            /^[ \t]*$/ { flush(); next }
            /^[ \t]/ { if (last != "") fields[last] = fields[last] "\n" $0; next }
            {
                name = substr($0, 1, index($0, ":") - 1); value = substr($0, index($0, ":") + 1)
                fields[name] = value; last = name
                if (name == "Types") types = value
                if (name == "Enabled") { enabled = value; gsub(/[ \t]/, "", enabled) }
            }
            END { flush() }' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        # one-line entries: deb [options] uri suite components
        awk -v release="$codename" '
            $1 == "deb" {
                i = 2; options = ""
                if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) options = options $(i++) " "; options = options $(i++) " " }
                if ($(i + 1) != release) next
                line = ""; for (j = i + 2; j <= NF; j++) line = line " " $j
                print "deb-src " options $i " " release line
            }' "$f"
    done | sed 's/^/# one-line: /'
}
derived=$(derive_sources)
stanzas=$(printf '%s\n' "$derived" | grep -v '^# one-line: ' || true)
lines=$(printf '%s\n' "$derived" | sed -n 's/^# one-line: //p')
if [ -z "$stanzas$lines" ]; then
    echo "setup: no package source of Debian $codename is configured; libjpeg-turbo's source cannot be fetched" >&2
    exit 1
fi
need_update=0
write_if_changed() {   # file content
    if [ -z "$2" ]; then
        [ -f "$1" ] && { rm -f "$1"; need_update=1; }
        return 0
    fi
    if [ ! -f "$1" ] || [ "$(cat "$1")" != "$2" ]; then
        printf '%s\n' "$2" > "$1"
        need_update=1
    fi
}
write_if_changed /etc/apt/sources.list.d/tapwise-src.sources "$stanzas"
write_if_changed /etc/apt/sources.list.d/tapwise-src.list "$lines"

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    [ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine draws caption buttons and scroll-bar arrows with its Marlett font; only that one font is
# taken from Wine's font package, whose Tahoma would replace the Arabic-capable fallback; each
# Wine prefix the scripts make gets a copy in its fonts folder (scripts/wine/env.sh).
if [ ! -f /usr/share/wine/fonts/marlett.ttf ]; then
    fonts=$(mktemp -d)
    if (cd "$fonts" && apt-get download fonts-wine >/dev/null 2>&1) && dpkg-deb -x "$fonts"/fonts-wine_*.deb "$fonts/x"; then
        install -D -m 644 "$fonts/x/usr/share/wine/fonts/marlett.ttf" /usr/share/wine/fonts/marlett.ttf
    else
        echo "setup: Wine's Marlett font could not be fetched; window captions show letters for their buttons" >&2
    fi
    rm -rf "$fonts"
fi

# libjpeg-turbo, static, SIMD off, cross-built once
JPEG_PREFIX=$PWD/$BUILD/libjpeg
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
    work=$PWD/$BUILD/libjpeg-src
    rm -rf "$work"; mkdir -p "$work"
    (cd "$work" && apt-get source --download-only libjpeg-turbo >/dev/null)
    tarball=$(ls "$work"/libjpeg-turbo_*.orig.tar.* | head -1)
    tar -xf "$tarball" -C "$work"
    srcdir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
    cmake -G Ninja -S "$srcdir" -B "$work/build" \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-posix.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" \
        -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
        -DCMAKE_POLICY_DEFAULT_CMP0057=NEW >/dev/null
    cmake --build "$work/build" --target install >/dev/null
    rm -rf "$work"
fi
