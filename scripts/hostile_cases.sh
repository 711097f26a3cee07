#!/usr/bin/env bash
# Runs hostile cases against the built programs: command lines with unknown
# options and control characters, other programs for `velmora-cli match`
# that stay silent or leave a child holding their output, SIGTERM, SIGINT
# and SIGHUP to a running match, and an old temporary of another user in a folder the
# game sweeps at start-up. Prints one line a case (held or failed, with what
# was seen) and a count; exits 1 when any case failed.
# Usage: scripts/hostile_cases.sh [BUILD_DIR]   (default build/release)
set -u
cd "$(dirname "$0")/.."
build=${1:-build/release}
velmora=$(realpath -m "$build/src/ui/velmora")
cli=$(realpath -m "$build/src/cli/velmora-cli")
for program in "$velmora" "$cli"; do
  [ -x "$program" ] || { echo "no $program: build first (cmake --build --preset release)" >&2; exit 2; }
done
# Background jobs get their own process group and keep SIGINT at its
# default, so a SIGINT can be sent to one as a terminal would.
set -m
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

held=0 failed=0 skipped=0
report() {  # NAME RESULT DETAIL
  printf '%-7s %-58s %s\n' "$2" "$1" "$3"
  case $2 in held) held=$((held + 1)) ;; failed) failed=$((failed + 1)) ;; *) skipped=$((skipped + 1)) ;; esac
}
now_ms() { date +%s%3N; }
# A pid that still runs (a zombie not yet reaped counts as gone).
running() { kill -0 "$1" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }
# True when every pid listed in the files is gone within two seconds.
all_gone() {
  local pid tries
  for pid in $(cat "$@" 2>/dev/null); do
    for tries in $(seq 40); do running "$pid" || break; sleep 0.05; done
    running "$pid" && return 1
  done
  return 0
}

# A refused command line: status 2, one line on stderr holding TEXT, no
# control byte in it. Runs in the scratch folder; a game that starts instead
# does so without a display and ends after its first frame.
refused() {  # NAME TEXT PROGRAM ARGS...
  local name=$1 text=$2; shift 2
  local err status lines
  err=$(cd "$scratch" && QT_QPA_PLATFORM=offscreen VELMORA_MEASURE_STARTUP=1 XDG_CONFIG_HOME="$scratch" \
    XDG_DATA_HOME="$scratch" "$@" 2>&1 >/dev/null); status=$?
  lines=$(printf '%s\n' "$err" | wc -l)
  if [ "$status" -eq 2 ] && [ "$lines" -eq 1 ] && [[ $err == *"$text"* ]] && ! printf '%s' "$err" | grep -q '[[:cntrl:]]'; then
    report "$name" held "status 2: $err"
  else
    report "$name" failed "status $status, $lines line(s): $(printf '%q' "$err")"
  fi
}

refused "velmora: unknown option" "unknown option '--frobnicate'" "$velmora" --frobnicate
refused "velmora: unknown single-dash option" "unknown option '-frobnicate'" "$velmora" -frobnicate
refused "velmora: stray argument" "unexpected argument 'game.kif'" "$velmora" game.kif
refused "velmora: escape character in --lang" "bad --lang '\\x1b[31m'" "$velmora" --lang $'\e[31m'
refused "velmora: newline in --time-control" "bad --time-control '5+0\\x0afake'" "$velmora" --time-control $'5+0\nfake'
refused "velmora: control characters in an unknown option" "unknown option '--x\\x0d\\x07'" "$velmora" $'--x\r\a'
refused "velmora-cli: escape character escaped once" "bad --time-control '\\x1b[31m'" \
  "$cli" match --white 4 --black 4 --games 1 --seed 1 --time-control $'\e[31m'
refused "velmora-cli: newline in an unknown option" "unknown option '--x\\x0a' for show" "$cli" show x.kif $'--x\n'

# Qt's options reach Qt: the game starts, reports its first frame and ends.
mkdir -p "$scratch/qt"
out=$(cd "$scratch/qt" && XDG_CONFIG_HOME="$scratch/qt" XDG_DATA_HOME="$scratch/qt" VELMORA_MEASURE_STARTUP=1 \
  "$velmora" -platform offscreen -style Fusion -reverse -qwindowtitle --lang 2>/dev/null); status=$?
if [ "$status" -eq 0 ] && [[ $out == *first_frame_epoch_ns=* ]]; then
  report "velmora: Qt options (-platform, -style, -reverse, ...)" held "started and ended, status 0"
else
  report "velmora: Qt options (-platform, -style, -reverse, ...)" failed "status $status"
fi

# Other programs for a match, written into the scratch folder.
program() {  # NAME BODY
  printf '#!/bin/sh\n%s\n' "$2" >"$scratch/$1"
  chmod +x "$scratch/$1"
  echo "$scratch/$1"
}

silent=$(program silent.sh "sleep 1000 &
echo \$! >> '$scratch/silent.pids'
echo \$\$ >> '$scratch/silent.pids'
wait")
start=$(now_ms)
err=$("$cli" match --white 4 --black-program "$silent" --games 1 --seed 7 --time 1 2>&1 >/dev/null); status=$?
took=$(( $(now_ms) - start ))
if [ "$status" -eq 1 ] && [[ $err == *"gave no answer within 32 s"* ]] && all_gone "$scratch/silent.pids"; then
  report "match: a silent program and its child" held "ended after ${took} ms, status 1, its group gone"
else
  report "match: a silent program and its child" failed "status $status after ${took} ms: $err"
fi

leaving=$(program leaving.sh "sleep 100 &
echo \$! >> '$scratch/leaving.pids'
exec '$cli' \"\$@\"")
start=$(now_ms)
err=$("$cli" match --white 4 --black-program "$leaving" --games 1 --seed 7 --time 20 2>&1 >/dev/null); status=$?
took=$(( $(now_ms) - start ))
answers=$(wc -l <"$scratch/leaving.pids")
if [ "$status" -eq 0 ] && [ "$took" -lt 20000 ] && all_gone "$scratch/leaving.pids"; then
  report "match: a program leaving a child on its output" held "a game of $answers answers in ${took} ms, children gone"
else
  report "match: a program leaving a child on its output" failed "status $status after ${took} ms: $err"
fi

for signal in TERM INT HUP; do
  mkdir -p "$scratch/tmp-$signal"
  waiting=$(program "waiting-$signal.sh" "dirname \"\$2\" > '$scratch/$signal.folder'
sleep 1000 &
echo \$! >> '$scratch/$signal.pids'
echo \$\$ >> '$scratch/$signal.pids'
wait")
  TMPDIR="$scratch/tmp-$signal" "$cli" match --white-program "$waiting" --black 4 --games 1 --seed 7 \
    >/dev/null 2>"$scratch/$signal.err" &
  match=$!
  for _ in $(seq 200); do [ -s "$scratch/$signal.pids" ] && [ "$(wc -l <"$scratch/$signal.pids")" -eq 2 ] && break; sleep 0.025; done
  folder=$(cat "$scratch/$signal.folder" 2>/dev/null)
  start=$(now_ms)
  kill -s "$signal" "$match"
  { wait "$match"; status=$?; } 2>/dev/null  # without the shell's note on the job's end
  took=$(( $(now_ms) - start ))
  expected=$((128 + $(kill -l "$signal")))
  if [ -n "$folder" ] && [ "$status" -eq "$expected" ] && [ ! -e "$folder" ] &&
     [ -z "$(ls -A "$scratch/tmp-$signal")" ] && all_gone "$scratch/$signal.pids"; then
    report "match: SIG$signal while a program thinks" held "ended by SIG$signal in ${took} ms, folder and program gone"
  else
    report "match: SIG$signal while a program thinks" failed \
      "status $status after ${took} ms, folder '$folder' $([ -e "$folder" ] && echo left), $(cat "$scratch/$signal.err")"
  fi
done

# The start-up sweep leaves another user's old temporary alone.
mkdir -p "$scratch/sweep"
if [ "$(id -u)" -ne 0 ]; then
  report "start-up sweep: another user's temporary" skipped "needs root to give a file to another user"
else
  for name in mine theirs; do
    echo x >"$scratch/sweep/.velmora-$name.tmp"
    touch -d '-1 hour' "$scratch/sweep/.velmora-$name.tmp"
  done
  chown 65534:65534 "$scratch/sweep/.velmora-theirs.tmp"
  (cd "$scratch/sweep" && XDG_CONFIG_HOME="$scratch/sweep" XDG_DATA_HOME="$scratch/sweep" VELMORA_MEASURE_STARTUP=1 \
    "$velmora" -platform offscreen >/dev/null 2>&1); status=$?
  if [ "$status" -eq 0 ] && [ ! -e "$scratch/sweep/.velmora-mine.tmp" ] && [ -e "$scratch/sweep/.velmora-theirs.tmp" ]; then
    report "start-up sweep: another user's temporary" held "uid 65534's kept, our own removed"
  else
    report "start-up sweep: another user's temporary" failed "status $status; left: $(cd "$scratch/sweep" && ls -A | tr '\n' ' ')"
  fi
fi

echo "$held held, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
