#!/usr/bin/env bash
# Measures the game's start-up under a virtual X server: time to the first
# complete frame, resident memory then, and the time of a full repaint.
# Prints each run and the medians. Usage: bench/measure_startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
program=$PWD/build/release/src/ui/velmora
[ -x "$program" ] || { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
# Started like the game is: in a folder with its wave files and help page.
run=build/release/run
mkdir -p "$run"
cp assets/sound/*.wav assets/help/Velmora.htm "$run"/
command -v xvfb-run >/dev/null || { apt-get update && apt-get install -y --no-install-recommends xvfb xauth; }
results=$(mktemp)
for _ in $(seq "$runs"); do
  (cd "$run" && VELMORA_MEASURE_STARTUP=1 xvfb-run -a -s "-screen 0 1280x800x24" "$program" 2>/dev/null) | tee -a "$results"
done
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median first_frame_ms=$(sed -E 's/.*first_frame_ms=([0-9.]+).*/\1/' "$results" | median)" \
     "rss_kib=$(sed -E 's/.*rss_kib=([0-9.]+).*/\1/' "$results" | median)" \
     "repaint_ms=$(sed -E 's/.*repaint_ms=([0-9.]+).*/\1/' "$results" | median)"
rm -f "$results"
