#!/usr/bin/env bash
# Installs what the build and the tests need, then, in order: builds everything with g++ and runs
# every test; builds everything again with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (asserts on, leaks checked) and runs every test there; runs each
# fuzz target for 20 s on seeds from tests/data; builds the Debian package and checks it with
# Debian's tools and by running what it holds. About 20 minutes on 2 cores.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_if_needed() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
sudo_if_needed apt-get update
sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  cmake g++ make libgtest-dev libgmock-dev busybox-static \
  qt6-base-dev fonts-liberation fontconfig xvfb xauth clang libclang-rt-14-dev \
  pkg-config libssh-dev openssh-server ansible python3-paramiko \
  dpkg-dev file lintian appstream desktop-file-utils man-db xdotool

jobs="$(nproc)"

# 1. The normal build, as shipped.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure --timeout 600

# 2. The same suite under the sanitizers. Debug keeps the asserts; -O1 keeps it quick enough.
# fuzzer-no-link gives the libraries the coverage the fuzz targets of step 3 steer by.
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTARVELLO_BENCH=OFF \
  -DTARVELLO_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer $sanitizers -fsanitize=fuzzer-no-link" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers"
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan -j"$jobs" --output-on-failure --timeout 900

# 3. Each fuzz target for 20 s; a finding stops the script with the input that caused it.
rm -rf build-asan/corpora
fuzz/seed_corpora.sh build-asan/corpora
for fuzzer in build-asan/fuzz/*_fuzzer; do
  name="$(basename "$fuzzer")"
  echo "== $name"
  if ! "$fuzzer" -max_total_time=20 -print_final_stats=1 -artifact_prefix="build-asan/$name-" \
    "build-asan/corpora/$name" > "build-asan/$name.log" 2>&1; then
    tail -n 60 "build-asan/$name.log"
    exit 1
  fi
  grep -E "DONE|stat::number_of_executed_units" "build-asan/$name.log"
done

# 4. The Debian package, built in Release as shipped, then checked by lintian and the other
# validators and run unpacked against its simulated switch.
bash scripts/package.sh
bash tests/package/package_test.sh build-deb/tarvello_*.deb
