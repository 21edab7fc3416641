#!/usr/bin/env bash
# Configures and builds into build/: everything, or the targets given (tools/build.sh starveil).
# STARVEIL_WERROR=ON makes warnings errors; STARVEIL_TESTS=OFF leaves the tests out, and with
# them the measuring tool (unless STARVEIL_PERF=ON) and the packages only they need.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}" \
  -DSTARVEIL_TESTS="${STARVEIL_TESTS:-ON}" -DSTARVEIL_PERF="${STARVEIL_PERF:-${STARVEIL_TESTS:-ON}}"
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
