#!/usr/bin/env bash
# A race driven to the finish line with the arrow keys and on into the next race: the autopilot
# plays the game and records its keys, the game replays that script by itself, and its trace must
# show the truck crossing the line (the clock stands while it coasts), the results tallying the
# prize for its place, and race 2 starting after the results button.
# VORNAKEL_E2E_SEED picks another road; VORNAKEL_E2E_KEEP=DIR keeps the script and traces there
# (replay race.script with --headless --screenshot to look at the race).
set -euo pipefail
game_dir=$1
autodrive=${VORNAKEL_AUTODRIVE:-$game_dir/../tests/vornakel_autodrive}
seed=${VORNAKEL_E2E_SEED:-4}
work=$(mktemp -d)
keep=${VORNAKEL_E2E_KEEP:-}
trap '[ -n "$keep" ] && cp -r "$work/." "$keep/"; rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=race_driven
source "$here/lib/trace.sh"

[ -x "$autodrive" ] || fail "no autopilot at $autodrive"
start_script "$work/menus.script"

# --- the autopilot plays: race 1 driven, the results button, 30 frames of race 2 ---
fresh drive
"$autodrive" --workdir "$work/drive" --seed "$seed" --script "$work/menus.script" --plan drive \
  --until-level 2 --frames 12000 --record "$work/race.script" --trace "$work/drive.trace" \
  2>"$work/drive.err" || fail "autopilot exit code $? ($(tail -3 "$work/drive.err"))"
frames=$(wc -l <"$work/drive.trace")

# --- the game replays the recorded keys by itself ---
fresh replay
"$game_dir/vornakel" --null-render --fast --seed "$seed" --workdir "$work/replay" \
  --script "$work/race.script" --frames "$frames" --trace "$work/replay.trace" \
  2>"$work/replay.err" || fail "replay exit code $? ($(tail -3 "$work/replay.err"))"
t=$work/replay.trace
if ! cmp -s "$work/drive.trace" "$t"; then
  fail "the replay went another way than the autopilot's run: $(diff "$work/drive.trace" "$t" | sed -n 2p | cut -c1-160)"
fi

start=$(first "$t" ' state=12 ')
[ -n "$start" ] || fail "the race never started"
expect "$t" "$start" level 1
expect "$t" "$start" lives 3
# The race is driven, not ended: no Enter (or Esc) once it runs.
if awk -v s="$start" '$1 > s && $2 == "key" && ($4 == 13 || $4 == 27)' "$work/race.script" | grep -q .; then
  fail "the recorded race presses Enter or Esc"
fi
grep -q ' state=24 ' "$t" && fail "time ran out before the finish (frame $(first "$t" ' state=24 '))"
grep -q ' state=27 ' "$t" && fail "the truck was destroyed on the way (frame $(first "$t" ' state=27 '))"
results=$(first "$t" ' state=16 ')
[ -n "$results" ] || fail "no results screen: the truck never finished ($(tail -1 "$t" | cut -c1-160))"
finish=$((results - 1))
expect "$t" "$finish" state 12
expect "$t" "$finish" level 1
place=$(field "$t" "$finish" place)
clock=$(field "$t" "$finish" clock)
[ "$clock" != 0:00:00 ] || fail "frame $finish: the clock ran out"
# The finish line stops the clock and takes the controls: 150 frames of coasting, clock standing.
expect "$t" $((finish - 140)) clock "$clock"
[ "$(field "$t" $((finish - 160)) clock)" != "$clock" ] ||
  fail "the clock stood before the finish too: no finish line crossed ($(line "$t" $((finish - 160)) | cut -c1-160))"
awk -v a="$(field "$t" $((finish - 140)) speed)" -v b="$(field "$t" "$finish" speed)" \
  'BEGIN { exit !(b < a) }' || fail "the truck did not coast after the finish"
# One of four trucks.
if [ "$place" -lt 1 ] || [ "$place" -gt 4 ]; then fail "frame $finish: place $place"; fi
# The prize of 500 divided by the place, tallied one point a frame on top of the coins picked up.
prize=$((500 / place))
before=$(field "$t" "$results" score)
expect "$t" "$finish" score "$before"
expect "$t" $((results + 351)) score "$before"
expect "$t" $((results + 352)) score $((before + 1))
next=$(first "$t" ' level=2 ')
[ -n "$next" ] || fail "no race 2 after the results ($(tail -1 "$t" | cut -c1-160))"
expect "$t" $((next - 1)) score $((before + prize))
expect "$t" "$next" state 12
expect "$t" "$next" clock 1:06:00
expect "$t" "$next" score $((before + prize))
[ "$(field "$t" "$next" lives)" -ge 3 ] || fail "frame $next: a spare truck was lost ($(line "$t" "$next" | cut -c1-160))"
[ "$(field "$t" "$next" opp | tr ',' '\n' | wc -l)" -eq 4 ] || fail "race 2 should have four opponents"
grep -q '^[0-9]* button left up' "$work/race.script" || fail "the results button was never pressed"

echo "race_driven: seed $seed, race 1 finished in place $place at frame $finish with $clock left," \
  "prize $prize tallied onto $before, race 2 started at frame $next"
