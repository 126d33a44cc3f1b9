#!/usr/bin/env bash
# High scores end to end: a saved table with a champion is read at start-up, cleared and confirmed
# on the high-score screen, and quitting through the dialog writes the default table and the whole
# progress file (the one in place had only its first five lines).
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/w"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/w/" 2>/dev/null || true

# setting FILE N: line N of a settings file, decoded.
source "$(dirname "$0")/lib/settings.sh"
# One encoded line: the UTF-8 value in code page 1251, padded with "%" to a multiple of BLOCK.
encoded() {
  local hex bits="" i k v out=""
  hex=$(printf '%s' "$1" | iconv -f UTF-8 -t CP1251 | od -An -tx1 | tr -d ' \n')
  while (((${#hex} / 2) % $2)); do hex+=25; done
  for ((i = 0; i < ${#hex}; i += 2)); do
    v=$((16#${hex:i:2}))
    for ((k = 7; k >= 0; k--)); do bits+=$(((v >> k) & 1)); done
  done
  while ((${#bits} % 5)); do bits="0$bits"; done
  for ((i = 0; i < ${#bits}; i += 5)); do out+=${alphabet:$((2#${bits:i:5})):1}; done
  printf '%s\r\n' "$out"
}

cfg="$work/w/Config.cfg"
{
  encoded false 5
  encoded true 1
  encoded 2 10
  encoded "" 5
  encoded Вася 5
  encoded Чемпион 5
  encoded 5000 5
  for ((row = 2; row <= 10; row++)); do printf '\r\n\r\n'; done
  encoded 1 10
  encoded 0 10
  encoded Вася 10
  encoded 0 10
} >"$cfg"
dat="$work/w/Configdat.cfg"
for value in 40 7 5 2500 4; do encoded "$value" 5; done >"$dat"

# Logo to the main menu (a profile exists); b_hiscr; b_clrhiscr; b_yes; Esc to the main menu;
# Esc and Enter on the quit dialog.
cat >"$work/input.txt" <<'SCRIPT'
400 mouse 78 97
405 button left down
406 button left up
420 mouse 341 462
425 button left down
426 button left up
440 mouse 288 337
445 button left down
446 button left up
460 key down 27
461 key up 27
470 key down 27
471 key up 27
480 key down 13
481 key up 13
SCRIPT
"$game_dir/vornakel" --headless --fast --seed 5 --frames 500 --script "$work/input.txt" \
  --workdir "$work/w" --trace "$work/trace.txt" --screenshot "415:$work/before.png" \
  --screenshot "455:$work/after.png" 2>"$work/err.txt" || true
grep -q 'frame=390 state=4 ' "$work/trace.txt"
grep -q 'frame=415 state=8 ' "$work/trace.txt"
grep -q 'frame=435 state=9 ' "$work/trace.txt"
grep -q 'frame=455 state=8 ' "$work/trace.txt"
grep -q 'frame=475 state=10 ' "$work/trace.txt"
# The table drawn before and after clearing differs.
if cmp -s "$work/before.png" "$work/after.png"; then
  echo "the table did not change on clearing" >&2
  exit 1
fi
test "$(setting "$cfg" 6)" = "Kyrrin"
test "$(setting "$cfg" 7)" = "1000"
test "$(setting "$cfg" 25)" = "100"
test "$(setting "$cfg" 5)" = "Вася"
test "$(wc -l <"$cfg")" -eq 29
test "$(wc -l <"$dat")" -eq 80
test "$(setting "$dat" 1)" = "40"
test "$(setting "$dat" 2)" = "7"
test "$(setting "$dat" 4)" = "2500"
test "$(setting "$dat" 5)" = "4"
echo "profiles_hiscores: table read, cleared, and both files written on quitting"
