#!/usr/bin/env bash
# Options end to end: the volume bar's third step and volume up, music off, a motto and full
# screen, applied; Config.cfg holds them, and a second run reads them back (applying again
# rewrites the same values).
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/w"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/w/" 2>/dev/null || true

# setting FILE N: line N of a settings file, decoded.
source "$(dirname "$0")/lib/settings.sh"

run() {
  "$game_dir/vornakel" --headless --fast --seed 3 --frames "$1" --script "$2" \
    --workdir "$work/w" --trace "$work/trace.txt" 2>"$work/err.txt"
}

# First run: logo, name entry, main menu, options (b_opt), then on the options screen a click on
# the bar's step 2 and a double click on volume up (one step), music off, full screen on, a motto
# in the edit box, apply.
cat >"$work/first.txt" <<'SCRIPT'
390 text Гонщик
395 key down 13
396 key up 13
420 mouse 40 360
425 button left down
426 button left up
440 mouse 543 333
445 button left down
446 button left up
450 mouse 663 333
452 button left down
453 button left up
454 button left down 2
455 button left up
460 mouse 656 255
465 button left down
466 button left up
470 mouse 656 204
475 button left down
476 button left up
480 mouse 500 390
485 button left down
486 button left up
490 text Ура
500 mouse 250 430
505 button left down
506 button left up
SCRIPT
run 540 "$work/first.txt"
grep -q 'frame=520 state=4 ' "$work/trace.txt"
cfg="$work/w/Config.cfg"
test "$(setting "$cfg" 1)" = "true"
test "$(setting "$cfg" 2)" = "false"
test "$(setting "$cfg" 3)" = "3"
test "$(setting "$cfg" 4)" = "Ура"
test "$(setting "$cfg" 5)" = "Гонщик"
test "$(setting "$cfg" 26)" = "1"
test "$(setting "$cfg" 28)" = "Гонщик"
test "$(wc -l <"$cfg")" -eq 29

# Second run: the logo leads straight to the main menu (a profile exists); options, apply at once.
# The file written then holds exactly what the first run wrote.
cp "$cfg" "$work/first.cfg"
cat >"$work/second.txt" <<'SCRIPT'
400 mouse 40 360
405 button left down
406 button left up
430 mouse 250 430
435 button left down
436 button left up
SCRIPT
run 460 "$work/second.txt"
grep -q 'frame=390 state=4 ' "$work/trace.txt"
grep -q 'frame=420 state=7 ' "$work/trace.txt"
grep -q 'frame=450 state=4 ' "$work/trace.txt"
cmp "$cfg" "$work/first.cfg"
echo "options_apply: applied settings written and read back"
