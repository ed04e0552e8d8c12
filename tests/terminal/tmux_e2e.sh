#!/usr/bin/env bash
# The terminal layer through a real terminal: keyecho runs in a private tmux
# server under three TERM values; keys go in by name and the mouse as raw
# reports, the codes are read back from the screen, and after the program
# ends (by Esc or by a signal) the terminal must be as it was.
# Usage: tmux_e2e.sh <keyecho>. Exit 77 (skipped) when tmux is missing.
set -u
KEYECHO=$(readlink -f "$1")
command -v tmux >/dev/null || { echo "tmux missing: skipped"; exit 77; }

# Every run gets a server of its own: a new server on a socket whose old
# server is still shutting down can die at birth.
SOCK="dolm-e2e-$$"
RUN=0
T=(tmux -L "$SOCK-$RUN" -f /dev/null)
WORK=$(mktemp -d)
cleanup() {
  local i
  for i in $(seq 0 "$RUN"); do
    tmux -L "$SOCK-$i" -f /dev/null kill-server 2>/dev/null
    rm -f "${TMUX_TMPDIR:-/tmp}/tmux-$(id -u)/$SOCK-$i"
  done
  rm -rf "$WORK"
}
trap cleanup EXIT
FAILS=0

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }

# Poll until the pane's text matches a regular expression, for at most 5 s.
wait_for() {
  local i
  for i in $(seq 100); do
    "${T[@]}" capture-pane -p -t e2e 2>/dev/null | grep -qE -- "$1" && return 0
    sleep 0.05
  done
  fail "$2: screen never showed /$1/"
  "${T[@]}" capture-pane -p -t e2e | sed 's/^/  | /'
  return 1
}

# The key codes keyecho shows, in order.
codes() {
  "${T[@]}" capture-pane -p -t e2e | sed -n '3,25p' | cut -c40- | grep -oE '[0-9A-F]{4}' | tr '\n' ' '
}

# Poll until keyecho shows exactly the expected codes.
expect_codes() {
  local i got=""
  for i in $(seq 100); do
    got=$(codes)
    [ "$got" = "$1" ] && return 0
    sleep 0.05
  done
  fail "$2: codes"
  echo "  expected: $1"
  echo "  got:      $got"
}

# A tmux format of the pane, such as #{mouse_any_flag}.
flag() { "${T[@]}" display -p -t e2e "$1"; }

# Check that the pane got back everything keyecho turned on.
expect_restored() {
  local f
  for f in mouse_any_flag mouse_all_flag mouse_sgr_flag mouse_button_flag alternate_on keypad_flag; do
    [ "$(flag "#{$f}")" = 0 ] || fail "$1: $f still on after exit"
  done
  [ "$(flag '#{cursor_flag}')" = 1 ] || fail "$1: cursor left hidden"
}

# Start keyecho in a fresh session with the given TERM; the pane stays after
# it exits so that its modes can still be read. Output is recorded to $WORK/out.
start() {
  "${T[@]}" kill-server 2>/dev/null
  RUN=$((RUN + 1))
  T=(tmux -L "$SOCK-$RUN" -f /dev/null)
  : >"$WORK/out"
  rm -f "$WORK/go"
  # keyecho starts once the recording runs, so its first bytes are recorded too.
  "${T[@]}" new-session -d -s e2e -x 80 -y 25 \
    "while [ ! -e $WORK/go ]; do sleep 0.02; done; env -i PATH=/usr/bin:/bin TERM=$1 $KEYECHO; echo keyecho exit \$?; sleep 60"
  "${T[@]}" set -g status off
  "${T[@]}" set -g remain-on-exit on
  "${T[@]}" pipe-pane -t e2e -o "cat >>$WORK/out"
  touch "$WORK/go"
  wait_for 'keyecho ready' "$1 start"
}

# Raw bytes into the pane, as a terminal would send them.
raw() { "${T[@]}" send-keys -t e2e -H $(printf '%s' "$1" | od -An -tx1); }
# A mouse report in the SGR form: button field, 0-based column and row, M or m.
# Each goes alone, as from a real pointer.
sgr() { raw $'\e'"[<$1;$(($2 + 1));$(($3 + 1))$4"; sleep 0.25; }

# Every key of the program's key table by its tmux name, and the code it must give.
KEYS=(Enter Tab BTab BSpace C-h + - 1 8 L l N n O o S s X x
  F1 F12 S-F1 S-F12 C-F1 M-F1 Home Up PPage Left Right End Down NPage IC DC
  C-1 C-8 M-n KP+ KPEnter)
WANT="000D 0009 330F 0008 0008 002B 002D 0031 0038 004C 006C 004E 006E 004F 006F 0053 0073 0058 0078 \
2001 200C 2301 230C 2401 2801 2020 2021 2022 2023 2025 2026 2027 2028 2029 202A \
3402 3409 3831 002B 000D "

for TERMNAME in tmux-256color screen-256color xterm-256color; do
  start "$TERMNAME" || continue
  # Turned on: SGR motion reporting, modifyOtherKeys 2, kitty keys, block cursor.
  [ "$(flag '#{mouse_sgr_flag}#{mouse_all_flag}#{alternate_on}')" = 111 ] || fail "$TERMNAME: modes not on"
  # The C locale still draws the real glyphs: the arrow labels.
  "${T[@]}" capture-pane -p -t e2e | grep -q '↑' || fail "$TERMNAME: arrow glyph not drawn in the C locale"

  "${T[@]}" send-keys -t e2e "${KEYS[@]}"
  expect_codes "$WANT" "$TERMNAME keys"

  # Mouse: a left click on board cell (3,3) is Enter with the cursor there,
  # a right click on (5,4) gives 2024; the frame gives nothing.
  # The same from a terminal with only the X10 form: ESC [ M, 32+b, 33+x, 33+y.
  sgr 0 5 5 M; sgr 0 5 5 m
  raw $'\e[M \'&'; sleep 0.25; raw $'\e[M#\'&'; sleep 0.25
  sgr 2 7 6 M; sgr 2 7 6 m
  sgr 0 2 2 M; sgr 0 2 2 m
  expect_codes "${WANT}000D 000D 2024 " "$TERMNAME clicks"
  [ "$(flag '#{cursor_x},#{cursor_y}')" = "7,6" ] || fail "$TERMNAME: cursor not on the right-clicked cell: $(flag '#{cursor_x},#{cursor_y}')"
  # Pointer onto the "Enter" label: it turns yellow on brown; a click gives its code.
  sgr 35 29 15 M
  for i in $(seq 40); do
    "${T[@]}" capture-pane -p -e -t e2e | grep -qF $'\e[43mEnter' && break
    sleep 0.05
  done
  "${T[@]}" capture-pane -p -e -t e2e | grep -qF $'\e[43mEnter' || fail "$TERMNAME: label not highlighted"
  sgr 0 29 15 M; sgr 0 29 15 m
  expect_codes "${WANT}000D 000D 2024 000D " "$TERMNAME label click"

  # A sequence nobody knows is dropped whole; Esc alone then ends the program.
  raw $'\e[99;9z'
  sleep 0.2
  "${T[@]}" send-keys -t e2e Escape
  wait_for 'keyecho done 001B' "$TERMNAME Esc" || continue
  wait_for 'keyecho exit 0' "$TERMNAME exit status"
  expect_restored "$TERMNAME"
  for s in $'\e[?1003h' $'\e[>1u' $'\e[2 q' $'\e[?1003l' $'\e[>4m' $'\e[<u' $'\e[0 q'; do
    grep -qF "$s" "$WORK/out" || fail "$TERMNAME: never wrote $(printf %q "$s")"
  done
done

# The terminal comes back after the signals that end the program.
for SIG in TERM HUP INT SEGV ABRT; do
  start tmux-256color || continue
  PID=$("${T[@]}" capture-pane -p -t e2e | sed -n 's/.*keyecho ready pid \([0-9]*\).*/\1/p')
  [ -n "$PID" ] && kill -s "$SIG" "$PID"
  # Ended by the signal itself, after the terminal was given back.
  wait_for "keyecho exit $((128 + $(kill -l "$SIG")))" "SIG$SIG" || continue
  expect_restored "SIG$SIG"
done

# Waiting for a key takes no processor time.
start tmux-256color
PID=$("${T[@]}" capture-pane -p -t e2e | sed -n 's/.*keyecho ready pid \([0-9]*\).*/\1/p')
cpu() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
if [ -n "$PID" ] && [ -r "/proc/$PID/stat" ]; then
  BEFORE=$(cpu)
  sleep 1
  [ $(($(cpu) - BEFORE)) -le 2 ] || fail "idle keyecho used $(($(cpu) - BEFORE)) ticks in 1 s"
fi

# Too small: a one-line request; large enough again: the whole screen is back.
# Then one key: only the few changed cells go to the terminal.
start tmux-256color
"${T[@]}" resize-window -t e2e -x 60 -y 20
wait_for 'please enlarge' "shrunk"
"${T[@]}" resize-window -t e2e -x 80 -y 25
wait_for 'keyecho ready' "enlarged again"
"${T[@]}" capture-pane -p -t e2e | grep -q 'Alt+N' || fail "labels not redrawn after enlarging"
sleep 0.2
BEFORE=$(stat -c %s "$WORK/out")
"${T[@]}" send-keys -t e2e x
expect_codes "0078 " "one key"
sleep 0.2
SENT=$(($(stat -c %s "$WORK/out") - BEFORE))
[ "$SENT" -lt 200 ] || fail "one key sent $SENT bytes to the terminal"

# A terminal with 8 colours: bright yellow is shown as bold yellow.
start xterm
"${T[@]}" capture-pane -p -e -t e2e | grep -qF $'\e[1m\e[33m\e[42m' || fail "xterm: no bold fallback for bright colours"

echo "$FAILS failures"
[ "$FAILS" = 0 ]
