#!/usr/bin/env bash
# Files a player's machine can get wrong, and ways the game is ended from outside: a folder, a FIFO
# or a cut file where an asset or a settings file should be gives a message or the defaults, never
# a crash or a hang; a close request or SIGTERM saves the settings and progress and leaves cleanly.
set -euo pipefail
game_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=bad_files
source "$here/lib/trace.sh"
source "$here/lib/settings.sh"

# game NAME FRAMES [ARGS…]: runs the game in $work/NAME within 60 s; the exit code goes to $code.
game() {
  local name=$1 frames=$2
  shift 2
  code=0
  timeout 60 "$game_dir/vornakel" --null-render --fast --seed 5 --workdir "$work/$name" \
    --frames "$frames" --trace "$work/$name.trace" "$@" 2>"$work/$name.err" || code=$?
  [ "$code" != 124 ] || fail "$name: the game hung"
}

# --- the menu archive a folder, or cut in half: a message and exit code 1, no crash ---
fresh folder1
rm "$work/folder1/Data/data1.oil" && mkdir "$work/folder1/Data/data1.oil"
game folder1 100
[ "$code" = 1 ] || fail "data1.oil a folder: exit code $code ($(tail -2 "$work/folder1.err"))"
grep -q "data1.oil is damaged or missing" "$work/folder1.err" || fail "data1.oil a folder: no message"
fresh cut1
size=$(stat -c %s "$work/cut1/Data/data1.oil")
truncate -s $((size / 2)) "$work/cut1/Data/data1.oil"
game cut1 100
[ "$code" = 1 ] || fail "data1.oil cut: exit code $code"
[ ! -e "$work/cut1/Config.cfg" ] || fail "data1.oil cut: the settings were written over"

# --- the race archive and a module folders, the settings a FIFO: the game plays on ---
fresh odd
rm "$work/odd/Data/data2.oil" "$work/odd/Sounds/1.xm"
mkdir "$work/odd/Data/data2.oil" "$work/odd/Sounds/1.xm"
mkfifo "$work/odd/Config.cfg" "$work/odd/Configdat.cfg"
start_script "$work/menus.script"
game odd 600 --script "$work/menus.script"
[ "$code" = 0 ] || fail "folders and FIFOs: exit code $code ($(tail -2 "$work/odd.err"))"
expect "$work/odd.trace" 600 state 12

# --- a huge settings file is damage: the defaults, at once ---
fresh huge
head -c 3000000 /dev/zero | tr '\0' 'A' >"$work/huge/Config.cfg"
game huge 50
[ "$code" = 0 ] || fail "a huge Config.cfg: exit code $code"
grep -q "Config.cfg ignored" "$work/huge.err" || fail "a huge Config.cfg: no word of it"

# --- a close request in a race saves, SIGTERM in the menus saves, both leave with 0 ---
fresh close
{ cat "$work/menus.script"; echo "800 close"; } >"$work/close.script"
game close 2000 --script "$work/close.script"
[ "$code" = 0 ] || fail "close request: exit code $code"
[ "$(wc -l <"$work/close.trace")" -lt 805 ] || fail "close request: the game went on"
[ "$(setting "$work/close/Config.cfg" 5)" = Вася ] || fail "close request: Config.cfg without the player"
[ -s "$work/close/Configdat.cfg" ] || fail "close request: no Configdat.cfg"

fresh term
"$game_dir/vornakel" --null-render --workdir "$work/term" --script "$work/menus.script" \
  --trace "$work/term.trace" 2>"$work/term.err" &
pid=$!
# Real time: the player is named by frame 410; a busy machine may take far longer than 5 s.
for _ in $(seq 1200); do
  [ "$( (cat "$work/term.trace" 2>/dev/null || true) | wc -l)" -ge 480 ] && break
  sleep 0.1
done
kill -TERM "$pid"
code=0
wait "$pid" || code=$?
[ "$code" = 0 ] || fail "SIGTERM: exit code $code"
[ "$(setting "$work/term/Config.cfg" 5)" = Вася ] || fail "SIGTERM: Config.cfg without the player"
echo "bad_files: folders, FIFOs, cut and huge files handled; close and SIGTERM saved"
