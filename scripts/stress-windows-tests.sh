#!/usr/bin/env bash
# Runs the Windows suites under Wine again and again, each time as on a machine where Wine has never run: a
# fresh home and a fresh prefix, made while every processor is kept busy, the suites started right after.
# Prints each run's result and time; a failed run's ctest output is kept as build/mingw/stress-run-N.log.
#   scripts/stress-windows-tests.sh [runs]   default 10; the `mingw` preset must be built
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
build=build/mingw
[ -f "$build/CTestTestfile.cmake" ] || { echo "Build the mingw preset first: cmake --build --preset mingw" >&2; exit 2; }

load=()
stop_load() {
  [ ${#load[@]} -eq 0 ] || kill "${load[@]}" 2>/dev/null || true
  load=()
}
trap stop_load EXIT

failures=0
for run in $(seq 1 "$runs"); do
  home=$(mktemp -d)
  for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    load+=($!)
  done
  WINEPREFIX=$PWD/$build/wine-prefix wineserver -k 2> /dev/null || true
  rm -rf "$build/wine-prefix"
  started=$(date +%s)
  if HOME=$home cmake --build "$build" --target wine_prefix > "$home/ctest.log" 2>&1 &&
    HOME=$home ctest --preset mingw -j "$(nproc)" >> "$home/ctest.log" 2>&1; then
    result=passed
  else
    result=FAILED
    failures=$((failures + 1))
    cp "$home/ctest.log" "$build/stress-run-$run.log"
  fi
  stop_load
  echo "run $run: $result in $(($(date +%s) - started)) s"
  HOME=$home WINEPREFIX=$PWD/$build/wine-prefix wineserver -k 2> /dev/null || true
  rm -rf "$home"
done
echo "$failures of $runs runs failed"
[ "$failures" -eq 0 ]
