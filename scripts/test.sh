#!/bin/bash
# Builds, then runs every test under Wine and Xvfb. Non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/build.sh
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap wine_session_stop EXIT
ctest --test-dir "$BUILD" --output-on-failure -j"${CTEST_JOBS:-$(nproc)}" --timeout 600
