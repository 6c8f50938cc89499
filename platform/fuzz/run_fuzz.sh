#!/bin/sh
# Builds the libFuzzer target for the profile (INI) reader with clang in its own build folder and runs it,
# seeded with configuration files in every line-end style, with a byte-order mark, and in UTF-16.
# Usage: platform/fuzz/run_fuzz.sh [runs [libFuzzer options...]]
#   runs: executions, 100000 by default, -1 for no bound; e.g. "-1 -max_total_time=600" runs ten minutes.
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-100000}
[ $# -gt 0 ] && shift
build="$repo/build/fuzz-profile"

CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPROFILE_FUZZ=ON -DFERROWIND_BUILD_UI=OFF -DFERROWIND_BUILD_TESTS=OFF -DFERROWIND_WERROR=ON >/dev/null
ninja -C "$build" profile_fuzz

corpus="$build/corpus"
mkdir -p "$corpus"
ini='[GSPATH]\r\nCSG=/hl/csg\r\n; kept\r\n[SPATH]\r\nBin = "/hl2/bin"\r\n\r\n[SYSTEMS]\r\nTextColor=0x0C\r\n'
printf "$ini" > "$corpus/crlf.ini"
printf "$ini" | tr -d '\r' > "$corpus/lf.ini"
printf "$ini" | tr -d '\n' > "$corpus/cr.ini"
{ printf '\357\273\277'; printf "$ini"; } > "$corpus/bom.ini"
{ printf '\377\376'; printf "$ini" | sed 's/./&\x00/g'; } > "$corpus/utf16.ini"

cd "$build"
exec ./bin/profile_fuzz "$corpus" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@"
