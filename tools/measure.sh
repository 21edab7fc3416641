#!/usr/bin/env bash
# Measures the game beside its two yardsticks, a matched one and a bare one, side by side in
# one run on a desktop of tools/desktop.sh, openbox unless named (kde-wayland, say), and prints every
# figure beside both and beside its target; tools/perf/measure.cpp tells what is measured and how.
# Builds what it needs (Release) into build-perf/; the programs' logs stay in build-perf/run/.
# Takes about five minutes.
#   tools/measure.sh [<desktop>]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh game test desktops perf
cmake -S . -B build-perf -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_TESTS=OFF -DSTARVEIL_PERF=ON \
  >/dev/null
cmake --build build-perf -j"$(nproc)" --target measure >/dev/null
rm -rf build-perf/run
mkdir -p build-perf/run
changes=$(git diff --quiet HEAD -- src tools/perf 2>/dev/null || echo ' with uncommitted changes')
echo "Starveil $(git rev-parse --short HEAD)$changes on ${1:-openbox}, $(nproc) cores," \
  "load $(cut -d' ' -f1-3 /proc/loadavg)"
# The programs are driven and watched through X: on a Wayland desktop they run on its XWayland, as
# the game chooses by itself there at the desktop's scale of 100 %.
exec tools/desktop.sh "${1:-openbox}" env QT_QPA_PLATFORM=xcb build-perf/tools/perf/measure \
  build-perf/run
