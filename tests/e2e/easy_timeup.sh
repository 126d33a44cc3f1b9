#!/usr/bin/env bash
# An easy game (--difficulty easy) from race 3 whose truck never leaves the grid: the clock, longer
# than the classic 1:11, runs out; time's up shows for 200 frames and a spare truck buys a fresh
# race 3 with its start lights, twice; the third time's up, with the last truck, ends the game.
# The flag itself leaves the player's stored choice alone.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=easy_timeup
source "$here/lib/trace.sh"

start_script "$work/menus.script"
fresh easy
"$game_dir/vornakel" --null-render --fast --seed 5 --workdir "$work/easy" --difficulty easy \
  --start-level 3 --script "$work/menus.script" --frames 30000 --trace "$work/easy.trace" 2>"$work/easy.err" ||
  fail "exit code $? ($(tail -3 "$work/easy.err"))"
t=$work/easy.trace

mapfile -t ups < <(awk '$2 == "state=24" && prev != "state=24" { print NR } { prev = $2 }' "$t")
[ "${#ups[@]}" -eq 3 ] || fail "expected 3 times up, saw ${#ups[@]} (frames ${ups[*]:-none})"
start=$(first "$t" ' state=12 ')
lives=3
for up in "${ups[@]}"; do
  expect "$t" "$start" level 3
  expect "$t" "$start" lives "$lives"
  expect "$t" "$start" tick 0
  clock=$(field "$t" "$start" clock)
  [[ "$clock" > 1:11:00 ]] || fail "frame $start: the easy clock $clock is no longer than the classic"
  expect "$t" $((up - 1)) clock 0:00:00
  expect "$t" $((up + 199)) state 24
  start=$((up + 200))
  lives=$((lives - 1))
done
expect "$t" "$start" state 25
grep -q ' state=13 ' "$t" && fail "game over instead of time's up"
! grep -q "^difficulty = easy" "$work/easy/vornakel.ini" 2>/dev/null ||
  fail "the harness flag was stored as the player's choice"
echo "easy_timeup: times up at frames ${ups[*]}, two fresh races, then the final score"
