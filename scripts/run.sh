#!/usr/bin/env bash
# Installs what the program needs, builds it, starts the simulated switch on loopback and then
# Tarvello; prints the address and credentials to type. The switch stops when the window closes.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TARVELLO_BUILD_DIR:-build}"

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v cmake >/dev/null || ! dpkg -s qt6-base-dev >/dev/null 2>&1; then
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    cmake g++ make qt6-base-dev fonts-liberation fontconfig
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELLO_TESTS=OFF \
  -DTARVELLO_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarvello tarvello-simswitch

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<'MSG'
Tarvello is built, but there is no display to show its window on.
Run it on a desktop, or under a virtual display:
    apt-get install -y xvfb xauth && xvfb-run -a bash scripts/run.sh
MSG
  exit 1
fi

# A 48-port switch with monitor session 1 (and 2) configured, on a free loopback port.
switch_log="$(mktemp)"
"$build/tools/tarvello-simswitch" --port 0 >"$switch_log" 2>&1 &
switch_pid=$!
trap 'kill "$switch_pid" 2>/dev/null || true; wait "$switch_pid" 2>/dev/null || true; rm -f "$switch_log"' EXIT
port=""
for _ in $(seq 50); do
  port="$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$switch_log" | head -n 1)"
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "The simulated switch did not start:" >&2
  cat "$switch_log" >&2
  exit 1
fi

cat <<MSG
Simulated Cisco switch on loopback. In Tarvello type:
    Switch address:   127.0.0.1:$port
    User name:        admin
    Password:         cisco
    Enable password:  class   (tick "Switch uses an enable password")
The switch stops when the Tarvello window closes.
MSG
"$build/src/app/tarvello"
