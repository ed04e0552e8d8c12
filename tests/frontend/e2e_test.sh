#!/usr/bin/env bash
# The real dolm played through tmux in a fresh directory, from the start screen to Esc.
# Usage: e2e_test.sh path/to/dolm
set -u
export LC_ALL=C.UTF-8
source "$(dirname "$0")/../testlib.sh"
BIN=$(realpath "$1") DIR=$(mktemp -d) SOCK="dolm-e2e-$$"
TM() { tmux -L "$SOCK" -f /dev/null "$@"; }
trap 'TM kill-server 2>/dev/null; rm -rf "$DIR"' EXIT
row() { TM capture-pane -p ${E:-} -t "$S" | sed -n "$1p"; }  # E=-e: with colours
# Wait up to $3 seconds for screen row $1 to match the extended regex $2, polling every $4.
waitrow() {
  local end=$((SECONDS + ${3:-60}))
  until row "$1" | grep -Eq -- "$2"; do
    ((SECONDS < end)) || { echo "row $1 reads '$(row "$1")', not /$2/"; return 1; }
    sleep "${4:-0.05}"
  done
}
# SGR mouse reports at column $2, row $3: button $1 pressed and released, or a move (35).
mouse() { TM send-keys -l $'\e[<'"$1;$2;$3M"; [ "$1" = 35 ] || TM send-keys -l $'\e[<'"$1;$2;$3m"; }
# Start $1 in session $S in the fresh directory $D; succeed once the first screen is complete.
start() {
  mkdir -p "$D" && TM new-session -d -x 80 -y 25 -s "$S" -c "$D" "$1"
  waitrow 24 '^   0            \[10,10\]  Skill = F12/8$' 30
}
MODES='#{alternate_on} #{mouse_any_flag} #{mouse_sgr_flag} #{keypad_flag} #{cursor_flag}'
# The game of session $S has ended: status 0, dolm.cfg holding the hex bytes $1, modes off.
ended() {
  waitfor 30 test -s "$D/status"
  check "$S: exit status 0" test "$(cat "$D/status")" = 0
  [ -z "$1" ] || check "$S: dolm.cfg bytes" test "$(od -An -tx1 "$D/dolm.cfg" | tr -d ' \n')" = "$1"
  check "$S: terminal restored" test "$(TM display -p -t "$S" "$MODES")" = "0 0 0 0 1"
}

S=game D=$DIR/game
# bash, as an interactive shell would, outlives a Ctrl+C that the game handled.
printf '#!/bin/bash\n"%s" 2>err\necho $? >status\ndate +%%s%%N >ended\nexec sleep 600\n' "$BIN" >"$DIR/run.sh"
chmod +x "$DIR/run.sh"
check "first complete screen" start "$DIR/run.sh"
for want in '1 ^         D O L M' '2 ^ {8}[^ ]' '25 ^ {8}[^ ]' '3 ^   12345678901234567890   Hot keys:$' \
  '4 ^  1(▒░){10}$' '11 [░▒]   <↑>,<↓>$' '16   <Enter><X,O>$' '23    <Esc>$'; do
  check "start screen row ${want%% *}" waitrow "${want%% *}" "${want#* }" 1
done
for want in '1 30m.\[43m D O L M' '3 93m.\[42m Hot keys:' '3 97m.\[43m 1234567890' '24 30m.\[43mSkill = F12/8'; do
  E=-e check "colours of row ${want%% *}" waitrow "${want%% *}" $'\e\\['"${want#* }" 1
done
check "cursor on the centre cell" test "$(TM display -p '#{cursor_x},#{cursor_y}')" = "12,12"

# Enter at the centre; then a left click on board cell (3,3), at screen column and row 6.
TM send-keys Enter
check "enter and reply" waitrow 24 '^   2   '
mouse 0 6 6
check "click and reply" waitrow 24 '^   4   '
check "X at the clicked cell" waitrow 6 '^  3..X' 1
# The pointer onto "BkSp" (column 28, row 17) lights it brown; a click takes back.
mouse 35 28 17
E=-e check "label lit" waitrow 17 $'\e\\[43mBkSp' 5
mouse 0 28 17
mouse 35 60 20
E=-e check "label back to normal" waitrow 17 $'\e\\[93m\e\\[42m <BkSp>' 5
check "click on BkSp takes back" waitrow 24 '^   3   ' 10
TM send-keys IC
check "Ins" waitrow 24 '^   4   '

# Esc ends the program with status 0, the settings and the key file written.
TM send-keys Escape
ended 0c0008001600584f
# The key file's bytes are checked in-process (KeyFile); stderr stays empty.
check "no other files" test "$(ls "$D" | tr '\n' ' ')$(cat "$D/err")" = "dolm.cfg ended err kanec22.rnd status "

# FIFOs under the names of the settings, the saved game and the key file hold
# nothing up: the game starts, L names the fault on row 25, and the settings that cannot be written at exit are reported on standard
# error once the terminal is restored, with exit status 0.
S=fifo D=$DIR/fifo
mkdir -p "$D" && (cd "$D" && mkfifo dolm.cfg dolm.dat kanec22.rnd)
check "start with FIFOs in place" start "$DIR/run.sh"
TM send-keys -t "$S" L
check "notice of L" waitrow 25 '^Not loaded: dolm.dat: not a regular file *$' 5
TM send-keys -t "$S" Escape
ended ""
check "settings fault on stderr" test "$(cat "$D/err")" = "dolm: Not saved: dolm.cfg: not a regular file"

# The options answer without a terminal; anything else is refused with a hint.
OUT=$("$BIN" --help); check "--help" test "$?,$(grep -c -e 'takes no arguments' -e 'man 6 dolm' <<<"$OUT")" = 0,2
OUT=$("$BIN" --version); check "--version" test "$?,$(grep -Ec '^dolm [0-9]+\.[0-9]+' <<<"$OUT")" = 0,1
OUT=$("$BIN" --play 2>&1 >/dev/null)
check "bad argument: status 2, error and hint" test "$?:$OUT" = "2:dolm: unknown argument '--play'
Try 'dolm --help' for more information."

# Ctrl+C ends the game as Esc does within half a second, idle and while the computer thinks:
# status 0, the settings written, the terminal given back.
ctrlc() {
  local t0
  [ -n "$1" ] && TM send-keys -t "$S" $1 && sleep 0.3
  check "$S: thinking before Ctrl+C" waitrow 24 "$2" 1
  t0=$(date +%s%N) && TM send-keys -t "$S" C-c
  waitfor 10 test -s "$D/ended"
  local ms=$((($(cat "$D/ended" 2>/dev/null || echo 0) - t0) / 1000000))
  check "$S: exit within 0.5 s, not $ms ms" test "$ms" -ge 0 -a "$ms" -le 500
  ended "$3"
}
S=idle D=$DIR/idle && start "$DIR/run.sh"
ctrlc "" "Skill = F12/8" 0c0008001600584f
# Skill 18/10 (Alt+8 steps the depth as Ctrl+8 does); the third move then takes seconds to answer.
S=think D=$DIR/think && start "$DIR/run.sh"
TM send-keys -t "$S" S-F12 S-F12 S-F12 S-F12 S-F12 S-F12 8 M-8 M-8 Enter
check "skill 18/10" waitrow 24 'Skill = F18/10$' 30
check "first reply" waitrow 24 '^   2   ' 30
ctrlc 'Up Up Up Enter' '^   3 .*Skill = F18/10$' 12000a001600584f

# Ctrl+Z gives the shell its terminal back; fg brings the whole screen again, and keys work.
# Then Ctrl+Z once more as kitty's key sequence.
# Wait up to 10 s for the line the shell shows $2 lines above its last (0) to match $1.
lastis() { TM capture-pane -p -t "$S" | grep -v '^$' | tail -$((${2:-0} + 1)) | head -1 | grep -Eq -- "$1"; }
waitlast() { waitfor 10 lastis "$@" || { TM capture-pane -p -t "$S" | grep -v '^$' | sed 's/^/  | /'; return 1; }; }
S=suspend D=$DIR/suspend && mkdir -p "$D"
TM new-session -d -x 80 -y 25 -s "$S" -c "$D" "bash --norc --noprofile -i"
TM send-keys -t "$S" "PS1='PROMPT\$ '" Enter "'$BIN'" Enter
check "suspend: started" waitrow 24 'Skill = F12/8$' 30
for z in C-z $'\e[122;5u'; do
  if [ "$z" = C-z ]; then TM send-keys -t "$S" C-z; else TM send-keys -t "$S" -l "$z"; fi
  check "suspend: prompt" waitlast '^PROMPT\$$' 
  check "suspend: stopped" test -n "$(TM capture-pane -p -t "$S" | grep Stopped)"
  check "suspend: terminal given back" test "$(TM display -p -t "$S" "$MODES")" = "0 0 0 0 1"
  TM send-keys -t "$S" "fg" Enter
  check "fg: whole screen" waitrow 25 '^ {8}Five in a line' 10
  for want in '1 ^         D O L M' '2 ^ {8}Enter' '3 Hot keys:$' '4 ^  1(▒░){10}$' '23    <Esc>$'; do
    check "fg: row ${want%% *}" waitrow "${want%% *}" "${want#* }" 1
  done
  check "fg: modes back" test "$(TM display -p -t "$S" '#{alternate_on} #{mouse_any_flag}')" = "1 1"
  F=$((${F:-4} + 1)) && TM send-keys -t "$S" F$F  # F5, then F6: each changes the skill line
  check "fg: a key works" waitrow 24 "Skill =  F$F/8$" 5
done
TM send-keys -t "$S" Escape
check "suspend: prompt after Esc" waitlast '^PROMPT\$$'
TM send-keys -t "$S" 'echo "status $?"' Enter
check "suspend: status 0 after Esc" waitlast '^status 0$' 1
finish
