#!/usr/bin/env bash
# Measures the game under a virtual X server: time from process start to the
# first complete frame and the resident memory's high-water mark then, a full
# repaint at twice the natural size and a resize step. Runs without an audio
# device and, where PulseAudio can be started, with a null sink.
# Prints each run and the medians. Usage: bench/measure_startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
program=$PWD/build/release/src/ui/velmora
[ -x "$program" ] || { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
# Started like the game is: in a folder with its wave files and help page.
run=build/release/run
mkdir -p "$run"
cp assets/sound/*.wav assets/help/Velmora.htm assets/help/*.png "$run"/
command -v Xvfb >/dev/null || { apt-get update && apt-get install -y --no-install-recommends xvfb; }
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; pulseaudio --kill 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r -t 20 display <"$fifo"
export DISPLAY=":$display"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
field() { sed -E "s/.*$1=([0-9.]+).*/\1/"; }
measure() {
  local label=$1 results; results=$(mktemp)
  for _ in $(seq "$runs"); do
    local start; start=$(date +%s%N)
    line=$(cd "$run" && VELMORA_MEASURE_STARTUP=1 "$program" 2>/dev/null)
    local frame=$(( ($(echo "$line" | field first_frame_epoch_ns) - start) / 1000000 ))
    echo "$label first_frame_ms=$frame $line" | tee -a "$results"
  done
  echo "$label median first_frame_ms=$(sed -E 's/.*first_frame_ms=([0-9]+).*/\1/' "$results" | median)" \
       "vmhwm_kib=$(field vmhwm_kib <"$results" | median)" \
       "repaint2x_ms=$(field repaint2x_ms <"$results" | median)" \
       "resize_step_ms=$(field resize_step_ms <"$results" | median)" \
       "resize_step_max_ms=$(field resize_step_max_ms <"$results" | median)"
  rm -f "$results"
}

measure no-audio
if command -v pulseaudio >/dev/null; then
  pulseaudio --start --exit-idle-time=-1 -n --load=module-null-sink --load=module-native-protocol-unix 2>/dev/null &&
    measure null-sink
else
  echo "null-sink: skipped (pulseaudio is not installed)"
fi
