#!/usr/bin/env bash
# Rewrites the expected scripts and token lists under tests/golden/ after a deliberate change;
# review the difference (git diff tests/golden) like code.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset debug >/dev/null
cmake --build --preset debug --target goldsource_tests source_tests editor_tests
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/goldsource_tests --gtest_filter='Golden/*'
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/source_tests --gtest_filter='Golden/*'
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/editor_tests --gtest_filter='Golden/*'
git status --short tests/golden
