#!/usr/bin/env bash
# Fails when a C++ file of the tree does not follow .clang-format.
# Debian 12's clang-format (14) and Debian 13's (19) lay out a few constructs differently: a
# lambda followed by further arguments, a struct defined inside a declaration, a lambda in a
# braced list that holds braces of its own. The code is fenced off from them: it names such a
# lambda or struct, or passes the lambda last. CI runs this check on both releases, so a new
# difference fails there rather than flipping with the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
clang-format --version
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
