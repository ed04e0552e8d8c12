#!/usr/bin/env bash
# The real dolm binary played through tmux in a fresh temporary directory:
# the start screen with its colours, a game with Enter and the computer's
# reply, mouse clicks on a board cell and on a hot-key label, Ins, BkSp,
# S, L and Esc; then the exit status, the files and the restored terminal.
# Usage: e2e_test.sh path/to/dolm
set -u
export LC_ALL=C.UTF-8
BIN=$(realpath "$1")
DIR=$(mktemp -d)
SOCK="dolm-e2e-$$"
TM() { tmux -L "$SOCK" -f /dev/null "$@"; }
cleanup() { TM kill-server 2>/dev/null; rm -rf "$DIR"; }
trap cleanup EXIT
FAILS=0
PASSES=0
ok() { PASSES=$((PASSES + 1)); }
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
check() { local what=$1; shift; if "$@"; then ok; else fail "$what"; fi; }

# Screen row N (1-based) as plain text, and the whole screen with colours.
row() { TM capture-pane -p | sed -n "${1}p"; }
colours() { TM capture-pane -p -e; }
# Wait until screen row N matches an extended regular expression.
waitrow() {
  local n=$1 re=$2 end=$((SECONDS + ${3:-60}))
  while ((SECONDS < end)); do
    row "$n" | grep -Eq -- "$re" && return 0
    sleep 0.05
  done
  echo "row $n never matched /$re/; it reads: '$(row "$n")'"
  return 1
}
# Run a command until it succeeds, for up to ten seconds.
eventually() {
  local end=$((SECONDS + 10))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.05
  done
}
# The character at 1-based screen column X of row N.
charat() { local r; r=$(row "$2"); echo "${r:$(($1 - 1)):1}"; }
# Send one SGR mouse report: button code, 1-based column and row, M press or m release.
mouse() { TM send-keys -l $'\e[<'"$1;$2;$3$4"; sleep 0.25; }

# Without a terminal: status 1, the message, nothing drawn and no file written.
mkdir "$DIR/notty"
(cd "$DIR/notty" && "$BIN" </dev/null >out 2>err; echo $? >status)
check "no terminal: status 1" test "$(cat "$DIR/notty/status")" = 1
check "no terminal: the message" grep -q '^dolm: needs an interactive terminal' "$DIR/notty/err"
check "no terminal: nothing drawn" test ! -s "$DIR/notty/out"
check "no terminal: no file" test "$(ls "$DIR/notty")" = "$(printf 'err\nout\nstatus')"
rm -rf "$DIR/notty"

cat > "$DIR/run.sh" <<RUN
#!/bin/sh
"$BIN"
echo \$? > status
exec sleep 600
RUN
chmod +x "$DIR/run.sh"
TM new-session -d -x 80 -y 25 -c "$DIR" "$DIR/run.sh"

# Start screen: text, positions and colours.
check "skill line" waitrow 24 'Skill = F12/8' 30
check "title" waitrow 1 '^         D O L M' 1
check "credit line starts under the title" bash -c "[[ '$(row 2)' =~ ^\ {8}[^\ ] ]]"
check "contact line from column 9" bash -c "[[ '$(row 25)' =~ ^\ {8}[^\ ] ]]"
check "panel head" waitrow 3 '^   12345678901234567890   Hot keys:$' 1
check "panel arrows" waitrow 11 '[░▒]   <↑>,<↓>$' 1
check "panel moves" waitrow 16 '  <Enter><X,O>$' 1
check "panel esc" waitrow 23 '   <Esc>$' 1
check "move count and coordinates" waitrow 24 '^   0            \[10,10\]  Skill = F12/8$' 1
check "board cell (1,1) is a medium shade" test "$(charat 4 4)" = "▒"
C=$(colours)
check "title black on brown" grep -q $'\e\\[30m\e\\[43m D O L M' <<<"$C"
check "panel yellow on green" grep -q $'\e\\[93m\e\\[42m Hot keys:' <<<"$C"
check "board picture white on brown" grep -q $'\e\\[97m\e\\[43m 12345678901234567890 ' <<<"$C"
check "skill line black on brown" grep -q $'\e\\[30m\e\\[43mSkill = F12/8' <<<"$C"
check "cursor on the centre cell" test "$(TM display -p '#{cursor_x},#{cursor_y}')" = "12,12"

# Enter at the centre: X there and the computer's O next to it.
TM send-keys Enter
check "enter and reply" waitrow 24 '^   2   ' 60
check "X at the centre" test "$(charat 13 13)" = "X"
check "an O on the board" bash -c "tmux -L '$SOCK' capture-pane -p | sed -n '4,23p' | grep -q '^ *[0-9][░▒XO]*O'"
C=$(colours)
# Next to each other the two stones share the background, which is then not repeated.
check "X yellow on black" grep -Eq $'(\e\\[40m\e\\[93m|\e\\[93m\e\\[40m|O\e\\[93m)X' <<<"$C"
check "O light magenta on black" grep -Eq $'(\e\\[40m\e\\[95m|\e\\[95m\e\\[40m|X\e\\[95m)O' <<<"$C"

# A left click on board cell (3,3), screen column and row 6: Enter there.
mouse 0 6 6 M
mouse 0 6 6 m
check "click plays and the computer replies" waitrow 24 '^   4   ' 60
check "X at the clicked cell" test "$(charat 6 6)" = "X"

# The pointer onto "BkSp" (column 28, row 17) lights it; a click takes back.
mouse 35 28 17 M
check "label lit" eventually bash -c "tmux -L '$SOCK' capture-pane -p -e | grep -q \$'\\e\\\\[43mBkSp'"
mouse 0 28 17 M
mouse 0 28 17 m
check "click on BkSp takes back" waitrow 24 '^   3   ' 10
mouse 35 60 20 M
check "label back to normal" eventually bash -c "tmux -L '$SOCK' capture-pane -p -e | grep -q \$'\\e\\\\[93m\\e\\\\[42m <BkSp>'"

# Ins: the computer moves; BkSp takes it back.
TM send-keys IC
check "ins" waitrow 24 '^   4   ' 60
TM send-keys BSpace
check "bksp" waitrow 24 '^   3   ' 10

# S saves, N clears, L brings the game back.
TM send-keys S
check "saved game written" eventually test -s "$DIR/dolm.dat"
check "saved game size" test "$(stat -c %s "$DIR/dolm.dat")" = 2614
BEFORE=$(TM capture-pane -p | sed -n '4,23p')
TM send-keys n
check "new game" waitrow 24 '^   0   ' 10
TM send-keys L
check "load" waitrow 24 '^   3   ' 10
check "loaded board as saved" test "$(TM capture-pane -p | sed -n '4,23p')" = "$BEFORE"

# Esc ends the program with status 0, the settings and the key file written.
sleep 0.1
TM send-keys Escape
end=$((SECONDS + 30))
while [ ! -s "$DIR/status" ] && ((SECONDS < end)); do sleep 0.05; done
check "exit status 0" test "$(cat "$DIR/status" 2>/dev/null)" = 0
check "dolm.cfg bytes" test "$(od -An -tx1 "$DIR/dolm.cfg" 2>/dev/null | tr -d ' \n')" = "0c0008001600584f"
check "key file size" test "$(stat -c %s "$DIR/kanec22.rnd" 2>/dev/null)" = 3640
check "no temporary files left" test -z "$(ls "$DIR" | grep -v -e '^dolm.cfg$' -e '^dolm.dat$' -e '^kanec22.rnd$' -e '^run.sh$' -e '^status$')"
check "terminal restored" test "$(TM display -p '#{alternate_on} #{mouse_any_flag} #{mouse_sgr_flag} #{keypad_flag} #{cursor_flag}')" = "0 0 0 0 1"

echo "$PASSES passed, $FAILS failed"
[ "$FAILS" -eq 0 ]
