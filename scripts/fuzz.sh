#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-behaviour
# sanitizers in build-fuzz/ and runs each for a bounded time (default 60 seconds), starting from
# a copy of its seed corpus in fuzz/corpus/ so that the repository is never written to.
# Prints each target's executions per second and total executions; fails when a target fails.
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
jobs="${QVX_JOBS:-2}"

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVX_FUZZ=ON \
    -DQVX_BUILD_TESTS=OFF -DQVX_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzzers
# The targets as fuzz/CMakeLists.txt lists them, one a line.
mapfile -t targets <build-fuzz/fuzz/fuzzers.txt

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
artifacts="build-fuzz/artifacts"
mkdir -p "$artifacts"

failed=()
for target in "${targets[@]}"; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp fuzz/corpus/"$target"/* "$corpus"/
    log="$work/$target.log"
    status=0
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        build-fuzz/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1 || status=$?
    execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "$target: FAILED (exit $status), crash input in $artifacts/"
        failed+=("$target")
    else
        echo "$target: ${rate:-?} exec/s, ${execs:-?} executions in ${seconds} s"
    fi
done

if [ "${#failed[@]}" -ne 0 ]; then
    echo "Fuzz targets that failed: ${failed[*]}"
    exit 1
fi
