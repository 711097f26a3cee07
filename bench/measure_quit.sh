#!/usr/bin/env bash
# Measures how soon the program ends from Esc and from SIGTERM in each phase
# of the computer's turn: a game against LEVEL9 with the person first, e2-e4
# played with the mouse, then the end asked for 0.2 s (the move's blink),
# 1.3 s (mostly the engine's search) and 2.0 s (its search or its move being
# shown) after the second click. Prints the time from the key or signal to
# the end of the process and the lines of the resume.棋譜 it kept (5: the
# person's move, 6: the computer's too). Usage: bench/measure_quit.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
program=$PWD/build/release/src/ui/velmora
[ -x "$program" ] || { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 2; }
command -v xdotool >/dev/null || { echo "needs xdotool" >&2; exit 2; }
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 display <"$fifo"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
# No window manager: the client area stands at the screen's top-left corner,
# the picture at its natural size (menu bar 19 pixels high).
at() { xdotool mousemove "$1" "$2"; }
one() {
    local way=$1 delay=$2 dir pid t0 t1 kept
    dir=$(mktemp -d)
    (cd "$dir" && exec "$program" >/dev/null 2>&1) &
    pid=$!
    sleep 1.5; xdotool key Return; sleep 0.4     # the sound warning of a machine without audio
    at 21 7; xdotool click 1; sleep 0.4; at 70 73; sleep 0.4; at 200 73; at 200 249; sleep 0.2; xdotool click 1
    sleep 0.4
    at 21 7; xdotool click 1; sleep 0.4; at 70 51; sleep 0.4; at 190 51; sleep 0.2; xdotool click 1
    sleep 0.6; xdotool key Return; sleep 0.4      # "あなたの番です"
    at 241 358; xdotool click 1; sleep 0.3; at 241 288; xdotool click 1
    sleep "$delay"
    t0=$(date +%s%N)
    case $way in
        esc) xdotool key Escape ;;
        term) kill -TERM "$pid" ;;
    esac
    (sleep 10; kill -9 "$pid" 2>/dev/null) & local guard=$!
    wait "$pid" || true
    t1=$(date +%s%N)
    kill "$guard" 2>/dev/null || true
    kept=none
    [ -f "$dir/resume.棋譜" ] && kept=$(wc -l <"$dir/resume.棋譜")
    echo "$way at $delay s: ended $(((t1 - t0) / 1000000)) ms later, resume.棋譜 lines $kept"
    rm -rf "$dir"
}
for ((r = 1; r <= runs; r++)); do
    for way in esc term; do
        for delay in 0.2 1.3 2.0; do one "$way" "$delay"; done
    done
done
