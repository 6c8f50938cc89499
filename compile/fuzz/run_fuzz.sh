#!/bin/sh
# Builds the libFuzzer target for the script writer with clang in its own build folder and runs it: random
# values through every script generator, each script run by ferrowind-cmd's runner with a canary on PATH.
# Usage: compile/fuzz/run_fuzz.sh [seconds]   (default 300)
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-300}
build="$repo/build/fuzz-script"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSCRIPT_FUZZ=ON -DFERROWIND_BUILD_UI=OFF -DFERROWIND_BUILD_TESTS=OFF -DFERROWIND_WERROR=ON >/dev/null
ninja -C "$build" script_fuzz

corpus="$build/corpus"
mkdir -p "$corpus"
# A map folder with & and %, a name with a variable, a quoted parameter.
printf '\001\034\010\200\210\007\200\201\200\200\022\036' > "$corpus/seed"

cd "$build"
exec ./bin/script_fuzz "$corpus" -max_total_time="$seconds" -max_len=64 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1
