#!/usr/bin/env bash
# Copies the sources as they stand in the working tree (tracked files and new ones git does not
# ignore), with their history, into the directory given, every file with a fresh time:
#   tools/copy-sources.sh /elsewhere/starveil
set -euo pipefail
destination=$1
cd "$(dirname "$0")/.."
mkdir -p "$destination"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$destination"
cp -R .git "$destination/"
