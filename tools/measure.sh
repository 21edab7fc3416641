#!/usr/bin/env bash
# Measures the game beside its two yardsticks, a matched one and a bare one, side by side in
# one run on openbox (tools/desktop.sh), and prints every figure beside both and beside its target;
# tools/perf/measure.cpp tells what is measured and how. Builds what it needs (Release) into
# build-perf/; the programs' logs stay in build-perf/run/. Takes about five minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh game test desktops perf
cmake -S . -B build-perf -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_TESTS=OFF -DSTARVEIL_PERF=ON \
  >/dev/null
cmake --build build-perf -j"$(nproc)" --target measure >/dev/null
rm -rf build-perf/run
mkdir -p build-perf/run
changes=$(git diff --quiet HEAD -- src tools/perf 2>/dev/null || echo ' with uncommitted changes')
echo "Starveil $(git rev-parse --short HEAD)$changes, $(nproc) cores," \
  "load $(cut -d' ' -f1-3 /proc/loadavg)"
exec tools/desktop.sh openbox build-perf/tools/perf/measure build-perf/run
