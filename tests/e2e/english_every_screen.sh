#!/usr/bin/env bash
# The whole game in English (--language en): name entry, every menu screen and help page, a race
# with its lights, pause and leave question, the final score and the send question, then a second
# game won with the development Enter for the results card. No picture is missing, the English
# set loads without complaint, and vornakel.ini picks the language as the flag does.
# VORNAKEL_SHOTS=DIR keeps the screenshots.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=english_every_screen
source "$here/lib/trace.sh"
shots_dir=${VORNAKEL_SHOTS:-$work/shots}
mkdir -p "$shots_dir"

script=""
shots=""
# at F: later events happen from frame F; shot NAME: a screenshot now, taken before the next event.
at() { frame=$1; }
shot() { shots="$shots --screenshot $frame:$shots_dir/$1.png"; frame=$((frame + 5)); }
click() {
  printf '%d mouse %d %d\n%d button left down\n%d button left up\n' \
    "$frame" "$1" "$2" $((frame + 2)) $((frame + 3)) >>"$script"
  frame=$((frame + ${3:-25}))
}
key() {
  printf '%d key down %d\n%d key up %d\n' "$frame" "$1" $((frame + 1)) "$1" >>"$script"
  frame=$((frame + ${2:-25}))
}
play() {
  local name=$1 frames=$2
  shift 2
  # shellcheck disable=SC2086
  "$game_dir/vornakel" --headless --fast --seed 5 --workdir "$work/run" --language en \
    --script "$script" --frames "$frames" --trace "$work/$name.trace" $shots "$@" \
    2>>"$work/run.err" || fail "$name: exit code $? ($(tail -3 "$work/run.err"))"
  shots=""
}

fresh run
# --- first run: the name card, then the main menu ---
script=$work/name.script
: >"$script"
at 395
shot name_entry
# An English player's Latin letters stay Latin (a Russian game types them through its layout).
printf '400 text John\n' >>"$script"
at 410
key 13
shot main_menu
play name 440
source "$(dirname "$0")/lib/settings.sh"
[ "$(setting "$work/run/Config.cfg" 5)" = "John" ] || fail "the name typed in English is not John"

# --- every menu screen, a race, its questions and the final score ---
script=$work/screens.script
: >"$script"
at 400
click 156 439 40 # start -> tracks
shot tracks
click 717 548 40 # continue -> trucks
shot trucks
click 286 449 # back -> main menu
key 27 30         # Esc -> quit?
shot quit
click 475 400 # no -> main menu
click 112 376 40 # options
shot options
key 27
click 153 113 40 # high scores
shot hiscores
click 406 467 30 # clear? -> question
shot clear_hiscores
click 475 400 # no
key 27
click 744 150 40 # help, page 1
shot help1
for page in 2 3 4; do
  click 606 439 30 # next page
  shot "help$page"
done
key 27
click 675 555 40 # players
shot players
click 330 442 30 # add a player
shot add_player
key 27
click 481 442 30 # delete? (the chosen player)
shot delete_player
key 27
key 27
click 156 439 # start -> tracks
key 13        # -> trucks
key 13 150    # -> race, its level title
shot race_title
at $((frame + 200))
shot race
key 80 30 # pause
shot pause
key 80
key 27 30 # leave the race?
shot leave_race
click 294 444 40 # yes -> final score
shot final_score
at $((frame + 180))
click 400 424 30 # next -> send?
shot send
click 506 444 # no -> main menu
play screens $((frame + 60))

# --- a race won with Enter: the results card ---
script=$work/win.script
: >"$script"
at 400
click 156 439 # start -> tracks
key 13        # -> trucks
key 13 400    # -> race 1
key 13 120    # won
shot race_results
play win $((frame + 10)) --dev-keys

for trace in screens win; do
  [ -s "$work/$trace.trace" ] || fail "no trace of the $trace run"
done
for state in 4 6 7 8 9 10 14 15 12 20 0 25 26 22; do
  grep -q " state=$state " "$work/screens.trace" || fail "state $state never reached"
done
grep -q ' state=16 ' "$work/win.trace" || fail "the race was not won"
for png in name_entry main_menu tracks trucks quit options hiscores clear_hiscores help1 help2 \
  help3 help4 players add_player delete_player race_title race pause leave_race final_score \
  send race_results; do
  test -s "$shots_dir/$png.png" || fail "no screenshot $png"
done
if grep -i "missing\|damaged" "$work/run.err"; then
  fail "a picture or the English set was missing"
fi
# vornakel.ini's [general] language = en speaks English as the flag does; --language ru overrides
# it, and that main menu is another picture.
cp -r "$work/run" "$work/ini"
printf '[general]\nlanguage = en\n' >>"$work/ini/vornakel.ini"
menu() {
  "$game_dir/vornakel" --headless --fast --seed 5 --workdir "$work/$1" --frames 400 \
    --screenshot "399:$work/$2.png" "${@:3}" 2>/dev/null || fail "exit code $? ($2)"
}
menu ini en_ini
menu run en_flag --language en
menu ini ru_flag --language ru
cmp -s "$work/en_ini.png" "$work/en_flag.png" || fail "vornakel.ini's language was not English"
! cmp -s "$work/en_ini.png" "$work/ru_flag.png" || fail "--language ru did not override the file"
echo "english_every_screen: every screen shown in English, screenshots in $shots_dir"
