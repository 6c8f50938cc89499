#!/usr/bin/env bash
# Rewrites the expected scripts and token lists under tests/golden/ after a deliberate change;
# review the difference (git diff tests/golden) like code.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset debug >/dev/null
cmake --build --preset debug --target goldsource_tests source_tests presets_tests editor_tests decompile_tests ferrowind
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/goldsource_tests --gtest_filter='Golden/*'
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/source_tests --gtest_filter='Golden/*'
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/presets_tests --gtest_filter='PresetFileTest.*'
FERROWIND_UPDATE_GOLDEN=1 tests/ui/command_line_preset_test.sh build/debug/bin/ferrowind
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/editor_tests --gtest_filter='Golden/*'
FERROWIND_UPDATE_GOLDEN=1 build/debug/bin/decompile_tests --gtest_filter='Golden/*'
git status --short tests/golden
