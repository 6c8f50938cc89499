#!/usr/bin/env bash
# Sets up, builds and starts Ferrowind; arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/bin/ferrowind "$@"
