#!/usr/bin/env bash
# A game lost by wrecking: the autopilot drives race 1 to the line for a score, then in race 2 rams
# the walls at speed until the truck explodes, three times. The game replays the recorded keys by
# itself; its trace must count the spare trucks down 3, 2, 1, end in game over, the final score,
# "send the score?" answered no, and the high-score table, which (written on quitting) holds the
# game's score under the player's name, and is drawn on the high-score screen of the next start.
# VORNAKEL_E2E_SEED picks another road; VORNAKEL_E2E_KEEP=DIR keeps the scripts, traces and the
# picture of the table there.
set -euo pipefail
game_dir=$1
autodrive=${VORNAKEL_AUTODRIVE:-$game_dir/../tests/vornakel_autodrive}
seed=${VORNAKEL_E2E_SEED:-7}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
keep=${VORNAKEL_E2E_KEEP:-}
trap '[ -n "$keep" ] && cp -r "$work/." "$keep/"; rm -rf "$work"' EXIT
e2e_name=game_over
source "$here/lib/trace.sh"
# setting FILE N: line N of a settings file, decoded.
source "$here/lib/settings.sh"

[ -x "$autodrive" ] || fail "no autopilot at $autodrive"
start_script "$work/menus.script"

# --- the autopilot plays until the high-score table shows ---
fresh drive
"$autodrive" --workdir "$work/drive" --seed "$seed" --script "$work/menus.script" \
  --plan drive,wreck --until-state 8 --frames 20000 --record "$work/game.script" \
  --trace "$work/drive.trace" 2>"$work/drive.err" ||
  fail "autopilot exit code $? ($(tail -3 "$work/drive.err"))"
table=$(first "$work/drive.trace" ' state=8 ')
[ -n "$table" ] || fail "the autopilot's game never reached the high-score table ($(tail -1 "$work/drive.trace" | cut -c1-160))"
# Then Esc to the main menu, Esc to the quit question and Enter: both settings files are written.
cat >>"$work/game.script" <<SCRIPT
$((table + 40)) key down 27
$((table + 41)) key up 27
$((table + 60)) key down 27
$((table + 61)) key up 27
$((table + 80)) key down 13
$((table + 81)) key up 13
SCRIPT

# --- the game replays it by itself ---
fresh replay
"$game_dir/vornakel" --null-render --fast --seed "$seed" --workdir "$work/replay" \
  --script "$work/game.script" --frames $((table + 100)) --trace "$work/replay.trace" \
  2>"$work/replay.err" || fail "replay exit code $? ($(tail -3 "$work/replay.err"))"
t=$work/replay.trace
cmp -s "$work/drive.trace" <(head -n "$(wc -l <"$work/drive.trace")" "$t") ||
  fail "the replay went another way than the autopilot's run: $(diff "$work/drive.trace" "$t" | sed -n 2p | cut -c1-160)"

race2=$(first "$t" ' level=2 ')
[ -n "$race2" ] || fail "race 1 did not lead to race 2"
expect "$t" "$race2" state 12
expect "$t" "$race2" lives 3
score=$(field "$t" "$race2" score)
[ "$score" -gt 0 ] || fail "race 1 earned nothing"

# Each destruction: the state turns 27 with health left; 200 frames later the truck stands again
# with a spare truck fewer, until the last one (a life picked up on the way would add a wreck).
mapfile -t wrecks < <(awk -v s="$race2" 'NR >= s && $2 == "state=27" && prev != "state=27" { print NR }
  { prev = $2 }' "$t")
[ "${#wrecks[@]}" -ge 3 ] || fail "expected 3 wrecks in race 2, saw ${#wrecks[@]} (at frames ${wrecks[*]:-none})"
expect "$t" "${wrecks[0]}" lives 3
last=${wrecks[-1]}
for w in "${wrecks[@]}"; do
  expect "$t" $((w - 1)) state 12
  [ "$(field "$t" $((w - 1)) health)" -gt 0 ] || fail "frame $((w - 1)): health ran out instead of a wreck"
  [ "$(field "$t" "$w" clock)" != 0:00:00 ] || fail "frame $w: wrecked only as time ran out"
  [ "$w" = "$last" ] && break
  expect "$t" $((w + 200)) state 12
  expect "$t" $((w + 200)) lives $(($(field "$t" "$w" lives) - 1))
  expect "$t" $((w + 200)) health 100
done
expect "$t" "$last" lives 1
expect "$t" $((last + 200)) state 13
expect "$t" $((last + 200)) lives 1
grep -q ' state=24 ' "$t" && fail "time ran out (frame $(first "$t" ' state=24 '))"

# Game over, the final score, the question, the table: in this order and nothing between.
states=$(awk -v s="$last" 'NR >= s { print $2 }' "$t" | uniq | tr '\n' ' ')
case "$states" in
  "state=27 state=13 state=25 state=26 state=8 state=4 state=10 state=28 "*) ;;
  *) fail "after the last wreck: $states" ;;
esac
# The final score is the game's: race 1's prize and whatever coins race 2 gave.
over=$(first "$t" ' state=13 ')
final=$(first "$t" ' state=25 ')
[ "$(field "$t" "$over" score)" -ge "$score" ] || fail "frame $over: the score fell below $score"
score=$(field "$t" "$over" score)
expect "$t" "$final" score "$score"

# The table written on quitting holds the score under the player's name, in order.
cfg=$work/replay/Config.cfg
[ -f "$cfg" ] || fail "no Config.cfg written on quitting"
row=""
previous=1000000
for ((n = 1; n <= 10; n++)); do
  name=$(setting "$cfg" $((4 + 2 * n)))
  value=$(setting "$cfg" $((5 + 2 * n)))
  [ "$value" -le "$previous" ] || fail "table row $n: $value above $previous"
  previous=$value
  if [ -z "$row" ] && [ "$name" = Вася ]; then
    row=$n
    [ "$value" = "$score" ] || fail "table row $n: Вася with $value, expected $score"
  fi
done
[ -n "$row" ] || fail "the game's score $score is not in the saved table"

# --- the saved table read at the next start and drawn: logo, main menu, high scores ---
fresh table
cp "$work/replay/Config.cfg" "$work/replay/Configdat.cfg" "$work/table/"
cat >"$work/table.script" <<'SCRIPT'
400 mouse 78 97
405 button left down
406 button left up
SCRIPT
"$game_dir/vornakel" --headless --fast --seed "$seed" --workdir "$work/table" --frames 440 \
  --script "$work/table.script" --trace "$work/table.trace" --screenshot "440:$work/table.png" \
  2>"$work/table.err" || fail "table run exit code $? ($(tail -3 "$work/table.err"))"
expect "$work/table.trace" 440 state 8
[ "$(head -c 4 "$work/table.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ] || fail "no table screenshot"
echo "game_over: seed $seed, wrecks at frames ${wrecks[*]}, game over with $score points," \
  "row $row of the saved table"
