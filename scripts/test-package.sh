#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), installs it into this machine with dpkg, uses the programs
# from /usr/bin as a user and a build server would, then purges the package and checks that nothing of it is
# left. Needs root or sudo; refuses to touch a ferrowind package that was installed before.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
shared="$PWD/../shared"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

fail() { echo "FAIL: $*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' ferrowind 2>/dev/null | grep -q installed; then
  fail "a ferrowind package is installed already; remove it first"
fi

deb=$(scripts/package.sh | tail -n 1)

work=$(mktemp -d)
installed=0
cleanup() {
  [ "$installed" = 0 ] || "${as_root[@]}" dpkg --purge ferrowind >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# What the system holds before, to compare with what it holds after the purge.
system_files() { find /usr /etc /opt -xdev 2>/dev/null | grep -v -e '/mimeinfo\.cache$' -e '/icon-theme\.cache$' | sort; }
system_files > "$work/before"

"${as_root[@]}" dpkg -i "$deb"
installed=1

# A user of their own: the working folders must go to their data folder, never beside the programs.
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME" "$work/maps" "$work/out" "$work/decompile"
data="$HOME/.local/share/ferrowind/Ferrowind"
cd "$work"

for program in ferrowind ferrowind-cmd ferrowind-compile bsptwomap; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not in /usr/bin"
  [ "$("$program" --version)" = "$program 1.2" ] || fail "$program --version"
  "$program" --help | grep -q "^usage: $program " || fail "$program --help"
  [ -f "/usr/share/man/man1/$program.1.gz" ] || fail "no manual page of $program"
done
grep -q 'text/x-goldsource-map' /usr/share/mime/globs2 || fail "the file types are not in the MIME database"

# The completion sound: the instance plays it, writes its configuration and ends by itself.
[ -f /usr/lib/ferrowind/ferrowind-sound.so ] || fail "no sound module in /usr/lib/ferrowind"
QT_QPA_PLATFORM=offscreen timeout 60 ferrowind +beep || fail "ferrowind +beep (status $?)"
[ -f "$data/Configurations.ini" ] || fail "no Configurations.ini in $data"
for folder in Temp GSPresets SPresets; do [ -d "$data/$folder" ] || fail "no $folder in $data"; done
[ ! -e /usr/bin/Ferrowind ] || fail "working folders were made in /usr/bin"

# The decompiler from /usr/bin on a shared .bsp.
cp "$shared/fixtures/bsp/boxroom.bsp" decompile/
bsptwomap decompile/boxroom.bsp > decompile/output || fail "bsptwomap: $(cat decompile/output)"
[ -s decompile/boxroom.map ] && [ -s decompile/boxroom_btm.wad ] || fail "bsptwomap wrote no map and WAD"

# A build server's compile of a shared map with the shared tools, configured in the user's data folder.
tools="$shared/tools/goldsrc/bin"
cp "$shared/fixtures/bsp/boxroom_external.source.map" maps/boxroom.map
cp "$shared/fixtures/bsp/boxroom.wad" maps/
printf '[GSPATH]\r\nCSG=%s\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl=\r\nWADroot=%s\r\nBSPout=%s\r\n' \
  "$tools/sdHLCSG" "$tools/sdHLBSP" "$tools/sdHLVIS" "$tools/sdHLRAD" "$work/maps" "$work/out" > "$data/Configurations.ini"
(cd maps && ferrowind-compile boxroom.map > ../compile-output) || fail "ferrowind-compile: $(cat compile-output)"
[ -s out/boxroom.bsp ] || fail "ferrowind-compile left no out/boxroom.bsp: $(cat compile-output)"

# A level editor's start: the installed program starts the installed ferrowind-cmd on its script.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "%s/terminal-arguments"\n' "$work" > fake-terminal
chmod +x fake-terminal
QT_QPA_PLATFORM=offscreen TERMINAL="$work/fake-terminal" timeout 60 ferrowind "$work/maps/boxroom.map" +run \
  || fail "ferrowind +run (status $?)"
mapfile -t arguments < terminal-arguments
[ "${arguments[1]}" = /usr/bin/ferrowind-cmd ] && [ "${arguments[2]#"$data/Temp/Compile-"}" != "${arguments[2]}" ] \
  || fail "terminal arguments: ${arguments[*]}"

# A script of one's own in ferrowind-cmd.
echo in > in.txt
printf '@echo off\r\nset NAME=world\r\necho hello %%NAME%%\r\nif exist "in.txt" copy "in.txt" "out.txt"\r\nexit 3\r\n' \
  > own.bat
set +e
ferrowind-cmd own.bat > cmd-output
status=$?
set -e
[ "$status" = 3 ] && grep -q '^hello world' cmd-output && [ -f out.txt ] || fail "ferrowind-cmd: $status $(cat cmd-output)"

cd /
"${as_root[@]}" dpkg -r ferrowind
# Purged as well when removing kept anything of it (conffiles).
if dpkg-query -W -f='${Status}' ferrowind 2>/dev/null | grep -q config-files; then
  "${as_root[@]}" dpkg --purge ferrowind
fi
installed=0
! dpkg-query -W ferrowind 2>/dev/null | grep -q . || fail "dpkg still knows the package"
system_files > "$work/after"
diff "$work/before" "$work/after" || fail "the purged package left the files above"
! grep -q 'text/x-goldsource-map' /usr/share/mime/globs2 || fail "the file types are still in the MIME database"

echo "package test passed in $((SECONDS - started)) s"
