#!/usr/bin/env bash
# Builds the program. The window is not part of the build yet; until it is, this only builds
# the core library and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
echo "Tarvello core built. The window comes in a later release."
