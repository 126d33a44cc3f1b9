#!/usr/bin/env bash
# A game driven through the menus into a race: the start lights hold the clock, pause keeps it,
# Enter (with --dev-keys) ends the race as a win, the tally adds the prize, the next race is
# longer; the clock runs out into time's up; a game started at race 9 has nine opponents on the
# longest road.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=race_flow
source "$here/lib/trace.sh"

# First run in an empty folder: name entry, main menu, track and truck screens, then the race.
menus='400 text Вася
410 key down 13
411 key up 13
420 mouse 120 430
430 button left down
432 button left up
460 key down 13
461 key up 13
480 key down 13
481 key up 13'

run() {
  local name=$1
  shift
  mkdir -p "$work/$name"
  cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/$name/"
  "$game_dir/vornakel" --workdir "$work/$name" --fast --seed 3 --trace "$work/$name.trace" "$@" \
    2>"$work/$name.err" || fail "$name: exit code $? ($(tail -3 "$work/$name.err"))"
}

# --- a race won with Enter, the results and the next race ---
cat >"$work/win.txt" <<SCRIPT
$menus
800 key down 80
801 key up 80
900 key down 80
901 key up 80
1000 key down 13
1001 key up 13
2100 mouse 398 444
2101 button left down
2103 button left up
SCRIPT
run win --null-render --dev-keys --frames 2200 --script "$work/win.txt"
t=$work/win.trace
start=$(grep -m1 -n ' state=12 ' "$t" | cut -d: -f1)
[ -n "$start" ] || fail "the race never started"
expect "$t" "$start" level 1
expect "$t" "$start" clock 1:00:00
expect "$t" "$start" lives 3
[ "$(field "$t" "$start" opp | tr ',' '\n' | wc -l)" -eq 3 ] || fail "three opponents expected"
expect "$t" $((start + 240)) clock 1:00:00
[ "$(field "$t" $((start + 300)) clock)" != 1:00:00 ] || fail "the clock did not start at the green light"
# Paused from frame 801 to 900: the clock stands still, then runs on from the same value.
expect "$t" 801 state 20
paused=$(field "$t" 801 clock)
expect "$t" 900 clock "$paused"
expect "$t" 901 state 12
[ "$(field "$t" 905 clock)" != "$paused" ] || fail "the clock did not run on after the pause"
# Enter: the results, the whole prize of 500 tallied one point a frame, then the next race.
expect "$t" 1001 state 16
expect "$t" 1001 score 0
expect "$t" 1500 score 148
expect "$t" 2000 score 500
next=$(grep -m1 -n ' level=2 ' "$t" | cut -d: -f1)
[ -n "$next" ] || fail "no second race after the results button"
expect "$t" "$next" state 12
expect "$t" "$next" clock 1:06:00
expect "$t" "$next" score 500
[ "$(field "$t" "$next" opp | tr ',' '\n' | wc -l)" -eq 4 ] || fail "four opponents expected"

# --- the clock runs out: time's up, then the final score ---
run timeup --null-render --frames 6400 --script <(echo "$menus")
t=$work/timeup.trace
last=$(grep -m1 -n ' clock=0:00:00 ' "$t" | cut -d: -f1)
[ -n "$last" ] || fail "the clock never reached 0:00:00"
up=$(grep -m1 -n ' state=24 ' "$t" | cut -d: -f1)
[ -n "$up" ] || fail "no time's up"
[ $((up - last)) -le 1 ] || fail "time's up came $((up - last)) frames after 0:00:00"
grep -q ' state=25 ' "$t" || fail "no final score after time's up"

# --- the heaviest race: started at race 9 ---
run level9 --null-render --frames 1200 --start-level 9 --script <(echo "$menus")
t=$work/level9.trace
start=$(grep -m1 -n ' state=12 ' "$t" | cut -d: -f1)
expect "$t" "$start" level 9
expect "$t" "$start" clock 1:41:00
[ "$(field "$t" "$start" opp | tr ',' '\n' | wc -l)" -eq 9 ] || fail "nine opponents expected"
# The opponents drive off at the green light.
progress=$(field "$t" 1200 opp | cut -d, -f1)
awk -v p="$progress" 'BEGIN { exit !(p > 0) }' || fail "opponent 1 still at $progress"

# --- the race drawn: the start lights and the results screen ---
run shots --headless --dev-keys --frames 1300 --script "$work/win.txt" \
  --screenshot "600:$work/lights.png" --screenshot "1300:$work/results.png"
for shot in lights results; do
  [ "$(head -c 4 "$work/$shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ] || fail "no $shot screenshot"
done
cmp -s <(sed -n '1,1300p' "$work/win.trace") "$work/shots.trace" ||
  fail "the drawn run and the null-render run differ"
echo "race_flow: start, pause, results, next race, time's up and race 9 behave"
