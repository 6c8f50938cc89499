#!/usr/bin/env bash
# `ferrowind.exe <map> -preset <name> +run` under Wine, as a level editor starts it on Windows: the program writes
# Compile.bat, opens it through the shell in the system's command interpreter and closes; the script runs stub
# tools that record their arguments and leave the files real tools leave, copies the .bsp, starts the program
# again with +beep, opens the log in the configured viewer, deletes the chosen by-products and starts the game.
#   windows_command_line_run_test.sh <ferrowind.exe> <stub tool .exe> <Wine prefix>
set -euo pipefail
program="$1" stub="$2"
export WINEPREFIX="$3" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A host path as the Windows programs see it, on Wine's drive for the root folder.
windows() { local path="Z:$1"; printf '%s' "${path//\//\\}"; }

# '&' splits commands in the interpreter; '%' is left out: Wine expands it again inside variable values.
maps="$work/maps & co"
mkdir -p "$work/program/Ferrowind/GSPresets" "$work/tools" "$work/wad" "$work/out" "$maps"
cp "$program" "$work/program/ferrowind.exe"
for tool in hlcsg hlbsp hlvis hlrad hl viewer; do cp "$stub" "$work/tools/$tool.exe"; done
printf 'map' > "$maps/box.map"
{
  printf '[GSPATH]\r\nCSG=%s\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl=%s\r\nWADroot=%s\r\nBSPout=%s\r\n' \
    "$(windows "$work/tools/hlcsg.exe")" "$(windows "$work/tools/hlbsp.exe")" "$(windows "$work/tools/hlvis.exe")" \
    "$(windows "$work/tools/hlrad.exe")" "$(windows "$work/tools/hl.exe")" "$(windows "$work/wad")" \
    "$(windows "$work/out")"
  printf '[SYSTEMS]\r\nLogViewer=%s\r\n' "$(windows "$work/tools/viewer.exe")"
} > "$work/program/Ferrowind/Configurations.ini"
# Every stage, the game, the log opened, the sound, and some by-products deleted (not .lin, not .pts).
printf '%s\r\n' '[P]' 'HL=+map %MAPNAME% -dev' '[U]' 'CSG=1' 'BSP=1' 'VIS=1' 'RAD=1' 'HL=1' \
  '[A]' 'p0=1' 'p1=1' 'p2=1' 'p3=1' 'prt=1' 'wic=1' 'lin=0' 'pts=0' 'log=0' 'a2=1' 'a4=1' \
  > "$work/program/Ferrowind/GSPresets/Windows.gsp"

export STUB_RECORD="$(windows "$work/record.txt")"
export STUB_OUTPUTS=".bsp .p0 .p1 .p2 .p3 .prt .wic .lin .pts"
timeout 120 wine "$work/program/ferrowind.exe" "$(windows "$maps/box.map")" -preset Windows +run \
  || fail "ferrowind.exe did not exit by itself with success (status $?)"
[ -f "$work/program/Ferrowind/Temp/Compile.bat" ] || fail "no Compile.bat"
grep -q $'^TextColor=7\r$' "$work/program/Ferrowind/Configurations.ini" || fail "the configuration was not written"

# The console goes on alone: wait for its last program, the game, and for the viewer it started on the way.
for _ in $(seq 600); do
  grep -q '^hl\.exe' "$work/record.txt" 2>/dev/null && grep -q '^viewer\.exe' "$work/record.txt" && break
  sleep 0.2
done

names=$(cut -f1 "$work/record.txt" | grep -v '^viewer\.exe$' | tr '\n' ' ')
[ "$names" = "hlcsg.exe hlbsp.exe hlvis.exe hlrad.exe hl.exe " ] || fail "stub runs: $names"
# record <name>: the lines of that stub's runs (name, working folder, arguments; tab-separated).
record() { tr -d '\r' < "$work/record.txt" | grep -F "$1"$'\t' || true; }
for tool in hlcsg hlbsp hlvis hlrad; do
  record "$tool.exe" | grep -qF $'\t'"$(windows "$maps/box.map")" || fail "$tool.exe: $(record "$tool.exe")"
done
record hl.exe | grep -qF $'\t+map\tbox\t-dev' || fail "game: $(record hl.exe)"
record viewer.exe | grep -qF $'\t'"$(windows "$maps/box.log")" || fail "log viewer: $(record viewer.exe)"

# The script calls the program back for the sound; that instance plays it and ends by itself (Wine's interpreter,
# unlike Windows', does not wait for a windowed program, so it may still be playing).
grep -qF "\"$(windows "$work/program/ferrowind.exe")\" +beep"$'\r' "$work/program/Ferrowind/Temp/Compile.bat" \
  || fail "Compile.bat does not call the program with +beep"
# beeping: whether an instance started by its full path is running.
beeping() { ps -eo args= | awk -v program="$(windows "$work/program/ferrowind.exe")" 'index($0, program) == 1 { found = 1 }
  END { exit !found }'; }
for _ in $(seq 300); do
  beeping || break
  sleep 0.2
done
! beeping || fail "the +beep instance did not end by itself"

[ -f "$work/out/box.bsp" ] || fail "box.bsp was not copied to the output folder"
for kept in bsp log lin pts; do [ -f "$maps/box.$kept" ] || fail "box.$kept was deleted"; done
for deleted in p0 p1 p2 p3 prt wic; do [ ! -e "$maps/box.$deleted" ] || fail "box.$deleted was not deleted"; done
echo "PASS"
