#!/usr/bin/env bash
# The built program ended by SIGTERM, SIGINT and SIGHUP, as a desktop
# session or a terminal ends it: each time a game between people is started
# and one move made with the keyboard, then the signal sent. The program
# must end on its own with status 0, keeping the unsaved game in
# resume.棋譜: the title line, two player lines and the positions before
# and after the move.
# Usage: end_signal_program.sh PROGRAM
# Run it on a server of its own: run_on_xvfb.sh bash end_signal_program.sh ...
set -euo pipefail
program=$(realpath "$1")
command -v xdotool >/dev/null || { echo "end signals: xdotool is missing"; exit 77; }
source "$(dirname "${BASH_SOURCE[0]}")/script_steps.sh"

for signal in TERM INT HUP; do
    run=$(mktemp -d)
    cd "$run"
    "$program" --lang ja >"$run/velmora.log" 2>&1 &
    game=$!
    windows() { xdotool search --onlyvisible --pid "$game" 2>/dev/null | wc -l; }
    # Answers every box (with Enter) until none has shown for a second.
    answer_boxes() {
        local waited=0
        while [ $waited -lt 10 ]; do
            if [ "$(windows)" -gt 1 ]; then
                keys Return
                sleep 0.3
                waited=0
            else
                sleep 0.1
                waited=$((waited + 1))
            fi
        done
    }
    # Without a sound device the game first tells so in a box.
    for _ in $(seq 100); do [ "$(windows)" -gt 0 ] && break; sleep 0.1; done
    sleep 1
    for box in $(xdotool search --onlyvisible --pid "$game" --name 'Velmora.dll' 2>/dev/null); do
        xdotool windowfocus --sync "$box" 2>/dev/null || true
        keys Return
    done
    main=$(xdotool search --sync --onlyvisible --pid "$game" --name '^Velmora$' | head -1)
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    sleep 0.5
    # 対局 ▸ 対局(人間) ▸ スタート, then e2-e4 on the left board with the square cursor.
    keys Alt_L Down Right Return
    answer_boxes
    keys Up Return Up Up Return
    answer_boxes
    kill -s "$signal" "$game"
    status=0
    for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$game" 2>/dev/null; then
        kill -s KILL "$game"
        status=timeout
    else
        wait "$game" || status=$?
    fi
    check "SIG$signal ended the program with status 0 (it gave $status)" '[ "$status" = 0 ]'
    lines=$( [ -f resume.棋譜 ] && tr -cd '\n' <resume.棋譜 | wc -c || echo 0)
    check "SIG$signal kept the game in resume.棋譜 (5 lines; it has $lines)" '[ "$lines" -eq 5 ]'
    check "SIG$signal: the record's title says the game was between people" \
        '[ -f resume.棋譜 ] && head -1 resume.棋譜 | tr -d "\r" | grep -qx "velmora game: people"'
    cd /
    rm -rf "$run"
done
[ "$failures" -eq 0 ] && echo "end signals: all passed" || echo "end signals: $failures failed"
[ "$failures" -eq 0 ]
