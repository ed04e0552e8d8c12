#!/usr/bin/env bash
# Without GoogleTest and Google Benchmark the project still configures, and the build step of
# `make run` builds the game and nothing else. Usage: game_only_test.sh <source dir> <scratch dir>
set -u
source "$(dirname "$0")/../testlib.sh"
SRC=$(realpath "$1") OUT=$2
rm -rf "$OUT"
LOG=$(cmake -S "$SRC" -B "$OUT" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON 2>&1) ||
  { echo "$LOG"; fail "configure without the test packages"; exit 1; }
for says in "GoogleTest not found: tests/ skipped" "Google Benchmark not found: engine-micro skipped"; do
  grep -q "$says" <<<"$LOG" || fail "configure never said '$says'"
done
# `make run`'s commands, without running them: the package check for the game, then one build.
RUN=$(make -s -n -C "$SRC" run BUILD="$OUT" 2>&1)
grep -qx 'scripts/install-deps game' <<<"$RUN" || fail "make run checks no game packages: $RUN"
BUILDSTEP=$(grep '^cmake --build' <<<"$RUN")
[ "$BUILDSTEP" = "cmake --build $OUT --target dolm" ] || fail "make run builds with '$BUILDSTEP'"
(cd "$SRC" && $BUILDSTEP >/dev/null) || fail "the game alone did not build"
# Only the game was built: no other program, and nothing of the brain.
BUILT=$(cd "$OUT" && find . -path ./CMakeFiles -prune -o -type f -perm -u+x -print | sort | xargs)
[ "$BUILT" = "./frontend/dolm" ] || fail "built programs: $BUILT"
[ ! -e "$OUT/brain/libbrain.a" ] || fail "the brain's library was built"
finish
