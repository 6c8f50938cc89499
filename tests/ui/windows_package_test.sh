#!/usr/bin/env bash
# The Windows release zip: it unpacks to one folder with the four programs, the Readme and the licences, and the
# unpacked ferrowind.exe started with +beep (as a compile script starts it) plays the sound and ends by itself.
#   windows_package_test.sh <bin folder of the mingw build> <Wine prefix>
set -euo pipefail
bin="$1"
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$(dirname "$0")/../../scripts/package-windows.sh" "$bin" "$work/Ferrowind.zip" >/dev/null
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work/Ferrowind.zip")
folder=("$work"/unpacked/*)
[ ${#folder[@]} = 1 ] && [ -d "${folder[0]}" ] || fail "the zip does not hold one folder"
listing=$(cd "${folder[0]}" && find . -type f | sort | tr '\n' ' ')
expected="./Readme.txt ./bsptwomap.exe ./ferrowind-cmd.exe ./ferrowind-compile.exe ./ferrowind.exe \
./licences/Qt-GPL-2.0-only.txt ./licences/Qt-GPL-3.0-only.txt ./licences/Qt-LGPL-3.0-only.txt "
[ "$listing" = "$expected" ] || fail "zip holds: $listing"
grep -q $'^ferrowind.exe .*\r$' "${folder[0]}/Readme.txt" || fail "the Readme does not list the programs with CR LF"
! grep -q '@[A-Z_]*@' "${folder[0]}/Readme.txt" || fail "the Readme has an unfilled field"

timeout 60 wine "${folder[0]}/ferrowind.exe" +beep \
  || fail "ferrowind.exe +beep did not end by itself with success (status $?)"
grep -q $'^TextColor=7\r$' "${folder[0]}/Ferrowind/Configurations.ini" || fail "+beep did not write its configuration"
echo "PASS"
