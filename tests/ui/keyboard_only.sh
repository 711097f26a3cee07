#!/usr/bin/env bash
# Plays the built game with the keyboard alone on the X display in $DISPLAY:
# every item of the menu bar reached with Alt and the arrows, a game between
# people started from the menu, moves made with the square cursor, the game
# saved from the record panel, resigned, loaded again from the file list and
# stepped through, and the program ended with Esc. Only keys go to the game
# (xdotool key/type); a screenshot is taken at each step.
# Usage: keyboard_only.sh PROGRAM SOURCE_DIR [SHOTS_DIR]
# Run it on a server of its own: run_on_xvfb.sh bash keyboard_only.sh ...
set -euo pipefail
program=$(realpath "$1")
source_dir=$(realpath "$2")
shots=${3:-$(mktemp -d)}
mkdir -p "$shots"
for tool in xdotool import compare; do
    command -v "$tool" >/dev/null || { echo "keyboard_only: $tool is missing"; exit 77; }
done
run=$(mktemp -d)
cp "$source_dir"/assets/sound/*.wav "$source_dir"/assets/help/*.htm "$run"/
cd "$run"
"$program" --lang ja >"$run/velmora.log" 2>&1 &
game=$!
step=0
cleanup() { kill "$game" 2>/dev/null || true; }
trap cleanup EXIT

# A screenshot of the whole screen, its file in $last.
last=
shot() {
    step=$((step + 1))
    last="$shots/$(printf '%02d' "$step")-$1.png"
    import -window root "$last"
}
source "$(dirname "${BASH_SOURCE[0]}")/script_steps.sh"
# The program's windows on screen: the main window, and a box while one shows.
windows() { xdotool search --onlyvisible --pid "$game" 2>/dev/null | wc -l; }
# Answers every box the game shows (within $1 seconds of asking, 1 unless
# told) with its default button (Enter).
answer_boxes() {
    local n=0 waited=0
    while [ $n -lt 6 ]; do
        if [ "$(windows)" -gt 1 ]; then
            sleep 0.3
            shot "box"
            keys Return
            sleep 0.3
            n=$((n + 1))
            waited=0
        elif [ $waited -ge $((${1:-1} * 10)) ]; then
            break
        else
            sleep 0.1
            waited=$((waited + 1))
        fi
    done
    echo "     answered $n box(es)"
}

# Without a sound device the game first tells so in a box, before its window.
for _ in $(seq 100); do [ "$(windows)" -gt 0 ] && break; sleep 0.1; done
sleep 1
for box in $(xdotool search --onlyvisible --pid "$game" --name 'Velmora.dll' 2>/dev/null); do
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    shot "no-sound-box"
    keys Return
done
main=$(xdotool search --sync --onlyvisible --pid "$game" --name '^Velmora$' | head -1)
# Keys go to whatever window has the input focus: the game's own window.
xdotool windowfocus --sync "$main" 2>/dev/null || true
sleep 1

# Every item of the menu bar, one after the other.
keys Alt_L
declare -A seen=()
for item in 対局 局面 戻 進 △ ▽ 棋譜 ｵﾌﾟｼｮﾝ その他; do
    shot "bar-$item"
    import -window "$main" -crop 900x22+0+0 +repage "$last.bar.png"
    seen[$(md5sum <"$last.bar.png" | cut -d' ' -f1)]=$item
    [ "$item" = その他 ] || keys Right
done
check "the arrows reached all 9 items of the menu bar (${#seen[@]} different highlights)" '[ ${#seen[@]} -eq 9 ]'
keys Escape
sleep 0.3
check "Esc on the menu bar left the bar and the game runs on" 'kill -0 $game 2>/dev/null'

# A game between two people: 対局 ▸ 対局(人間) ▸ スタート.
keys Alt_L Down Right Return
answer_boxes 3
shot "new-game"
# e2-e4, e7-e5, d2-d4, e5xd4 on the left board with the square cursor.
keys Up Return Up Up Return
answer_boxes
keys Up Up Up Return Down Down Return
answer_boxes
keys Down Down Down Left Return Up Up Return
answer_boxes
keys Up Right Return Down Left Return
answer_boxes
shot "four-moves"
import -window "$main" -crop 420x300+80+130 +repage "$shots/played-board.png"

# Saved from the record panel: 棋譜 ▸ 書込, the file name typed, Enter.
keys Alt_L Right Right Right Right Right Right Down Down Return
sleep 0.4
shot "save-panel"
xdotool type --delay 80 kbonly
keys Return
answer_boxes
check "the record file kbonly.棋譜 was written" '[ -s "$run/kbonly.棋譜" ]'

# The game resigned: 対局 ▸ 投了, every box answered.
keys Alt_L Down Down Down Down Down Return
answer_boxes
shot "resigned"

# Loaded again: 棋譜 ▸ 読込, Enter on the file chosen in the list.
keys Alt_L Right Right Right Right Right Right Down Return
sleep 0.4
shot "load-panel"
keys Return
answer_boxes
# Stepped to its fourth move with 進 from the menu bar.
for _ in 1 2 3 4; do keys Alt_L Right Right Right Return; sleep 0.3; done
answer_boxes
shot "loaded-four-moves"
import -window "$main" -crop 420x300+80+130 +repage "$shots/loaded-board.png"
differing=$(compare -metric AE -fuzz 5% "$shots/played-board.png" "$shots/loaded-board.png" null: 2>&1 || true)
echo "     the left board after loading differs from the one played in $differing pixels"
check "the loaded record shows the position played" '[ "${differing%%.*}" -lt 500 ]'

# Esc from the boards ends the program.
keys Escape
answer_boxes
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
check "Esc from the boards ended the program" '! kill -0 $game 2>/dev/null'
echo "screenshots in $shots"
[ "$failures" -eq 0 ] && echo "keyboard only: all passed" || echo "keyboard only: $failures failed"
[ "$failures" -eq 0 ]
