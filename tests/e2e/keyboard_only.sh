#!/usr/bin/env bash
# A whole game played from the keyboard alone, as a pad plays it (no mouse event at all): the first
# name, the main menu's focus into a game, the track and truck screens with Tab, a race won with
# the development Enter, the results' next race, leaving the race for the final score, then the
# high scores, options, help, the profiles with a second player, and quitting through the question.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=keyboard_only
source "$here/lib/trace.sh"
source "$here/lib/settings.sh"
fresh run

script="$work/keys.script"
: >"$script"
key() { printf '%d key down %d\n%d key up %d\n' "$1" "$2" $(($1 + 1)) "$2" >>"$script"; }
# Shift+Tab: the focus goes back through the screen's order.
backtab() { printf '%d key down 16\n%d key down 9\n%d key up 9\n%d key up 16\n' \
  "$1" "$1" $(($1 + 1)) $(($1 + 2)) >>"$script"; }
tab=9 enter=13 esc=27 space=32 up=38 right=39 down=40

printf '400 text Вася\n' >>"$script"
key 410 $enter                 # the name -> main menu
key 430 $down                  # focus on "start"
key 450 $enter                 # -> tracks
for f in 470 480 490 500; do key $f $tab; done  # next, prev, back, continue
key 510 $enter                 # -> trucks
for f in 530 540 550 560; do key $f $tab; done  # next, prev, back, race
key 580 $enter                 # -> race
printf '900 key down %d\n1000 key up %d\n' $up $up >>"$script"
key 1050 $enter                # the development win -> results
key 1100 $space                # the tally at once
key 1250 $down                 # focus on "next"
key 1270 $enter                # -> the second race
# Accelerating into the question: the arrow let go there must not wake the focus, so Enter keeps
# its meaning (leave the race).
printf '1400 key down %d\n1505 key up %d\n' $up $up >>"$script"
key 1500 $esc                  # leave the race?
key 1530 $enter                # yes -> final score
key 1760 $down                 # focus on "next" once it shows
key 1770 $enter                # -> send the score?
key 1790 $down                 # "no"
key 1800 $enter                # -> main menu (a development win keeps no score)
for f in 1820 1830 1840; do key $f $tab; done   # start, options, high scores
key 1850 $enter                # -> high scores
key 1880 $esc                  # -> main menu
key 1900 $tab
key 1910 $tab                  # options
key 1920 $enter                # -> options
key 1940 $down                 # focus on "apply"
key 1950 $right                # "cancel"
key 1960 $enter                # -> main menu
for f in 1980 1990 2000 2010; do key $f $tab; done  # start .. help
key 2020 $enter                # -> help
key 2040 $right                # focus on "back"
key 2050 $right                # "prev"
key 2060 $right                # "next"
key 2070 $enter                # the second page
key 2090 $esc                  # -> main menu
key 2110 $tab                  # focus on "start"
backtab 2120                   # round to "players"
key 2130 $enter                # -> players
key 2150 $tab                  # focus on "add" (up and down are disabled with one player)
key 2160 $enter                # -> new player
printf '2180 text Петя\n' >>"$script"
key 2190 $enter                # -> players
key 2210 $esc                  # -> main menu
key 2230 $esc                  # quit?
key 2240 $down                 # focus on "yes"
key 2250 $down                 # "no"
key 2260 $enter                # -> main menu
key 2280 $esc                  # quit?
key 2290 $tab                  # "yes"
key 2300 $enter                # -> exit screen, the window closes

"$game_dir/vornakel" --null-render --fast --seed 5 --dev-keys --frames 2400 --workdir "$work/run" \
  --script "$script" --trace "$work/keys.trace" 2>"$work/run.err" ||
  fail "exit code $? ($(tail -3 "$work/run.err"))"
if grep -q "mouse\|button" "$script"; then fail "the script must not use the mouse"; fi

states=$(awk '{print $2}' "$work/keys.trace" | uniq | sed 's/state=//' | tr '\n' ' ')
expected="3 1 4 14 15 12 16 12 0 25 26 4 8 4 7 4 6 4 22 21 22 4 10 4 10 28 "
[ "$states" = "$expected" ] || fail "states: $states, expected: $expected"
# The second player was typed in and kept.
[ "$(setting "$work/run/Config.cfg" 26)" = 2 ] || fail "two players expected"
[ "$(setting "$work/run/Config.cfg" 30)" = "Петя" ] || fail "the second player is not Петя"
echo "keyboard_only: a whole game and every menu played without the mouse"
