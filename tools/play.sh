#!/usr/bin/env bash
# Sets up, builds and starts the game: only what the game needs, not the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh game
STARVEIL_TESTS=OFF tools/build.sh starveil
exec build/starveil
