#!/bin/bash
# Configures and builds everything into build/mingw (dist/ included).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/setup.sh
cmake -G Ninja -S . -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-posix.cmake \
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} -DCMAKE_FIND_ROOT_PATH="$PWD/$BUILD/libjpeg" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
