#!/usr/bin/env bash
# Builds QVX and runs every check: the formatting of the sources and their layers, every test in a
# debug build with the address and undefined-behaviour sanitizers and warnings as errors, the
# core's search tests and the listing's two halves under the thread sanitizer, the Debian package
# installed and started, and the fuzz targets for a short while. Stops at the first failure;
# prints the time of each stage.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${QVX_JOBS:-2}"
started=$SECONDS

stage() {
    echo "== $1 (at $((SECONDS - started)) s)"
}

stage "Formatting (clang-format, .clang-format)"
find app bench cli driver fuzz main tests -name '*.h' -o -name '*.cpp' | sort |
    xargs clang-format --dry-run -Werror

stage "Layers (scripts/check-layers.sh)"
scripts/check-layers.sh

stage "Tests under AddressSanitizer and UndefinedBehaviorSanitizer (debug build)"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON -DQVX_WERROR=ON
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

stage "Threaded core tests under ThreadSanitizer"
# The core's search tests run the read-ahead threads with a QCoreApplication and no widgets, so
# every thread in them runs code that the sanitizer sees; so do the listing's two halves.
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=thread -DQVX_BUILD_BENCH=OFF \
    -DQVX_WERROR=ON
cmake --build build-tsan -j"$jobs" --target search_tests files_tests
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp" \
    build-tsan/tests/files/files_tests --gtest_filter='TwoHalves.*'
# The long-text counting test uses no threads, and under this sanitizer's slowdown it runs into the
# time that a text's searches may take.
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp" \
    build-tsan/tests/search/search_tests \
    --gtest_filter=-PatternCounting.LegitimatePatternsCopeWithLongTexts

stage "Debian package"
scripts/package-test.sh

stage "Fuzz targets"
scripts/fuzz.sh 20

stage "Done"
