#!/bin/bash
# Builds, then runs every test: the portable core natively (its tests and a short run of each fuzz
# target), and the whole suite under Wine and Xvfb. Non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/mingw}
bash scripts/build.sh
bash scripts/native.sh build/native
status=0
# the portable core natively, its tests and a short run of every fuzz target, beside the Wine suite
ctest --test-dir build/native --output-on-failure -j"${CTEST_JOBS:-$(nproc)}" --timeout 600 \
    >build/native/ctest.log 2>&1 &
native=$!
. scripts/wine/env.sh
wine_prefix
wine_session_start
trap wine_session_stop EXIT
ctest --test-dir "$BUILD" --output-on-failure -j"${CTEST_JOBS:-$(nproc)}" --timeout 600 || status=1
if wait $native; then
    echo "native build:"; tail -n 3 build/native/ctest.log
else
    cat build/native/ctest.log
    status=1
fi
exit $status
