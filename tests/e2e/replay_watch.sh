#!/usr/bin/env bash
# Watching the race just run from its results screen: «Повтор», a faster speed, a pause, Esc; the
# player's screen stands still meanwhile and goes on exactly as it would have, the settings files
# stay byte for byte, and race 2 follows. Then a game closed mid-race (SIGTERM) keeps its races so
# far as the last game's replay, and that replay plays back.
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
work=${KEEP:-$(mktemp -d)}
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
e2e_name=replay_watch
source "$here/lib/trace.sh"

# The autopilot's level-1 race reaches its results at frame 5598; at 5700 the player clicks
# «Повтор» (watch) or the card beside it (control: the same click ends the tally the same way).
# Then the next-race button at 6900.
run() {
  local name=$1 x=$2 frames=$3
  fresh "$name"
  cp "$here/../../bench/race1.script" "$work/$name.script"
  cat >>"$work/$name.script" <<SCRIPT
5690 mouse $x 444
5700 button left down
5701 button left up
6900 mouse 398 444
6902 button left down
6903 button left up
SCRIPT
  # The keys of the playback: x2, pause, on again, Esc (the control never watched: no keys).
  if [ "$x" = 195 ]; then
    printf '%s\n' "5800 key down 39" "5801 key up 39" "6000 key down 32" "6001 key up 32" \
      "6100 key down 32" "6101 key up 32" "6300 key down 27" "6301 key up 27" >>"$work/$name.script"
  fi
  "$game_dir/vornakel" --null-render --fast --seed 1 --workdir "$work/$name" \
    --script "$work/$name.script" --frames "$frames" --trace "$work/$name.trace" \
    2>"$work/$name.err" || fail "$name: exit code $? ($(tail -2 "$work/$name.err"))"
}
run watch 195 6800
run control 600 6800

# While the replay plays the player's screen does not move: the same line frame after frame, and
# nothing else differs from the run that never watched.
frozen=$(sed -n '5702,6300p' "$work/watch.trace" | cut -d' ' -f2- | sort -u | wc -l)
[ "$frozen" -eq 1 ] || fail "the results screen moved while the replay played ($frozen lines)"
# (Up to the next-race click, which comes at another moment of the results for each.)
head -n 6899 "$work/watch.trace" | cut -d' ' -f2- | uniq >"$work/watch.seen"
cut -d' ' -f2- "$work/control.trace" | uniq | sed -n "1,$(wc -l <"$work/watch.seen")p" \
  >"$work/control.seen"
cmp -s "$work/watch.seen" "$work/control.seen" ||
  fail "the player's game went another way after watching"
for file in Config.cfg Configdat.cfg vornakel.ini; do
  # (Configdat.cfg is first written when the next race begins.)
  [ ! -e "$work/control/$file" ] || cmp -s "$work/watch/$file" "$work/control/$file" ||
    fail "watching changed $file"
done
[ "$(cd "$work/watch" && find . | sort)" = "$(cd "$work/control" && find . | sort)" ] ||
  fail "watching left files behind"

# Race 2 follows the results as usual.
run watch2 195 7800
[ -n "$(first "$work/watch2.trace" ' state=12 tick=[0-9]* level=2 ')" ] ||
  fail "race 2 did not start after watching"

# A game closed from outside in the middle of its first race keeps that race.
fresh closed
start_script "$work/closed.script"
echo "700 key down 38" >>"$work/closed.script"
"$game_dir/vornakel" --null-render --seed 1 --workdir "$work/closed" --script "$work/closed.script" \
  --trace "$work/closed.trace" 2>"$work/closed.err" &
pid=$!
for _ in $(seq 200); do
  raced=$(grep -c ' state=12 ' "$work/closed.trace" 2>/dev/null || true)
  [ "${raced:-0}" -gt 400 ] && break
  sleep 0.1
done
sent=${EPOCHREALTIME/./}
kill -TERM "$pid"
wait "$pid" || fail "closed: exit code $? ($(tail -2 "$work/closed.err"))"
close_ms=$(((${EPOCHREALTIME/./} - sent) / 1000))
kept=$work/closed/replays/Вася/last.vrp
[ -s "$kept" ] || fail "closed: no replay kept of the game cut short"
"$game_dir/vornakel" --workdir "$work/closed" --play-replay "$kept" --trace "$work/closed.play" \
  2>"$work/closed.perr" || fail "closed: playback exit code $? ($(tail -2 "$work/closed.perr"))"
start=$(first "$work/closed.trace" ' state=12 ')
n=$(wc -l <"$work/closed.play")
[ "$n" -gt 400 ] || fail "closed: the kept race holds only $n frames"
cmp -s <(tail -n +"$start" "$work/closed.trace" | sed -n "1,${n}p" | cut -d' ' -f2-) \
  <(cut -d' ' -f2- "$work/closed.play") || fail "closed: the kept race went another way"
# The replays screen of that player lists the kept race and two files it cannot play (another
# version's, a damaged one): choosing those says why, choosing the race (by key, then by a click)
# plays it, Esc comes back.
printf '\xff\xff\xff\x7f' | cat <(head -c 6 "$kept") - <(tail -c +11 "$kept") \
  >"$work/closed/replays/Вася/road-AAAAAAAAAA.vrp"
head -c 40 "$kept" >"$work/closed/replays/Вася/road-BBBBBBBBBB.vrp"
cat >"$work/list.script" <<'SCRIPT'
500 mouse 153 113
502 button left down
503 button left up
550 mouse 599 454
552 button left down
553 button left up
600 key down 40
601 key up 40
610 key down 13
611 key up 13
620 key down 40
621 key up 40
630 key down 13
631 key up 13
640 key down 38
641 key up 38
642 key down 38
643 key up 38
650 key down 13
651 key up 13
800 key down 27
801 key up 27
850 mouse 300 200
852 button left down
853 button left up
900 key down 27
901 key up 27
SCRIPT
"$game_dir/vornakel" --null-render --fast --seed 1 --workdir "$work/closed" --frames 1000 \
  --script "$work/list.script" --trace "$work/list.trace" 2>"$work/list.err" ||
  fail "list: exit code $? ($(tail -2 "$work/list.err"))"
expect "$work/list.trace" 600 state 32
expect "$work/list.trace" 640 state 32
# Esc at 800 went to the replay playing over the screen (without one it would leave the screen).
expect "$work/list.trace" 900 state 32
# A click on the race's line plays it too: Esc at 900 again ends a playback, not the screen.
expect "$work/list.trace" 1000 state 32
echo "replay_watch: watched and went on unchanged; a closed game kept $n race frames (closed in ${close_ms} ms)"
