#!/usr/bin/env bash
# A game's score sent through the real flow (leave the race, final score, "send it?" yes) goes with
# the game's replay to our own score server on loopback, which replays the game and shows the score
# on its table page, in its difficulty's table, marked verified. A race on the road of the day driven
# to the line by the autopilot is sent from the seed screen with "Send time"; the server replays it
# and lists the time on its page of the day.
set -euo pipefail
game_dir=$1
server="$game_dir/../server/vornakel-scored"
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "online_score: $*" >&2
  exit 1
}

port=$((20000 + $$ % 20000))
"$server" --port "$port" --db "$work/scores.db" --data "$game_dir" --today 2026-12-09 \
  2>"$work/server.err" &
pid=$!
for _ in $(seq 50); do
  curl -s -o /dev/null "http://127.0.0.1:$port/cgi/version.pl?prg=Vornakel&show&type=0" && break
  sleep 0.1
done

mkdir -p "$work/run"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/run/"
cat > "$work/play.script" <<'SCRIPT'
400 text Ракетчик
410 key down 13
411 key up 13
420 mouse 156 439
422 button left down
423 button left up
440 key down 13
441 key up 13
460 key down 13
461 key up 13
# leave the race, see the final score, go on and say yes to sending it
800 key down 27
801 key up 27
820 mouse 294 444
822 button left down
823 button left up
1040 mouse 400 424
1042 button left down
1043 button left up
1060 mouse 294 444
1062 button left down
1063 button left up
SCRIPT
VORNAKEL_SCORE_SERVER="http://127.0.0.1:$port" "$game_dir/vornakel" --headless --fast --seed 9 \
  --frames 1100 --workdir "$work/run" --script "$work/play.script" --trace "$work/trace.txt" \
  2>"$work/game.err" || fail "game exit code $?"

states=$(awk '{print $2}' "$work/trace.txt" | uniq | tr '\n' ' ')
case "$states" in
  *"state=25 state=26 "*) ;;
  *) fail "the game never asked to send its score: $states" ;;
esac
page=$(curl -s "http://127.0.0.1:$port/cgi/version.pl?prg=Vornakel&show&type=0")
echo "$page" | grep -q "Ракетчик" || fail "the score is not on the table page ($(tail -2 "$work/game.err"))"
# A game of the original rules is ranked in the Classic table, and the local table's rows say
# which difficulty each was played on.
classic_table=${page%%Лёгкая</h2>*}
[[ "$classic_table" == *"Классика</h2>"*"Ракетчик"* ]] || fail "the score is not in the Classic table"
test "$(grep -c "^row[0-9]* = classic " "$work/run/vornakel.ini")" = 10 ||
  fail "the high-score rows' difficulties were not written"
[[ "$classic_table" == *"<td>Ракетчик</td><td class=\"score\">"*" ✓</td>"* ]] ||
  fail "the score is not marked verified ($(grep -v serving "$work/server.err" | tail -2))"
grep -q "replaying games on" "$work/server.err" || fail "the server did not say it replays games"
echo "online_score: the score reached the server's table, verified"

# --- the road of the day: driven by the autopilot, then its time sent from the seed screen ---
autodrive=${VORNAKEL_AUTODRIVE:-$game_dir/../tests/vornakel_autodrive}
[ -x "$autodrive" ] || fail "no autopilot at $autodrive"
for dir in drive daily; do
  mkdir -p "$work/$dir"
  cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/$dir/"
done
printf '%s\n' "400 text Вася" "410 key down 13" "411 key up 13" "420 mouse 156 439" \
  "422 button left down" "423 button left up" "480 mouse 94 490" "482 button left down" \
  "483 button left up" "520 mouse 400 464" "522 button left down" "523 button left up" \
  "560 key down 13" "561 key up 13" >"$work/menus.script"
"$autodrive" --workdir "$work/drive" --seed 4 --today 2026-12-09 --script "$work/menus.script" \
  --plan drive --until-state 31 --frames 12000 --record "$work/drive.script" \
  --trace "$work/drive.trace" 2>"$work/drive.err" || fail "autopilot exit code $?"
# The seed screen again after the race: "Send time" at (78, 318).
back=$(awk '$2 == "state=31" && prev != "state=31" && ++n == 2 { print NR; exit } { prev = $2 }' \
  "$work/drive.trace")
[ -n "$back" ] || fail "the autopilot never came back to the seed screen"
{
  awk -v f="$back" '$1 !~ /^#/ && $1 < f + 20' "$work/drive.script"
  printf '%s\n' "$((back + 40)) mouse 158 338" "$((back + 42)) button left down" \
    "$((back + 43)) button left up"
} >"$work/daily.script"
VORNAKEL_SCORE_SERVER="http://127.0.0.1:$port" "$game_dir/vornakel" --null-render --fast --seed 4 \
  --today 2026-12-09 --frames $((back + 300)) --workdir "$work/daily" --script "$work/daily.script" \
  2>"$work/daily.err" || fail "daily game exit code $?"
daily=$(curl -s "http://127.0.0.1:$port/daily")
[[ "$daily" == *"<td>Вася</td><td class=\"score\">"[0-9]:[0-5][0-9].[0-9][0-9]"</td>"* ]] ||
  fail "the time of the day is not on the server's page ($(grep -v serving "$work/server.err" | tail -2))"
curl -s "http://127.0.0.1:$port/" | grep -q 'href="/daily"' || fail "the home page does not link the day"
echo "online_score: the time of the day reached the server's page, verified"
