#!/usr/bin/env bash
# Builds everything with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there, the soak included; any report fails the run.
# STARVEIL_SOAK_SECONDS sets the soak's length (120 s unless given).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTARVEIL_SANITIZE=ON \
  -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}" -DSTARVEIL_SOAK_SECONDS="${STARVEIL_SOAK_SECONDS:-120}"
cmake --build build-asan -j"$(nproc)"

# The first report ends the program with a failure; leaks inside third-party libraries are
# suppressed by tools/lsan.supp, each entry narrowed to one library.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
