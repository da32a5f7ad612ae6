#!/usr/bin/env bash
# Fills <folder>/<target>/ with seed inputs for every fuzz target, taken from the captured switch
# output in tests/data and a few hand-written texts. Usage: fuzz/seed_corpora.sh <folder>
set -euo pipefail
data="$(cd "$(dirname "$0")/../tests/data" && pwd)"
out="$1"
for target in parse_ports parse_sessions expand_port_list config_script telnet_receive \
  switch_address history; do
  mkdir -p "$out/${target}_fuzzer"
done

# Two texts in one input: the status reply, a zero byte, the VLAN reply.
n=0
for status in "$data"/interfaces_status/*; do
  for vlan in "$data"/vlan/*; do
    n=$((n + 1))
    { cat "$status"; printf '\0'; cat "$vlan"; } > "$out/parse_ports_fuzzer/seed$n"
  done
done
cp "$data"/monitor/* "$out/parse_sessions_fuzzer/"
cp "$data"/*/* "$out/telnet_receive_fuzzer/"
printf '\377\373\001\377\373\003\377\375\030\r\nUsername: ' > "$out/telnet_receive_fuzzer/greeting"
printf '\377\372\030\001\377\360Switch#' > "$out/telnet_receive_fuzzer/termtype"

i=0
for list in 'Gi0/1-3,Gi0/5' 'Fa0/1' '10,20-22' 'Gi1/0/1 - 4' 'Po1,Gi0/1-2,Te1/1/1' 'Gi0/1-4294967297'; do
  i=$((i + 1))
  printf '%s' "$list" > "$out/expand_port_list_fuzzer/seed$i"
done
i=0
for address in 'sw1' 'sw1:2323' '[::1]:23' '::1' '10.0.0.1:0' 'sw1:65536' 'sw1: 23' '[fe80::1%eth0]:23' \
  'ssh://sw1' 'SSH://[::1]:2222' 'telnet://sw1:23' 'ssh://'; do
  i=$((i + 1))
  printf '%s' "$address" > "$out/switch_address_fuzzer/seed$i"
done
printf 'sw1\r\n10.0.0.1\r\n\r\nsw2:2323\r\n' > "$out/history_fuzzer/crlf"
printf 'a\rb\nc\r\n\0tail' > "$out/history_fuzzer/mixed"
head -c 256 /dev/zero | tr '\0' '\001' > "$out/config_script_fuzzer/edits1"
printf '\001\002\003\004\005\006\007\010\011\012\013\014\015\016\017\020' > "$out/config_script_fuzzer/edits2"
