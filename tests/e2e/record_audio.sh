#!/usr/bin/env bash
# --record-audio writes one frame's sound (490 stereo samples at 44.1 kHz) after every frame, with
# the start lights' engines in it, and the race it records runs exactly as it does unrecorded.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=record_audio
source "$here/lib/trace.sh"
start_script "$work/menus.script"
frames=700
for name in plain recorded; do
  fresh "$name"
done
"$game_dir/vornakel" --null-render --fast --seed 3 --workdir "$work/plain" --frames $frames \
  --script "$work/menus.script" --trace "$work/plain.trace" 2>"$work/plain.err"
"$game_dir/vornakel" --null-render --fast --seed 3 --workdir "$work/recorded" --frames $frames \
  --script "$work/menus.script" --trace "$work/recorded.trace" --record-audio "$work/race.wav" \
  2>"$work/recorded.err" || fail "exit code $?"
cmp -s "$work/plain.trace" "$work/recorded.trace" || fail "recording changed the run"
grep -q ' state=12 ' "$work/recorded.trace" || fail "the race never started"
size=$(stat -c %s "$work/race.wav")
[ "$size" -eq $((44 + frames * 490 * 4)) ] || fail "race.wav is $size bytes"
[ "$(head -c 4 "$work/race.wav")" = RIFF ] || fail "race.wav is no wave file"
# The last second, at the start lights, is not silent: the engines idle.
[ "$(tail -c 176400 "$work/race.wav" | tr -d '\0' | wc -c)" -gt 10000 ] || fail "silent race"
"$game_dir/vornakel" --null-render --frames 1 --record-audio "$work/no/such/dir/x.wav" \
  2>"$work/bad.err" && fail "an unwritable recording was accepted"
grep -q "cannot write" "$work/bad.err" || fail "no message for an unwritable recording"
echo "record_audio: $frames frames recorded, run unchanged"
