#!/usr/bin/env bash
# Configures and builds everything into build/. STARVEIL_WERROR=ON makes warnings errors.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}"
cmake --build build -j"$(nproc)"
