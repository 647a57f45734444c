#!/bin/bash
# Installs everything the build and the tests need on a fresh Debian 12 machine (as root),
# and cross-builds libjpeg-turbo once into the build folder. Quick when all is present.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}

PACKAGES=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    cmake ninja-build googletest
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

sources=/etc/apt/sources.list.d/tapwise-src.sources
need_update=0
if [ ! -f "$sources" ]; then
    # libjpeg-turbo comes from Debian's source package, so deb-src must be reachable
    cat > "$sources" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    [ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# libjpeg-turbo, static, SIMD off, cross-built once
JPEG_PREFIX=$PWD/$BUILD/libjpeg
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
    work=$PWD/$BUILD/libjpeg-src
    rm -rf "$work"; mkdir -p "$work"
    (cd "$work" && apt-get source --download-only libjpeg-turbo >/dev/null 2>&1)
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
