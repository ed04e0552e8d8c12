#!/usr/bin/env bash
# keyecho in tmux: keys sent by name, the mouse as raw reports, the codes read back from the screen,
# the terminal checked after Esc or a signal. Usage: tmux_e2e.sh <keyecho>; exit 77 without tmux.
set -u
command -v tmux >/dev/null || { echo "tmux missing: skipped"; exit 77; }
source "$(dirname "$0")/../testlib.sh"
SOCK="dolm-e2e-$$" RUN=0 WORK=$(mktemp -d) KEYECHO=$(readlink -f "$1")
# A server per run: one started on a socket whose old server still shuts down can die at birth.
T() { tmux -L "$SOCK-$RUN" -f /dev/null "$@"; }
trap 'for i in $(seq 0 $RUN); do tmux -L "$SOCK-$i" kill-server; done 2>/dev/null
  rm -rf "$WORK" "${TMUX_TMPDIR:-/tmp}/tmux-$(id -u)/$SOCK"-*' EXIT
shows() { T capture-pane -p -t e2e "${@:2}" | grep -qF -- "$1"; }  # text [-e: with colours]
codes() { [ "$(T capture-pane -p -t e2e | cut -c40- | grep -oE '[0-9A-F]{4}' | xargs)" = "$1" ]; }
modes() { local v; v=$(T display -p -t e2e "$2"); [ "$v" = "$3" ] || fail "$1: $2 is $v, not $3"; }
# The mouse reporting modes, the alternate screen, the keypad mode and the cursor shown.
ALL='#{mouse_sgr_flag}#{mouse_all_flag}#{alternate_on}#{mouse_any_flag}#{keypad_flag}#{cursor_flag}'
poll() {  # for up to 5 s, until the command after the description succeeds
  waitfor 5 "${@:2}" || { fail "$1: never ${*:2}"; T capture-pane -p -t e2e | sed 's/^/  | /'; return 1; }
}
# keyecho under TERM=$1 in a new server once the pane is recorded; the pane outlives it (its modes).
start() {
  T kill-server 2>/dev/null; RUN=$((RUN + 1)); : >"$WORK/out"; rm -f "$WORK/go"
  # bash, as an interactive shell would, outlives the Ctrl+C its foreground program handled.
  printf '%s\n' "while [ ! -e $WORK/go ]; do sleep 0.02; done" "stty -g >$WORK/tty0" \
    "env -i PATH=/usr/bin:/bin TERM=$1 $KEYECHO; echo keyecho exit \$?" "stty -g >$WORK/tty1" \
    "sleep 60" >"$WORK/pane"
  T new-session -d -s e2e -x 80 -y 25 "bash $WORK/pane"
  T set -g status off \; set -g remain-on-exit on \; pipe-pane -t e2e -o "cat >>$WORK/out" &&
    touch "$WORK/go"
  poll "$1 start" shows 'keyecho ready' && PID=$(T capture-pane -p -t e2e | grep -oP 'pid \K\d+')
}
# Raw bytes, one report at a time as from a real pointer; an SGR report: button, 0-based x y, M/m.
raw() { T send-keys -t e2e -H $(printf '%s' "$1" | od -An -tx1); sleep 0.25; }
sgr() { raw $'\e'"[<$1;$(($2 + 1));$(($3 + 1))$4"; }

# Every key of the program's key table by its tmux name, and the codes they give.
KEYS=(Enter Tab BTab BSpace C-h + - 1 8 L l N n O o S s X x F1 F12 S-F1 S-F12 C-F1 M-F1
  Home Up PPage Left Right End Down NPage IC DC C-1 C-8 M-n KP+ KPEnter M-1 M-8)
WANT="000D 0009 330F 0008 0008 002B 002D 0031 0038 004C 006C 004E 006E 004F 006F 0053 0073 0058 \
0078 2001 200C 2301 230C 2401 2801 2020 2021 2022 2023 2025 2026 2027 2028 2029 202A 3402 3409 \
3831 002B 000D 3802 3809"
for TN in tmux-256color screen-256color xterm-256color; do
  start "$TN" || continue
  modes "$TN" "$ALL" 111101
  shows '↑' || fail "$TN: arrow glyph not drawn in the C locale"
  T send-keys -t e2e "${KEYS[@]}"
  poll "$TN keys" codes "$WANT"
  # A left click on board cell (3,3) is Enter, in the SGR and the X10 form (ESC [ M, 32+b,
  # 33+x, 33+y); a right click on (5,4) gives 2024 and moves the cursor; the frame, nothing.
  sgr 0 5 5 M; sgr 0 5 5 m; raw $'\e[M \'&'; raw $'\e[M#\'&'
  sgr 2 7 6 M; sgr 2 7 6 m; sgr 0 2 2 M; sgr 0 2 2 m
  poll "$TN clicks" codes "$WANT 000D 000D 2024"
  modes "$TN" '#{cursor_x},#{cursor_y}' 7,6
  # A sequence nobody knows is dropped whole; Esc alone then ends the program.
  raw $'\e[99;9z'
  T send-keys -t e2e Escape
  poll "$TN Esc" shows 'keyecho done 001B' && poll "$TN exit" shows 'keyecho exit 0' || continue
  modes "$TN after exit" "$ALL" 000001
  for s in $'\e[?1003h' $'\e[>1u' $'\e[2 q' $'\e[?1003l' $'\e[>4m' $'\e[<u' $'\e[0 q'; do
    grep -qF "$s" "$WORK/out" || fail "$TN: never wrote $(printf %q "$s")"
  done
done

# Signals that end the program give the terminal back, line settings too; it still dies of
# them. A crash does so with signal-safe calls only. Ctrl+C and Ctrl+\, as signals or as kitty's
# and xterm's key sequences, end it as Esc does.
for SIG in TERM HUP SEGV ABRT BUS FPE ILL INT QUIT C-c 'C-\' $'\e[99;5u' $'\e[27;5;92~'; do
  start tmux-256color || continue
  case $SIG in
    C-*) T send-keys -t e2e "$SIG" && want="exit 0" ;;
    [A-Z]*) kill -s "$SIG" "$PID" && want="exit $((128 + $(kill -l "$SIG")))" ;;
    *) raw "$SIG" && want="exit 0" ;;
  esac
  [ "$SIG" = INT ] || [ "$SIG" = QUIT ] && want="exit 0"
  poll "$SIG" shows "keyecho $want" && modes "$SIG" "$ALL" 000001 &&
    poll "$SIG line settings" cmp -s "$WORK/tty0" "$WORK/tty1"
done

# Too small: a one-line request; large enough again: the whole screen is back.
start tmux-256color
T resize-window -t e2e -x 60 -y 20
poll "shrunk" shows 'please enlarge'
T resize-window -t e2e -x 80 -y 25
poll "enlarged" shows 'Alt+N' && { shows 'keyecho ready' || fail "not all redrawn"; }
# Then one key sends only the few changed cells, and waiting takes no processor time.
cpu() { awk '{print $14 + $15}' "/proc/$PID/stat"; }
sleep 0.2; BYTES=$(wc -c <"$WORK/out") CPU=$(cpu)
T send-keys -t e2e x
poll "one key" codes "0078" && sleep 1
SENT=$(($(wc -c <"$WORK/out") - BYTES)); [ "$SENT" -lt 200 ] || fail "one key sent $SENT bytes"
[ $(($(cpu) - CPU)) -le 2 ] || fail "idle keyecho used $(($(cpu) - CPU)) ticks in 1 s"
# With 8 colours, bright yellow is shown as bold yellow.
start xterm && poll "xterm bold" shows $'\e[1m\e[33m' -e
finish
