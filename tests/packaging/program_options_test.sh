#!/usr/bin/env bash
# Every program answers --version and --help with its own name, version and usage and exit 0, without a
# display; only as the first argument.
set -euo pipefail
bin="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
for program in ferrowind ferrowind-cmd ferrowind-compile bsptwomap; do
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --version) \
    || fail "$program --version exits $?"
  [ "$version" = "$program 1.2" ] || fail "$program --version says: $version"
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" --help) || fail "$program --help exits $?"
  [ "$(head -n 1 <<<"$help")" = "$program 1.2" ] || fail "$program --help starts: $(head -n 1 <<<"$help")"
  grep -q "^usage: $program " <<<"$help" || fail "$program --help has no usage line"
done
echo "all four programs answer"
