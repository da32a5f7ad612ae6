#!/usr/bin/env bash
# Installs what the program needs, builds it, starts the simulated switch on loopback and then
# Tarvello; prints the address and credentials to type. The switch stops when the window closes.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TARVELLO_BUILD_DIR:-build}"

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
if ! command -v cmake >/dev/null || ! dpkg -s qt6-base-dev libssh-dev >/dev/null 2>&1; then
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    cmake g++ make pkg-config qt6-base-dev libssh-dev fonts-liberation fontconfig
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

# Two simulated switches that know each other, each over telnet and over SSH (a new host key each
# run, so Tarvello asks about it): a 48-port Catalyst 2960 access switch and a Catalyst 9300 core
# stack, each the other's CDP neighbour over its uplink trunk. The telnet and SSH copies of a switch
# are two processes, each with its own state.
logs="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$logs"' EXIT
start_switch() { # name, options...
  local name="$1"
  shift
  : >"$logs/$name" # made before the background start, so the first look finds it
  "$build/tools/tarvello-simswitch" --port 0 "$@" >"$logs/$name" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do
    port="$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$logs/$name" | head -n 1)"
    [ -n "$port" ] && return 0
    sleep 0.1
  done
  echo "The simulated switch did not start:" >&2
  cat "$logs/$name" >&2
  exit 1
}
start_switch access --pair-role access
access_port="$port"
start_switch access-ssh --pair-role access --ssh
access_ssh_port="$port"
start_switch core --pair-role core
core_port="$port"
start_switch core-ssh --pair-role core --ssh
core_ssh_port="$port"

echo "Two simulated Cisco switches on loopback. In Tarvello type one of these switch addresses:"
printf '    %-27s %s\n' \
  "127.0.0.1:$access_port" "Catalyst 2960 access switch Access-2960, sessions 1 and 2 (telnet)" \
  "ssh://127.0.0.1:$access_ssh_port" "the same over SSH (Tarvello asks about its new host key)" \
  "127.0.0.1:$core_port" "Catalyst 9300 core switch Core-9300, sessions 3, 10, 40 (RSPAN), 52 (ERSPAN)" \
  "ssh://127.0.0.1:$core_ssh_port" "the same over SSH"
cat <<'MSG'
The access switch's Gi0/1 and the core switch's Te1/1/1 are the trunk between them, and each
names the other in "show cdp neighbors": for the two-switch wizard, give it one of each.
For each switch:
    User name:        admin
    Password:         cisco
    Enable password:  class   (tick "Switch uses an enable password")
The switches stop when the Tarvello window closes.
MSG
"$build/src/app/tarvello"
