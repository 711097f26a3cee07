#!/usr/bin/env bash
# Runs a test program on its own virtual X server (Xvfb) with the xcb
# platform, and stops the server afterwards. Usage: run_on_xvfb.sh PROGRAM [ARGS]
set -euo pipefail
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 display <"$fifo"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$@"
