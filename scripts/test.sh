#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer, UndefinedBehaviorSanitizer and warnings as errors, and runs every test;
# then cross-builds the Windows programs and their tests with MinGW-w64 and runs those under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake --preset ci
cmake --build --preset ci
ctest --preset ci -j "$(nproc)"

# The Debian package: built from a release build, installed, used from /usr/bin, purged.
scripts/test-package.sh

scripts/setup.sh windows
cmake --preset mingw
cmake --build --preset mingw -j "$(nproc)"
ctest --preset mingw -j "$(nproc)"
