#!/usr/bin/env bash
# Builds the Debian package build-deb/tarvello_<version>_<arch>.deb: a Release build of the
# program and the simulated switch with Debian's hardening flags, packed by CPack, its
# dependencies found by dpkg-shlibdeps. Installs what it needs first (as root, or through sudo).
# Install the result with: apt install ./build-deb/tarvello_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TARVELLO_PACKAGE_DIR:-build-deb}"

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v cmake >/dev/null || ! command -v dpkg-shlibdeps >/dev/null ||
  ! dpkg -s qt6-base-dev libssh-dev >/dev/null 2>&1; then
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    cmake g++ make pkg-config qt6-base-dev libssh-dev dpkg-dev file
fi

# The flags Debian builds its own packages with (hardening, no build paths in the binaries).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

# A fresh configuration each time, so that flags from an earlier run cannot linger in the cache.
rm -rf "$build/CMakeCache.txt" "$build/_CPack_Packages" "$build"/*.deb
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTARVELLO_TESTS=OFF -DTARVELLO_BENCH=OFF -DTARVELLO_FUZZ=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tarvello_*.deb
