#!/bin/sh
# Runs the generated round trip (random map -> sdHLCSG + sdHLBSP -> bsptwomap -> sdHLCSG + sdHLBSP -> compare) on
# many seeds, with and without -brenmoor, and prints every failing seed with its reason.
# Usage: tests/bsptwomap/roundtrip_seeds.sh [first] [count] [chunk]   (default: seeds 1 to 1000, 50 per run)
# Uses the release build's test program (cmake --preset release && cmake --build --preset release
# --target bsptwomap_tests); a failing seed's folders stay in the temporary folder for a look.
set -eu
repo=$(cd "$(dirname "$0")/../.." && pwd)
first=${1:-1}
count=${2:-1000}
chunk=${3:-50}
tests="$repo/build/release/bin/bsptwomap_tests"
[ -x "$tests" ] || { echo "build $tests first (release preset)" >&2; exit 2; }

failed=0
seed=$first
end=$((first + count))
while [ "$seed" -lt "$end" ]; do
  n=$chunk
  [ $((seed + n)) -gt "$end" ] && n=$((end - seed))
  out=$(BSPTWOMAP_SEEDS="$seed $n" "$tests" --gtest_filter='GeneratedRoundTripRange.*' 2>&1 || true)
  found=$(printf '%s\n' "$out" | grep '^\[failing seed\]' || true)
  if [ -n "$found" ]; then
    printf '%s\n' "$found"
    failed=$((failed + $(printf '%s\n' "$found" | wc -l)))
  fi
  printf '%s\n' "$out" | grep -q 'PASSED\|FAILED' || { printf '%s\n' "$out" | tail -5; exit 2; }
  echo "seeds $seed to $((seed + n - 1)) done" >&2
  seed=$((seed + n))
done
echo "$failed failing runs in seeds $first to $((end - 1))"
[ "$failed" -eq 0 ]
