#!/usr/bin/env bash
# `ferrowind <map> -preset <name> +run` with hand-written preset files holding odd values writes the script
# those values call for, for both engines. The expected scripts are kept under tests/golden (@WORK@ for the
# throw-away folder); FERROWIND_UPDATE_GOLDEN=1 rewrites them from what the program writes.
source "$(dirname "$0")/command_line_harness.sh"
golden="$(cd "$(dirname "$0")/../golden" && pwd)"

mkdir -p "$work/tools" "$work/wad" "$work/out" "$work/hl2/bin" "$work/bin/Ferrowind/GSPresets" "$work/bin/Ferrowind/SPresets"
for tool in csg bsp vis rad hl; do : > "$work/tools/$tool"; done
for tool in bsp vis rad game; do : > "$work/hl2/bin/$tool"; done
: > "$work/maps/box.map"
: > "$work/maps/hall.vmf"
{
  printf '[GSPATH]\r\nCSG=%s\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl=%s\r\nWADroot=%s\r\nBSPout=%s\r\n' \
    "$work/tools/csg" "$work/tools/bsp" "$work/tools/vis" "$work/tools/rad" "$work/tools/hl" "$work/wad" "$work/out"
  printf '[SPATH]\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl2=%s\r\nBSPout=%s\r\nBin=%s\r\n' \
    "$work/hl2/bin/bsp" "$work/hl2/bin/vis" "$work/hl2/bin/rad" "$work/hl2/bin/game" "$work/out" "$work/hl2/bin"
} > "$work/bin/Ferrowind/Configurations.ini"

# Half-Life: hexadecimal and non-numeric flags, quoted and padded parameters, lower-case sections, and
# "Shutdown PC", which turns off the game, the log, the pause, the sound and the .log and .pts deletions.
printf '%s\r\n' '; layout work' '[p]' 'CSG = "  -wadautodetect  "' '  bsp=   -chart   ' "VIS='-fast'" 'HL=-dev' \
  '[u]' 'CSG=0x1' 'BSP=$0' 'VIS=yes' 'RAD=0X0' 'HL=1' \
  '[A]' 'a5=1' 'a2=1' 'a3=1' 'a4=1' 'a0=0x1' 'log=1' 'pts=1' 'p0=2' 'wic=-1' 'a1=true' > "$work/bin/Ferrowind/GSPresets/Odd.gsp"
printf '%s\r\n' '[P]' 'CSG=-not-this-one' > "$work/bin/Ferrowind/GSPresets/Other.gsp"

# Half-Life 2, started from a .vmf: the same kinds of values without the shutdown.
printf '%s\n' '[P]' 'BSP="-low"' ' vis = -fast  ' 'RAD=  "-final" ' '[U]' 'RAD=abc' 'HL=0x0' \
  '[a]' 'a1=$1' 'a3=1' 'a5=0' 'log=0x10' 'a2=no' > "$work/bin/Ferrowind/SPresets/odd.sp"

# check_golden <golden file> <arguments...>
check_golden() {
  local file="$golden/$1"
  shift
  if [ "${FERROWIND_UPDATE_GOLDEN:-}" = 1 ]; then
    (compile_and_check "" "$@" >/dev/null 2>&1) || true
    tr -d '\r' < "$script" | sed -E 's/^echo File created: .+$/STAMP/' | sed "s|$work|@WORK@|g" > "$file"
    return
  fi
  compile_and_check "$(sed "s|@WORK@|$work|g" "$file")" "$@"
}

check_golden command_line_preset_goldsource.bat -PRESET Other "$work/maps/box.map" +run -preset Odd -preset Missing
check_golden command_line_preset_source.bat +RUN -Preset odd "$work/maps/hall.vmf" -preset Odd
echo "PASS"
