#!/usr/bin/env bash
# Builds qvx_bench in Release mode (build-bench/) and runs it offscreen; every argument goes to
# qvx_bench (see qvx_bench --help for the options). The generated corpora are kept under
# $QVX_BENCH_DIR (default /tmp/qvx-bench) and reused by later runs.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-bench -j"${QVX_JOBS:-1}" --target qvx_bench >/dev/null
# The command-line program is timed beside the window where the tree has it.
if cmake --build build-bench --target help | grep -qw 'qvx-cli'; then
    cmake --build build-bench -j"${QVX_JOBS:-1}" --target qvx-cli >/dev/null
fi

QT_QPA_PLATFORM=offscreen exec build-bench/bench/qvx_bench "$@"
