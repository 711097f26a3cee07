#!/usr/bin/env bash
# Installs the game into a scratch DESTDIR, validates the desktop entry and
# the AppStream metadata, and starts the installed program on a virtual X
# server from an unrelated folder, with a fresh HOME and an audio device (a
# PulseAudio null sink): its wave files must load, its settings must land in
# ~/.config/velmora, and nothing may be written into the install tree or the
# folder it started in.  Usage: install_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
app=example.velmora.Velmora

# What a desktop and a software centre read.
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >/dev/null || {
  appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml"; fail "metainfo"; }
for size in 48 64 128 256; do
  file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app.png" | grep -q "PNG image data, $size x $size" ||
    fail "icon $size"
done
grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/$app.svg" || fail "scalable icon"
for page in velmora velmora-cli; do
  [ -n "$(MANWIDTH=80 man -l "$root/usr/share/man/man6/$page.6" 2>/dev/null | head -1)" ] || fail "manual page $page"
done

# One version everywhere.
[ "$("$root/usr/bin/velmora" --version)" = "velmora $version" ] || fail "velmora --version"
[ "$("$root/usr/bin/velmora-cli" --version)" = "velmora-cli $version" ] || fail "velmora-cli --version"
grep -q "release version=\"$version\"" "$root/usr/share/metainfo/$app.metainfo.xml" || fail "metainfo version"

# A person's first start, from a folder of their own.
home=$scratch/home
start=$scratch/somewhere
mkdir -p "$home" "$start"
before=$(cd "$root" && find . -printf '%p %s %T@ %m\n' | sort)

fifo=$scratch/display
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
pids+=($!)
read -r -t 20 display <"$fifo"

socket=$scratch/pulse/native
mkdir -p "$(dirname "$socket")"
HOME=$home pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm=yes \
  --load=module-null-sink --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done
[ -S "$socket" ] || fail "no PulseAudio server"

output=$(cd "$start" && env -u XDG_CONFIG_HOME HOME="$home" DISPLAY=":$display" PULSE_SERVER="unix:$socket" \
  QT_QPA_PLATFORM=xcb VELMORA_MEASURE_STARTUP=1 "$root/usr/bin/velmora" 2>&1) || fail "the program did not start: $output"
echo "$output" | grep -q "first_frame" || fail "no first frame: $output"
if echo "$output" | grep "^box:"; then fail "a message box at start-up (a wave file or the sound device)"; fi
echo "$output" | grep -q "sounds_loaded=4" || fail "the four wave files did not load: $output"

settings=$home/.config/velmora/Velmora.ini
[ -f "$settings" ] || fail "no $settings"
expected=$(printf '背景画=緑\r\n移動指導=OFF\r\nBGM=ON\r\n' | iconv -f UTF-8 -t CP932 | od -An -tx1)
[ "$(od -An -tx1 <"$settings")" = "$expected" ] || fail "settings: $(iconv -f CP932 -t UTF-8 <"$settings")"
[ -z "$(ls -A "$start")" ] || fail "written into the start folder: $(ls -A "$start")"
after=$(cd "$root" && find . -printf '%p %s %T@ %m\n' | sort)
[ "$before" = "$after" ] || fail "the install tree changed: $(diff <(echo "$before") <(echo "$after"))"

# A person whose locale is English: the installed catalogue and help page.
for file in velmora_en.qm Velmora.en.htm velmora-help.css two_board_capture.en.png castling.en.png review.en.png; do
  [ -s "$root/usr/share/velmora/$file" ] || fail "not installed: $file"
done
output=$(cd "$start" && env -u XDG_CONFIG_HOME -u LC_ALL -u LC_MESSAGES HOME="$scratch/home-en" LANG=en_US.UTF-8 \
  DISPLAY=":$display" PULSE_SERVER="unix:$scratch/no-such-server" QT_QPA_PLATFORM=xcb VELMORA_MEASURE_STARTUP=1 \
  "$root/usr/bin/velmora" 2>&1) || fail "the program did not start in English: $output"
echo "$output" | grep -q "^box: .* | The sound device cannot be opened" || fail "not in English: $output"
echo "install test passed"
