#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer, UndefinedBehaviorSanitizer and warnings as errors, and runs every test;
# then cross-builds the Windows programs and their tests with MinGW-w64 and runs those under Wine. Says what it
# is doing at each step and how long each took.
set -euo pipefail
cd "$(dirname "$0")/.."

summary=()
current=""
report() {
  local status=$?
  [ -n "$current" ] && summary+=("$current: failed after $(($(date +%s) - started)) s")
  echo
  echo "== Time of each step"
  printf '   %s\n' "${summary[@]}"
  exit "$status"
}
trap report EXIT

step() {
  current=$1
  shift
  echo
  echo "== $current"
  started=$(date +%s)
  "$@"
  summary+=("$current: $(($(date +%s) - started)) s")
  current=""
}

step "Installing what Linux builds need" scripts/setup.sh test
step "Building for Linux" bash -c 'cmake --preset ci && cmake --build --preset ci'
step "Linux tests" ctest --preset ci -j "$(nproc)"
# The Debian package: built from a release build, installed, used from /usr/bin, purged.
step "Debian package, installed and used" scripts/test-package.sh
step "Installing what Windows builds need" scripts/setup.sh windows
step "Building for Windows" bash -c 'cmake --preset mingw && cmake --build --preset mingw -j "$(nproc)"'
step "Windows tests under Wine" ctest --preset mingw -j "$(nproc)"
