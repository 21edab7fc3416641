#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh starveil
exec build/starveil
