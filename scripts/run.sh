#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --target velmora velmora-cli
# The game finds its wave files and help pages in the folder it starts in, and
# keeps its settings file there; its translations beside the program.
run=build/release/run
mkdir -p "$run"
cp assets/sound/*.wav assets/help/*.htm assets/help/*.css assets/help/*.png "$run"/
cd "$run"
exec ../src/ui/velmora "$@"
