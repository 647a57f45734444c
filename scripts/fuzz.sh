#!/bin/bash
# Runs the fuzz targets of the native build long, side by side, each keeping its corpus in
# build/native/corpus/<target> from run to run, then reports each target's executions, its
# coverage (edges as the fuzzer counts them, and the lines of the file it drives, replayed from
# the corpus in a build that counts lines) and what it found (build/native/findings/<target>).
#   scripts/fuzz.sh [seconds per target, default 600] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-600}
shift || true
NATIVE=build/native
COVERAGE=build/native-coverage
bash scripts/native.sh "$NATIVE"
bash scripts/native.sh "$COVERAGE" -DTAPWISE_COVERAGE=ON >/dev/null
declare -A driven
while read -r name file; do driven[$name]=$file; done <"$NATIVE/fuzz_targets.txt"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(cut -d' ' -f1 "$NATIVE/fuzz_targets.txt"))
[ -d /dev/shm ] && export TMPDIR=/dev/shm   # the targets' files cost nothing there

for t in "${targets[@]}"; do
    mkdir -p "$NATIVE/corpus/$t" "$NATIVE/findings/$t"
    "$NATIVE/fuzz_$t" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$NATIVE/findings/$t/" "$NATIVE/corpus/$t" "$NATIVE/seeds/$t" \
        >"$NATIVE/fuzz_$t.log" 2>&1 &
done
status=0
for job in $(jobs -p); do wait "$job" || status=1; done

printf '%-16s %12s %8s %8s %8s %s\n' target executions edges corpus lines findings
for t in "${targets[@]}"; do
    log=$NATIVE/fuzz_$t.log
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')
    corpus=$(find "$NATIVE/corpus/$t" -type f | wc -l)
    findings=$(find "$NATIVE/findings/$t" -type f | wc -l)
    [ "$findings" -gt 0 ] && status=1
    rm -f "$COVERAGE/$t.profraw"
    LLVM_PROFILE_FILE="$COVERAGE/$t.profraw" "$COVERAGE/fuzz_$t" -runs=0 \
        "$NATIVE/corpus/$t" "$NATIVE/seeds/$t" >/dev/null 2>&1 || true
    llvm-profdata-16 merge -o "$COVERAGE/$t.profdata" "$COVERAGE/$t.profraw"
    lines=$(llvm-cov-16 report "$COVERAGE/fuzz_$t" -instr-profile="$COVERAGE/$t.profdata" "${driven[$t]}" \
            | awk '/^TOTAL/ { print $NF }')
    printf '%-16s %12s %8s %8s %8s %s\n' "$t" "${runs:-?}" "${edges:-?}" "$corpus" "${lines:-?}" "$findings"
done
exit $status
