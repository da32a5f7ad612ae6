#!/usr/bin/env bash
# Installs what the build and the tests need, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
sudo_if_needed apt-get update
sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  cmake g++ make libgtest-dev libgmock-dev busybox-static \
  qt6-base-dev fonts-liberation fontconfig xvfb xauth clang libclang-rt-14-dev

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure --timeout 600
