#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over our own sources (src, tests, bench and
# tools, the measuring tool and the separate tools/art build included), in parallel, from
# build-tidy/; any finding fails the run.
# Regular expressions given narrow it to matching files (tools/tidy.sh game/march).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh game test perf

dir=build-tidy
# Generating moc's output need not wait for the libraries a target links.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DSTARVEIL_BENCH=ON -DSTARVEIL_PERF=ON \
  -DCMAKE_AUTOGEN_ORIGIN_DEPENDS=OFF >/dev/null
cmake -S tools/art -B "$dir/art" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  >/dev/null
# moc's output, so that a source including it parses; nothing else needs to be built.
mapfile -t autogen < <(cmake --build "$dir" --target help | sed -n 's/^\.\.\. \(.*_autogen\)$/\1/p')
targets=()
for target in "${autogen[@]}"; do targets+=(--target "$target"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}" >/dev/null

# One database of our own sources from the two builds: generated files are not ours to fix.
mkdir -p "$dir/tidy"
python3 - "$(pwd -P)" "$dir" "$dir/art" <<'EOF'
import json, sys
root, build, builds = sys.argv[1], sys.argv[2], sys.argv[2:]
ours = tuple(f"{root}/{part}/" for part in ("src", "tests", "bench", "tools"))
entries = [entry for db in (f"{b}/compile_commands.json" for b in builds)
           for entry in json.load(open(db)) if entry["file"].startswith(ours)]
json.dump(entries, open(f"{build}/tidy/compile_commands.json", "w"), indent=1)
EOF

# The commands are GCC's: clang must not stop at a warning option only GCC knows.
strip_colour=(cat)
[[ -t 1 ]] || strip_colour=(sed -E 's/\x1b\[[0-9;]*m//g')
run-clang-tidy -p "$dir/tidy" -j"$(nproc)" -quiet -extra-arg=-Wno-unknown-warning-option "$@" 2>&1 |
  sed -E '/^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$/d' | "${strip_colour[@]}"
