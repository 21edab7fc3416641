#!/usr/bin/env bash
# Configures and builds into build/: everything, or the targets given (tools/build.sh starveil).
# STARVEIL_WERROR=ON makes warnings errors.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}"
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
