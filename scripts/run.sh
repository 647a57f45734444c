#!/bin/bash
# Builds, then starts the tutor: directly on Windows, under Wine elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
case "$(uname -s)" in
    MINGW*|MSYS*|CYGWIN*)
        cmake -G Ninja -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release && cmake --build "$BUILD"
        exec "$BUILD/dist/tapwise.exe" ;;
esac
bash scripts/build.sh
. scripts/wine/env.sh
wine_prefix
exec "$WINE" "$BUILD/dist/tapwise.exe" "$@"
