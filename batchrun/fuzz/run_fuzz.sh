#!/bin/sh
# Builds the libFuzzer target for ferrowind-cmd's parser and expansion with clang in its own build folder and
# runs it, seeded with the generated compile scripts.
# Usage: batchrun/fuzz/run_fuzz.sh [runs [libFuzzer options...]]
#   runs: executions, 100000 by default, -1 for no bound; e.g. "-1 -max_total_time=600" runs ten minutes.
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-100000}
[ $# -gt 0 ] && shift
build="$repo/build/fuzz-batchrun"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBATCHRUN_FUZZ=ON -DFERROWIND_BUILD_UI=OFF -DFERROWIND_BUILD_TESTS=OFF -DFERROWIND_WERROR=ON >/dev/null
ninja -C "$build" batchrun_fuzz

# The seed corpus: the expected scripts, each behind a first byte that makes the target read it as it is.
corpus="$build/corpus"
mkdir -p "$corpus"
for script in "$repo"/tests/golden/*.bat; do
  { printf '\000'; cat "$script"; } > "$corpus/$(basename "$script")"
done

cd "$build"
exec ./bin/batchrun_fuzz "$corpus" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@"
