#!/usr/bin/env bash
# The installed game: `cmake --install` into a temporary root, run from another folder with a
# temporary home. It finds its data under share/games/vornakel, keeps its saves under
# $XDG_DATA_HOME/vornakel (then ~/.local/share/vornakel), a second run reads them back, and
# --version and --help answer without starting the game.
set -euo pipefail
game_dir=$1
build_dir=$(dirname "$game_dir")
here=$(cd "$(dirname "$0")" && pwd)
e2e_name=install
source "$here/lib/trace.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build_dir" --prefix /usr --component game >/dev/null
game=$work/root/usr/games/vornakel
[ -x "$game" ] || fail "no game under games/"
for f in share/games/vornakel/Data/data1.oil share/games/vornakel/Data/data2.oil \
  share/games/vornakel/website.url share/applications/net.vornakel.Vornakel.desktop \
  share/icons/hicolor/48x48/apps/vornakel.png share/man/man6/vornakel.6.gz; do
  [ -s "$work/root/usr/$f" ] || fail "not installed: $f"
done
"$game" --version | grep -q '^vornakel [0-9]' || fail "--version"
"$game" --help | grep -q -- '--version' || fail "--help"

mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
printf '400 text Вася\n410 key down 13\n411 key up 13\n' >first.script
HOME=$work/home XDG_DATA_HOME=$work/xdg "$game" --null-render --fast --seed 1 --frames 450 \
  --script first.script --trace first.trace 2>first.err || fail "first run: $(tail -2 first.err)"
[ -s "$work/xdg/vornakel/Config.cfg" ] || fail "no Config.cfg under XDG_DATA_HOME"
[ "$(stat -c %a "$work/xdg/vornakel")" = 700 ] || fail "the saves folder is open to others"
[ ! -e Config.cfg ] || fail "settings written into the folder the game was started from"
# The second run goes straight to the main menu, greeting the saved player.
HOME=$work/home XDG_DATA_HOME=$work/xdg "$game" --null-render --fast --seed 1 --frames 450 \
  --trace second.trace 2>second.err || fail "second run: $(tail -2 second.err)"
[ "$(field first.trace 399 state)" != "$(field second.trace 399 state)" ] ||
  fail "the second run did not read the saved profile"
expect second.trace 440 state 4
# Without XDG_DATA_HOME the saves go to ~/.local/share/vornakel.
HOME=$work/home XDG_DATA_HOME= "$game" --null-render --fast --seed 1 --frames 450 \
  --script first.script 2>third.err || fail "third run: $(tail -2 third.err)"
[ -s "$work/home/.local/share/vornakel/Config.cfg" ] || fail "no Config.cfg under ~/.local/share"
echo "install: ok"
