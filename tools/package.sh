#!/usr/bin/env bash
# Builds the game in release mode, without its tests, into build-pkg/ and wraps it in a Debian
# package there: build-pkg/starveil_<version>_<arch>.deb. Install it with
#   sudo apt-get install ./build-pkg/starveil_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_TESTS=OFF \
  -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}"
cmake --build build-pkg -j"$(nproc)"
cd build-pkg
cpack -G DEB
