#!/usr/bin/env bash
# Key bindings end to end: accelerate moved to W on the controls screen (options, «Управление»,
# the slot, W, Esc back, apply) drives the truck with W; the player's vornakel.ini holds it, and a
# second run reads it back: the Up arrow no longer moves the truck, W does.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=controls_rebind
source "$here/lib/trace.sh"

run() {
  "$game_dir/vornakel" --headless --null-render --fast --seed 3 --workdir "$work/w" \
    --trace "$work/$1.trace" --frames "$2" --script "$work/$1.txt" 2>"$work/$1.err" ||
    fail "$1: exit code $? ($(tail -3 "$work/$1.err"))"
}
# speed TRACE N: the truck's speed on frame N.
speed() { field "$1" "$2" speed; }

fresh w
cat >"$work/first.txt" <<'SCRIPT'
400 text Вася
410 key down 13
411 key up 13
440 mouse 40 360
442 button left down
443 button left up
470 mouse 500 530
472 button left down
473 button left up
490 mouse 320 192
492 button left down
493 button left up
500 key down 87
501 key up 87
530 key down 27
531 key up 27
550 mouse 290 444
552 button left down
553 button left up
580 mouse 156 439
582 button left down
583 button left up
600 key down 13
601 key up 13
620 key down 13
621 key up 13
900 key down 87
1000 key up 87
SCRIPT
run first 1010
expect "$work/first.trace" 480 state 30
expect "$work/first.trace" 540 state 7
expect "$work/first.trace" 560 state 4
expect "$work/first.trace" 900 state 12
awk -v s="$(speed "$work/first.trace" 1000)" 'BEGIN { exit !(s > 2) }' ||
  fail "W did not drive the truck (speed $(speed "$work/first.trace" 1000))"
grep -q '^key.accelerate = 87$' "$work/w/vornakel.ini" || fail "vornakel.ini lacks the binding"

# Second run: a profile exists, so the logo leads to the main menu; straight into a race.
cat >"$work/second.txt" <<'SCRIPT'
420 mouse 156 439
422 button left down
423 button left up
440 key down 13
441 key up 13
460 key down 13
461 key up 13
750 key down 38
850 key up 38
900 key down 87
1000 key up 87
SCRIPT
run second 1010
expect "$work/second.trace" 750 state 12
expect "$work/second.trace" 850 speed 0.00
awk -v s="$(speed "$work/second.trace" 1000)" 'BEGIN { exit !(s > 2) }' ||
  fail "the binding was not read back (speed $(speed "$work/second.trace" 1000))"
echo "controls_rebind: accelerate on W set on the controls screen, driven, kept and read back"
