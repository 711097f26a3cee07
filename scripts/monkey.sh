#!/usr/bin/env bash
# The long monkey run: a million random events (100 seeds of 10,000) through
# the game's handlers, record saves and loads of real files included, in the
# sanitizer build. Too long for every test run; CI runs the short default.
# Usage: scripts/monkey.sh [SEEDS [EVENTS_PER_SEED]]
set -euo pipefail
cd "$(dirname "$0")/.."
seeds=${1:-100}
events=${2:-10000}
cmake --preset asan >/dev/null
cmake --build --preset asan --target velmora_core_tests
start=$(date +%s)
VELMORA_MONKEY_SEEDS=$seeds VELMORA_MONKEY_EVENTS=$events \
  build/asan/tests/velmora_core_tests --gtest_filter='Monkey.*'
echo "monkey: $((seeds * events)) events requested, $(( $(date +%s) - start )) s"
