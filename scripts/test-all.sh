#!/usr/bin/env bash
# Builds QVX and runs every check: the formatting of the sources, the tests in a debug build with
# warnings as errors, the same tests under the address and undefined-behaviour sanitizers, the
# search tests under the thread sanitizer, the fuzz targets for a short while, and the Debian
# package installed and started. Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${QVX_JOBS:-2}"

echo "== Formatting (clang-format, .clang-format)"
find app bench cli driver fuzz main tests -name '*.h' -o -name '*.cpp' | sort |
    xargs clang-format --dry-run -Werror

echo "== Tests (debug build)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DQVX_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON -DQVX_BUILD_BENCH=OFF \
    -DQVX_WERROR=ON
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Search tests under ThreadSanitizer"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=thread -DQVX_BUILD_BENCH=OFF \
    -DQVX_WERROR=ON
cmake --build build-tsan -j"$jobs" --target search_tests
# The long-text counting test uses no threads, and under this sanitizer's slowdown it runs into the
# time that a text's searches may take.
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp" \
    QT_QPA_PLATFORM=offscreen build-tsan/tests/search/search_tests \
    --gtest_filter=-PatternCounting.LegitimatePatternsCopeWithLongTexts

echo "== Debian package"
scripts/package-test.sh

echo "== Fuzz targets"
scripts/fuzz.sh 20
