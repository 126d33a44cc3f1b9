#!/usr/bin/env bash
# A level-1 race recorded as a replay plays back frame for frame: once on the virtual clock, once
# live (uneven frames, the race clock on wall time); damaged, foreign and other-version files are
# refused with a message.
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
script=$here/../../bench/race1.script
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
e2e_name=replay_roundtrip
source "$here/lib/trace.sh"

# roundtrip NAME FRAMES FLAGS...: records the script's race, plays it back, compares the race's
# trace lines (without their frame numbers) from its first frame on.
roundtrip() {
  local name=$1 frames=$2
  shift 2
  fresh "$name"
  "$game_dir/vornakel" --null-render --seed 1 --workdir "$work/$name" --script "$script" \
    --frames "$frames" --trace "$work/$name.trace" --record-replay "$work/$name.vrp" "$@" \
    2>"$work/$name.err" || fail "$name: recording exit code $? ($(tail -2 "$work/$name.err"))"
  [ -s "$work/$name.vrp" ] || fail "$name: no replay written"
  "$game_dir/vornakel" --workdir "$work/$name" --play-replay "$work/$name.vrp" \
    --trace "$work/$name.play" 2>"$work/$name.perr" ||
    fail "$name: playback exit code $? ($(tail -2 "$work/$name.perr"))"
  local start
  start=$(first "$work/$name.trace" ' state=12 ')
  [ -n "$start" ] || fail "$name: the race never started"
  tail -n +"$start" "$work/$name.trace" | cut -d' ' -f2- >"$work/$name.want"
  cut -d' ' -f2- "$work/$name.play" >"$work/$name.got"
  if ! cmp -s "$work/$name.want" "$work/$name.got"; then
    fail "$name: playback went another way: $(diff "$work/$name.want" "$work/$name.got" | sed -n 2p | cut -c1-160)"
  fi
  echo "$name: $(wc -l <"$work/$name.got") race frames, replay $(stat -c %s "$work/$name.vrp") bytes"
}

# The whole race to the finish and the results, as fast as possible.
roundtrip fast 7000 --fast
grep -q '^state=16 ' "$work/fast.got" || fail "fast: the race never reached its results"
# Live: real frame pacing, the clock counted down by wall time for a few seconds.
roundtrip live 1000
[ "$(field "$work/live.trace" 1000 clock)" != 1:00:00 ] || fail "live: the race clock never ran"

# refuse NAME WORDS: playback of $work/NAME.vrp fails (not a crash) and says WORDS.
refuse() {
  local status=0
  "$game_dir/vornakel" --workdir "$work/fast" --language en --play-replay "$work/$1.vrp" \
    2>"$work/$1.err" >/dev/null || status=$?
  [ "$status" -eq 1 ] || fail "$1: exit code $status"
  grep -q "$2" "$work/$1.err" || fail "$1: no message '$2' ($(head -c 200 "$work/$1.err"))"
}
size=$(stat -c %s "$work/fast.vrp")
cp "$work/fast.vrp" "$work/flipped.vrp"
byte=$(od -An -tu1 -j $((size / 2)) -N1 "$work/fast.vrp" | tr -d ' ')
printf "\\$(printf %o $((255 - byte)))" |
  dd of="$work/flipped.vrp" bs=1 seek=$((size / 2)) conv=notrunc status=none
refuse flipped damaged
head -c $((size - 7)) "$work/fast.vrp" >"$work/cut.vrp"
refuse cut damaged
cp "$game_dir/Data/data1.oil" "$work/foreign.vrp"
refuse foreign "not a replay"
# Another logic version in the header (bytes 7-10).
cp "$work/fast.vrp" "$work/other.vrp"
printf '\xff\xff\xff\x7f' | dd of="$work/other.vrp" bs=1 seek=6 conv=notrunc status=none
refuse other "recorded by another version of the game"
"$game_dir/vornakel" --workdir "$work/fast" --language ru --play-replay "$work/other.vrp" \
  2>"$work/other_ru.err" && fail "other: the Russian refusal exits with 0"
grep -q "Повтор записан другой версией игры" "$work/other_ru.err" || fail "other: no Russian message"
echo "replay_roundtrip: fast and live races played back identically; bad files refused"
