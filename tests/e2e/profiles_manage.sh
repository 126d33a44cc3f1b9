#!/usr/bin/env bash
# Profiles end to end: a first name, two more players added, one deleted, another selected, then
# the game quit through its dialog; Config.cfg and Configdat.cfg hold the result.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/w"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/w/" 2>/dev/null || true

# setting FILE N: line N of a settings file, decoded.
source "$(dirname "$0")/lib/settings.sh"

# Name entry "Вася"; the main menu's b_presshere opens the list; b_add twice ("Петя", "Коля", each
# becomes current); Up, b_delete, b_yes deletes "Петя"; Up, Enter selects "Вася"; b_back2; then Esc
# and Enter on the quit dialog.
cat >"$work/input.txt" <<'SCRIPT'
390 text Вася
395 key down 13
396 key up 13
420 mouse 615 550
425 button left down
426 button left up
440 mouse 267 430
445 button left down
446 button left up
450 text Петя
455 key down 13
456 key up 13
470 mouse 267 430
475 button left down
476 button left up
480 text Коля
485 key down 13
486 key up 13
500 key down 38
501 key up 38
510 mouse 418 430
515 button left down
516 button left up
525 mouse 288 337
530 button left down
531 button left up
540 key down 38
541 key up 38
550 key down 13
551 key up 13
560 mouse 113 430
565 button left down
566 button left up
580 key down 27
581 key up 27
590 key down 13
591 key up 13
SCRIPT
"$game_dir/vornakel" --headless --fast --seed 5 --frames 600 --script "$work/input.txt" \
  --workdir "$work/w" --trace "$work/trace.txt" 2>"$work/err.txt" || true
grep -q 'frame=430 state=22 ' "$work/trace.txt"
grep -q 'frame=450 state=21 ' "$work/trace.txt"
grep -q 'frame=520 state=23 ' "$work/trace.txt"
grep -q 'frame=540 state=22 ' "$work/trace.txt"
grep -q 'frame=570 state=4 ' "$work/trace.txt"
grep -q 'frame=585 state=10 ' "$work/trace.txt"
cfg="$work/w/Config.cfg"
test "$(setting "$cfg" 5)" = "Вася"
test "$(setting "$cfg" 26)" = "2"
test "$(setting "$cfg" 27)" = "0"
test "$(setting "$cfg" 28)" = "Вася"
test "$(setting "$cfg" 30)" = "Коля"
test "$(wc -l <"$cfg")" -eq 31
dat="$work/w/Configdat.cfg"
test "$(wc -l <"$dat")" -eq 80
test "$(setting "$dat" 2)" = "3"
test "$(setting "$dat" 3)" = "5"
test "$(setting "$dat" 4)" = "300"
echo "profiles_manage: two added, one deleted, one selected, both files written on quitting"
