#!/usr/bin/env bash
# A settings writer killed with SIGKILL at random moments, a few hundred times: after every kill the
# file is exactly the old or the new complete content (a leftover .tmp beside it is harmless).
# VORNAKEL_KILL_ROUNDS sets the number of kills (200).
set -euo pipefail
writer=${VORNAKEL_SAVE_WRITER:-$1/../tests/vornakel_savewriter}
rounds=${VORNAKEL_KILL_ROUNDS:-200}
# A memory-backed folder when there is one: SIGKILL tests the process, not the disk, and quick
# flushes let the kills land at every step of a write rather than mostly inside fsync.
shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || shm=${TMPDIR:-/tmp}
work=$(mktemp -d "$shm/kill_saves.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "kill_saves: FAIL: $*" >&2
  exit 1
}

[ -x "$writer" ] || fail "no writer at $writer"
# How long the writer takes to start (far longer in a sanitizer build): the kills come after that.
started=${EPOCHREALTIME/./}
"$writer" --emit 0 >"$work/a"
startup_ms=$(((${EPOCHREALTIME/./} - started) / 1000))
"$writer" --emit 1 >"$work/b"
# Compared in the shell (no process per check), so the rounds are quick.
IFS= read -r -d '' a <"$work/a" || true
IFS= read -r -d '' b <"$work/b" || true
[ "$a" != "$b" ] || fail "the two contents are the same"
file=$work/Config.cfg
mkfifo "$work/pause" # read -t on an idle FIFO waits without starting a process
seen_a=0 seen_b=0 missing=0
for ((i = 0; i < rounds; i++)); do
  "$writer" "$file" 2>"$work/err" &
  pid=$!
  # Between 0 and 15 ms after the start, so kills land before, during and between writes.
  delay=$((startup_ms + RANDOM % 16))
  printf -v pause '%d.%03d' $((delay / 1000)) $((delay % 1000))
  read -r -t "$pause" <>"$work/pause" || true
  kill -KILL "$pid" 2>/dev/null || fail "writer ended by itself: $(cat "$work/err")"
  wait "$pid" 2>/dev/null || true
  if [ ! -e "$file" ]; then
    # Only possible while the very first write has not finished yet.
    [ $seen_a -eq 0 ] && [ $seen_b -eq 0 ] || fail "round $i: the file vanished"
    missing=$((missing + 1))
    continue
  fi
  IFS= read -r -d '' now <"$file" || true
  if [ "$now" = "$a" ]; then
    seen_a=$((seen_a + 1))
  elif [ "$now" = "$b" ]; then
    seen_b=$((seen_b + 1))
  else
    fail "round $i: the file is neither complete content ($(stat -c %s "$file") bytes)"
  fi
done
# Both contents must turn up, or the kills were not landing at varied points.
[ $seen_a -gt 0 ] && [ $seen_b -gt 0 ] || fail "kills hit too uniformly (old $seen_a, new $seen_b)"
echo "kill_saves: $rounds kills: short file $seen_a, long file $seen_b, none yet $missing"
