# Shared by the shell tests (sourced): failures counted and named, and waiting with a limit.
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }  # check WHAT COMMAND...
# waitfor SECONDS COMMAND...: every 0.05 s until the command succeeds; false once SECONDS passed.
waitfor() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do ((SECONDS <= end)) || return 1; sleep 0.05; done
}
finish() { echo "$FAILS failed"; exit $((FAILS > 0)); }  # the status: 0 only without failures
