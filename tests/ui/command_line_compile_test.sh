#!/usr/bin/env bash
# A level editor's compile with the real Half-Life compile tools: `ferrowind <map> -preset <name> +run` starts a
# terminal stand-in, which runs ferrowind-cmd on the script's private copy with the answers to its prompts from a
# file, in the program's current folder: neither the map's nor the tools'. What the compile leaves on disk is
# checked afterwards. Arguments: the program, ferrowind-cmd. Exits with 77 (skipped) when the tools are missing.
source "$(dirname "$0")/command_line_harness.sh"
runner="$(realpath "$2")"
shared="$(cd "$(dirname "$0")/../../.." && pwd)/shared"
tools="${FERROWIND_GOLDSRC_TOOLS:-$shared/tools/goldsrc/bin}"
fixtures="$shared/fixtures/bsp"
if [ ! -x "$tools/sdHLRAD" ]; then
  echo "SKIP: no GoldSource compile tools in $tools; set FERROWIND_GOLDSRC_TOOLS to their folder"
  exit 77
fi

# A failure shows what the console showed.
fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/console.txt" ]; then sed 's/^/  console: /' "$work/console.txt" >&2; fi
  exit 1
}

ln -s "$runner" "$work/bin/ferrowind-cmd"
mkdir -p "$work/console" "$work/out" "$work/bin/Ferrowind/GSPresets"

# The terminal: `-e <runner> <script>`, run with the answers as standard input; the exit code comes last.
cat > "$work/terminal" <<TERMINAL
#!/bin/sh
shift
"\$@" < "$work/answers" > "$work/console.txt" 2>&1
echo \$? > "$work/console-exit"
TERMINAL
# The log viewer and the game record what they were given, one argument a line.
for stub in viewer game; do
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' "$work/$stub.txt" > "$work/$stub"
done
chmod +x "$work/terminal" "$work/viewer" "$work/game"

# Cheap light (the light is not what is checked here); "Game" is ticked and the level designer's usual extras.
printf '%s\r\n' '[P]' 'RAD=-fast -bounce 0 -chop 512 -texchop 512' 'HL=+map %MAPNAME% -dev' \
  '[A]' 'a2=1' 'prt=1' 'lin=1' > "$work/bin/Ferrowind/GSPresets/Quick.gsp"

# The box room with the "wad" key a level editor wrote; leak: without its last wall; unknown: a texture no WAD has.
box_room() {
  sed "s|\"wad\" \"boxroom.wad\"|\"wad\" \"$2\"|" "$fixtures/boxroom.source.map" > "$work/maps/$1.map"
  case "${3:-}" in
    leak) awk '/^\{$/ { n++ } n == 7 && /^\{$/ { skip = 1 } !skip { print } skip && /^\}$/ { skip = 0 }' \
      "$work/maps/$1.map" > "$work/maps/$1.tmp" && mv "$work/maps/$1.tmp" "$work/maps/$1.map" ;;
    unknown) sed -i '0,/BOXWALL/s//NOSUCHTEX/' "$work/maps/$1.map" ;;
  esac
}

# wad_root <folder> <where boxroom.wad lies in it>
wad_root() {
  mkdir -p "$(dirname "$1/$2")"
  cp "$fixtures/boxroom.wad" "$1/$2"
  configure "$(printf '[GSPATH]\r\nCSG=%s\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl=%s\r\nWADroot=%s\r\nBSPout=%s\r\n[SYSTEMS]\r\nLogViewer=%s\r\n' \
    "$tools/sdHLCSG" "$tools/sdHLBSP" "$tools/sdHLVIS" "$tools/sdHLRAD" "$work/game" "$1" "$work/out/" "$work/viewer")"
}

# compile <map name> <answers>: the level editor's start, then the console's run to its end.
compile() {
  printf '%s' "$2" > "$work/answers"
  rm -f "$work/console-exit" "$work/console.txt" "$work/viewer.txt" "$work/game.txt"
  (cd "$work/console" && QT_QPA_PLATFORM=offscreen TERMINAL="$work/terminal" timeout 20 \
    "$work/bin/ferrowind" "$work/maps/$1.map" -preset Quick +run) || fail "$1: ferrowind did not exit by itself"
  for _ in $(seq 600); do [ -f "$work/console-exit" ] && break; sleep 0.2; done
  [ -f "$work/console-exit" ] || fail "$1: the console did not end"
}

# wait_for <file>: a program started with `start` runs on its own.
wait_for() {
  for _ in $(seq 100); do [ -s "$1" ] && return; sleep 0.1; done
  fail "nothing in $1"
}

console_has() { grep -qF -- "$1" "$work/console.txt" || fail "$2: the console did not show: $1"; }
console_lacks() { ! grep -qF -- "$1" "$work/console.txt" || fail "$2: the console showed: $1"; }

# The WAD only through the WAD root, whichever way the key names it; the tools look in <root>/valve/ or the root.
# (The Linux builds of the tools split WAD paths at '/' only: keys written the Windows way can't be tried here.)
check_compiled() {
  local name="$1"
  console_lacks "ERROR ERROR" "$name"
  [ -f "$work/out/$name.bsp" ] || fail "$name: no .bsp in the output folder"
  [ -f "$work/maps/$name.log" ] || fail "$name: the .log was deleted though not ticked"
  [ ! -e "$work/maps/$name.prt" ] || fail "$name: the ticked .prt was not deleted"
  [ "$(cat "$work/game.txt")" = "$(printf '+map\n%s\n-dev' "$name")" ] || fail "$name: game got $(cat "$work/game.txt")"
  wait_for "$work/viewer.txt"
  [ "$(cat "$work/viewer.txt")" = "$work/maps/$name.log" ] || fail "$name: viewer got $(cat "$work/viewer.txt")"
  [ ! -e "$work/console/$name.bsp" ] && [ -z "$(ls -A "$work/console")" ] || fail "$name: files in the console's folder"
  rm -f "$work/out/"*
}

wad_root "$work/half-life" valve/boxroom.wad
box_room elsewhere /home/someone/half-life/valve/boxroom.wad
compile elsewhere ""
check_compiled elsewhere

box_room relative valve/boxroom.wad
compile relative ""
check_compiled relative

wad_root "$work/wad root & 100% ünï" boxroom.wad
box_room bare boxroom.wad
compile bare ""
check_compiled bare

# A leak, with the BSP stage's default parameters: sdHLBSP reports it and writes the point file, then ends with
# success, leaving an error file that stops VIS, or crashes, by chance, stopping the run at BSP. Either way the menu
# comes before RAD; "1" hands the log to the viewer, and the end of the answers ends the script.
box_room leak valve/boxroom.wad leak
wad_root "$work/half-life" valve/boxroom.wad
compile leak "1"$'\n'
console_has "LEAK in hull 0" leak
console_has "ERROR ERROR ERROR" leak
console_lacks "BEGIN  sdHLRAD" leak
[ "$(cat "$work/viewer.txt")" = "$work/maps/leak.log" ] || fail "leak: viewer got $(cat "$work/viewer.txt")"
[ -f "$work/maps/leak.pts" ] || fail "leak: no point file beside the map"
[ -z "$(ls -A "$work/out")" ] || fail "leak: something was copied: $(ls "$work/out")"
[ ! -e "$work/game.txt" ] || fail "leak: the game was started"

# A texture no WAD holds: CSG fails; "1" hands over the log, "4" ends.
box_room unknown valve/boxroom.wad unknown
compile unknown "1"$'\n'"4"$'\n'
console_has "NOSUCHTEX not found" unknown
console_lacks "BEGIN  sdHLBSP" unknown
[ "$(grep -c '^Select item:' "$work/console.txt")" = 2 ] || fail "unknown: the menu was not asked twice"
[ "$(cat "$work/viewer.txt")" = "$work/maps/unknown.log" ] || fail "unknown: viewer got $(cat "$work/viewer.txt")"
[ -z "$(ls -A "$work/out")" ] || fail "unknown: something was copied: $(ls "$work/out")"
echo "PASS"
