#!/usr/bin/env bash
# The long monkey run alone: a million random events (100 seeds of 10,000)
# through the game's handlers, record saves and loads of real files included,
# in the sanitizer build. The full test run includes it (label "monkey").
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan >/dev/null
cmake --build --preset asan --target velmora_core_tests
ctest --preset asan -L monkey --output-on-failure
