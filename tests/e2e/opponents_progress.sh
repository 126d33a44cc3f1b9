#!/usr/bin/env bash
# Races the player never starts, over several seeds and every level from 1 to 9: every opponent
# keeps gaining progress (no stall of more than 10 s = 900 frames) until the clock runs out, and on
# level 1 the opponents reach the finish line before time is up. Two races run at a time;
# VORNAKEL_PROGRESS_SEEDS sets the number of seeds per level (50 for the full sweep),
# VORNAKEL_PROGRESS_FIRST_SEED the first seed (1) and VORNAKEL_PROGRESS_LEVELS the levels. Ends with
# a table per level: stalls, finishers and their times.
set -euo pipefail
game_dir=$1
seeds=${VORNAKEL_PROGRESS_SEEDS:-12}
first_seed=${VORNAKEL_PROGRESS_FIRST_SEED:-1}
levels=${VORNAKEL_PROGRESS_LEVELS:-1 2 3 4 5 6 7 8 9}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/"
source "$here/lib/trace.sh"
start_script "$work/start.script"

# One race: menus, start lights and the whole race clock of the level (1:00, 1:06, then +5 s).
race() {
  local level=$1 seed=$2 dir="$work/run-$1-$2" limit
  limit=$((level == 1 ? 60 : 61 + 5 * (level - 1)))
  mkdir "$dir"
  ln -s "$work/Data" "$work/Sounds" "$dir/"
  "$game_dir/vornakel" --null-render --fast --seed "$seed" --start-level "$level" \
    --frames $((1100 + 90 * limit)) --script "$work/start.script" --workdir "$dir" \
    --trace "$dir/trace.txt" 2>/dev/null
  echo "$level $seed $(awk -f "$here/lib/stall.awk" "$dir/trace.txt")"
  rm -rf "$dir"
}
export -f race
export game_dir work here

status=0
while read -r level seed result; do
  echo "level $level seed $seed: $result" | tee -a "$work/results.txt"
  stall=$(echo "$result" | sed 's/.*worst_stall=\([0-9]*\).*/\1/')
  finished=$(echo "$result" | sed 's/.*finished=\([0-9]*\).*/\1/')
  opponents=$(echo "$result" | sed 's/.*opponents=\([0-9]*\).*/\1/')
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
done < <(for level in $levels; do
  for seed in $(seq "$first_seed" $((first_seed + seeds - 1))); do echo "$level $seed"; done
done | xargs -P2 -n2 bash -c 'race "$0" "$1"')
awk -f "$here/lib/progress_table.awk" "$work/results.txt"
exit "$status"
