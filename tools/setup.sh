#!/usr/bin/env bash
# Installs whichever packages of the lists named are missing, through sudo unless root. Each list
# is tools/packages/<name>.txt: game (building and playing), test (the tests and checks),
# desktops (the desktops tools/desktop.sh starts), package (checking the .deb), perf (the
# measuring tool) and debian-root (tools/in-debian.sh). Without names, game, test and desktops.
#   tools/setup.sh game
set -euo pipefail
cd "$(dirname "$0")/.."

lists=("$@")
((${#lists[@]})) || lists=(game test desktops)
wanted=()
for list in "${lists[@]}"; do
  file=tools/packages/$list.txt
  [[ -f $file ]] || { echo "No package list $file" >&2; exit 2; }
  mapfile -t -O "${#wanted[@]}" wanted < <(grep -v -E '^\s*(#|$)' "$file")
done
missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
# sudo leaves the exported DEBIAN_FRONTEND behind, so it goes on its command line.
[[ $(id -u) -eq 0 ]] || as_root=(sudo DEBIAN_FRONTEND=noninteractive)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
