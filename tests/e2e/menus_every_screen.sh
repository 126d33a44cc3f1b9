#!/usr/bin/env bash
# Every menu screen is reached with the mouse and left both with Esc and with its own buttons; a
# game is started from the truck screen, paused, left through the question, scored, not sent, and
# the program is quit through its dialog. No screen asks for a picture the archives lack.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/run"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/run/"

# A player exists already: the logo leads straight to the main menu (about frame 385).
cat > "$work/name.script" <<'SCRIPT'
410 text Вася
420 key down 13
421 key up 13
SCRIPT
"$game_dir/vornakel" --headless --fast --seed 5 --frames 440 --workdir "$work/run" \
  --script "$work/name.script" 2>"$work/run.err"

script="$work/screens.script"
: > "$script"
click() { printf '%d mouse %d %d\n%d button left down\n%d button left up\n' \
  "$1" "$2" "$3" $(($1 + 2)) $(($1 + 3)) >> "$script"; }
key() { printf '%d key down %d\n%d key up %d\n' "$1" "$2" $(($1 + 1)) "$2" >> "$script"; }

click 400 156 439   # start -> tracks
click 430 717 548   # continue -> trucks
click 450 286 449   # back -> main menu
click 470 156 439   # start -> tracks
click 500 94 548    # back -> main menu
key 520 27          # Esc -> quit?
key 540 27          # Esc -> main menu
click 560 691 397   # quit -> quit?
click 580 475 400   # no -> main menu
click 600 112 376   # options
key 620 27
click 640 112 376   # options
click 660 296 444   # apply -> main menu
click 680 153 113   # high scores
key 700 27
click 720 153 113
click 740 201 454   # back
click 760 744 150   # help
key 780 27
click 800 744 150
click 820 182 439   # back
click 840 675 555   # players
key 860 27
click 880 675 555
click 900 176 442   # back
click 920 153 113   # high scores
click 940 406 467   # clear? -> question
key 960 27          # -> high scores
click 980 406 467
click 1000 475 400  # no
click 1020 406 467
click 1040 338 349  # yes
key 1060 27         # -> main menu
click 1080 156 439  # start -> tracks
key 1100 13         # -> trucks
key 1120 13         # -> race
key 1400 27         # leave the race?
click 1420 506 444  # no -> race
key 1440 27
key 1460 27         # Esc -> race
key 1480 80         # pause
key 1500 80         # race
key 1520 27
click 1540 294 444  # yes -> final score
click 1760 400 424  # next -> send?
click 1780 506 444  # no -> main menu
key 1800 27         # quit?
key 1820 13         # yes -> exit screen, the window closes

shots=""
for frame in 420 445 590 650 730 810 890 990 1200 1410 1490 1530 1700 1770 1790; do
  shots="$shots --screenshot $frame:$work/shot-$frame.png"
done
# shellcheck disable=SC2086
"$game_dir/vornakel" --headless --fast --seed 5 --frames 2000 --workdir "$work/run" \
  --script "$script" --trace "$work/screens.trace" $shots 2>>"$work/run.err"

states=$(awk '{print $2}' "$work/screens.trace" | uniq | sed 's/state=//' | tr '\n' ' ')
expected="3 4 14 15 4 14 4 10 4 10 4 7 4 7 4 8 4 8 4 6 4 6 4 22 4 22 4 8 9 8 9 8 9 8 4 14 15 12 0 12 0 12 20 12 0 25 26 4 10 28 "
if [ "$states" != "$expected" ]; then
  echo "states:   $states" >&2
  echo "expected: $expected" >&2
  exit 1
fi
for frame in 420 445 590 650 730 810 890 990 1200 1410 1490 1530 1700 1770 1790; do
  test -s "$work/shot-$frame.png"
done
if grep -i "missing" "$work/run.err"; then
  echo "a picture lookup failed" >&2
  exit 1
fi
test -s "$work/run/Configdat.cfg"
echo "menus_every_screen: every screen reached and left, a game played out, the program quit"
