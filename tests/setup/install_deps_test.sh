#!/usr/bin/env bash
# scripts/install-deps with dpkg-query, apt-get, sudo and the user id replaced by stubs: which
# packages it asks for, how it installs them, and what it says when it cannot.
# Usage: install_deps_test.sh path/to/scripts/install-deps
set -u
source "$(dirname "$0")/../testlib.sh"
SCRIPT=$(realpath "$1") DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
# dpkg-query knows the packages in $DIR/installed; apt-get and sudo log their arguments.
cat >"$DIR/dpkg-query" <<'STUB'
#!/bin/sh
for p; do :; done
grep -qx -- "$p" "$STUBDIR/installed" && printf 'install ok installed'
exit 0
STUB
printf '#!/bin/sh\necho "apt-get $*" >>"$STUBDIR/log"\n' >"$DIR/apt-get"
printf '#!/bin/sh\necho "sudo" >>"$STUBDIR/log"\nexec "$@"\n' >"$DIR/sudo"
chmod +x "$DIR"/dpkg-query "$DIR"/apt-get "$DIR"/sudo
export STUBDIR=$DIR DPKG_QUERY=$DIR/dpkg-query

GAME="g++ make cmake ninja-build libncurses-dev"
TEST="libgtest-dev libbenchmark-dev tmux mandoc"
INSTALL="install -y -q --no-install-recommends"
# mode | installed packages | user id | sudo | apt-get | status | log of sudo and apt-get, ';' a line
# | a text the messages must hold
CASES=(
  "game|$GAME|1000|$DIR/sudo|$DIR/apt-get|0||"
  "test|$GAME $TEST|0|$DIR/sudo|$DIR/apt-get|0||"
  "test|$GAME tmux|0|$DIR/sudo|$DIR/apt-get|0|apt-get update -q;apt-get $INSTALL libgtest-dev libbenchmark-dev mandoc|missing libgtest-dev"
  "game|g++ make ninja-build|1000|$DIR/sudo|$DIR/apt-get|0|sudo;apt-get update -q;sudo;apt-get $INSTALL cmake libncurses-dev|"
  "game|make|1000|/nonexistent/sudo|$DIR/apt-get|1||apt-get update \&\& apt-get install -y --no-install-recommends g\+\+ cmake ninja-build libncurses-dev"
  "game||0|$DIR/sudo|/nonexistent/apt-get|1||apt-get not found"
  "ci|$GAME $TEST clang libclang-rt-14-dev clang-format qemu-user|0|$DIR/sudo|$DIR/apt-get|0|apt-get update -q;apt-get $INSTALL g++-aarch64-linux-gnu|"
  "play|$GAME|0|$DIR/sudo|$DIR/apt-get|2||usage"
)
for c in "${CASES[@]}"; do
  IFS='|' read -r mode have uid sudo apt status want says <<<"$c"
  tr ' ' '\n' <<<"$have" >"$DIR/installed"
  : >"$DIR/log"
  out=$(DOLM_UID=$uid SUDO=$sudo APT_GET=$apt "$SCRIPT" $mode 2>&1)
  got=$?
  log=$(paste -sd ';' "$DIR/log")
  if [ "$got" != "$status" ] || [ "$log" != "$want" ] || ! grep -Eq -- "${says:-}" <<<"$out"; then
    fail "$mode with [$have] uid $uid: status $got, ran [$log], said: $out"
  fi
done
# Without dpkg the packages cannot be checked: the whole list and a failure.
out=$(DPKG_QUERY=/nonexistent/dpkg-query "$SCRIPT" game 2>&1) && fail "no dpkg passed"
grep -q "apt-get install -y --no-install-recommends $GAME" <<<"$out" || fail "no dpkg: $out"
echo "${#CASES[@]} cases and no dpkg"
finish
