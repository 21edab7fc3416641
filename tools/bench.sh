#!/usr/bin/env bash
# Sets up, builds the benchmarks in release mode into build-bench/ and runs them headless.
# Arguments go to Google Benchmark (tools/bench.sh --benchmark_filter=March).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_BENCH=ON -DSTARVEIL_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target starveil_bench
QT_QPA_PLATFORM=offscreen build-bench/bench/starveil_bench "$@"
