#!/usr/bin/env bash
# Builds the program. The window is not part of the build yet: until it is, this builds the
# core library and the simulated switch, and says how to try the switch.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cat <<'MSG'
Tarvello core built. The window comes in a later release.
Meanwhile the simulated switch can be tried on loopback:
    build/tools/tarvello-simswitch --show-lines      # 127.0.0.1:2323, user admin, password cisco
MSG
