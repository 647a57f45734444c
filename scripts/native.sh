#!/bin/bash
# Configures and builds the native build of the portable core (clang, sanitizers, fuzz targets)
# into build/native, or into the folder given.
set -euo pipefail
cd "$(dirname "$0")/.."
NATIVE=${1:-build/native}
shift || true
cmake -G Ninja -S native -B "$NATIVE" -DCMAKE_CXX_COMPILER=clang++-16 "$@" >/dev/null
cmake --build "$NATIVE" -j"$(nproc)"
