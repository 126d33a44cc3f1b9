#!/usr/bin/env bash
# Road codes end to end: a career race's code, raced again from the seed screen under the same
# driving, gives the same road, opponents and pickups frame by frame; a seed race changes neither
# Config.cfg, Configdat.cfg nor vornakel.ini; three codes (one the road of the day) are pinned to
# their race's trace; the road of the day driven to the finish keeps the player's best time and
# best run, which then drives along as a ghost without changing the race; a controller alone types
# a code; the seed screen speaks English too.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
# KEEP=1 keeps the runs' folders, traces and screenshots for a look.
trap 'if [ -n "${KEEP:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=seed_race
source "$here/lib/trace.sh"
source "$here/lib/settings.sh"

# play NAME FRAMES SCRIPT [FLAGS]: a run in the game folder $work/NAME (made on first use), with
# its trace in NAME.trace and the road codes of its races in NAME.codes.
play() {
  local name=$1 frames=$2 script=$3
  shift 3
  [ -d "$work/$name" ] || fresh "$name"
  "$game_dir/vornakel" --workdir "$work/$name" --fast --seed 11 --today 2026-12-09 \
    --frames "$frames" --script "$script" --trace "$work/$name.trace" \
    --road-codes "$work/$name.codes" "$@" 2>"$work/$name.err" ||
    fail "$name: exit code $? ($(tail -3 "$work/$name.err"))"
}
# set_up NAME [N]: the frame and the code of the run's Nth race (first by default).
set_up_frame() { sed -n "${2:-1}p" "$work/$1.codes" | sed 's/^frame=\([0-9]*\) .*/\1/'; }
set_up_code() { sed -n "${2:-1}p" "$work/$1.codes" | sed 's/.* code=//'; }
# The driving, from a race's first frame: accelerate at the green light, a swerve each way.
drive() {
  printf '%s\n' "$(($1 + 255)) key down 38" "$(($1 + 400)) key down 37" "$(($1 + 430)) key up 37" \
    "$(($1 + 520)) key down 39" "$(($1 + 540)) key up 39" "$(($1 + 800)) key up 38"
}
# First run: name entry, main menu, the track screen, its road code button, CODE typed, the truck
# screen, the race.
seed_menus() {
  printf '%s\n' "400 text Вася" "410 key down 13" "411 key up 13" "420 mouse 156 439" \
    "422 button left down" "423 button left up" "480 mouse 94 490" "482 button left down" \
    "483 button left up" "520 text $1" "530 key down 13" "531 key up 13" "560 key down 13" \
    "561 key up 13"
}
# race_lines NAME FRAME: the 850 trace lines of a race from its first frame, frame numbers left out.
race_lines() { sed -n "$2,$(($2 + 849))p" "$work/$1.trace" | cut -d' ' -f2-; }

# --- a career race's road, raced again from its code ---
start_script "$work/career.txt"
play career0 520 "$work/career.txt" --null-render
start=$(set_up_frame career0)
code=$(set_up_code career0)
[ -n "$start" ] && [ ${#code} -eq 11 ] || fail "no road code for the career race"
{ cat "$work/career.txt"; drive "$start"; } >"$work/career_drive.txt"
play career $((start + 860)) "$work/career_drive.txt" --null-render
expect "$work/career.trace" "$start" state 12

seed_menus "${code,,}" >"$work/seed.txt"
play seed0 600 "$work/seed.txt" --null-render
seed_start=$(set_up_frame seed0)
[ "$(set_up_code seed0)" = "$code" ] || fail "the seed race's code is $(set_up_code seed0), not $code"
{ cat "$work/seed.txt"; drive "$seed_start"; } >"$work/seed_drive.txt"
play seed $((seed_start + 860)) "$work/seed_drive.txt" --null-render
if ! diff <(race_lines career "$start") <(race_lines seed "$seed_start") >"$work/diff.txt"; then
  fail "the seed race left the career race's road: $(head -4 "$work/diff.txt")"
fi
[ "$(field "$work/seed.trace" $((seed_start + 849)) speed)" != 0.00 ] || fail "the truck never drove"

# --- a seed race keeps the career's files as they were ---
# First run: name entry, ten points on the main menu (Z three times), then quit and save.
cat >"$work/quit.txt" <<'SCRIPT'
400 text Вася
410 key down 13
411 key up 13
430 key down 90
431 key up 90
433 key down 90
434 key up 90
436 key down 90
437 key up 90
460 key down 27
461 key up 27
480 key down 13
481 key up 13
SCRIPT
play files 500 "$work/quit.txt" --null-render
for f in Config.cfg Configdat.cfg vornakel.ini; do cp "$work/files/$f" "$work/before.$f"; done
[ "$(setting "$work/files/Configdat.cfg" 1)" = 30 ] || fail "the career score was not saved"
# Main menu, the road code button, a code, the truck screen, the race won with Enter (--dev-keys),
# the tally skipped, the results' button, then Esc back to the main menu and quit.
cat >"$work/seed_files.txt" <<SCRIPT
400 mouse 156 439
402 button left down
403 button left up
440 mouse 94 490
442 button left down
443 button left up
460 text $code
470 key down 13
471 key up 13
490 key down 13
491 key up 13
600 key down 13
601 key up 13
620 key down 13
621 key up 13
640 mouse 398 444
642 button left down
643 button left up
660 key down 27
661 key up 27
680 key down 27
681 key up 27
700 key down 27
701 key up 27
720 key down 13
721 key up 13
SCRIPT
play files 740 "$work/seed_files.txt" --null-render --dev-keys
t=$work/files.trace
expect "$t" 600 state 12
expect "$t" 630 state 16
expect "$t" 630 score 500
expect "$t" 650 state 31
expect "$t" 690 state 4
expect "$t" 721 state 28
for f in Config.cfg Configdat.cfg vornakel.ini; do
  cmp -s "$work/before.$f" "$work/files/$f" || fail "the seed race changed $f"
done

# --- pinned codes: the race each names, 380 frames after its set-up ---
# A typed code; the road of the day (2026-12-09); after Backspace over the box, an easy race 9 on
# track 8.
{
  seed_menus ugmsx-eaab4
  printf '%s\n' "960 key down 27" "961 key up 27" "970 key down 13" "971 key up 13" \
    "980 mouse 400 464" "982 button left down" "983 button left up" "1000 key down 13" \
    "1001 key up 13" "1400 key down 27" "1401 key up 27" "1410 key down 13" "1411 key up 13"
  for ((i = 0; i < 11; i++)); do printf '%s\n' "$((1420 + 2 * i)) key down 8" "$((1421 + 2 * i)) key up 8"; done
  printf '%s\n' "1450 text A7P64-FQLNK" "1460 key down 13" "1461 key up 13" "1480 key down 13" \
    "1481 key up 13"
} >"$work/pinned.txt"
play pinned 1900 "$work/pinned.txt" --null-render
while read -r n want_code want_line; do
  got_code=$(set_up_code pinned "$n")
  [ "$got_code" = "$want_code" ] || fail "race $n: code $got_code, expected $want_code"
  at=$(($(set_up_frame pinned "$n") + 380))
  got=$(line "$work/pinned.trace" "$at" | cut -d' ' -f2-)
  [ "$got" = "$want_line" ] || fail "$want_code, frame +380: $got"
done <<'PINS'
1 UGMSX-EAAB4 state=12 tick=301 level=1 lives=3 score=0 clock=0:58:57 place=4 health=100 speed=0.00 progress=-148.6 finished=0 opp=-97.4,-104.5,-114.8
2 9AMYU-5LXE2 state=12 tick=301 level=3 lives=3 score=0 clock=1:09:57 place=6 health=100 speed=0.00 progress=-164.8 finished=0 opp=-99.9,-97.3,-114.5,-117.6,-111.1
3 A7P64-FQLNK state=12 tick=301 level=9 lives=3 score=0 clock=2:24:57 place=10 health=100 speed=0.00 progress=-205.3 finished=0 opp=-89.2,-96.7,-95.2,-120.8,-113.7,-144.2,-138.7,-160.6,-139.2
PINS

# --- a code typed with a controller only ---
# The d-pad shows the focus and takes it up to the code box; A there opens the letter picker, which
# then takes the d-pad and A to type; B closes it, and the d-pad is the buttons' again: down twice
# to the race button, A, and A on the truck screen.
frame=520
pad() { printf '%d pad down %s\n%d pad up %s\n' "$frame" "$1" $((frame + 1)) "$1"; frame=$((frame + 4)); }
pad_code() {
  local grid=ABCDEFGHJKLMNPQRSTUVWXYZ23456789 code=$1 row=0 col=0 i at
  for ((i = 0; i < ${#code}; i++)); do
    at=${grid%%"${code:i:1}"*}
    at=${#at}
    while ((row < at / 13)); do pad dpdown && row=$((row + 1)); done
    while ((row > at / 13)); do pad dpup && row=$((row - 1)); done
    while ((col < at % 13)); do pad dpright && col=$((col + 1)); done
    while ((col > at % 13)); do pad dpleft && col=$((col - 1)); done
    pad a
  done
}
{
  printf '%s\n' "400 text Вася" "410 key down 13" "411 key up 13" "420 mouse 156 439" \
    "422 button left down" "423 button left up" "480 mouse 94 490" "482 button left down" \
    "483 button left up"
  pad dpdown && pad dpup && pad a
  pad_code UGMSXEAAB4
  pad b && pad dpdown && pad dpdown && pad a
  frame=$((frame + 40)) && pad a
} >"$work/pad.txt"
play pad $((frame + 20)) "$work/pad.txt" --null-render
[ "$(set_up_code pad)" = UGMSX-EAAB4 ] || fail "the controller raced $(set_up_code pad), not UGMSX-EAAB4"

# --- the road of the day driven to the finish by the autopilot: the player's best is kept ---
autodrive=${VORNAKEL_AUTODRIVE:-$game_dir/../tests/vornakel_autodrive}
[ -x "$autodrive" ] || fail "no autopilot at $autodrive"
fresh daily
printf '%s\n' "400 text Вася" "410 key down 13" "411 key up 13" "420 mouse 156 439" \
  "422 button left down" "423 button left up" "480 mouse 94 490" "482 button left down" \
  "483 button left up" "520 mouse 400 464" "522 button left down" "523 button left up" \
  "560 key down 13" "561 key up 13" >"$work/daily.txt"
"$autodrive" --workdir "$work/daily" --seed 4 --today 2026-12-09 --script "$work/daily.txt" \
  --plan drive --frames 9000 --record "$work/daily.script" --trace "$work/daily.trace" \
  2>"$work/daily.err" || fail "autopilot exit code $? ($(tail -3 "$work/daily.err"))"
grep -q ' state=16 ' "$work/daily.trace" || fail "the autopilot never finished the road of the day"
expect "$work/daily.trace" 9000 state 31
grep -qx 'daily.2026-12-09 = [0-9]:[0-5][0-9]\.[0-9][0-9]' "$work/daily/vornakel.ini" ||
  fail "no best time of the day kept: $(cat "$work/daily/vornakel.ini")"
# ... and its best run on the code: the time, and the race in the player's replays folder.
grep -qx 'road.9AMYU5LXE2 = [0-9]:[0-5][0-9]\.[0-9][0-9]' "$work/daily/vornakel.ini" ||
  fail "no best time on the code kept"
[ -s "$work/daily/replays/Вася/road-9AMYU5LXE2.vrp" ] || fail "no best run written"

# --- the best run drives along as a ghost, and changes nothing of the race ---
# The player of the daily run again (no name entry): the road of the day with a late start and a
# swerve off the road, beside the autopilot's best run. The same input with the ghost switched
# off on the seed screen (kept in vornakel.ini) must give the same trace.
cp -r "$work/daily" "$work/ghost_on"
cp -r "$work/daily" "$work/ghost_off"
cp -r "$work/daily" "$work/ghost_auto"
to_daily='420 mouse 156 439
422 button left down
423 button left up
480 mouse 94 490
482 button left down
483 button left up'
# The autopilot again, now beside its first run's ghost (right on its wheels, where a truck in the
# sprite list would change the race); its input replayed with the ghost hidden must go the same way.
{ echo "$to_daily"; printf '%s\n' "520 mouse 400 464" "522 button left down" "523 button left up" \
  "560 key down 13" "561 key up 13"; } >"$work/again.txt"
"$autodrive" --workdir "$work/ghost_auto" --seed 4 --today 2026-12-09 --script "$work/again.txt" \
  --plan drive --frames 7000 --record "$work/again.script" --trace "$work/again.trace" \
  2>"$work/again.err" || fail "autopilot exit code $? ($(tail -3 "$work/again.err"))"
{ echo "$to_daily"; printf '%s\n' "500 mouse 654 402" "502 button left down" "503 button left up"; } >"$work/hide.txt"
play ghost_off 520 "$work/hide.txt" --null-render
grep -qx 'ghost = hidden' "$work/ghost_off/vornakel.ini" || fail "the ghost switch was not kept"
cp -r "$work/ghost_off" "$work/ghost_auto_off"
play ghost_auto_off 7000 "$work/again.script" --seed 4 --null-render
cmp -s "$work/again.trace" "$work/ghost_auto_off.trace" || fail "the ghost changed the autopilot's race"
{
  echo "$to_daily"
  printf '%s\n' "520 mouse 400 464" "522 button left down" "523 button left up" "560 key down 13" \
    "561 key up 13"
  drive 561
} >"$work/ghost.txt"
for run in ghost_on ghost_off; do
  play "$run" 900 "$work/ghost.txt" --headless --screenshot "900:$work/$run.png"
  play "$run" 7000 "$work/ghost.txt" --null-render
done
if ! diff "$work/ghost_on.trace" "$work/ghost_off.trace" >"$work/diff.txt"; then
  fail "the ghost changed the race: $(head -4 "$work/diff.txt")"
fi
expect "$work/ghost_on.trace" 900 state 12
! cmp -s "$work/ghost_on.png" "$work/ghost_off.png" || fail "no ghost on the road"
# A damaged best run means no ghost and a line on stderr, nothing worse.
printf 'broken' | dd of="$work/ghost_on/replays/Вася/road-9AMYU5LXE2.vrp" bs=1 seek=40 conv=notrunc 2>/dev/null
play ghost_on 1200 "$work/ghost.txt" --null-render
grep -q 'no ghost from' "$work/ghost_on.err" || fail "a damaged best run went unreported"
cmp -s <(head -1200 "$work/ghost_off.trace") "$work/ghost_on.trace" || fail "a damaged best run changed the race"

# --- the seed screen in both languages ---
menus_to_seed='400 mouse 156 439
402 button left down
403 button left up
440 mouse 94 490
442 button left down
443 button left up
460 text 9amyu5lxe2'
play files 480 <(echo "$menus_to_seed") --headless --screenshot "478:$work/ru.png"
expect "$t" 478 state 31
play files 480 <(echo "$menus_to_seed") --headless --language en --screenshot "478:$work/en.png"
[ "$(head -c 4 "$work/en.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ] || fail "no English picture"
! cmp -s "$work/ru.png" "$work/en.png" || fail "the English seed screen looks Russian"
echo "seed_race: a career road raced again from its code, files untouched, three codes pinned, the day's best kept, its ghost drove and changed nothing, a code typed with a controller"
