#!/usr/bin/env bash
# Runs a command on a Debian release of its own, from a copy of the sources:
#   tools/in-debian.sh trixie ./tools/test.sh
# Makes a minimal root of that release with mmdebstrap in build-<release>/root (inside the clone,
# nothing kept elsewhere; kept there for the next run), copies the sources to /src/starveil in it
# and runs the command there as root, with the root's own /proc, /dev and /tmp. Runs as root, or as
# a user with sudo; CI, DEBIAN_FRONTEND and STARVEIL_WERROR go along.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $# -ge 2 ]] || { echo "usage: $0 <release> <command>..." >&2; exit 2; }
release=$1
shift
tools/setup.sh debian-root

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
root=$PWD/build-$release/root
if [[ ! -x $root/usr/bin/apt-get ]]; then
  "${as_root[@]}" rm -rf "$root"
  mkdir -p "$(dirname "$root")"
  # git for the sources' history, certificates for https mirrors.
  "${as_root[@]}" mmdebstrap --variant=apt --include=ca-certificates,git "$release" "$root" \
    http://deb.debian.org/debian
fi
# Copied as this user, then handed to root, who runs everything in there.
sources=build-$release/sources
rm -rf "$sources"
tools/copy-sources.sh "$sources"
"${as_root[@]}" rm -rf "$root/src/starveil"
"${as_root[@]}" mkdir -p "$root/src"
"${as_root[@]}" cp -R "$sources" "$root/src/starveil"

# The mounts live in a mount namespace of their own, so they go when the command ends.
"${as_root[@]}" env CI="${CI:-}" STARVEIL_WERROR="${STARVEIL_WERROR:-OFF}" \
  unshare --mount --propagation private -- bash -euc '
  root=$1
  shift
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount -t tmpfs tmpfs "$root/tmp"
  exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 CI="$CI" DEBIAN_FRONTEND=noninteractive STARVEIL_WERROR="$STARVEIL_WERROR" \
    /bin/bash -c "cd /src/starveil && exec \"\$@\"" bash "$@"
' bash "$root" "$@"
