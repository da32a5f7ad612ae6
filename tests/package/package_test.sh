#!/usr/bin/env bash
# Checks a built package as Debian's tools see it, then runs what it holds:
#   bash tests/package/package_test.sh build-deb/tarvello_<version>_<arch>.deb
# 1. lintian reports no error; desktop-file-validate, appstreamcli (offline) and man pass.
# 2. Unpacked into a scratch root (dpkg -x, nothing installed on this machine), the program starts
#    on a virtual display against the unpacked simulated switch, shows the log-in page, logs in as
#    a person would (keys typed), and keeps its history and logs in the scratch XDG state folder,
#    not beside itself, though its folder is writable (as /usr/bin is for root). Only the user who
#    ran it may read them (folders 700, files 600), whatever the umask. Run as root, it runs once
#    as root (umask 022) and once as a throwaway normal user (umask 000) whose state folder an
#    older copy left open to all, which the program tightens and says so in its log.
# Waits are for conditions, with generous limits; every process and user it makes ends with it.
set -euo pipefail
deb="$(realpath "$1")"
scratch="$(mktemp -d)"
pids=()
user=""
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -z "$user" ] || userdel "$user" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "package test: $*" >&2
  exit 1
}
# wait_for SECONDS DESCRIPTION COMMAND...: runs COMMAND again and again until it succeeds.
wait_for() {
  local limit="$1" what="$2"
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "gave up after ${limit}s waiting for $what"
    sleep 0.2
  done
}

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb"

root="$scratch/root"
dpkg -x "$deb" "$root"
echo "== desktop-file-validate, appstreamcli validate, man --warnings"
desktop-file-validate "$root/usr/share/applications/tarvello.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6.*fonts-liberation\|fonts-liberation.*libqt6widgets6' ||
  fail "Depends lacks Qt (from dpkg-shlibdeps) or fonts-liberation: $(dpkg-deb -f "$deb" Depends)"

echo "== the unpacked program against the unpacked simulated switch"
bin="$root/usr/bin"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

timeout 600 "$bin/tarvello-simswitch" --port 0 --privileged >"$scratch/switch.log" 2>&1 &
pids+=($!)
switch_port() { sed -n 's/.* port \([0-9]*\).*/\1/p' "$scratch/switch.log" | head -n 1; }
switch_listens() { [ -n "$(switch_port)" ]; }
wait_for 60 "the simulated switch" switch_listens
address="127.0.0.1:$(switch_port)"

# Xvfb writes its display number once it accepts clients.
timeout 600 Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" \
  >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
wait_for 60 "Xvfb" test -s "$scratch/display"
export DISPLAY=":$(head -n 1 "$scratch/display")"

window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(window_named "$1")" ]; }

# connect_once ACCOUNT UMASK: the unpacked program, run by ACCOUNT (empty: whoever runs this test)
# under UMASK with a home and state folder of its own, logs in and exits; then checks what it kept.
connect_once() {
  local account="$1" mask="$2" who="${1:-$(id -un)}"
  local place="$scratch/run-${account:-self}"
  local home="$place/home" states="$place/state"
  local state="$states/tarvello" runtime="$place/runtime" as=()
  mkdir -p "$home" "$runtime"
  chmod 700 "$runtime"
  if [ -n "$account" ]; then
    # What an older copy left: the folders open to all, an empty log anyone may read.
    mkdir -p "$state/logs"
    : >"$state/logs/application.log"
    chmod 755 "$state" "$state/logs"
    chmod 644 "$state/logs/application.log"
    chown -R "$account:" "$place"
    as=(setpriv --reuid="$account" --regid="$account" --init-groups)
  fi

  timeout 600 "${as[@]}" env HOME="$home" XDG_STATE_HOME="$states" XDG_RUNTIME_DIR="$runtime" \
    sh -c 'umask "$1" && exec "$2"' sh "$mask" "$bin/tarvello" >"$place/tarvello.log" 2>&1 &
  local program=$!
  pids+=("$program")
  wait_for 60 "the window \"Tarvello\" (log-in page)" window_shown Tarvello
  local window
  window="$(window_named Tarvello)"
  xdotool windowfocus --sync "$window"
  # The address box has the focus; Tab leads on to the user name and the password; Enter connects.
  xdotool type --delay 20 "$address"
  xdotool key Tab
  xdotool type --delay 20 admin
  xdotool key Tab
  xdotool type --delay 20 cisco
  xdotool key Return
  wait_for 120 "the caption \"Tarvello - $address\" after the login" \
    window_shown "Tarvello - $address"
  # Exit, as the user would; the session's log is written on the way out.
  xdotool key alt+x
  program_ended() { ! kill -0 "$program" 2>/dev/null; }
  wait_for 60 "the program to exit" program_ended
  wait "$program" || fail "the program ended with status $?: $(cat "$place/tarvello.log")"

  [ "$(cat "$state/history.ini")" = "$address"$'\r' ] || fail "history.ini not in $state"
  ls "$state"/logs/session*.log >/dev/null || fail "no session log in $state/logs"
  grep -q "$address" "$state/logs/application.log" || fail "no application log in $state/logs"
  for beside in history.ini logs application.log; do
    [ ! -e "$bin/$beside" ] || fail "$beside was written beside the program, in $bin"
  done
  local path want
  for path in "$state" "$state/logs" "$state/history.ini" "$state"/logs/*; do
    want=600
    [ ! -d "$path" ] || want=700
    [ "$(stat -c %a "$path")" = "$want" ] ||
      fail "$path is $(stat -c %a "$path"), not $want, after a run under umask $mask"
    [ "$(stat -c %U "$path")" = "$who" ] || fail "$path is not $who's"
  done
  if [ -n "$account" ]; then
    grep -qF "Made readable by their owner only: $state/, $state/logs/" \
      "$state/logs/application.log" || fail "the log does not say what was tightened"
  fi
  echo "package test passed as $who under umask $mask: history and logs in" \
    "\$XDG_STATE_HOME/tarvello, folders 700 and files 600"
}

connect_once "" 022
if [ "$(id -u)" = 0 ]; then
  user="tarvello-test-$$"
  useradd --system --user-group --no-create-home --home-dir /nonexistent \
    --shell /usr/sbin/nologin "$user"
  chmod 711 "$scratch"  # the user reaches the unpacked program and its own folder, nothing else
  connect_once "$user" 000
fi
