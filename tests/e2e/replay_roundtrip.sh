#!/usr/bin/env bash
# A level-1 race recorded as a replay plays back frame for frame: once on the virtual clock, once
# live (uneven frames, the race clock on wall time); a game played to its end keeps its replay for
# the player; damaged, foreign and other-version files are refused with a message.
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

# A game left through the leave question and ended on the send question keeps the player's replay
# of it beside the settings; it plays back up to that last answer.
fresh ended
start_script "$work/ended.script"
cat >>"$work/ended.script" <<'SCRIPT'
760 key down 38
900 key up 38
950 key down 27
951 key up 27
960 key down 13
961 key up 13
1200 mouse 330 410
1202 button left down
1203 button left up
1220 mouse 432 430
1222 button left down
1223 button left up
SCRIPT
"$game_dir/vornakel" --null-render --fast --seed 1 --workdir "$work/ended" --frames 1300 \
  --script "$work/ended.script" --trace "$work/ended.trace" 2>"$work/ended.err" ||
  fail "ended: exit code $? ($(tail -2 "$work/ended.err"))"
[ "$(field "$work/ended.trace" 1300 state)" = 4 ] || fail "ended: the game did not end in the main menu"
kept=$work/ended/replays/Вася/last.vrp
[ -s "$kept" ] || fail "ended: no replay kept for the player"
"$game_dir/vornakel" --workdir "$work/ended" --play-replay "$kept" --trace "$work/ended.play" \
  2>"$work/ended.perr" || fail "ended: playback exit code $? ($(tail -2 "$work/ended.perr"))"
start=$(first "$work/ended.trace" ' state=12 ')
n=$(wc -l <"$work/ended.play")
cmp -s <(tail -n +"$start" "$work/ended.trace" | head -n "$n" | cut -d' ' -f2-) \
  <(cut -d' ' -f2- "$work/ended.play") || fail "ended: the kept replay went another way"
[ "$(field "$work/ended.play" "$n" state)" = 26 ] || fail "ended: the replay stops before the send question's answer"

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
