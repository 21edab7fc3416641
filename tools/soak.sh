#!/usr/bin/env bash
# A longer soak than CI's: builds into build/ and plays for the given number of seconds (one
# hour unless given) from the given seed (one from the time of day unless given). A failure
# prints the command that replays it.
#   tools/soak.sh [seconds] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
args=(--seconds "${1:-3600}")
[[ $# -ge 2 ]] && args+=(--seed "$2")
exec nice build/tests/soak/starveil_soak "${args[@]}"
