#!/usr/bin/env bash
# Builds the game in release mode, without its tests, into build-pkg/ and wraps it in a Debian
# package there: build-pkg/starveil_<version>_<arch>.deb. Install it with
#   sudo apt-get install ./build-pkg/starveil_*.deb
# The maintainer is a placeholder until the CMake option STARVEIL_MAINTAINER names one, kept for
# later runs: cmake -S . -B build-pkg -DSTARVEIL_MAINTAINER="Name <address>".
set -euo pipefail
cd "$(dirname "$0")/.."

# One time for the whole build, so that the same sources give the same package: the resource
# compiler stamps the pictures with it, and the package's files carry it. The time of the last
# commit, or, outside a git checkout, of the changelog's latest entry.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l packaging/changelog -S Timestamp)
fi
export SOURCE_DATE_EPOCH

# Debian's own flags, as its packages are built with: every hardening feature, and the source
# path mapped out of the program so that a rebuild elsewhere gives the same bytes.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B build-pkg -DCMAKE_BUILD_TYPE=Release -DSTARVEIL_TESTS=OFF \
  -DSTARVEIL_WERROR="${STARVEIL_WERROR:-OFF}" \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
# From clean: a picture table compiled under an earlier commit's time would otherwise stay.
cmake --build build-pkg -j"$(nproc)" --clean-first
cd build-pkg
rm -f starveil_*.deb
cpack -G DEB
