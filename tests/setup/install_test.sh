#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the two programs and their manual pages where the GNU
# directories put them, the pages free of warnings, and the installed game playable in tmux.
# Usage: install_test.sh <build dir>
set -u
source "$(dirname "$0")/../testlib.sh"
BUILD=$(realpath "$1") P=$(mktemp -d) SOCK="dolm-install-$$"
TM() { tmux -L "$SOCK" -f /dev/null "$@"; }
trap 'TM kill-server 2>/dev/null; rm -rf "$P"' EXIT
cmake --install "$BUILD" --prefix "$P/usr" >/dev/null || { fail "cmake --install"; exit 1; }
for f in bin/dolm bin/pbrain-dolm share/man/man6/dolm.6 share/man/man6/pbrain-dolm.6; do
  [ -f "$P/usr/$f" ] || fail "$f not installed"
done
[ -x "$P/usr/bin/dolm" ] && [ -x "$P/usr/bin/pbrain-dolm" ] || fail "programs not executable"
[ "$(find "$P" -type f | wc -l)" = 4 ] || fail "other files installed: $(find "$P" -type f)"
# Both pages lint clean (mandoc, else man's warnings) and render; every section a reader looks
# for is there.
render() {
  if command -v mandoc >/dev/null; then mandoc -T utf8 "$1"; else MANWIDTH=80 man -l "$1"; fi |
    col -b 2>/dev/null
}
for page in dolm pbrain-dolm; do
  f=$P/usr/share/man/man6/$page.6
  if command -v mandoc >/dev/null; then
    out=$(mandoc -T lint -W warning "$f" 2>&1) || fail "$page.6: $out"
  else
    out=$(MANWIDTH=80 man --warnings -l "$f" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "$page.6: $out"
  fi
  text=$(render "$f")
  for sec in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" "SEE ALSO"; do
    grep -q "^$sec" <<<"$text" || fail "$page.6 has no $sec"
  done
done
# The game's page names every key of the panel and the files; the brain's every command (as words).
names() {  # names PAGE GREP-OPTION TERM...
  local text k; text=$(render "$P/usr/share/man/man6/$1.6")
  for k in "${@:3}"; do grep -q"$2" -- "$k" <<<"$text" || fail "$1.6 never names $k"; done
}
names dolm F Enter Ins BkSp Tab Shift+Tab Home PgUp End PgDn Alt+N F12 Shift+F1 Shift+F12 Ctrl+1 \
  Ctrl+8 Alt+1 Alt+8 Esc Ctrl+C Ctrl+Z dolm.cfg dolm.dat kanec
names pbrain-dolm w START RECTSTART RESTART BEGIN TURN BOARD DONE TAKEBACK ABOUT INFO END \
  timeout_turn timeout_match time_left max_memory rule max_depth max_node breadth verbose
[ "$("$P/usr/bin/dolm" --version)" = "dolm $(grep -oP 'project\(dolm VERSION \K[0-9.]+' \
  "$(dirname "$0")/../../CMakeLists.txt")" ] || fail "installed dolm --version"
printf 'ABOUT\nEND\n' | "$P/usr/bin/pbrain-dolm" | grep -q 'name="dolm"' || fail "installed brain"
# The installed game starts in tmux, in a fresh directory, and Esc ends it with status 0.
mkdir "$P/play"
TM new-session -d -x 80 -y 25 -s g -c "$P/play" "'$P/usr/bin/dolm'; echo \$? >status; sleep 60"
started() { TM capture-pane -p -t g | grep -q 'Skill = F12/8'; }
waitfor 10 started
TM capture-pane -p -t g | grep -q '^         D O L M' || fail "installed game shows no start screen"
TM send-keys -t g Escape
waitfor 10 test -s "$P/play/status"
[ "$(cat "$P/play/status" 2>/dev/null)" = 0 ] || fail "installed game did not end with status 0"
finish
