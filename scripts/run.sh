#!/usr/bin/env bash
# Sets up, builds and starts Ferrowind; arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
# The program only: the test suites need packages that `scripts/setup.sh test` installs.
cmake --preset release -DFERROWIND_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release
exec build/release/bin/ferrowind "$@"
