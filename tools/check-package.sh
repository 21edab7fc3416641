#!/usr/bin/env bash
# Checks the Debian package the way a distribution and a player meet it: builds it with
# tools/package.sh, and again from a copy of the sources at another path, and fails unless the two
# are the same to the byte; runs lintian over it; installs it with apt-get and checks that the
# package, its changelog and its metadata name the same version; starts the game from its
# installed desktop entry on a bare X server of its own (tools/desktop.sh) in a clean environment,
# waits for the splash and then the game window, read through the test's driver (tools/xdrive),
# ends the game, purges the package and checks that none of its files is left.
# Runs as root, or as a user with sudo for installing and purging; purges the package on any exit.
set -euo pipefail
cd "$(dirname "$0")/.."

patience_s=30 # for each window to appear or go; the splash alone takes 5 s
xdrive=$PWD/build/tools/xdrive/xdrive
app_id=io.github.starveil.Starveil
as_root=()
# sudo leaves the exported DEBIAN_FRONTEND behind, so it goes on its command line.
[[ $(id -u) -eq 0 ]] || as_root=(sudo DEBIAN_FRONTEND=noninteractive)
export DEBIAN_FRONTEND=noninteractive
log() { printf '%s\n' "check-package: $*" >&2; }
fail() {
  log "FAILED: $*"
  exit 1
}

# Starts the game as a desktop does, through its menu entry's Exec line, with nothing of this
# shell's environment but the session's display and runtime directory and what every session sets,
# and with the game choosing its platform plugin itself; checks its windows and ends it.
start_from_menu() {
  local desktop_entry=/usr/share/applications/$app_id.desktop
  log "gio launch $desktop_entry ($(grep '^Exec=' "$desktop_entry"))"
  env -i DISPLAY="$DISPLAY" HOME="$work" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" PATH=/usr/bin:/bin \
    LANG=C.UTF-8 \
    gio launch "$desktop_entry" >"$work/game.log" 2>&1 || fail "gio launch: $(cat "$work/game.log")"

  local game game_pid program colours
  "$xdrive" window Form1 "$patience_s" >/dev/null || fail "the splash window did not appear"
  log "the splash is shown"
  read -r game game_pid < <("$xdrive" window 'Starveil by Pellamy' "$patience_s") ||
    fail "the game window did not appear"
  program=$(readlink "/proc/$game_pid/exe")
  [[ $program == /usr/games/starveil ]] || fail "the game window belongs to $program"
  if "$xdrive" shown Form1; then
    fail "the splash window is still shown beside the game window"
  fi
  # A window that came up but drew nothing would be one flat colour.
  colours=$("$xdrive" colours "$game")
  ((colours > 10)) || fail "the game window shows only $colours colours"
  log "the game window $game of $program is shown, in $colours colours"

  kill "$game_pid"
  timeout "$patience_s" tail --pid="$game_pid" -f /dev/null || fail "the game did not end"
}

# Run again by itself on the desktop, for that part alone.
if [[ ${1:-} == --start-from-menu ]]; then
  work=$2
  start_from_menu
  exit 0
fi

status=$(dpkg-query -W -f='${db:Status-Status}' starveil 2>/dev/null || true)
if [[ -n $status && $status != not-installed ]]; then
  fail "starveil is on this machine ($status); purge it first, as this check purges it at the end"
fi

work=$(mktemp -d)
installed=false
cleanup() {
  $installed && "${as_root[@]}" apt-get purge -y -qq starveil >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The one package a build directory holds.
built_package() {
  local debs=("$1"/starveil_*.deb)
  ((${#debs[@]} == 1)) || fail "expected one package in $1, found: ${debs[*]}"
  echo "${debs[0]}"
}

tools/build.sh xdrive >/dev/null
tools/package.sh
deb=$(built_package build-pkg)

# The same sources, copied afresh (new file times) to another path with their history, built
# again: the package must not differ by a byte. A packager's own maintainer goes along.
copy=$work/elsewhere/starveil
tools/copy-sources.sh "$copy"
maintainer=$(sed -n 's/^STARVEIL_MAINTAINER:STRING=//p' build-pkg/CMakeCache.txt)
cmake -S "$copy" -B "$copy/build-pkg" -DSTARVEIL_TESTS=OFF -DSTARVEIL_MAINTAINER="$maintainer" \
  >/dev/null
log "building again in $copy"
"$copy/tools/package.sh" >"$work/second-build.log" 2>&1 ||
  fail "the second build failed: $(tail -n 20 "$work/second-build.log")"
again=$(built_package "$copy/build-pkg")
if ! cmp -s "$deb" "$again"; then
  dpkg-deb -R "$deb" "$work/first"
  dpkg-deb -R "$again" "$work/second"
  differing=$(diff -rq "$work/first" "$work/second" |
    sed -E "s#^Files $work/first(/[^ ]*) and .*#\1#; s#^Only in $work/(first|second)#only in \1:#" |
    paste -sd ' ') || true
  fail "two builds of the same sources differ:" \
    "${differing:-in the archive alone: file times, owners or order}"
fi
log "a second build at another path gave the same package to the byte"

# The maintainer's placeholder address is bogus on purpose, so that no package goes out under it
# unnoticed: lintian reports it for the Maintainer field and the changelog's signature, and those
# reports of an address at the reserved .invalid domain are the only errors let through here.
log "lintian $deb"
lintian --fail-on none --display-info --pedantic "$deb" \
  2> >(grep -v 'running with root privileges' >&2) | tee "$work/lintian"
placeholder='^E: starveil: bogus-mail-host(-in-debian-changelog)? (Maintainer )?[^ ]+@invalid( |$)'
if grep -E '^[EW]: ' "$work/lintian" | grep -v -E "$placeholder"; then
  fail "lintian reports the errors or warnings above"
fi

log "apt-get install ./$deb"
installed=true
"${as_root[@]}" apt-get install -y -qq "./$deb" >/dev/null
mapfile -t files < <(dpkg -L starveil)

# One version throughout: the changelog's in the sources, the package's, the installed changelog's
# and the newest release of the installed metadata.
versions=(
  "$(dpkg-parsechangelog -l packaging/changelog -S Version)"
  "$(dpkg-query -W -f='${Version}' starveil)"
  "$(zcat /usr/share/doc/starveil/changelog.gz | sed -n '1s/^starveil (\([^)]*\)).*/\1/p')"
  "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' /usr/share/metainfo/$app_id.metainfo.xml |
    head -n1)"
)
for version in "${versions[@]}"; do
  [[ $version == "${versions[0]}" ]] ||
    fail "the versions disagree: changelog, package, installed changelog, metadata: ${versions[*]}"
done
log "changelog, package and metadata all name version ${versions[0]}"

tools/desktop.sh x "$0" --start-from-menu "$work"
# The game logs nothing, as its manual page says; a line from Qt would tell of a missing plugin or
# font that the package should have brought.
[[ ! -s $work/game.log ]] || fail "the game wrote: $(cat "$work/game.log")"

log "apt-get purge starveil"
"${as_root[@]}" apt-get purge -y -qq starveil >/dev/null
installed=false
# A path the package listed may stay only as a directory that another package also owns.
left=()
for path in "${files[@]}"; do
  [[ $path == /. ]] && continue
  [[ -e $path || -L $path ]] || continue
  [[ -d $path && ! -L $path ]] && dpkg-query -S "$path" >/dev/null 2>&1 && continue
  left+=("$path")
done
((${#left[@]} == 0)) || fail "the purge left: ${left[*]}"
log "the purge left none of the package's ${#files[@]} paths behind"
echo "check-package: passed"
