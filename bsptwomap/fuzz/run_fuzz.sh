#!/bin/sh
# Builds the libFuzzer target with clang in its own build folder and runs it on the BSP fixtures.
# Usage: bsptwomap/fuzz/run_fuzz.sh [runs [libFuzzer options...]]
#   runs: executions, 100000 by default, -1 for no bound; e.g. "-1 -max_total_time=600" runs ten minutes.
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-100000}
[ $# -gt 0 ] && shift
build="$repo/build/fuzz-bsptwomap"
fixtures="$repo/../shared/fixtures/bsp"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBSPTWOMAP_FUZZ=ON -DFERROWIND_BUILD_UI=OFF -DFERROWIND_BUILD_TESTS=OFF -DFERROWIND_WERROR=ON >/dev/null
ninja -C "$build" bsptwomap_fuzz

# The seed corpus: the small fixtures (the largest would make every run slow).
corpus="$build/corpus"
mkdir -p "$corpus"
for name in boxroom boxroom_external hlu_campaignselect test_monster_in_water test_train_contents test_fog; do
  if [ -f "$fixtures/$name.bsp" ]; then cp "$fixtures/$name.bsp" "$corpus/"; chmod u+w "$corpus/$name.bsp"; fi
done

cd "$build"
exec ./bin/bsptwomap_fuzz "$corpus" -runs="$runs" -max_len=120000 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$@"
