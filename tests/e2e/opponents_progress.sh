#!/usr/bin/env bash
# Races the player never starts, over several seeds and levels: every opponent keeps gaining progress
# (no stall of more than 10 s = 900 frames) until the clock runs out, and on level 1 the opponents
# reach the finish line before time is up.
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/"
cat > "$work/start.script" <<'SCRIPT'
400 text Вася
410 key down 13
411 key up 13
420 mouse 156 439
422 button left down
423 button left up
440 key down 13
441 key up 13
460 key down 13
461 key up 13
SCRIPT
status=0
for level in 1 5 9; do
  # Menus, start lights and the whole race clock of that level.
  frames=$((800 + 260 + 6000 + (level - 1) * 600))
  for seed in 1 2 3 4 5 6; do
    rm -f "$work/Config.cfg" "$work/Configdat.cfg"
    "$game_dir/vornakel" --null-render --fast --seed "$seed" --start-level "$level" \
      --frames "$frames" --script "$work/start.script" --workdir "$work" \
      --trace "$work/trace.txt" 2>/dev/null
    result=$(awk -f "$here/lib/stall.awk" "$work/trace.txt")
    stall=$(echo "$result" | sed 's/.*worst_stall=\([0-9]*\).*/\1/')
    finished=$(echo "$result" | sed 's/.*finished=\([0-9]*\).*/\1/')
    opponents=$(echo "$result" | sed 's/.*opponents=\([0-9]*\).*/\1/')
    echo "level $level seed $seed: $result"
    if [ "$opponents" -eq 0 ]; then
      echo "  no race was run" >&2
      status=1
    elif [ "$stall" -gt 900 ]; then
      echo "  an opponent stalled for $stall frames" >&2
      status=1
    elif [ "$level" -eq 1 ] && [ "$finished" -ne "$opponents" ]; then
      echo "  only $finished of $opponents opponents finished" >&2
      status=1
    fi
  done
done
exit "$status"
