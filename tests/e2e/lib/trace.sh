# Shared pieces of the e2e scripts: failing with a message, reading fields of a trace line, fresh
# game folders and the input that walks a first run through the menus into a race.
# The sourcing script sets e2e_name (for messages), and work and game_dir where it uses fresh.

fail() {
  echo "${e2e_name:-e2e}: $*" >&2
  exit 1
}
# line TRACE N: the trace line of frame N.
line() { sed -n "${2}p" "$1"; }
# field TRACE N NAME: the value of NAME= on that line.
field() { line "$1" "$2" | tr ' ' '\n' | sed -n "s/^$3=//p"; }
# expect TRACE N NAME VALUE: fails with the line unless NAME has that value.
expect() {
  local value
  value=$(field "$1" "$2" "$3")
  [ "$value" = "$4" ] || fail "frame $2: $3=$value, expected $4 ($(line "$1" "$2" | cut -c1-160))"
}
# First frame (line) of the trace matching a pattern, empty when none.
first() { grep -m1 -n -e "$2" "$1" | cut -d: -f1 || true; }
# fresh NAME: an empty game folder $work/NAME with the game's data.
fresh() {
  mkdir -p "$work/$1"
  cp -r "$game_dir/Data" "$game_dir/Sounds" "$work/$1/"
}
# start_script FILE: name entry, main menu, track and truck screens, race (state 12 from frame
# ~470, the start lights take 250 frames more).
start_script() {
  cat >"$1" <<'SCRIPT'
400 text Вася
410 key down 13
411 key up 13
420 mouse 156 439
422 button left down
423 button left up
440 key down 13
441 key up 13
460 key down 13
461 key up 13
SCRIPT
}
