#!/usr/bin/env bash
# A whole first run played with nothing but a game controller: the name typed with the letter
# picker, the main menu into a game, race 1 driven to the finish (the autopilot's steering, replayed
# as d-pad presses), the results into race 2, leaving it for the final score, the high scores, the
# music switched off in the options, and quitting through the question. Config.cfg keeps the name
# and the music setting; a second first run types a name in English.
# VORNAKEL_E2E_SEED picks another road; VORNAKEL_SHOTS=DIR keeps the screenshots,
# VORNAKEL_E2E_KEEP=DIR the scripts and traces.
set -euo pipefail
game_dir=$1
autodrive=${VORNAKEL_AUTODRIVE:-$game_dir/../tests/vornakel_autodrive}
seed=${VORNAKEL_E2E_SEED:-4}
work=$(mktemp -d)
keep=${VORNAKEL_E2E_KEEP:-}
trap '[ -n "$keep" ] && cp -r "$work/." "$keep/"; rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=pad_only
source "$here/lib/trace.sh"
source "$here/lib/settings.sh"
shots_dir=${VORNAKEL_SHOTS:-$work/shots}
mkdir -p "$shots_dir"
[ -x "$autodrive" ] || fail "no autopilot at $autodrive"

shots=""
# at F: later presses from frame F; pad BUTTON [GAP]: a press and its release; shot NAME: a
# screenshot of the frame before the next press.
at() { frame=$1; }
pad() {
  printf '%d pad down %s\n%d pad up %s\n' "$frame" "$1" $((frame + 1)) "$1" >>"$script"
  frame=$((frame + ${2:-6}))
}
pads() {
  local i
  for ((i = 0; i < $2; i++)); do pad "$1"; done
}
shot() { shots="$shots --screenshot $((frame - 1)):$shots_dir/$1.png"; }

# --- the name with the picker, then into race 1 ---
script=$work/menus.script
: >"$script"
at 400
pad a 10                      # the picker shows on "А"
pads dpright 2 && pad a       # В
pads dpdown 3 && pads dpleft 2 && pad a  # а
pad dpdown && pads dpright 7 && pad a    # с
pad dpdown && pads dpright 3 && pad a    # я
named=$frame
pad start 30                  # done -> main menu
pad dpdown 10                 # the focus on "start"
pad a 30                      # -> tracks
pad a 30                      # -> trucks
pad a                         # -> race 1
mkdir -p "$work/drive"
cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/drive/"
"$autodrive" --workdir "$work/drive" --seed "$seed" --script "$script" --plan drive \
  --until-state 16 --frames 12000 --record "$work/drive.script" --trace "$work/drive.trace" \
  2>"$work/drive.err" || fail "autopilot exit code $? ($(tail -3 "$work/drive.err"))"
results=$(first "$work/drive.trace" ' state=16 ')
[ -n "$results" ] || fail "the autopilot never finished race 1 ($(tail -1 "$work/drive.trace" | cut -c1-160))"

# The autopilot's arrow keys become the d-pad, which drives by the default bindings.
script=$work/pad.script
awk '$2 == "key" {
       b = $4 == 38 ? "dpup" : $4 == 40 ? "dpdown" : $4 == 37 ? "dpleft" : $4 == 39 ? "dpright" : ""
       if (b == "") { print "unexpected key " $4 > "/dev/stderr"; exit 1 }
       print $1, "pad", $3, b; next }
     { print }' "$work/drive.script" >"$script" || fail "the autopilot pressed other keys"
start=$(first "$work/drive.trace" ' state=12 ')
at $((start + 600))
shot race
at $((results + 20))
pad a 150                     # the tally at once
shot results
pad dpdown 20                 # the focus on "next"
pad a 150                     # -> race 2
pad start 30                  # leave the race?
pad a 230                     # yes -> final score
shot final_score
pad dpdown 10                 # the focus on "next"
pad a 20                      # -> send the score?
pad dpdown 10                 # "no"
pad a 40                      # -> high scores
shot hiscores
pad b 30                      # -> main menu
pad dpdown 10                 # "start"
pad dpup 10                   # "options"
pad a 30                      # -> options
pad dpdown && pad dpright && pads dpup 3  # apply, cancel, the text, volume, music
pad a 10                      # music off
shot options
pads dpdown 3 && pad dpleft   # volume, the text, cancel, apply
pad a 30                      # -> main menu
pad start 20                  # quit?
pad dpdown 10                 # "yes"
pad a                         # -> exit screen, the window closes
last=$((frame + 100))

grep -qv ' pad \| pad-lost$\|^#' "$script" && fail "not only the controller: $(grep -v ' pad ' "$script" | head -1)"
# The whole run drawn only when the screenshots are wanted (drawing the race takes minutes); the
# picker is always drawn, in a run to the main menu that must go as the undrawn one.
run() {
  local name=$1 frames=$2
  shift 2
  mkdir -p "$work/$name"
  cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/$name/"
  "$game_dir/vornakel" --fast --seed "$seed" --frames "$frames" --workdir "$work/$name" \
    --script "$script" --trace "$work/$name.trace" "$@" 2>"$work/$name.err" ||
    fail "$name: exit code $? ($(tail -3 "$work/$name.err"))"
}
if [ -n "${VORNAKEL_SHOTS:-}" ]; then
  # shellcheck disable=SC2086
  run run "$last" --headless $shots
else
  run run "$last" --null-render
fi
run named $((named + 30)) --headless --screenshot "$((named - 1)):$shots_dir/picker_ru.png"
t=$work/run.trace
head -n $((named + 30)) "$t" | cmp -s - "$work/named.trace" || fail "the drawn run went another way"
frames=$((results + 10))
head -n "$frames" "$work/drive.trace" >"$work/keys.trace"
head -n "$frames" "$t" | cmp -s - "$work/keys.trace" ||
  fail "the d-pad drove another race than the keys: $(head -n "$frames" "$t" | diff - "$work/keys.trace" | sed -n 2p | cut -c1-160)"

states=$(awk '{print $2}' "$t" | uniq | sed 's/state=//' | tr '\n' ' ')
expected="3 1 4 14 15 12 16 12 0 25 26 8 4 7 4 10 28 "
[ "$states" = "$expected" ] || fail "states: $states, expected: $expected"
[ "$(field "$t" "$results" level)" = 1 ] || fail "the results were not race 1's"
config=$work/run/Config.cfg
[ "$(setting "$config" 5)" = "Вася" ] || fail "the player is \"$(setting "$config" 5)\", not Вася"
[ "$(setting "$config" 2)" = "false" ] || fail "the music was not switched off"
test -s "$shots_dir/picker_ru.png" || fail "no screenshot of the picker"
if [ -n "${VORNAKEL_SHOTS:-}" ]; then
  for png in race results final_score hiscores options; do
    test -s "$shots_dir/$png.png" || fail "no screenshot $png"
  done
fi

# --- an English first run: Latin letters ---
script=$work/english.script
: >"$script"
shots=""
at 400
pad a 10
pad dpright && pad a          # B
pads dpdown 3 && pad a        # o (the small letters from n)
pad dpup && pad a             # b
shot picker_en
pad start 30
# shellcheck disable=SC2086
run english "$frame" --headless --language en $shots
[ "$(setting "$work/english/Config.cfg" 5)" = "Bob" ] ||
  fail "the English player is \"$(setting "$work/english/Config.cfg" 5)\", not Bob"
echo "pad_only: a first run played with the controller alone (race 1 finished at frame $results)," \
  "names typed in Russian and English${VORNAKEL_SHOTS:+, screenshots in $shots_dir}"
