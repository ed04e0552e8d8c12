#!/usr/bin/env bash
# Benchmark, not a test: time from starting dolm to its first complete screen
# (the coordinates and the skill line drawn on row 24), measured by polling
# tmux without pauses, over a number of runs, each in a fresh directory.
# Usage: startup_time.sh path/to/dolm [runs]
set -u
export LC_ALL=C.UTF-8
BIN=$(realpath "$1")
RUNS=${2:-21}
SOCK="dolm-start-$$"
TM() { tmux -L "$SOCK" -f /dev/null "$@"; }
WORK=$(mktemp -d)
trap 'TM kill-server 2>/dev/null; rm -rf "$WORK"' EXIT
TM new-session -d -x 80 -y 25 -s idle "sleep 3600"
times=()
for ((i = 0; i < RUNS; i++)); do
  mkdir "$WORK/$i"
  t0=$(date +%s%N)
  TM new-window -d -t idle -n run$i -c "$WORK/$i" "$BIN"
  until TM capture-pane -p -t "idle:run$i" 2>/dev/null | sed -n 24p | grep -q '\[10,10\]  Skill = F12/8'; do :; done
  t1=$(date +%s%N)
  times+=($(((t1 - t0) / 100000)))
  TM send-keys -t "idle:run$i" Escape
  sleep 0.2
  TM kill-window -t "idle:run$i" 2>/dev/null
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
fmt() { printf '%d.%d' $(($1 / 10)) $(($1 % 10)); }
echo "start-up to first complete screen over $RUNS runs: median $(fmt "${sorted[$((RUNS / 2))]}") ms," \
  "min $(fmt "${sorted[0]}") ms, max $(fmt "${sorted[$((RUNS - 1))]}") ms"
