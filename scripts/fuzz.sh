#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time on a copy of
# its seed corpus. A crash fails the run; its input is left in build/fuzz/crashes/
# to be kept under tests/fuzz_regressions/.  Usage: scripts/fuzz.sh [SECONDS [RUNS]]
# (RUNS, when given, also ends each fuzzer after that many executions).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
runs=${2:--1}
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2
mkdir -p build/fuzz/crashes
for target in record settings file position; do
  [ -x "build/fuzz/fuzz/${target}_fuzzer" ] || continue
  corpus=$(mktemp -d)
  cp fuzz/seeds/"$target"/* "$corpus"/
  echo "== ${target}_fuzzer for ${seconds}s"
  "build/fuzz/fuzz/${target}_fuzzer" "$corpus" -max_total_time="$seconds" -runs="$runs" -max_len=70000 \
      -artifact_prefix="build/fuzz/crashes/${target}-" -print_final_stats=1 2>&1 | tail -n 12
  rm -rf "$corpus"
done
