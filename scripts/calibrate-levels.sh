#!/usr/bin/env bash
# Measures the computer's ladder: each engine level against the one below it
# (the lowest against LEVEL3), and the top level against the level two below
# it as a cross-check of the sum, with velmora-cli match. A pair plays half
# its games with the higher level as white and half as black, from seeded
# random openings, each level at its own budget. Prints a table of the steps
# (the higher level's score, Elo and 95% margin, by colour, median length)
# and each level's rating relative to LEVEL3 as the sum of the steps.
#
#   scripts/calibrate-levels.sh [--games N] [--jobs J] [--levels "5 6"] [--cli PATH] [--out DIR]
#
# --games   games a pair (default 100, even)
# --jobs    matches at once (default: the number of cores; the top level plays
#           by the clock, so give each of its matches a core of its own)
# --levels  the higher levels of the pairs to play (default: every pair);
#           pairs already in DIR are read, not played again
# --cli     the velmora-cli to measure (default: the release build's)
# --out     where the games go (default: calibration/ under the build folder)
#
# Seeds: the pair whose higher level is H and lower L plays seed
# 100*H + 10*(H-L) + 1 with H as white and 100*H + 10*(H-L) + 2 with H as
# black, so every pair's games are fixed and differ from every other pair's.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
games=100
jobs=$(nproc)
levels=""
cli="$root/build/release/src/cli/velmora-cli"
out="$root/build/calibration"
while [ $# -gt 0 ]; do
    case "$1" in
        --games) games=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --levels) levels=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "calibrate-levels: unknown option $1" >&2; exit 2 ;;
    esac
done
if [ $((games % 2)) -ne 0 ] || [ "$games" -lt 2 ]; then
    echo "calibrate-levels: --games must be an even number of at least 2" >&2
    exit 2
fi
[ -x "$cli" ] || { echo "calibrate-levels: no program at $cli (build it first)" >&2; exit 2; }

# The ladder's top level, from the program's own range.
top=$({ "$cli" match --white 99 --black 1 --games 1 --seed 1 2>&1 || true; } | sed -n 's/.*(1 to \([0-9]*\)).*/\1/p')
[ -n "$top" ] || { echo "calibrate-levels: cannot find the top level of $cli" >&2; exit 2; }
first_engine=4
pairs=()
for ((h = first_engine; h <= top; h++)); do pairs+=("$h $((h - 1))"); done
pairs+=("$top $((top - 2))")
mkdir -p "$out"

# One match: higher level, lower level, the higher one's colour.
play() {
    local h=$1 l=$2 colour=$3 seed file
    if [ "$colour" = white ]; then seed=$((100 * h + 10 * (h - l) + 1)); else seed=$((100 * h + 10 * (h - l) + 2)); fi
    file="$out/L${h}_L${l}_${colour}.jsonl"
    [ -s "$file" ] && grep -q '"elo"' "$file" && return 0
    if [ "$colour" = white ]; then
        "$cli" match --white "$h" --black "$l" --games $((games / 2)) --seed "$seed" > "$file.part"
    else
        "$cli" match --white "$l" --black "$h" --games $((games / 2)) --seed "$seed" > "$file.part"
    fi
    mv "$file.part" "$file"
}

started=$(date +%s)
running=0
for pair in "${pairs[@]}"; do
    read -r h l <<< "$pair"
    if [ -n "$levels" ] && ! [[ " $levels " == *" $h "* ]]; then continue; fi
    # The cross-check only when asked for by name or with every pair.
    if [ $((h - l)) -eq 2 ] && [ -n "$levels" ] && ! [[ " $levels " == *" $h-$l "* || " $levels " == *" $h "* ]]; then continue; fi
    for colour in white black; do
        play "$h" "$l" "$colour" &
        running=$((running + 1))
        if [ "$running" -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
    done
done
wait
echo "calibration took $(( $(date +%s) - started )) s; games in $out" >&2

# The table, from whatever pairs are in the folder.
summary() {
    local h=$1 l=$2
    local w="$out/L${h}_L${l}_white.jsonl" b="$out/L${h}_L${l}_black.jsonl"
    [ -s "$w" ] && [ -s "$b" ] || return 0
    local median
    median=$(cat "$w" "$b" | sed -n 's/.*"moves": \([0-9]*\).*/\1/p' | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
    cat "$w" "$b" | awk -v h="$h" -v l="$l" -v med="$median" '
        /"game"/ {
            white = ($0 ~ "\"white\": " h ","); won = 0; lost = 0
            if ($0 ~ /"winner": "white"/) { if (white) won = 1; else lost = 1 }
            if ($0 ~ /"winner": "black"/) { if (white) lost = 1; else won = 1 }
            c = white ? "w" : "b"
            W[c] += won; L[c] += lost; D[c] += 1 - won - lost
        }
        function elo(s) { return -400 * log(1 / s - 1) / log(10) }
        END {
            wins = W["w"] + W["b"]; losses = L["w"] + L["b"]; draws = D["w"] + D["b"]; g = wins + losses + draws
            # A clean sweep counts as if one game were drawn: its Elo is a bound.
            sw = wins; sl = losses; sd = draws
            if (sw == g) { sw--; sd++ } else if (sl == g) { sl--; sd++ }
            s = (sw + sd / 2) / g
            v = (sw * (1 - s)^2 + sd * (0.5 - s)^2 + sl * s^2) / g
            r = 1.96 * sqrt(v / g); lo = s - r; hi = s + r
            if (lo < 0.5 / g) lo = 0.5 / g; if (hi > 1 - 0.5 / g) hi = 1 - 0.5 / g
            printf "| LEVEL%d vs LEVEL%d | %d | %d / %d / %d | %.1f %% | %+.0f ± %.0f | white %d-%d-%d, black %d-%d-%d | %g |\n",
                h, l, g, wins, losses, draws, 100 * (wins + draws / 2) / g, elo(s), (elo(hi) - elo(lo)) / 2,
                W["w"], L["w"], D["w"], W["b"], L["b"], D["b"], med
            printf "%d %d %f %f\n", h, l, elo(s), (elo(hi) - elo(lo)) / 2 > "/dev/stderr"
        }'
}

echo "| pair | games | W / L / D | score | Elo (95 %) | by colour (W-L-D) | median length (plies) |"
echo "|---|---|---|---|---|---|---|"
for pair in "${pairs[@]}"; do summary $pair 2>/dev/null; done
echo
echo "| level | rating vs LEVEL3 (sum of the steps) |"
echo "|---|---|"
for pair in "${pairs[@]}"; do summary $pair 2>&1 >/dev/null; done | awk '
    $1 - $2 == 1 { step[$1] = $3; margin[$1] = $4 }
    END {
        sum = 0; sq = 0
        for (h = 4; (h in step); h++) {
            sum += step[h]; sq += margin[h]^2
            printf "| LEVEL%d | %+.0f ± %.0f |\n", h, sum, sqrt(sq)
        }
    }'
